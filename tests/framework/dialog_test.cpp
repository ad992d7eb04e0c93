// Modal dialogs from templates, driven from a second thread as a user would.
#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <thread>

#include "framework.h"
#include "framework_test_ids.h"
#include "test_app.h"
#include "test_support.h"

using testsupport::ItemText;
using testsupport::PressButton;
using testsupport::WaitForDialog;

namespace {

const char kCaption[] = "Framework test dialog";

class CTestDialog : public CDialog {
public:
    CTestDialog() : CDialog(IDD_TEST_DIALOG) {}

    std::string m_name = "initial";
    int m_number = 7;
    int m_enabled = 0;
    int m_initCount = 0;
    int m_ticks = 0;
    int m_endAfterTicks = 0;  // 0: no timer
    int m_throwOnCommand = 0; // 1: a CException, 2: anything else

    static constexpr UINT kThrowCommand = 0x7F00;

protected:
    BOOL OnInitDialog() override
    {
        ++m_initCount;
        if (m_endAfterTicks)
            SetTimer(1, 10);
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, IDC_TEST_NAME, m_name);
        DDX_Text(dx, IDC_TEST_NUMBER, m_number);
        DDX_Check(dx, IDC_TEST_ENABLED, m_enabled);
    }
    bool OnTimer(UINT_PTR id) override
    {
        if (id != 1)
            return false;
        if (++m_ticks == m_endAfterTicks) {
            KillTimer(1);
            EndDialog(42);
        }
        return true;
    }
    bool OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id != kThrowCommand)
            return CDialog::OnCommand(id, code, control);
        if (m_throwOnCommand == 1)
            throw new CException();
        throw std::runtime_error("not a framework exception");
    }
};

// Runs `drive` on a second thread while the dialog runs modally here.
template <class Drive>
INT_PTR RunDriven(CDialog& dialog, Drive drive)
{
    auto driver = std::async(std::launch::async, drive);
    const INT_PTR result = dialog.DoModal();
    driver.get();
    return result;
}

HWND DialogOrClose(const char* caption)
{
    HWND hwnd = WaitForDialog(caption);
    EXPECT_NE(nullptr, hwnd) << "dialog did not appear";
    return hwnd;
}

} // namespace

TEST(Dialog, ExchangesDataAndKeepsItOnOK)
{
    CTestDialog dialog;
    std::string shownName, shownNumber;
    const INT_PTR result = RunDriven(dialog, [&] {
        HWND hwnd = DialogOrClose(kCaption);
        if (!hwnd)
            return;
        shownName = ItemText(hwnd, IDC_TEST_NAME);
        shownNumber = ItemText(hwnd, IDC_TEST_NUMBER);
        SetDlgItemTextA(hwnd, IDC_TEST_NAME, "changed");
        SetDlgItemTextA(hwnd, IDC_TEST_NUMBER, "-15");
        SendDlgItemMessageA(hwnd, IDC_TEST_ENABLED, BM_SETCHECK, BST_CHECKED, 0);
        PressButton(hwnd, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(1, dialog.m_initCount);
    EXPECT_EQ("initial", shownName);
    EXPECT_EQ("7", shownNumber);
    EXPECT_EQ("changed", dialog.m_name);
    EXPECT_EQ(-15, dialog.m_number);
    EXPECT_EQ(1, dialog.m_enabled);
    EXPECT_EQ(nullptr, dialog.m_hWnd) << "the object stays bound after the window is gone";
}

TEST(Dialog, InvalidNumberKeepsTheDialogOpen)
{
    CTestDialog dialog;
    bool stillOpen = false;
    const INT_PTR result = RunDriven(dialog, [&] {
        HWND hwnd = DialogOrClose(kCaption);
        if (!hwnd)
            return;
        SetDlgItemTextA(hwnd, IDC_TEST_NUMBER, "12abc");
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        stillOpen = IsWindow(hwnd) && IsWindowVisible(hwnd);
        SetDlgItemTextA(hwnd, IDC_TEST_NUMBER, "12");
        PressButton(hwnd, IDOK);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(12, dialog.m_number);
}

TEST(Dialog, CancelAndCloseLeaveMembersUnchanged)
{
    for (UINT how : { UINT(IDCANCEL), UINT(WM_CLOSE) }) {
        CTestDialog dialog;
        const INT_PTR result = RunDriven(dialog, [&] {
            HWND hwnd = DialogOrClose(kCaption);
            if (!hwnd)
                return;
            SetDlgItemTextA(hwnd, IDC_TEST_NAME, "discarded");
            if (how == WM_CLOSE)
                PostMessageA(hwnd, WM_CLOSE, 0, 0);
            else
                PressButton(hwnd, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, result) << (how == WM_CLOSE ? "close" : "cancel");
        EXPECT_EQ("initial", dialog.m_name);
    }
}

TEST(Dialog, TimerTicksUntilTheDialogEndsItself)
{
    CTestDialog dialog;
    dialog.m_endAfterTicks = 3;
    EXPECT_EQ(42, dialog.DoModal());
    EXPECT_EQ(3, dialog.m_ticks);
}

TEST(Dialog, ExceptionsInHandlersStopAtTheBoundary)
{
    for (int kind : { 1, 2 }) {
        theTestApp.m_caught.clear();
        CTestDialog dialog;
        dialog.m_throwOnCommand = kind;
        bool aliveAfterThrow = false;
        const INT_PTR result = RunDriven(dialog, [&] {
            HWND hwnd = DialogOrClose(kCaption);
            if (!hwnd)
                return;
            SendMessageA(hwnd, WM_COMMAND, CTestDialog::kThrowCommand, 0);
            aliveAfterThrow = IsWindow(hwnd) != FALSE;
            PressButton(hwnd, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, result);
        EXPECT_TRUE(aliveAfterThrow);
        ASSERT_EQ(1u, theTestApp.m_caught.size());
        EXPECT_EQ(kind == 1, theTestApp.m_caught[0].frameworkException);
        EXPECT_EQ(UINT(WM_COMMAND), theTestApp.m_caught[0].message);
    }
}

TEST(Dialog, MissingTemplateFails)
{
    CDialog dialog(4242);
    EXPECT_EQ(-1, dialog.DoModal());
}

TEST(Dialog, SubclassedControlRoutesThroughItsObject)
{
    // A control bound with DDX_Control sees its messages first and falls
    // back to the control's own procedure.
    class CCountingStatic : public CStatic {
    public:
        int m_setTextCount = 0;
    protected:
        bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
        {
            if (message == WM_SETTEXT)
                ++m_setTextCount;
            return CStatic::OnWndMsg(message, wParam, lParam, result);
        }
    };
    class CBindingDialog : public CTestDialog {
    public:
        CCountingStatic m_nameEdit;
        std::string m_seen;
    protected:
        BOOL OnInitDialog() override
        {
            const BOOL focus = CTestDialog::OnInitDialog();
            UpdateData(FALSE);  // a second exchange must not bind twice
            m_nameEdit.SetWindowText("through the object");
            m_seen = m_nameEdit.GetWindowText();
            EndDialog(IDOK);
            return focus;
        }
        void DoDataExchange(CDataExchange* dx) override
        {
            DDX_Control(dx, IDC_TEST_NAME, m_nameEdit);
            CTestDialog::DoDataExchange(dx);
        }
    };
    CBindingDialog dialog;
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ("through the object", dialog.m_seen);
    EXPECT_EQ(3, dialog.m_nameEdit.m_setTextCount);  // two exchanges and the direct call
    EXPECT_EQ(nullptr, dialog.m_nameEdit.m_hWnd);
}
