// Combo boxes whose items carry a value (item data), filled and read the
// way the pages do it.  A null box, a control the template lacks, is left
// alone and has no items.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

// Appends `text` with the value `data`.
inline void ComboAddItem(HWND box, const std::string& text, int data)
{
    const LRESULT index = box ? SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())) : -1;
    if (index >= 0)
        SendMessageA(box, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

// The values of the items, in order.
inline std::vector<int> ComboItemData(HWND box)
{
    std::vector<int> data;
    const LRESULT count = box ? SendMessageA(box, CB_GETCOUNT, 0, 0) : 0;
    for (LRESULT index = 0; index < count; ++index)
        data.push_back(static_cast<int>(SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(index), 0)));
    return data;
}

inline bool ComboHasItem(HWND box, int data)
{
    const std::vector<int> items = ComboItemData(box);
    return std::find(items.begin(), items.end(), data) != items.end();
}

// Selects the first item whose value is `data`; no item when none has it.
inline void ComboSelectByData(HWND box, int data)
{
    if (!box)
        return;
    const std::vector<int> items = ComboItemData(box);
    const auto found = std::find(items.begin(), items.end(), data);
    const WPARAM index = found == items.end() ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found - items.begin());
    SendMessageA(box, CB_SETCURSEL, index, 0);
}

// The value of the selected item; false without a selection.
inline bool ComboSelectedData(HWND box, int& data)
{
    const LRESULT index = box ? SendMessageA(box, CB_GETCURSEL, 0, 0) : CB_ERR;
    if (index < 0)
        return false;
    data = static_cast<int>(SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    return true;
}
