// CExtensionPage: a page that the extension adds to the Display Properties
// sheet (the information page and the display-devices page).
//  - While it is the sheet's active page, the shared header's `pagesOpen`
//    is 1, so that the tray menu and the hot keys leave the displays alone.
//  - The page object lives as long as the sheet holds its page handle: it
//    counts as a live object of the library from the handle's creation and
//    deletes itself when the sheet releases the handle.
#pragma once

#include "extension_app.h"
#include "framework.h"

class CExtensionPage : public CPropertyPage {
public:
    explicit CExtensionPage(UINT templateId);

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
    // Also raises `pagesOpen`: the page is being shown.
    BOOL OnInitDialog() override;

    void OnPageAddRef() override;
    void OnPageRelease() override;

    void SetPagesOpen(int open);

    CHardware* m_pHardware;
    HardwareHeader* m_pHeader;
    AdapterRecord* m_pCurrentAdapter;
    DisplayRecord* m_pCurrentDisplay;

private:
    bool m_counted = false;
    std::string m_title;  // the sheet may read it as long as the page lives
};
