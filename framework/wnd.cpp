#include "wnd.h"

#include "exception.h"
#include "text.h"
#include "winapp.h"

namespace {

// The property that binds a window to its object.
const char kObjectProperty[] = "VQXFramework.CWnd";

// The object whose window CreateEx is creating on this thread; bound at the
// window's first message, before WM_NCCREATE and WM_CREATE.
thread_local CWnd* t_creating = nullptr;

} // namespace

CWnd::~CWnd()
{
    if (!m_hWnd)
        return;
    if (m_createdHere)
        ::DestroyWindow(m_hWnd);
    else if (m_originalProc)
        UnsubclassWindow();
    else
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

void CWnd::Bind(HWND hwnd)
{
    m_hWnd = hwnd;
    SetPropA(hwnd, kObjectProperty, this);
}

void CWnd::Unbind()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

bool CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return false;
    Bind(hwnd);
    return true;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    Unbind();
    return hwnd;
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!Attach(hwnd))
        return false;
    m_originalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StandardWndProc)));
    return true;
}

bool CWnd::SubclassDlgItem(int id, CWnd* parent)
{
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

HWND CWnd::UnsubclassWindow()
{
    if (m_originalProc && m_hWnd)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_originalProc));
    m_originalProc = nullptr;
    return Detach();
}

bool CWnd::RegisterWindowClass(const char* className, UINT style, HICON icon, HCURSOR cursor, HBRUSH background)
{
    WNDCLASSA existing;
    if (GetClassInfoA(AfxGetInstanceHandle(), className, &existing))
        return existing.lpfnWndProc == &CWnd::StandardWndProc;
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = &CWnd::StandardWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menu, void* param)
{
    if (m_hWnd)
        return false;
    CWnd* const outer = t_creating;
    t_creating = this;
    HWND hwnd = CreateWindowExA(exStyle, className, title, style, x, y, width, height,
                                parent, menu, AfxGetInstanceHandle(), param);
    t_creating = outer;
    if (!hwnd)
        return false;
    m_createdHere = true;
    return true;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_originalProc)
        return CallWindowProcA(m_originalProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

std::string CWnd::GetWindowText() const
{
    return AfxGetWindowText(m_hWnd);
}

std::string CWnd::GetDlgItemText(int id) const
{
    return AfxGetWindowText(GetDlgItem(id));
}

int CWnd::MessageBox(const std::string& text, const char* caption, UINT type) const
{
    return ::MessageBoxA(m_hWnd, text.c_str(), caption ? caption : AfxGetAppName(), type);
}

LRESULT CALLBACK CWnd::StandardWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd && t_creating) {
        wnd = t_creating;
        t_creating = nullptr;
        wnd->Bind(hwnd);
    }
    if (!wnd)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);

    const MSG msg = { hwnd, message, wParam, lParam, 0, {} };
    if (message == WM_NCDESTROY) {
        const LRESULT result = AfxCallGuarded(msg, LRESULT(0), [&] { return wnd->WindowProc(message, wParam, lParam); });
        AfxCallGuarded(msg, 0, [&] { wnd->HandleNcDestroy(); return 0; });
        return result;
    }
    return AfxCallGuarded(msg, LRESULT(message == WM_CREATE ? -1 : 0),
                          [&] { return wnd->WindowProc(message, wParam, lParam); });
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_CREATE:
        result = OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
        if (result == -1)
            return true;
        return false;
    case WM_COMMAND:
        result = 0;
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam), result);
    case WM_TIMER:
        result = 0;
        return OnTimer(wParam);
    case WM_HSCROLL:
        result = 0;
        return OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT:
        result = 0;
        return OnPaint();
    case WM_DESTROY:
        OnDestroy();
        return false;
    }
    return false;
}

int CWnd::OnCreate(CREATESTRUCTA*) { return 0; }
bool CWnd::OnCommand(UINT, UINT, HWND) { return false; }
bool CWnd::OnNotify(NMHDR*, LRESULT&) { return false; }
bool CWnd::OnTimer(UINT_PTR) { return false; }
bool CWnd::OnHScroll(UINT, UINT, HWND) { return false; }
bool CWnd::OnPaint() { return false; }
void CWnd::OnDestroy() {}
void CWnd::PostNcDestroy() {}

void CWnd::HandleNcDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        // The main window's end is the program's end.
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    if (m_originalProc)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_originalProc));
    m_originalProc = nullptr;
    m_createdHere = false;
    Unbind();
    PostNcDestroy();
}
