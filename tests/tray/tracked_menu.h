// The popup menu another process tracks, as the menu probe (menu_probe.h)
// read it inside that process:
//
//   TrackedMenu menu = OpenPopup(trayWindow, [&] { PostIconMessage(WM_RBUTTONUP); });
//   ASSERT_TRUE(menu.Opened()) << menu;
//   EXPECT_EQ(menu.Label(ID_TRAY_ROTATE_90), testsupport::ResourceString(IDS_TRAY_ROTATE_90));
//
//   MenuItem     one item as read, with the items of its submenu
//   TrackedMenu  the items of the top popup and where it was shown, with queries
//   MenuProbe    the probe installed on a window's thread for a scope
//   OpenPopup    installs the probe, opens the menu, waits for the probe's
//                reports and for the menu to close, removes the probe
#pragma once

#include <windows.h>

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "handles.h"

struct MenuItem {
    UINT command = 0;
    bool separator = false;
    bool radio = false;    // the check mark is drawn as a radio mark
    bool checked = false;
    bool grayed = false;
    bool isDefault = false;
    bool opensSubmenu = false;
    std::string text;
    std::vector<MenuItem> submenu;
};

// What TopLevelOrder lists for items that have no command of their own.
constexpr UINT kSeparatorEntry = 0xFFFFFFFFu;
constexpr UINT kSubmenuEntry = 0xFFFFFFFEu;

class TrackedMenu {
public:
    // A menu that never opened.
    TrackedMenu() = default;
    // From the probe's reports (menu_probe.h); no shown report: null.
    TrackedMenu(const std::string& itemsReport, const std::string* shownReport);

    // Whether the probe saw the menu open and reported its items.
    bool Opened() const { return m_opened; }
    // The top popup's items, in order.
    const std::vector<MenuItem>& Items() const { return m_items; }
    int ItemCount() const { return static_cast<int>(m_items.size()); }
    // The top popup's items by command; separators and submenus as
    // kSeparatorEntry and kSubmenuEntry.
    std::vector<UINT> TopLevelOrder() const;

    // The item with `command` in the popup or any of its submenus; null when
    // there is none.
    const MenuItem* Find(UINT command) const;
    bool Has(UINT command) const { return Find(command) != nullptr; }
    // Position of `command` among the top popup's items; -1 when it is not
    // one of them.
    int IndexOf(UINT command) const;
    // Text of the item with `command`; "" when there is none.
    std::string Label(UINT command) const;
    // The commands of every checked item, wherever it is.
    std::vector<UINT> CheckedCommands() const;

    // The "Display Devices" submenu: the top-level item whose submenu holds
    // the LCD panel's choice; null when it is not there.
    const MenuItem* DeviceSubmenu() const;
    bool HasDeviceSubmenu() const { return DeviceSubmenu() != nullptr; }
    // The device submenu's items by command (separators as kSeparatorEntry);
    // empty without the submenu.
    std::vector<UINT> DeviceSubmenuOrder() const;

    // Whether the popup window was seen on the screen, and where.
    bool Shown() const { return m_shown; }
    RECT ShownRect() const { return m_shownRect; }

private:
    bool m_opened = false;
    std::vector<MenuItem> m_items;
    bool m_shown = false;
    RECT m_shownRect = {};
};

// The menu as indented lines, for failure messages.
std::ostream& operator<<(std::ostream& out, const TrackedMenu& menu);

struct HookTraits {
    using Handle = HHOOK;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { UnhookWindowsHookEx(h); }
};
struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() { return nullptr; }
    static void Free(Handle h) { DestroyWindow(h); }
};

// The probe on the thread of `owner` (a window of another process) and the
// receiver of its reports, for the object's life.  The hook is removed by
// the destructor: under Wine it would outlive even the test's process.
class MenuProbe {
public:
    explicit MenuProbe(HWND owner);
    ~MenuProbe() = default;
    MenuProbe(const MenuProbe&) = delete;
    MenuProbe& operator=(const MenuProbe&) = delete;

    bool Installed() const { return static_cast<bool>(m_hook); }
    // The reports arrive while this thread pumps messages.
    bool ItemsReported() const { return m_items.has_value(); }
    bool ShownReported() const { return m_shown.has_value(); }
    // The menu as reported so far.
    TrackedMenu Menu() const;

private:
    static LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Receive(const COPYDATASTRUCT& data);

    // Released in reverse order: hook, receiver, library.
    CModule m_library;
    CUniqueHandle<WindowTraits> m_receiver;
    CUniqueHandle<HookTraits> m_hook;
    std::optional<std::string> m_items;
    std::optional<std::string> m_shown;
};

// Installs the probe on the thread of `owner`, calls `open` (which makes
// that thread track its popup), waits for the probe to read the menu and end
// it, and for the popup window to go; a menu that is not Opened() when none
// came within `timeoutMs`.
TrackedMenu OpenPopup(HWND owner, const std::function<void()>& open, DWORD timeoutMs = 10000);
