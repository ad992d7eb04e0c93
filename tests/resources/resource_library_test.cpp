// The resource library as its users load it: every id with its kind, the
// controls of every dialog, the placeholders of every format, the pictures,
// the tray menu's structure, and a layout in which nothing overlaps or is
// cut off.
#include "resource_catalogue.h"
#include "resource_ids.h"
#include "tray_device_commands.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

using vqxres::DialogInfo;
using vqxres::kDialogs;

namespace vqxres {
// Names parameterised cases in GoogleTest's messages.
void PrintTo(const DialogInfo& dialog, std::ostream* out)
{
    *out << dialog.name << " (" << dialog.id << ")";
}
}  // namespace vqxres

namespace {

// ---- the library ----------------------------------------------------------

struct LibraryFree {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFree>;

HMODULE Resources()
{
    static Library library(LoadLibraryA("VQXRES.DLL"));
    return library.get();
}

std::string LoadText(int id)
{
    char text[1024] = "";
    LoadStringA(Resources(), id, text, sizeof(text));
    return text;
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> ids;
    for (int id = first; id <= last; ++id)
        ids.push_back(id);
    return ids;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts)
{
    std::vector<int> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Ids by kind, as the deliverables load them.
const std::vector<int> kPlainStrings = Join({
    { 10 }, Range(IDS_ADAPTER_KIND_BASE, IDS_ADAPTER_KIND_BASE + VQX_ADAPTER_KIND_COUNT - 1), { 21 },
    Range(30, 34), Range(40, 42), Range(50, 52), Range(55, 57), { 61 }, Range(71, 75), { 90, 91 },
    Range(100, 104), Range(135, 141), Range(145, 147), Range(160, 169), { 200, 220, 221, 225 },
    Range(230, 232), { 315 } });

const std::vector<int> kErrorMessages = Join({
    { 212, 300, 301 }, Range(305, 308), Range(320, 327), Range(340, 344), { 350, 360 }, Range(362, 365),
    Range(380, 386), { 388, 389 }, Range(391, 393), { 401, 402 }, Range(410, 413), { 437, 454, 470, 471 } });

// ---- printf directives ----------------------------------------------------

// The conversion characters of a printf format, in order ("%%" is text).
std::string Conversions(const std::string& format)
{
    std::string found;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        size_t j = i + 1;
        while (j < format.size() && std::strchr("-+ #0123456789.hlL", format[j]))
            ++j;
        if (j >= format.size())
            return found + '?';
        if (format[j] != '%' || j != i + 1)
            found += format[j];
        i = j;
    }
    return found;
}

bool IsIntegerConversion(char c)
{
    return std::strchr("diuxX", c) != nullptr;
}

TEST(ResourceLibrary, Loads)
{
    ASSERT_NE(Resources(), nullptr) << "VQXRES.DLL beside the test program";
}

TEST(ResourceLibrary, HasTheTrayIconInBothSizes)
{
    HRSRC group = FindResourceA(Resources(), MAKEINTRESOURCEA(IDI_TRAY), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr);
#pragma pack(push, 2)
    struct Entry { BYTE width, height, colours, reserved; WORD planes, bits; DWORD bytes; WORD id; };
    struct Directory { WORD reserved, type, count; Entry entries[1]; };
#pragma pack(pop)
    auto directory = static_cast<const Directory*>(LockResource(LoadResource(Resources(), group)));
    ASSERT_NE(directory, nullptr);
    std::set<int> sizes;
    for (int i = 0; i < directory->count; ++i) {
        sizes.insert(directory->entries[i].width);
        EXPECT_EQ(directory->entries[i].width, directory->entries[i].height);
    }
    EXPECT_EQ(sizes, (std::set<int>{ 16, 32 }));
    HANDLE icon = LoadImageA(Resources(), MAKEINTRESOURCEA(IDI_TRAY), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR);
    EXPECT_NE(icon, nullptr);
    if (icon)
        DestroyIcon(static_cast<HICON>(icon));
}

TEST(ResourceLibrary, HasEveryDialogAndTheMenu)
{
    for (const DialogInfo& dialog : kDialogs)
        EXPECT_NE(FindResourceA(Resources(), MAKEINTRESOURCEA(dialog.id), MAKEINTRESOURCEA(5) /* RT_DIALOG */), nullptr)
            << dialog.name << " (" << dialog.id << ")";
    // The same ids counted independently of the catalogue.
    const std::vector<int> dialogIds = Join({ { 1070, 1071 }, Range(1072, 1081), Range(1084, 1085), Range(1087, 1096) });
    for (int id : dialogIds) {
        EXPECT_NE(FindResourceA(Resources(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)), nullptr) << id;
    }
    EXPECT_NE(FindResourceA(Resources(), MAKEINTRESOURCEA(IDM_TRAY), MAKEINTRESOURCEA(4) /* RT_MENU */), nullptr);
}

TEST(ResourceLibrary, EveryStringIdHasAText)
{
    for (int id : Join({ kPlainStrings, kErrorMessages, { 5, 6, 7, 8, 20, 86, 170, 171, 172 } }))
        EXPECT_FALSE(LoadText(id).empty()) << "string " << id;
}

TEST(ResourceLibrary, AdapterKindNamesDiffer)
{
    std::set<std::string> names;
    for (int kind = 0; kind < VQX_ADAPTER_KIND_COUNT; ++kind)
        names.insert(LoadText(IDS_ADAPTER_KIND_BASE + kind));
    EXPECT_EQ(names.size(), static_cast<size_t>(VQX_ADAPTER_KIND_COUNT));
    EXPECT_EQ(names.count(""), 0u);
}

TEST(ResourceLibrary, FormatsHaveTheirPlaceholders)
{
    struct { int id; const char* conversions; } const formats[] = {
        { IDS_FMT_ADAPTER_VERSION3, "iii" }, { IDS_FMT_ADAPTER_VERSION4, "iiii" },
        { IDS_FMT_TRAY_VERSION, "iiii" }, { IDS_FMT_DRIVER_VERSION, "iiii" },
        { IDS_FMT_COPYRIGHT_YEARS, "ii" }, { IDS_FMT_CONFIRM_COUNTDOWN, "i" },
        { IDS_FMT_ROTATION_2, "ss" }, { IDS_FMT_ROTATION_3, "sss" }, { IDS_FMT_ROTATION_4, "ssss" },
    };
    for (const auto& format : formats) {
        std::string kinds = Conversions(LoadText(format.id));
        for (char& c : kinds)
            c = IsIntegerConversion(c) ? 'i' : c;
        EXPECT_EQ(kinds, format.conversions) << "string " << format.id << ": " << LoadText(format.id);
    }
}

TEST(ResourceLibrary, EveryErrorMessageHasOneIntegerPlaceholder)
{
    for (int id : kErrorMessages) {
        const std::string conversions = Conversions(LoadText(id));
        EXPECT_TRUE(conversions.size() == 1 && IsIntegerConversion(conversions[0]))
            << "string " << id << ": " << LoadText(id);
    }
}

TEST(ResourceLibrary, PlainStringsHaveNoPlaceholder)
{
    for (int id : kPlainStrings)
        EXPECT_EQ(Conversions(LoadText(id)), "") << "string " << id << ": " << LoadText(id);
}

// ---- pictures -------------------------------------------------------------

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
};

Picture LoadPicture(int id)
{
    Picture picture;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(Resources(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return picture;
    DIBSECTION dib = {};
    if (GetObjectA(bitmap, sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBitsPixel == 24) {
        picture.width = dib.dsBm.bmWidth;
        picture.height = dib.dsBm.bmHeight;
        const bool bottomUp = dib.dsBmih.biHeight > 0;
        for (int y = 0; y < picture.height; ++y) {
            const BYTE* row = static_cast<const BYTE*>(dib.dsBm.bmBits) +
                              static_cast<size_t>(bottomUp ? picture.height - 1 - y : y) * dib.dsBm.bmWidthBytes;
            for (int x = 0; x < picture.width; ++x)
                picture.pixels.push_back((row[x * 3 + 2] << 16) | (row[x * 3 + 1] << 8) | row[x * 3]);
        }
    }
    DeleteObject(bitmap);
    return picture;
}

constexpr uint32_t kMagenta = 0xFF00FF;

double PaintedShare(const Picture& picture)
{
    const auto painted = std::count_if(picture.pixels.begin(), picture.pixels.end(), [](uint32_t c) { return c != kMagenta; });
    return picture.pixels.empty() ? 0.0 : static_cast<double>(painted) / picture.pixels.size();
}

TEST(ResourceLibraryPictures, PreviewsAre120SquareOnMagenta)
{
    for (int id = IDB_PREVIEW_FIRST_ID; id <= IDB_PREVIEW_LAST_ID; ++id) {
        const Picture picture = LoadPicture(id);
        ASSERT_EQ(picture.width, IDB_PREVIEW_SIZE) << "bitmap " << id << " (24 bits a pixel)";
        ASSERT_EQ(picture.height, IDB_PREVIEW_SIZE) << "bitmap " << id;
        const int last = IDB_PREVIEW_SIZE - 1;
        for (int corner : { 0, last, last * IDB_PREVIEW_SIZE, last * IDB_PREVIEW_SIZE + last })
            EXPECT_EQ(picture.pixels[corner], kMagenta) << "bitmap " << id << " corner " << corner;
        if (id == IDB_PREVIEW_NONE || id == IDB_PREVIEW_SECOND_NONE)
            EXPECT_EQ(PaintedShare(picture), 0.0) << "bitmap " << id << " is the empty picture";
        else
            EXPECT_GT(PaintedShare(picture), 0.35) << "bitmap " << id << " shows a device";
    }
}

TEST(ResourceLibraryPictures, PreviewTableNamesDistinctPicturesPerArrangement)
{
    // Within one arrangement each device has its own picture; and a rotated
    // device differs from the same device unrotated.
    for (const auto* table : { vqxres::kFirstPreview, vqxres::kSecondPreview }) {
        for (int arrangement = 0; arrangement < 6; ++arrangement) {
            std::set<std::vector<uint32_t>> seen;
            for (int device = 0; device < 5; ++device)
                seen.insert(LoadPicture(table[arrangement][device]).pixels);
            EXPECT_EQ(seen.size(), 5u) << "arrangement " << arrangement;
        }
        for (int device = 1; device < 5; ++device)
            for (int rotated = 1; rotated <= 3; ++rotated)
                EXPECT_NE(LoadPicture(table[0][device]).pixels, LoadPicture(table[rotated][device]).pixels)
                    << "device " << device << " arrangement " << rotated;
    }
}

TEST(ResourceLibraryPictures, TemplatePicturesHaveATransparentBackground)
{
    for (int id : vqxres::kTemplatePictures) {
        const Picture picture = LoadPicture(id);
        ASSERT_GT(picture.width, 0) << "bitmap " << id;
        EXPECT_EQ(picture.pixels.front(), kMagenta) << "bitmap " << id;
        EXPECT_GT(PaintedShare(picture), 0.2) << "bitmap " << id;
    }
}

// ---- menu -----------------------------------------------------------------

struct MenuFree {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using Menu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuFree>;

const int kFixedCommands[] = { 40001, 40002, 40003, 40004 };

bool HasCommand(HMENU menu, int command)
{
    return GetMenuState(menu, command, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

// Deletes the two items that stand sixth and fifth from the end, as the
// tray program does when it may offer no display switch.
void DeleteDeviceItems(HMENU popup)
{
    DeleteMenu(popup, GetMenuItemCount(popup) - 5, MF_BYPOSITION);
    DeleteMenu(popup, GetMenuItemCount(popup) - 5, MF_BYPOSITION);
}

TEST(ResourceLibraryMenu, PopupHoldsEveryCommand)
{
    Menu menu(LoadMenuA(Resources(), MAKEINTRESOURCEA(IDM_TRAY)));
    ASSERT_TRUE(menu);
    HMENU popup = GetSubMenu(menu.get(), 0);
    ASSERT_NE(popup, nullptr);
    for (int command : kFixedCommands)
        EXPECT_TRUE(HasCommand(popup, command)) << command;
    for (const TrayDeviceCommand& choice : kTrayDeviceCommands) {
        EXPECT_TRUE(HasCommand(popup, choice.command)) << choice.command;
        // An item that only shows the state cannot be chosen.
        EXPECT_EQ((GetMenuState(popup, choice.command, MF_BYCOMMAND) & MF_GRAYED) != 0, !choice.choosable)
            << choice.command;
    }
    // Items are inserted from position 1 on: position 0 is a fixed command.
    EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(ID_TRAY_DISPLAY_PROPERTIES));
}

TEST(ResourceLibraryMenu, RadioMarkReachesEveryDeviceChoice)
{
    Menu menu(LoadMenuA(Resources(), MAKEINTRESOURCEA(IDM_TRAY)));
    ASSERT_TRUE(menu);
    HMENU popup = GetSubMenu(menu.get(), 0);
    for (const TrayDeviceCommand& marked : kTrayDeviceCommands) {
        const UINT command = marked.command;
        ASSERT_TRUE(CheckMenuRadioItem(popup, ID_TRAY_DEVICES_FIRST, ID_TRAY_DEVICES_LAST, command, MF_BYCOMMAND)) << command;
        for (const TrayDeviceCommand& other : kTrayDeviceCommands)
            EXPECT_EQ((GetMenuState(popup, other.command, MF_BYCOMMAND) & MF_CHECKED) != 0, other.command == command)
                << "marked " << command << ", looked at " << other.command;
    }
}

TEST(ResourceLibraryMenu, DeletingTheDeviceItemsKeepsTheFixedItems)
{
    for (int inserted : { 0, 3, 9 }) {  // with and without run-time items
        Menu menu(LoadMenuA(Resources(), MAKEINTRESOURCEA(IDM_TRAY)));
        ASSERT_TRUE(menu);
        HMENU popup = GetSubMenu(menu.get(), 0);
        for (int i = 0; i < inserted; ++i)
            InsertMenuA(popup, 1 + i, MF_BYPOSITION | MF_STRING, ID_TRAY_ROTATE_90 + i, "inserted");
        DeleteDeviceItems(popup);
        for (int command : kFixedCommands)
            EXPECT_TRUE(HasCommand(popup, command)) << command << " with " << inserted << " inserted";
        for (const TrayDeviceCommand& choice : kTrayDeviceCommands)
            EXPECT_FALSE(HasCommand(popup, choice.command)) << choice.command << " with " << inserted << " inserted";
        for (int i = 0; i < inserted; ++i)
            EXPECT_TRUE(HasCommand(popup, ID_TRAY_ROTATE_90 + i));
        // No two separators in a row and none at either end.
        const int count = GetMenuItemCount(popup);
        bool previousSeparator = true;
        for (int i = 0; i < count; ++i) {
            const bool separator = (GetMenuState(popup, i, MF_BYPOSITION) & MF_SEPARATOR) != 0;
            EXPECT_FALSE(separator && previousSeparator) << "position " << i << " with " << inserted << " inserted";
            previousSeparator = separator;
        }
        EXPECT_FALSE(previousSeparator);
    }
}

// ---- dialogs --------------------------------------------------------------

enum class Kind { Text, Frame, Picture, Animation, GroupBox, PushButton, CheckBox, RadioButton, DropDownList, ListBox, HotKey, Trackbar };

struct Control {
    int id;
    Kind kind;
};

using Controls = std::vector<Control>;

Controls HotKeyFields(std::initializer_list<int> ids)
{
    Controls controls;
    for (int id : ids)
        controls.push_back({ id, Kind::HotKey });
    return controls;
}

void Append(Controls& to, const Controls& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

// The controls a template must have; `absent` receives ids that its
// variant must not have.
Controls ExpectedControls(const DialogInfo& dialog, std::vector<int>& absent)
{
    using vqxres::Screen;
    const bool da = dialog.features & vqxres::kDualApp, dv = dialog.features & vqxres::kDualView,
               rt = dialog.features & vqxres::kRotation, dualMonitor = dialog.features & vqxres::kDualMonitor;
    Controls c;
    switch (dialog.screen) {
    case Screen::About:
        return { { IDC_PICTURE, Kind::Picture }, { IDC_ABOUT_VERSION, Kind::Text }, { IDC_COPYRIGHT_YEARS, Kind::Text },
                 { IDC_COPYRIGHT_NOTICE, Kind::Text }, { IDOK, Kind::PushButton } };
    case Screen::Information:
        return { { IDC_INFO_ANIMATION, Kind::Animation }, { IDC_PICTURE, Kind::Picture }, { IDC_INFO_TITLE, Kind::Text },
                 { IDC_INFO_ADAPTER_KIND, Kind::Text }, { IDC_INFO_PANEL_SIZE, Kind::Text }, { IDC_INFO_ADAPTER_VERSION, Kind::Text },
                 { IDC_INFO_DRIVER_VERSION, Kind::Text }, { IDC_INFO_TRAY_VERSION, Kind::Text },
                 { IDC_COPYRIGHT_YEARS, Kind::Text }, { IDC_COPYRIGHT_NOTICE, Kind::Text } };
    case Screen::DisplayDevices:
        c = Controls{ { IDC_DEVICES_PREVIEW, Kind::Frame }, { IDC_DEVICES_SINGLE, Kind::RadioButton },
              { IDC_DEVICES_COMBINATION, Kind::DropDownList }, { IDC_DEVICES_COMBINATION_LABEL, Kind::Text },
              { IDC_DEVICES_PRIMARY, Kind::CheckBox }, { IDC_DEVICES_ADVANCED, Kind::PushButton },
              { IDC_DEVICES_INTRO, Kind::Text }, { IDC_DEVICES_ARRANGEMENT_GROUP, Kind::GroupBox },
              { IDC_DEVICES_DEVICES_GROUP, Kind::GroupBox } };
        if (rt)
            Append(c, { { IDC_DEVICES_ROTATION, Kind::Trackbar }, { IDC_DEVICES_ROTATION_TEXT, Kind::Text } });
        else
            absent.insert(absent.end(), { IDC_DEVICES_ROTATION, IDC_DEVICES_ROTATION_TEXT });
        (dv ? c.push_back({ IDC_DEVICES_DUALVIEW, Kind::RadioButton }) : absent.push_back(IDC_DEVICES_DUALVIEW));
        (da ? c.push_back({ IDC_DEVICES_DUALAPP, Kind::RadioButton }) : absent.push_back(IDC_DEVICES_DUALAPP));
        if (dualMonitor)
            absent.insert(absent.end(), { IDC_DEVICES_FIRST, IDC_DEVICES_SECOND });
        else
            Append(c, { { IDC_DEVICES_FIRST, Kind::DropDownList }, { IDC_DEVICES_SECOND, Kind::DropDownList },
                        { IDC_DEVICES_FIRST_LABEL, Kind::Text }, { IDC_DEVICES_SECOND_LABEL, Kind::Text },
                        { IDC_DEVICES_PAIR_NOTE, Kind::Text } });
        return c;
    case Screen::ReduceOn:
        return { { IDC_PICTURE, Kind::Picture }, { IDC_REDUCE_ON_LIST, Kind::DropDownList },
                 { IDC_REDUCE_ON_POWER_SOURCE, Kind::Text }, { IDC_REDUCE_ON_STATE, Kind::Text },
                 { IDC_REDUCE_ON_NOTE, Kind::Text }, { IDC_COPYRIGHT_YEARS, Kind::Text }, { IDC_COPYRIGHT_NOTICE, Kind::Text } };
    case Screen::Configuration:
        c = Controls{ { IDC_PICTURE, Kind::Picture }, { IDC_CONFIG_TV_SYSTEM, Kind::DropDownList },
              { IDC_CONFIG_TV_SYSTEM_LABEL, Kind::Text }, { IDC_CONFIG_PANEL_TYPE, Kind::DropDownList },
              { IDC_CONFIG_PANEL_INTERFACE, Kind::DropDownList }, { IDC_CONFIG_HOTKEYS_ON, Kind::CheckBox },
              { IDC_CONFIG_HOTKEYS_BUTTON, Kind::PushButton }, { IDC_CONFIG_DISPLAYS_GROUP, Kind::GroupBox },
              { IDC_CONFIG_DUALMON_SWAP, Kind::CheckBox } };
        (dv ? c.push_back({ IDC_CONFIG_DUALVIEW_SIZE, Kind::DropDownList }) : absent.push_back(IDC_CONFIG_DUALVIEW_SIZE));
        return c;
    case Screen::HotKeys:
        c = HotKeyFields({ IDC_HOTKEY_LCD, IDC_HOTKEY_CRT, IDC_HOTKEY_TV, IDC_HOTKEY_SECPANEL, IDC_HOTKEY_LCD_TV,
                           IDC_HOTKEY_LCD_CRT, IDC_HOTKEY_LCD_SECPANEL, IDC_HOTKEY_CRT_SECPANEL, IDC_HOTKEY_SECPANEL_TV });
        Append(c, { { IDC_HOTKEY_SECPANEL_LABEL, Kind::Text }, { IDC_HOTKEY_LCD_SECPANEL_LABEL, Kind::Text },
                    { IDC_HOTKEY_CRT_SECPANEL_LABEL, Kind::Text }, { IDC_HOTKEY_SECPANEL_TV_LABEL, Kind::Text },
                    { IDC_HOTKEYS_RELOAD, Kind::PushButton }, { IDOK, Kind::PushButton }, { IDCANCEL, Kind::PushButton } });
        if (rt)
            Append(c, { { IDC_HOTKEY_RT90, Kind::HotKey }, { IDC_HOTKEY_RT180, Kind::HotKey }, { IDC_HOTKEY_RT270, Kind::HotKey },
                        { IDC_HOTKEY_RT90_LABEL, Kind::Text }, { IDC_HOTKEY_RT180_LABEL, Kind::Text },
                        { IDC_HOTKEY_RT270_LABEL, Kind::Text } });
        else
            absent.insert(absent.end(), { IDC_HOTKEY_RT90, IDC_HOTKEY_RT180, IDC_HOTKEY_RT270 });
        if (da)
            Append(c, HotKeyFields({ IDC_HOTKEY_SETDA, IDC_HOTKEY_SWAPAPP, IDC_HOTKEY_SWAPDISP }));
        else
            absent.insert(absent.end(), { IDC_HOTKEY_SETDA, IDC_HOTKEY_SWAPAPP, IDC_HOTKEY_SWAPDISP });
        (dv ? c.push_back({ IDC_HOTKEY_SETDV, Kind::HotKey }) : absent.push_back(IDC_HOTKEY_SETDV));
        (da || dv || rt ? c.push_back({ IDC_HOTKEY_SMOFF, Kind::HotKey }) : absent.push_back(IDC_HOTKEY_SMOFF));
        return c;
    case Screen::ConfirmDisplay:
        return { { IDC_CONFIRM_PICTURE, Kind::Picture }, { IDC_CONFIRM_TEXT, Kind::Text },
                 { IDOK, Kind::PushButton }, { IDCANCEL, Kind::PushButton } };
    case Screen::DualAppWindows:
        return { { IDC_DUALAPP_FIRST_WINDOW, Kind::ListBox }, { IDC_DUALAPP_SECOND_WINDOW, Kind::ListBox },
                 { IDC_DUALAPP_REFRESH, Kind::PushButton }, { IDOK, Kind::PushButton }, { IDCANCEL, Kind::PushButton } };
    }
    return c;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ClassOf(HWND hwnd)
{
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof(name));
    return Lower(name);
}

bool IsKind(HWND control, Kind kind)
{
    const std::string cls = ClassOf(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const LONG button = style & BS_TYPEMASK;
    switch (kind) {
    case Kind::Text: {
        const LONG type = style & SS_TYPEMASK;
        return cls == "static" && (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP);
    }
    case Kind::Frame: return cls == "static";
    case Kind::Picture:
        return cls == "static" && (style & SS_TYPEMASK) == SS_BITMAP && SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    case Kind::Animation: return cls == "sysanimate32";
    case Kind::GroupBox: return cls == "button" && button == BS_GROUPBOX;
    case Kind::PushButton: return cls == "button" && (button == BS_PUSHBUTTON || button == BS_DEFPUSHBUTTON);
    case Kind::CheckBox: return cls == "button" && (button == BS_AUTOCHECKBOX || button == BS_CHECKBOX);
    case Kind::RadioButton: return cls == "button" && (button == BS_AUTORADIOBUTTON || button == BS_RADIOBUTTON);
    case Kind::DropDownList: return cls == "combobox" && (style & 3) == CBS_DROPDOWNLIST;
    case Kind::ListBox: return cls == "listbox";
    case Kind::HotKey: return cls == "msctls_hotkey32";
    case Kind::Trackbar: return cls == "msctls_trackbar32";
    }
    return false;
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

struct WindowDestroy {
    void operator()(HWND hwnd) const { DestroyWindow(hwnd); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroy>;

// A hidden top-level window for page templates, which are child windows.
HWND PageHost()
{
    static Window host(CreateWindowExA(0, "Static", "host", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr));
    return host.get();
}

Window CreateTemplate(const DialogInfo& dialog)
{
    HWND parent = dialog.kind == vqxres::DialogKind::Page ? PageHost() : nullptr;
    return Window(CreateDialogParamA(Resources(), MAKEINTRESOURCEA(dialog.id), parent, QuietDialog, 0));
}

class DialogTemplates : public ::testing::TestWithParam<DialogInfo> {};

TEST_P(DialogTemplates, HaveTheirControls)
{
    const DialogInfo& dialog = GetParam();
    Window window = CreateTemplate(dialog);
    ASSERT_TRUE(window) << "error " << GetLastError();
    std::vector<int> absent;
    for (const Control& control : ExpectedControls(dialog, absent)) {
        HWND item = GetDlgItem(window.get(), control.id);
        ASSERT_NE(item, nullptr) << "control " << control.id;
        EXPECT_TRUE(IsKind(item, control.kind)) << "control " << control.id << " is a " << ClassOf(item)
                                                << " with style " << std::hex << GetWindowLongA(item, GWL_STYLE);
    }
    for (int id : absent)
        EXPECT_EQ(GetDlgItem(window.get(), id), nullptr) << "control " << id << " belongs to another variant";
}

// ---- layout ---------------------------------------------------------------

struct Item {
    HWND hwnd;
    int id;
    RECT rect;  // in the dialog's client coordinates
};

std::vector<Item> VisibleItems(HWND dialog)
{
    std::vector<Item> items;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        Item item = { child, GetDlgCtrlID(child), {} };
        GetWindowRect(child, &item.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&item.rect), 2);
        items.push_back(item);
    }
    return items;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

bool IsGroupBox(HWND hwnd)
{
    return ClassOf(hwnd) == "button" && (GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Controls of the display-devices page that the page shows one set at a
// time and that therefore share their place.
int AlternativeSet(int id)
{
    switch (id) {
    case IDC_DEVICES_COMBINATION_LABEL: case IDC_DEVICES_COMBINATION:
        return 1;
    case IDC_DEVICES_FIRST_LABEL: case IDC_DEVICES_FIRST: case IDC_DEVICES_SECOND_LABEL:
    case IDC_DEVICES_SECOND: case IDC_DEVICES_PAIR_NOTE:
        return 2;
    default:
        return 0;
    }
}

TEST_P(DialogTemplates, NothingOverlapsOrLeavesTheDialog)
{
    Window window = CreateTemplate(GetParam());
    ASSERT_TRUE(window);
    RECT client;
    GetClientRect(window.get(), &client);
    const std::vector<Item> items = VisibleItems(window.get());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_TRUE(Contains(client, items[i].rect)) << "control " << items[i].id << " leaves the dialog";
        for (size_t j = i + 1; j < items.size(); ++j) {
            RECT overlap;
            if (!IntersectRect(&overlap, &items[i].rect, &items[j].rect))
                continue;
            const int a = AlternativeSet(items[i].id), b = AlternativeSet(items[j].id);
            if (a && b && a != b)
                continue;
            const bool nested = (IsGroupBox(items[i].hwnd) && Contains(items[i].rect, items[j].rect)) ||
                                (IsGroupBox(items[j].hwnd) && Contains(items[j].rect, items[i].rect));
            EXPECT_TRUE(nested) << "controls " << items[i].id << " and " << items[j].id << " overlap";
        }
    }
}

// The space a text needs in a control: wrapped to the control's width for
// multi-line statics, on one line for everything else.
SIZE TextExtent(HWND control, const std::string& text, bool wrap, int width)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT rect = { 0, 0, width, 0 };
    DrawTextA(dc, text.c_str(), -1, &rect, DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return { rect.right, rect.bottom };
}

// Checks that `text` fits into `control` as the control would show it.
void ExpectTextFits(HWND control, const std::string& text, const std::string& what)
{
    RECT rect;
    GetClientRect(control, &rect);
    const std::string cls = ClassOf(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (cls == "static") {
        const bool wrap = (style & SS_TYPEMASK) == SS_LEFT;
        const SIZE size = TextExtent(control, text, wrap, rect.right);
        EXPECT_LE(size.cx, rect.right) << what << ": \"" << text << "\" is too wide";
        EXPECT_LE(size.cy, rect.bottom) << what << ": \"" << text << "\" needs more lines";
    } else if (cls == "button") {
        const LONG type = style & BS_TYPEMASK;
        const bool mark = type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON;
        const int room = rect.right - (mark ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : type == BS_GROUPBOX ? 16 : 8);
        EXPECT_LE(TextExtent(control, text, false, 0).cx, room) << what << ": \"" << text << "\" is cut off";
    } else if (cls == "combobox") {
        const int room = rect.right - GetSystemMetrics(SM_CXVSCROLL) - 8;
        EXPECT_LE(TextExtent(control, text, false, 0).cx, room) << what << ": item \"" << text << "\" is cut off";
    }
}

TEST_P(DialogTemplates, TemplateTextsFit)
{
    Window window = CreateTemplate(GetParam());
    ASSERT_TRUE(window);
    for (const Item& item : VisibleItems(window.get())) {
        char text[512] = "";
        GetWindowTextA(item.hwnd, text, sizeof(text));
        const std::string cls = ClassOf(item.hwnd);
        if (text[0] && (cls == "static" || cls == "button"))
            ExpectTextFits(item.hwnd, text, "control " + std::to_string(item.id));
    }
}

INSTANTIATE_TEST_SUITE_P(All, DialogTemplates, ::testing::ValuesIn(kDialogs),
                         [](const ::testing::TestParamInfo<DialogInfo>& info) { return std::to_string(info.param.id); });

// Texts that the programs put into controls at run time, at their longest.
std::string Format(int id, std::initializer_list<unsigned> numbers)
{
    char text[512];
    std::vector<unsigned> n(numbers);
    n.resize(4, 0);
    std::snprintf(text, sizeof(text), LoadText(id).c_str(), n[0], n[1], n[2], n[3]);
    return text;
}

std::string FormatTexts(int id, std::vector<std::string> texts)
{
    char text[512];
    texts.resize(4);
    std::snprintf(text, sizeof(text), LoadText(id).c_str(), texts[0].c_str(), texts[1].c_str(), texts[2].c_str(), texts[3].c_str());
    return text;
}

std::vector<std::string> Texts(const std::vector<int>& ids)
{
    std::vector<std::string> texts;
    for (int id : ids)
        texts.push_back(LoadText(id));
    return texts;
}

// Names of the device combinations the display-devices page offers.
std::vector<std::string> CombinationNames()
{
    const int pairs[][2] = { { 72, 75 }, { 72, 73 }, { 72, 74 }, { 73, 75 }, { 75, 74 }, { 73, 72 }, { 74, 73 }, { 75, 73 } };
    std::vector<std::string> names = Texts({ 72, 73, 74, 75 });
    for (const auto& pair : pairs)
        names.push_back(LoadText(pair[0]) + " + " + LoadText(pair[1]));
    return names;
}

TEST(ResourceLibraryLayout, RunTimeTextsFit)
{
    const unsigned big = 65535;
    const std::string label90 = " " + LoadText(IDS_ROTATION_LABEL_90);
    struct Case {
        int dialog, control;
        std::vector<std::string> texts;
    };
    const std::vector<Case> cases = {
        { IDD_ABOUT, IDC_ABOUT_VERSION, { Format(IDS_FMT_TRAY_VERSION, { big, big, big, big }) } },
        { IDD_ABOUT, IDC_COPYRIGHT_YEARS, { Format(IDS_FMT_COPYRIGHT_YEARS, { 2000, 2003 }) } },
        { IDD_ABOUT, IDC_COPYRIGHT_NOTICE, Texts({ IDS_COPYRIGHT_NOTICE }) },
        { IDD_INFO_PAGE, IDC_INFO_TITLE, Texts({ IDS_INFO_TITLE }) },
        { IDD_INFO_PAGE, IDC_INFO_ADAPTER_KIND, Texts(Range(IDS_ADAPTER_KIND_BASE, IDS_ADAPTER_KIND_BASE + VQX_ADAPTER_KIND_COUNT - 1)) },
        { IDD_INFO_PAGE, IDC_INFO_PANEL_SIZE, { "65535 x 65535" } },
        { IDD_INFO_PAGE, IDC_INFO_ADAPTER_VERSION, { Format(IDS_FMT_ADAPTER_VERSION4, { big, big, big, big }) } },
        { IDD_INFO_PAGE, IDC_INFO_DRIVER_VERSION, { Format(IDS_FMT_DRIVER_VERSION, { big, big, big, big }) } },
        { IDD_INFO_PAGE, IDC_INFO_TRAY_VERSION, { Format(IDS_FMT_TRAY_VERSION, { big, big, big, big }) } },
        { IDD_INFO_PAGE, IDC_COPYRIGHT_NOTICE, Texts({ IDS_COPYRIGHT_NOTICE }) },
        { IDD_DEVICES_DA_DV_RT, IDC_DEVICES_ROTATION_TEXT,
          { FormatTexts(IDS_FMT_ROTATION_4, { LoadText(IDS_ROTATION_LABEL_NONE), label90, LoadText(IDS_ROTATION_LABEL_180), LoadText(IDS_ROTATION_LABEL_270) }) } },
        { IDD_DEVICES_DA_DV_RT, IDC_DEVICES_COMBINATION, CombinationNames() },
        { IDD_DEVICES_DA_DV_RT, IDC_DEVICES_FIRST, Texts({ 71, 72, 73, 74, 75, 200 }) },
        { IDD_DEVICES_DA_DV_RT, IDC_DEVICES_SECOND, Texts({ 71, 72, 73, 74, 75, 200 }) },
        { IDD_DEVICES_DA_DV_RT, IDC_DEVICES_FIRST_LABEL, Texts({ IDS_DEVICES_FIRST_DUAL, IDS_DEVICES_FIRST_SINGLE }) },
        { IDD_DEVICES_DA_DV_RT, IDC_DEVICES_SECOND_LABEL, Texts({ IDS_DEVICES_SECOND_DUAL, IDS_DEVICES_SECOND_SINGLE }) },
        { IDD_REDUCE_ON_PAGE, IDC_REDUCE_ON_LIST, Texts({ IDS_REDUCE_ON_ON, IDS_REDUCE_ON_OFF }) },
        { IDD_REDUCE_ON_PAGE, IDC_REDUCE_ON_POWER_SOURCE, Texts({ IDS_POWER_AC, IDS_POWER_BATTERY, IDS_POWER_UNKNOWN }) },
        { IDD_REDUCE_ON_PAGE, IDC_REDUCE_ON_STATE, Texts({ IDS_REDUCE_ON_STATE_ON, IDS_REDUCE_ON_STATE_OFF }) },
        { IDD_REDUCE_ON_PAGE, IDC_COPYRIGHT_YEARS, { Format(IDS_FMT_COPYRIGHT_YEARS, { 2001, 2003 }) } },
        { IDD_CONFIG_DUALVIEW, IDC_CONFIG_DUALVIEW_SIZE, Texts(Range(30, 34)) },
        { IDD_CONFIG_DUALVIEW, IDC_CONFIG_TV_SYSTEM, Texts({ 90, 91 }) },
        { IDD_CONFIG_DUALVIEW, IDC_CONFIG_PANEL_TYPE, Texts(Range(100, 104)) },
        { IDD_CONFIG_DUALVIEW, IDC_CONFIG_PANEL_INTERFACE, Texts({ 164, 165 }) },
        { IDD_CONFIRM_DISPLAY, IDC_CONFIRM_TEXT, { Format(IDS_FMT_CONFIRM_COUNTDOWN, { 15 }) } },
    };
    for (const Case& c : cases) {
        const auto dialog = std::find_if(std::begin(kDialogs), std::end(kDialogs), [&](const DialogInfo& d) { return d.id == c.dialog; });
        ASSERT_NE(dialog, std::end(kDialogs));
        Window window = CreateTemplate(*dialog);
        ASSERT_TRUE(window);
        HWND control = GetDlgItem(window.get(), c.control);
        ASSERT_NE(control, nullptr) << c.control;
        for (const std::string& text : c.texts)
            ExpectTextFits(control, text, "dialog " + std::to_string(c.dialog) + " control " + std::to_string(c.control));
    }
}

}  // namespace
