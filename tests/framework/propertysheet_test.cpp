// A property sheet with two pages, driven by messages from a second thread:
// the sheet's notifications reach the page objects in the order Windows
// sends them, and SetModified drives the Apply button.
#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "framework.h"
#include "framework_test_ids.h"
#include "message_recorder.h"
#include "test_app.h"
#include "test_support.h"

using testsupport::MessageRecorder;

namespace {

const char kSheetCaption[] = "Framework test sheet";
const int kApplyButton = 12321;

class CLoggingPage : public CPropertyPage {
public:
    CLoggingPage(UINT templateId, const std::string& name, MessageRecorder& log)
        : CPropertyPage(templateId), m_name(name), m_log(log) {}

    BOOL m_refuseApply = FALSE;

    BOOL OnSetActive() override { m_log.Add(m_name + ":set"); return CPropertyPage::OnSetActive(); }
    BOOL OnKillActive() override { m_log.Add(m_name + ":kill"); return CPropertyPage::OnKillActive(); }
    BOOL OnApply() override
    {
        m_log.Add(m_name + ":apply");
        return !m_refuseApply;
    }
    void OnReset() override { m_log.Add(m_name + ":reset"); }

protected:
    BOOL OnPageCreate() override { m_log.Add(m_name + ":create"); return TRUE; }
    void OnPageRelease() override { m_log.Add(m_name + ":release"); }
    bool OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == IDC_TEST_NAME && code == EN_CHANGE) {
            SetModified(TRUE);
            return true;
        }
        return CPropertyPage::OnCommand(id, code, control);
    }

protected:
    std::string m_name;
    MessageRecorder& m_log;
};

// A page that fills its edit control from a member, as real pages do, and
// records each change notification of that control before it marks itself
// modified.
class CFilledPage : public CLoggingPage {
public:
    using CLoggingPage::CLoggingPage;

    std::string m_text = "loaded";

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, IDC_TEST_NAME, m_text); }
    bool OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == IDC_TEST_NAME && code == EN_CHANGE)
            m_log.Add(m_name + ":changed");
        return CLoggingPage::OnCommand(id, code, control);
    }
};

// A page whose object lives as long as page handles made from it.
class CHandleOwnedPage : public CPropertyPage {
public:
    explicit CHandleOwnedPage(MessageRecorder& log) : CPropertyPage(IDD_TEST_PAGE_ONE), m_log(log) {}
    ~CHandleOwnedPage() override { m_log.Add("deleted"); }

protected:
    void OnPageAddRef() override { ++m_handles; }
    void OnPageRelease() override
    {
        if (--m_handles == 0)
            delete this;
    }

private:
    MessageRecorder& m_log;
    int m_handles = 0;
};

struct SheetFixture {
    MessageRecorder log;
    CLoggingPage one{ IDD_TEST_PAGE_ONE, "1", log };
    CLoggingPage two{ IDD_TEST_PAGE_TWO, "2", log };
    CPropertySheet sheet{ kSheetCaption };
    SheetFixture()
    {
        sheet.AddPage(&one);
        sheet.AddPage(&two);
    }
};

bool ApplyEnabled(HWND sheet)
{
    return IsWindowEnabled(GetDlgItem(sheet, kApplyButton)) != FALSE;
}

HWND CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// Presses a button that ends the sheet.  Posted, not sent: the sheet's modal
// loop notices its end only after dispatching a message, and a button
// pressed by a sent message from another thread leaves it waiting.
void EndSheet(HWND sheet, int button)
{
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
}

} // namespace

TEST(PropertySheetPages, NotificationsReachThePageObjectsInOrder)
{
    SheetFixture f;
    bool applyAtStart = true, applyAfterEdit = false, applyAfterApply = true;
    auto driver = std::async(std::launch::async, [&] {
        HWND sheet = testsupport::WaitForDialog(kSheetCaption);
        if (!sheet)
            return;
        applyAtStart = ApplyEnabled(sheet);
        SetDlgItemTextA(CurrentPage(sheet), IDC_TEST_NAME, "edited");  // EN_CHANGE
        applyAfterEdit = ApplyEnabled(sheet);
        f.log.Add("--select two");
        SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
        f.log.Add("--apply");
        SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
        applyAfterApply = ApplyEnabled(sheet);
        f.log.Add("--ok");
        EndSheet(sheet, PSBTN_OK);
    });
    const INT_PTR result = f.sheet.DoModal();
    driver.get();

    EXPECT_GT(result, 0);
    EXPECT_FALSE(applyAtStart);
    EXPECT_TRUE(applyAfterEdit);
    EXPECT_FALSE(applyAfterApply);
    const std::vector<std::string> expected = {
        "1:create", "1:set",
        "--select two", "1:kill", "2:create", "2:set",
        "--apply", "2:kill", "1:apply", "2:apply", "2:set",  // Apply Now re-activates the page
        "--ok", "2:kill", "1:apply", "2:apply",
        "1:release", "2:release",
    };
    EXPECT_EQ(expected, f.log.Take());
}

