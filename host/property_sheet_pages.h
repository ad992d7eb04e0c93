// CPropertySheetPages: the page handles that property-sheet handlers add for
// one sheet, up to a limit.  Pages that never reach a sheet are destroyed
// with the collection; after HandOver the sheet owns them.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <vector>

class CPropertySheetPages {
public:
    explicit CPropertySheetPages(size_t limit = MAXPROPPAGES);
    ~CPropertySheetPages();
    CPropertySheetPages(const CPropertySheetPages&) = delete;
    CPropertySheetPages& operator=(const CPropertySheetPages&) = delete;

    // Takes `page`; false (and the page stays the caller's) when the
    // collection is full.
    bool Add(HPROPSHEETPAGE page);

    // The callback handed to IShellPropSheetExt::AddPages, with the
    // collection as its LPARAM.
    static BOOL CALLBACK AddPageCallback(HPROPSHEETPAGE page, LPARAM collection);

    size_t Count() const { return m_pages.size(); }

    // Destroys the pages from index `count` on (the pages of a handler that
    // failed after adding them); the first `count` stay.
    void DestroyFrom(size_t count);

    HPROPSHEETPAGE* Data() { return m_pages.data(); }

    // The pages now belong to a property sheet (PropertySheet destroys the
    // pages it was given); the collection forgets them.
    void HandOver() { m_handedOver = true; }

private:
    const size_t m_limit;
    std::vector<HPROPSHEETPAGE> m_pages;
    bool m_handedOver = false;
};
