// CAdditionalProperties: the advanced sheet that the display-devices page
// opens modally.  It holds the adapter-wide settings that are no choice of
// display devices: the configuration page, and the reduce-on page where
// the adapter and the settings allow it.
#pragma once

#include "configuration_page.h"
#include "framework.h"
#include "reduce_on_page.h"

class CAdditionalProperties : public CPropertySheet {
public:
    // Takes the hot-key service for the configuration page; its errors
    // pass to the caller.
    explicit CAdditionalProperties(CWnd* parent);

private:
    // Whether the reduce-on page belongs in the sheet: the adapter's state
    // can be read afresh and the reduce-on switch is on.
    static bool OffersReduceOn();

    CConfigurationPage m_configurationPage;
    CReduceOnPage m_reduceOnPage;
};