TEST(PropertySheetPages, CancelResetsAndAppliesNothing)
{
    SheetFixture f;
    auto driver = std::async(std::launch::async, [&] {
        HWND sheet = testsupport::WaitForDialog(kSheetCaption);
        if (sheet)
            EndSheet(sheet, PSBTN_CANCEL);
    });
    EXPECT_EQ(0, f.sheet.DoModal());
    driver.get();
    const std::vector<std::string> expected = { "1:create", "1:set", "1:reset", "1:release", "2:release" };
    EXPECT_EQ(expected, f.log.Take());
}

TEST(PropertySheetPages, RefusedApplyKeepsTheSheetOpen)
{
    SheetFixture f;
    f.one.m_refuseApply = TRUE;
    bool openAfterRefusal = false;
    auto driver = std::async(std::launch::async, [&] {
        HWND sheet = testsupport::WaitForDialog(kSheetCaption);
        if (!sheet)
            return;
        SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        testsupport::PumpMessages(50);
        openAfterRefusal = IsWindow(sheet) && IsWindowVisible(sheet);
        f.one.m_refuseApply = FALSE;
        EndSheet(sheet, PSBTN_OK);
    });
    EXPECT_GT(f.sheet.DoModal(), 0);
    driver.get();
    EXPECT_TRUE(openAfterRefusal);
}

TEST(PropertySheetPages, PageDescriptionCarriesTheObject)
{
    MessageRecorder log;
    CLoggingPage page(IDD_TEST_PAGE_ONE, "p", log);
    EXPECT_EQ(reinterpret_cast<LPARAM>(&page), page.m_psp.lParam);
    EXPECT_EQ(AfxGetResourceHandle(), page.m_psp.hInstance);
    EXPECT_EQ(MAKEINTRESOURCEA(IDD_TEST_PAGE_ONE), page.m_psp.pszTemplate);
    EXPECT_TRUE(page.m_psp.dwFlags & PSP_USECALLBACK);

    // A caller may adjust the description and create the page itself.
    HPROPSHEETPAGE handle = CreatePropertySheetPageA(&page.m_psp);
    ASSERT_NE(nullptr, handle);
    EXPECT_TRUE(DestroyPropertySheetPage(handle));
    EXPECT_EQ(std::vector<std::string>{ "p:release" }, log.Take());
}

TEST(PropertySheetPages, FillingControlsDoesNotEnableApply)
{
    MessageRecorder log;
    CFilledPage one{ IDD_TEST_PAGE_ONE, "1", log };
    CLoggingPage two{ IDD_TEST_PAGE_TWO, "2", log };
    CPropertySheet sheet{ kSheetCaption };
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    bool applyAfterInit = true, applyAfterReload = true, applyAfterTyping = false;
    std::vector<std::string> seen;
    auto driver = std::async(std::launch::async, [&] {
        HWND hwnd = testsupport::WaitForDialog(kSheetCaption);
        if (!hwnd)
            return;
        applyAfterInit = ApplyEnabled(hwnd);
        log.Add("--leave and return");
        SendMessageA(hwnd, PSM_SETCURSEL, 1, 0);
        SendMessageA(hwnd, PSM_SETCURSEL, 0, 0);
        applyAfterReload = ApplyEnabled(hwnd);
        log.Add("--type");
        SendMessageA(GetDlgItem(CurrentPage(hwnd), IDC_TEST_NAME), WM_CHAR, 'x', 1);
        applyAfterTyping = ApplyEnabled(hwnd);
        seen = log.Take();
        EndSheet(hwnd, PSBTN_CANCEL);
    });
    sheet.DoModal();
    driver.get();

    // The edit control reports the page's own filling as changes, at
    // WM_INITDIALOG and at the reload of OnSetActive; only the user's
    // typing may enable Apply.
    const std::vector<std::string> expected = {
        "1:create", "1:changed", "1:set",
        "--leave and return", "1:kill", "2:create", "2:set", "2:kill", "1:set", "1:changed",
        "--type", "1:changed",
    };
    EXPECT_EQ(expected, seen);
    EXPECT_FALSE(applyAfterInit);
    EXPECT_FALSE(applyAfterReload);
    EXPECT_TRUE(applyAfterTyping);
}

TEST(PropertySheetPages, PageObjectCanLiveAsLongAsItsHandles)
{
    MessageRecorder log;
    CHandleOwnedPage* page = new CHandleOwnedPage(log);
    HPROPSHEETPAGE first = CreatePropertySheetPageA(&page->m_psp);
    HPROPSHEETPAGE second = CreatePropertySheetPageA(&page->m_psp);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_TRUE(DestroyPropertySheetPage(first));
    EXPECT_TRUE(log.Take().empty()) << "deleted while a handle remains";
    EXPECT_TRUE(DestroyPropertySheetPage(second));
    EXPECT_EQ(std::vector<std::string>{ "deleted" }, log.Take());
}
