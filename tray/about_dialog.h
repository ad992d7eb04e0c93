// The tray program's about box: its version, the years and the notice.
#pragma once

#include "framework.h"
#include "transparent_bitmap.h"

namespace tray {

class CAboutDialog : public CDialog {
public:
    CAboutDialog();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    CTransparentBitmap m_picture;
    std::string m_version;
};

} // namespace tray
