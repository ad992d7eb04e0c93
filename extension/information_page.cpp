#include "information_page.h"

#include "file_version.h"
#include "os_service.h"
#include "resource_ids.h"

namespace {

constexpr int kFirstCopyrightYear = 2000;

} // namespace

const char* DisplayDriverFile(int osClass)
{
    switch (osClass) {
    case kOSWinNT4:
    case kOSWin2000:
        return "vqxdisp.dll";
    case kOSWinXP:
    case kOSWinXPServicePack:
        return "vqxdispb.dll";
    default:
        return "vqxdd32.dll";
    }
}

CInfoPage::CInfoPage(const std::string& deviceName) : CExtensionPage(IDD_INFO_PAGE, deviceName) {}

void CInfoPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_INFO_ANIMATION, m_animation);
    DDX_Control(dx, IDC_PICTURE, m_picture);
    DDX_Text(dx, IDC_INFO_TITLE, m_title);
    DDX_Text(dx, IDC_INFO_ADAPTER_KIND, m_adapterKind);
    DDX_Text(dx, IDC_INFO_PANEL_SIZE, m_panelSize);
    DDX_Text(dx, IDC_INFO_ADAPTER_VERSION, m_adapterVersion);
    DDX_Text(dx, IDC_INFO_DRIVER_VERSION, m_driverVersion);
    DDX_Text(dx, IDC_INFO_TRAY_VERSION, m_trayVersion);
}

BOOL CInfoPage::OnInitDialog()
{
    // Empties the texts and raises `pagesOpen`.
    CExtensionPage::OnInitDialog();
    m_picture.SetTransparentDrawing(true);
    m_title = AfxLoadString(IDS_INFO_TITLE);
    FillAdapterTexts();
    FillFileVersions();
    UpdateData(FALSE);
    FillCopyrightFooter(*this, kFirstCopyrightYear);
    return TRUE;
}

void CInfoPage::FillAdapterTexts()
{
    const AdapterRecord& adapter = *m_pCurrentAdapter;
    m_adapterKind = AfxLoadString(IDS_ADAPTER_KIND_BASE + adapter.adapterKind);
    // As "%d x %d" would print it.
    m_panelSize = std::to_string(adapter.panelWidth) + " x " + std::to_string(adapter.panelHeight);
    // The driver reports three numbers, or four when the fourth is not 0.
    m_adapterVersion = adapter.version4 == 0
        ? AfxFormatString(IDS_FMT_ADAPTER_VERSION3, adapter.version1, adapter.version2, adapter.version3)
        : AfxFormatString(IDS_FMT_ADAPTER_VERSION4, adapter.version1, adapter.version2, adapter.version3,
                          adapter.version4);
}

void CInfoPage::FillFileVersions()
{
    m_driverVersion = FormatFileVersion(DisplayDriverFile(m_pHeader->osClass), IDS_FMT_DRIVER_VERSION);
    // The tray program is installed beside the extension.
    m_trayVersion = FormatFileVersion(FileBesideModule(AfxGetInstanceHandle(), kTrayProgramFile).c_str(),
                                      IDS_FMT_TRAY_VERSION);
}
