// CAdditionalProperties: the advanced sheet that the display-devices page
// opens modally.  It holds the adapter-wide settings that are no choice of
// display devices: the reduce-on page where the adapter and the settings
// allow it.
//
// A sheet without pages is not shown: DoModal then returns -1 at once.
#pragma once

#include "framework.h"
#include "reduce_on_page.h"

class CAdditionalProperties : public CPropertySheet {
public:
    explicit CAdditionalProperties(CWnd* parent);

private:
    // Whether the reduce-on page belongs in the sheet: the adapter's state
    // can be read afresh and the reduce-on switch is on.
    static bool OffersReduceOn();

    CReduceOnPage m_reduceOnPage;
};
