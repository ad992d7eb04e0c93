// CConfirmDisplayDialog: asks the user after a change of display devices
// whether it stays.  It counts 15 seconds down; OK keeps the change, Cancel,
// closing or the count running out undo it.  The hot keys are off while it
// is shown.
#pragma once

#include <string>

#include "framework.h"
#include "hardware.h"
#include "hotkey_service.h"
#include "service_registry.h"

class CConfirmDisplayDialog : public CDialog {
public:
    CConfirmDisplayDialog();

    static constexpr UINT_PTR kCountdownTimer = 1060;
    static constexpr int kCountdownSeconds = 15;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void ShowSecondsLeft();

    CStatic m_picture;
    CStatic m_text;
    std::string m_displayedText;
    CServiceReference<CHardware> m_hardware;
    CServiceReference<CHotkey> m_hotkeys;
    int m_secondsLeft = kCountdownSeconds;
};
