#include "tracked_menu.h"

#include <cstdlib>
#include <ostream>
#include <sstream>

#include "menu_probe.h"
#include "message_pump.h"
#include "resource_ids.h"

namespace {

// One line of the items report: depth, command, flags, text.
struct ReportLine {
    int depth;
    MenuItem item;
};

bool HasFlag(const std::string& flags, char flag)
{
    return flags.find(flag) != std::string::npos;
}

bool ParseLine(const std::string& line, ReportLine& parsed)
{
    const size_t first = line.find('\t');
    const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
    const size_t third = second == std::string::npos ? second : line.find('\t', second + 1);
    if (third == std::string::npos)
        return false;
    const std::string flags = line.substr(second + 1, third - second - 1);
    parsed.depth = std::atoi(line.substr(0, first).c_str());
    MenuItem& item = parsed.item;
    item.command = static_cast<UINT>(std::strtoul(line.substr(first + 1, second - first - 1).c_str(), nullptr, 10));
    item.separator = HasFlag(flags, kProbeFlagSeparator);
    item.radio = HasFlag(flags, kProbeFlagRadio);
    item.checked = HasFlag(flags, kProbeFlagChecked);
    item.grayed = HasFlag(flags, kProbeFlagGrayed);
    item.isDefault = HasFlag(flags, kProbeFlagDefault);
    item.opensSubmenu = HasFlag(flags, kProbeFlagSubmenu);
    item.text = line.substr(third + 1);
    return true;
}

std::vector<MenuItem> ParseItems(const std::string& report)
{
    std::vector<MenuItem> top;
    std::istringstream lines(report);
    std::string line;
    ReportLine parsed;
    while (std::getline(lines, line)) {
        if (!ParseLine(line, parsed))
            continue;
        // An item one level deeper belongs to the last item of the level above.
        std::vector<MenuItem>* level = &top;
        for (int d = 0; d < parsed.depth && !level->empty(); ++d)
            level = &level->back().submenu;
        level->push_back(parsed.item);
    }
    return top;
}

bool ParseRect(const std::string& text, RECT& rect)
{
    std::istringstream numbers(text);
    return static_cast<bool>(numbers >> rect.left >> rect.top >> rect.right >> rect.bottom);
}

const MenuItem* FindIn(const std::vector<MenuItem>& items, UINT command)
{
    for (const MenuItem& item : items) {
        if (item.opensSubmenu) {
            if (const MenuItem* found = FindIn(item.submenu, command))
                return found;
        } else if (!item.separator && item.command == command) {
            return &item;
        }
    }
    return nullptr;
}

void CollectChecked(const std::vector<MenuItem>& items, std::vector<UINT>& checked)
{
    for (const MenuItem& item : items) {
        if (item.checked)
            checked.push_back(item.command);
        CollectChecked(item.submenu, checked);
    }
}

std::vector<UINT> OrderOf(const std::vector<MenuItem>& items)
{
    std::vector<UINT> order;
    for (const MenuItem& item : items)
        order.push_back(item.separator ? kSeparatorEntry : item.opensSubmenu ? kSubmenuEntry : item.command);
    return order;
}

void Print(std::ostream& out, const std::vector<MenuItem>& items, int depth)
{
    for (const MenuItem& item : items) {
        out << std::string(2 * depth + 2, ' ');
        if (item.separator)
            out << "----";
        else
            out << item.command << " \"" << item.text << "\"";
        if (item.radio)
            out << " radio";
        if (item.checked)
            out << " checked";
        if (item.grayed)
            out << " grayed";
        if (item.isDefault)
            out << " default";
        out << "\n";
        Print(out, item.submenu, depth + 1);
    }
}

void RegisterReceiverClass(WNDPROC procedure)
{
    WNDCLASSA receiver = {};
    receiver.lpfnWndProc = procedure;
    receiver.hInstance = GetModuleHandleA(nullptr);
    receiver.lpszClassName = kProbeReceiverClass;
    RegisterClassA(&receiver);  // a second probe of the process finds it registered
}

} // namespace

