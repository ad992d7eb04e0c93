#include "about_dialog.h"

#include "file_version.h"
#include "os_service.h"
#include "resource_ids.h"

namespace tray {

namespace {

constexpr int kFirstCopyrightYear = 2000;

} // namespace

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUT) {}

void CAboutDialog::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_PICTURE, m_picture);
    DDX_Text(dx, IDC_ABOUT_VERSION, m_version);
}

BOOL CAboutDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_picture.SetTransparentDrawing(true);
    SetDlgItemText(IDC_ABOUT_VERSION, FormatFileVersion(kTrayProgramFile, IDS_FMT_TRAY_VERSION));
    FillCopyrightFooter(*this, kFirstCopyrightYear);
    return TRUE;
}

} // namespace tray
