// CPropertySheet: a modal property sheet of CPropertyPage objects.
#pragma once

#include <string>
#include <vector>

#include "propertypage.h"

class CPropertySheet : public CWnd {
public:
    // The caption from string `captionId` of the resource module.
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(const char* caption, CWnd* parent = nullptr, UINT selectPage = 0);

    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }

    // Shows the sheet; the result of PropertySheetA (IDOK when the user
    // pressed OK, IDCANCEL, or -1 when it could not be shown).
    virtual INT_PTR DoModal();

    std::string m_caption;
    CWnd* m_pParentWnd;
    UINT m_startPage;

private:
    std::vector<CPropertyPage*> m_pages;
};
