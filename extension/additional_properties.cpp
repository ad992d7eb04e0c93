#include "additional_properties.h"

#include "base_exception.h"
#include "extension_app.h"
#include "resource_ids.h"

CAdditionalProperties::CAdditionalProperties(CWnd* parent)
    : CPropertySheet(IDS_ADVANCED_SHEET_CAPTION, parent)
{
    AddPage(&m_configurationPage);
    if (OffersReduceOn())
        AddPage(&m_reduceOnPage);
}

bool CAdditionalProperties::OffersReduceOn()
{
    CHardware* hardware = ExtensionHardware();
    const HardwareHeader* header = hardware->GetHeader(FALSE);
    // A state that cannot be read only costs the sheet this page; the
    // refresh failure is not reported.
    if (!AfxRunQuietly([hardware] { hardware->Refresh(); }))
        return false;
    return header && header->enableReduceOn;
}