TrackedMenu::TrackedMenu(const std::string& itemsReport, const std::string* shownReport)
    : m_opened(true), m_items(ParseItems(itemsReport))
{
    m_shown = shownReport && ParseRect(*shownReport, m_shownRect);
}

std::vector<UINT> TrackedMenu::TopLevelOrder() const
{
    return OrderOf(m_items);
}

const MenuItem* TrackedMenu::Find(UINT command) const
{
    return FindIn(m_items, command);
}

int TrackedMenu::IndexOf(UINT command) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (!m_items[i].separator && !m_items[i].opensSubmenu && m_items[i].command == command)
            return static_cast<int>(i);
    return -1;
}

std::string TrackedMenu::Label(UINT command) const
{
    const MenuItem* item = Find(command);
    return item ? item->text : std::string();
}

std::vector<UINT> TrackedMenu::CheckedCommands() const
{
    std::vector<UINT> checked;
    CollectChecked(m_items, checked);
    return checked;
}

const MenuItem* TrackedMenu::DeviceSubmenu() const
{
    for (const MenuItem& item : m_items)
        if (item.opensSubmenu && FindIn(item.submenu, ID_TRAY_DEVICES_LCD))
            return &item;
    return nullptr;
}

std::vector<UINT> TrackedMenu::DeviceSubmenuOrder() const
{
    const MenuItem* devices = DeviceSubmenu();
    return devices ? OrderOf(devices->submenu) : std::vector<UINT>();
}

std::ostream& operator<<(std::ostream& out, const TrackedMenu& menu)
{
    if (!menu.Opened())
        return out << "(no menu was tracked)\n";
    out << "tracked menu:\n";
    Print(out, menu.Items(), 0);
    return out;
}

MenuProbe::MenuProbe(HWND owner) : m_library(LoadLibraryA(kProbeDllName))
{
    const auto hook = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(m_library ? GetProcAddress(m_library, kProbeHookName) : nullptr));
    const DWORD thread = GetWindowThreadProcessId(owner, nullptr);
    if (!hook || !thread)
        return;
    RegisterReceiverClass(ReceiverProc);
    m_receiver.Reset(CreateWindowExA(0, kProbeReceiverClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
    if (!m_receiver)
        return;
    SetWindowLongPtrA(m_receiver, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_hook.Reset(SetWindowsHookExA(WH_CALLWNDPROC, hook, m_library, thread));
}

TrackedMenu MenuProbe::Menu() const
{
    return m_items ? TrackedMenu(*m_items, m_shown ? &*m_shown : nullptr) : TrackedMenu();
}

void MenuProbe::Receive(const COPYDATASTRUCT& data)
{
    std::string text(static_cast<const char*>(data.lpData), data.cbData);
    if (data.dwData == kProbeItemsReport)
        m_items = std::move(text);
    else if (data.dwData == kProbeShownReport)
        m_shown = std::move(text);
}

LRESULT CALLBACK MenuProbe::ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* probe = reinterpret_cast<MenuProbe*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_COPYDATA || !probe || !lParam)
        return DefWindowProcA(window, message, wParam, lParam);
    try {
        probe->Receive(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

TrackedMenu OpenPopup(HWND owner, const std::function<void()>& open, DWORD timeoutMs)
{
    MenuProbe probe(owner);
    if (!probe.Installed())
        return TrackedMenu();
    open();
    testsupport::WaitUntil([&] { return probe.ShownReported(); }, timeoutMs);
    // The owner is back out of its menu loop before the test asks it for
    // anything else (another popup, a command).
    const DWORD thread = GetWindowThreadProcessId(owner, nullptr);
    testsupport::WaitUntil([&] { return !FindVisiblePopupWindow(thread); }, timeoutMs);
    return probe.Menu();
}
