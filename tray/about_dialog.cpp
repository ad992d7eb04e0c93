#include "about_dialog.h"

#include "file_version.h"
#include "resource_ids.h"

namespace tray {

namespace {

// The program whose version the box shows, found as the system finds
// libraries: the tray program's own folder first.
constexpr char kTrayProgramFile[] = "VQXTray.EXE";
constexpr int kFirstCopyrightYear = 2000;
constexpr int kLastCopyrightYear = 2003;

} // namespace

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUT) {}

void CAboutDialog::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_PICTURE, m_picture);
    DDX_Text(dx, IDC_ABOUT_VERSION, m_version);
    DDX_Text(dx, IDC_COPYRIGHT_YEARS, m_years);
    DDX_Text(dx, IDC_COPYRIGHT_NOTICE, m_notice);
}

BOOL CAboutDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_picture.SetTransparentDrawing(true);
    FileVersion version;
    if (ReadFileVersion(kTrayProgramFile, version))
        SetDlgItemText(IDC_ABOUT_VERSION, AfxFormatString(IDS_FMT_TRAY_VERSION, version.parts[0], version.parts[1],
                                                          version.parts[2], version.parts[3]));
    SetDlgItemText(IDC_COPYRIGHT_YEARS, AfxFormatString(IDS_FMT_COPYRIGHT_YEARS, kFirstCopyrightYear,
                                                        kLastCopyrightYear));
    SetDlgItemText(IDC_COPYRIGHT_NOTICE, AfxLoadString(IDS_COPYRIGHT_NOTICE));
    return TRUE;
}

} // namespace tray
