// CConfirmDisplayDialog: asks the user after a change of display devices
// whether it stays.  It counts 15 seconds down; OK keeps the change, Cancel,
// closing or the count running out undo it.  The hot keys are off while it
// is shown.  The switch's pending record (see CSwitchGuard) is marked kept
// as soon as the user keeps it, before the hot keys come back.
#pragma once

#include <string>

#include "framework.h"
#include "hardware.h"
#include "hotkey_service.h"
#include "service_registry.h"

class CConfirmDisplayDialog : public CDialog {
public:
    // `pending`: the record of the switch asked about, or null.
    explicit CConfirmDisplayDialog(CSwitchGuard::CPending* pending = nullptr);

    static constexpr UINT_PTR kCountdownTimer = 1060;
    static constexpr int kCountdownSeconds = 15;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnTimer(UINT_PTR id) override;
    void OnOK() override;
    void OnDestroy() override;

private:
    void ShowSecondsLeft();

    CStatic m_picture;
    CStatic m_text;
    std::string m_displayedText;
    CServiceReference<CHardware> m_hardware;
    CServiceReference<CHotkey> m_hotkeys;
    CSwitchGuard::CPending* m_pending;
    int m_secondsLeft = kCountdownSeconds;
};
