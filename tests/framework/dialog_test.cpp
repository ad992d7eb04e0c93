// Modal dialogs from templates, driven from a second thread as a user would.
#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

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

namespace {

bool IsColourMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// A message whose answer is the dialog procedure's return value, and what
// the dialog below answers.
struct DirectAnswer {
    UINT message;
    LRESULT answer;
};

// Answers those messages from its WindowProc, the colour messages only for
// its label, as a page with a transparent picture does.
class CAnsweringDialog : public CTestDialog {
public:
    CBrushHandle m_brush{ CreateSolidBrush(RGB(1, 2, 3)) };
    std::vector<DirectAnswer> m_answers;

    CAnsweringDialog()
    {
        const LRESULT brush = reinterpret_cast<LRESULT>(m_brush.Get());
        for (UINT colour = WM_CTLCOLORMSGBOX; colour <= WM_CTLCOLORSTATIC; ++colour)
            m_answers.push_back({ colour, brush });
        // None of them 1 (TRUE), which a procedure that handled the message
        // but answered through DWLP_MSGRESULT returns.
        m_answers.push_back({ WM_COMPAREITEM, -1 });
        m_answers.push_back({ WM_VKEYTOITEM, -2 });
        m_answers.push_back({ WM_CHARTOITEM, 5 });
        m_answers.push_back({ WM_QUERYDRAGICON, reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_APPLICATION)) });
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (!IsColourMessage(message) || reinterpret_cast<HWND>(lParam) == GetDlgItem(IDC_TEST_LABEL)) {
            for (const DirectAnswer& entry : m_answers)
                if (entry.message == message)
                    return entry.answer;
        }
        return CTestDialog::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST(DialogProcedure, ReturnsAnswersThatAreItsReturnValue)
{
    CAnsweringDialog dialog;
    struct Seen {
        LRESULT answer;
        LONG_PTR msgResult;
    };
    std::vector<Seen> seen;
    LRESULT otherControl = 0;
    RunDriven(dialog, [&] {
        HWND hwnd = DialogOrClose(kCaption);
        if (!hwnd)
            return;
        HDC dc = GetDC(hwnd);
        HWND label = GetDlgItem(hwnd, IDC_TEST_LABEL);
        COMPAREITEMSTRUCT compare = { ODT_LISTBOX, IDC_TEST_LABEL, label };
        for (const DirectAnswer& entry : dialog.m_answers) {
            WPARAM wParam = reinterpret_cast<WPARAM>(dc);
            LPARAM lParam = reinterpret_cast<LPARAM>(label);
            if (entry.message == WM_COMPAREITEM) {
                wParam = IDC_TEST_LABEL;
                lParam = reinterpret_cast<LPARAM>(&compare);
            } else if (entry.message == WM_VKEYTOITEM || entry.message == WM_CHARTOITEM) {
                wParam = MAKEWPARAM('A', 0);
            }
            const LRESULT answer = SendMessageA(hwnd, entry.message, wParam, lParam);
            seen.push_back({ answer, GetWindowLongPtrA(hwnd, DWLP_MSGRESULT) });
        }
        // Not answered by the object: the dialog manager colours the control.
        otherControl = SendMessageA(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDC_TEST_NUMBER)));
        ReleaseDC(hwnd, dc);
        PressButton(hwnd, IDCANCEL);
    });
    ASSERT_EQ(dialog.m_answers.size(), seen.size());
    for (size_t i = 0; i < seen.size(); ++i) {
        const DirectAnswer& expected = dialog.m_answers[i];
        EXPECT_EQ(expected.answer, seen[i].answer) << "message 0x" << std::hex << expected.message;
        EXPECT_NE(expected.answer, seen[i].msgResult) << "message 0x" << std::hex << expected.message;
    }
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)), otherControl);
}

TEST(DialogProcedure, InitDialogAnswerDecidesTheFocus)
{
    // OnInitDialog's FALSE keeps the focus where it put it; TRUE lets the
    // dialog manager give it to the first control.
    class CFocusingDialog : public CTestDialog {
    public:
        BOOL m_answer = TRUE;
        int m_focusAfterInit = 0;  // the control's id

    protected:
        BOOL OnInitDialog() override
        {
            CTestDialog::OnInitDialog();
            ::SetFocus(GetDlgItem(IDC_TEST_NUMBER));
            PostMessage(WM_APP);
            return m_answer;
        }
        bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
        {
            if (message != WM_APP)
                return CTestDialog::OnWndMsg(message, wParam, lParam, result);
            m_focusAfterInit = GetDlgCtrlID(::GetFocus());
            EndDialog(IDOK);
            return true;
        }
    };
    for (BOOL answer : { FALSE, TRUE }) {
        CFocusingDialog dialog;
        dialog.m_answer = answer;
        ASSERT_EQ(IDOK, dialog.DoModal());
        const int expected = answer ? IDC_TEST_NAME : IDC_TEST_NUMBER;
        EXPECT_EQ(expected, dialog.m_focusAfterInit) << "OnInitDialog answered " << answer;
    }
}
