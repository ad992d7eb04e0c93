// CInfoPage: the first page the extension adds to Display Properties.  It
// only shows facts: a fixed text, the adapter's kind, its LCD panel's size,
// the version the driver reports for the adapter, the file versions of the
// display driver and of the tray program, the years and the notice.  Like
// every page of the extension it keeps `pagesOpen` raised while it is the
// active page (CExtensionPage).
#pragma once

#include <string>

#include "extension_page.h"
#include "transparent_bitmap.h"

class CInfoPage : public CExtensionPage {
public:
    explicit CInfoPage(const std::string& deviceName);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    // Shows the adapter's facts as the shared records held them when the
    // page was built; nothing here refreshes them.
    void FillAdapterTexts();
    void FillFileVersions();

    CWnd m_animation;  // bound only: the page neither opens nor plays a clip
    CTransparentBitmap m_picture;
    std::string m_title;
    std::string m_adapterKind;
    std::string m_panelSize;
    std::string m_adapterVersion;
    std::string m_driverVersion;
    std::string m_trayVersion;
};

// The display driver's file of an OS class (codes of COSService::GetOSVersion).
const char* DisplayDriverFile(int osClass);
