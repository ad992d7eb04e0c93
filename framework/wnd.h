// CWnd: a C++ object bound to a window.
//
// Message dispatch (the one mechanism of this layer):
//   1. The window procedure finds the object bound to the window and calls
//      its virtual WindowProc, inside a guard that stops every exception.
//   2. WindowProc calls OnWndMsg, which cracks the messages below into
//      virtual handlers.  A handler returns true when it handled the message
//      (and sets the result where the message has one); false lets the
//      message go on to default processing (DefWindowProc, the window's
//      original procedure when subclassed, or the dialog manager).
//        WM_CREATE    OnCreate(CREATESTRUCTA*) -> 0 go on, -1 fail creation
//        WM_COMMAND   OnCommand(id, code, control) -> handled
//        WM_NOTIFY    OnNotify(NMHDR*, LRESULT& result) -> handled
//        WM_TIMER     OnTimer(id) -> handled
//        WM_HSCROLL   OnHScroll(code, position, scrollBar) -> handled
//        WM_PAINT     OnPaint() -> handled
//        WM_DESTROY   OnDestroy(), then default processing
//        WM_NCDESTROY the object is unbound, then PostNcDestroy()
//   3. Other messages: override OnWndMsg, handle yours, and call the base
//      for the rest.
// Commands are usually dispatched from OnCommand through a small static
// table per class (see commandmap.h).
#pragma once

#include <windows.h>

#include <string>

#include "object.h"

class CWnd : public CObject {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to `hwnd` by this module's layer, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Binds an existing window to this object without changing its procedure.
    bool Attach(HWND hwnd);
    HWND Detach();
    // Binds an existing window and routes its messages through this object;
    // the window's own procedure does the default processing.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(int id, CWnd* parent);
    HWND UnsubclassWindow();

    // Registers (once) a window class whose procedure is this layer's.
    static bool RegisterWindowClass(const char* className, UINT style = 0, HICON icon = nullptr,
                                    HCURSOR cursor = nullptr, HBRUSH background = nullptr);
    // Creates a window of such a class bound to this object from its very
    // first message on.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                  int x, int y, int width, int height, HWND parent, HMENU menu, void* param = nullptr);
    BOOL DestroyWindow();

    // Default processing of a message.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Thin helpers over the window functions.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::PostMessageA(m_hWnd, message, wParam, lParam); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam); }
    void SetWindowText(const std::string& text) const { ::SetWindowTextA(m_hWnd, text.c_str()); }
    std::string GetWindowText() const;
    void SetDlgItemText(int id, const std::string& text) const { ::SetDlgItemTextA(m_hWnd, id, text.c_str()); }
    std::string GetDlgItemText(int id) const;
    void CheckDlgButton(int id, UINT check) const { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL ShowWindow(int show) const { return ::ShowWindow(m_hWnd, show); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs) const { return ::SetTimer(m_hWnd, id, elapseMs, nullptr); }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    int MessageBox(const std::string& text, const char* caption = nullptr, UINT type = MB_OK) const;

    // The window procedure of every window created or subclassed by this layer.
    static LRESULT CALLBACK StandardWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // See the dispatch description at the top of this file.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    virtual int OnCreate(CREATESTRUCTA* create);
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    virtual bool OnTimer(UINT_PTR id);
    virtual bool OnHScroll(UINT code, UINT position, HWND scrollBar);
    virtual bool OnPaint();
    virtual void OnDestroy();
    // After the window is gone and the object unbound; a self-owning window
    // object deletes itself here.
    virtual void PostNcDestroy();

    // Binds without subclassing; dialogs use this from their procedure.
    void Bind(HWND hwnd);
    void Unbind();
    // Everything WM_NCDESTROY does to the object; returns after PostNcDestroy.
    void HandleNcDestroy();

private:
    WNDPROC m_originalProc = nullptr;  // set while subclassed
    bool m_createdHere = false;        // made by CreateEx: destroyed with the object
};
