// CExtensionPage: a page that the extension adds to the Display Properties
// sheet (the information page and the display-devices page).
//  - It belongs to the display device its sheet shows, and selects that
//    device in the hardware service whenever it is initialised or becomes
//    active: another sheet of the same process may have selected another.
//  - While it is the sheet's active page the service library counts it as
//    shown by this process, so that `pagesOpen` keeps the tray menu and the
//    hot keys off the displays for as long as any live process shows one.
//  - The page object lives as long as the sheet holds its page handle: it
//    counts as a live object of the library from the handle's creation and
//    deletes itself when the sheet releases the handle.
#pragma once

#include <string>

#include "extension_app.h"
#include "framework.h"

class CExtensionPage : public CPropertyPage {
public:
    CExtensionPage(UINT templateId, const std::string& deviceName);

    // Makes the page's handle with the sheet-wide title `titleId`, the
    // icon and the library's reference count, and offers it to the sheet
    // through `addPage`.  The page then belongs to its handle: it is deleted
    // when the sheet (or the refusal of `addPage`) releases the handle, or
    // here when no handle could be made.  False when the sheet did not take
    // the page.
    bool AddToSheet(UINT titleId, LPFNADDPROPSHEETPAGE addPage, LPARAM lParam);

protected:
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnDestroy() override;
    // Also counts the page as shown: it is being shown.
    BOOL OnInitDialog() override;

    void OnPageAddRef() override;
    void OnPageRelease() override;

    // Selects the page's own display device again and takes its records;
    // false (the records stay as they were) when the device is gone.
    bool SelectOwnDisplay();

    CHardware* m_pHardware;
    HardwareHeader* m_pHeader;
    AdapterRecord* m_pCurrentAdapter;
    DisplayRecord* m_pCurrentDisplay;
    const std::string m_deviceName;

private:
    void SetShown(bool shown);

    bool m_counted = false;
    bool m_shown = false;
    std::string m_title;  // the sheet may read it as long as the page lives
};
