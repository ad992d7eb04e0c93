#include "driver.h"

#include <cstring>

namespace vqxsim {
namespace {

// The request's and reply's byte-wide fields.
BYTE ByteAt(const DWORD* words, size_t offset)
{
    return reinterpret_cast<const BYTE*>(words)[offset];
}

void PutByte(DWORD* words, size_t offset, DWORD value)
{
    reinterpret_cast<BYTE*>(words)[offset] = static_cast<BYTE>(value);
}

void PutWord16(DWORD* words, size_t offset, DWORD value)
{
    WORD w = static_cast<WORD>(value);
    std::memcpy(reinterpret_cast<BYTE*>(words) + offset, &w, sizeof(w));
}

void PutWord32(DWORD* words, size_t offset, DWORD value)
{
    std::memcpy(reinterpret_cast<BYTE*>(words) + offset, &value, sizeof(value));
}

DWORD Word32At(const DWORD* words, size_t offset)
{
    DWORD value;
    std::memcpy(&value, reinterpret_cast<const BYTE*>(words) + offset, sizeof(value));
    return value;
}

int OutputCount(DWORD mask)
{
    int count = 0;
    for (DWORD bit = SIM_OUTPUT_LCD; bit <= SIM_OUTPUT_PANEL; bit <<= 1)
        count += (mask & bit) ? 1 : 0;
    return count;
}

bool IsPortrait(DWORD rotation)
{
    return rotation == 1 || rotation == 2;
}

void StatusRecord(const SimDevice& d, const SimAdapter& a, DWORD* reply)
{
    for (size_t i = 0; i < 3; ++i)
        PutByte(reply, 4 + i, a.statusBytes[i]);
    PutByte(reply, 32, d.rotation);
    PutByte(reply, 33, a.mode);
    PutByte(reply, 34, a.statusValue);
    PutWord16(reply, 80, a.pciDeviceId);
    PutByte(reply, 82, a.revision);
    PutWord16(reply, 84, a.subsystemId);
    PutWord16(reply, 86, a.statusWord);
    PutByte(reply, 89, a.statusByte);
    for (size_t i = 0; i < 4; ++i)
        PutWord32(reply, 92 + 4 * i, a.statusWords[i]);
}

SimPair* FindPair(SimAdapter& a, DWORD first, DWORD second, bool create)
{
    for (SimPair& p : a.pairs)
        if (p.used && p.first == first && p.second == second)
            return &p;
    if (create)
        for (SimPair& p : a.pairs)
            if (!p.used) {
                p = { 1, first, second, 0 };
                return &p;
            }
    return nullptr;
}

DWORD SetValue(SimAdapter& a, DWORD index, DWORD value)
{
    if (index >= SIM_VALUE_COUNT)
        return SIM_STATUS_INVALID;
    switch (index) {
    case SIM_VALUE_SECONDARY_PANEL_SUPPORTED:
    case SIM_VALUE_TV_SUPPORTED:
    case SIM_VALUE_ADAPTER_KIND:
    case SIM_VALUE_DEVICE_MASK:
        return SIM_STATUS_NOT_NOW;
    case SIM_VALUE_SECONDARY_PANEL_ID:
        if (value > 4)
            return SIM_STATUS_INVALID;
        break;
    case SIM_VALUE_SECONDARY_COLOR_INTERFACE:
    case SIM_VALUE_TV_SYSTEM:
    case SIM_VALUE_REDUCE_ON:
    case SIM_VALUE_DUAL_MONITOR_SWAPPED:
        if (value > 1)
            return SIM_STATUS_INVALID;
        break;
    default:
        break;
    }
    a.values[index] = value;
    return SIM_STATUS_OK;
}

// Function 5: the 40-byte block sits at request and reply bytes 4..43.
DWORD Request(const SimAdapter& a, const DWORD* request, DWORD* reply)
{
    const size_t block = 4;
    std::memcpy(reinterpret_cast<BYTE*>(reply) + block, reinterpret_cast<const BYTE*>(request) + block,
                SIM_BLOCK_BYTES);
    if (Word32At(request, block + SIM_BLOCK_MARKER) != SIM_BLOCK_MARKER_VALUE)
        return SIM_STATUS_INVALID;
    switch (Word32At(request, block + SIM_BLOCK_SUBFUNCTION)) {
    case SIM_SUB_CRT_ATTACHED:
        PutWord32(reply, block + 16, a.crtAttached ? 1 : 0);
        return SIM_STATUS_OK;
    case SIM_SUB_TV_ATTACHED:
        PutWord32(reply, block + 16, a.tvAttached && a.values[SIM_VALUE_TV_SUPPORTED] ? 1 : 0);
        return SIM_STATUS_OK;
    case SIM_SUB_VERSION:
        PutWord16(reply, block + 18, a.version[0]);
        PutWord16(reply, block + 16, a.version[1]);
        PutWord16(reply, block + 26, a.version[2]);
        PutWord16(reply, block + 24, a.version[3]);
        PutByte(reply, block + 23, a.versionBytes[0]);
        PutByte(reply, block + 22, a.versionBytes[1]);
        PutWord16(reply, block + 20, a.versionWord);
        return SIM_STATUS_OK;
    case SIM_SUB_PANEL_SIZE: {
        DWORD width = a.panelWidth, height = a.panelHeight;
        if ((!width || !height) && !PanelSize(a.values[SIM_VALUE_PANEL_ID], width, height))
            return SIM_STATUS_INVALID;
        PutWord16(reply, block + 16, width);
        PutWord16(reply, block + 24, height);
        return SIM_STATUS_OK;
    }
    default:
        return SIM_STATUS_INVALID;
    }
}

DWORD Rotate(SimDevice& d, const SimAdapter& a, DWORD code)
{
    if (code > 3)
        return SIM_STATUS_INVALID;
    if (a.mode == SIM_MODE_DUAL_VIEW || a.mode == SIM_MODE_DUAL_APP)
        return SIM_STATUS_NOT_NOW;
    // The desktop keeps its pixels; turning between landscape and portrait
    // exchanges its width and height.
    if (IsPortrait(code) != IsPortrait(d.rotation)) {
        DWORD width = d.current.width;
        d.current.width = d.current.height;
        d.current.height = width;
    }
    d.rotation = code;
    return SIM_STATUS_OK;
}

DWORD DualView(SimAdapter& a, const DWORD* request)
{
    switch (ByteAt(request, 4)) {
    case 0:
        if (a.mode == SIM_MODE_DUAL_VIEW)
            a.mode = SIM_MODE_SINGLE;
        return SIM_STATUS_OK;
    case 1:
        if (ByteAt(request, 5) > 4)
            return SIM_STATUS_INVALID;
        if (a.mode == SIM_MODE_DUAL_MONITOR)
            return SIM_STATUS_NOT_NOW;
        if (OutputCount(a.values[SIM_VALUE_DEVICE_MASK]) < 2)
            return SIM_STATUS_DUAL_VIEW_REFUSED;
        a.mode = SIM_MODE_DUAL_VIEW;
        a.dualViewSize = ByteAt(request, 5);
        a.dualViewFlag = ByteAt(request, 6);
        return SIM_STATUS_OK;
    default:
        return SIM_STATUS_INVALID;
    }
}

DWORD DualApp(SimAdapter& a, const DWORD* request)
{
    switch (ByteAt(request, 4)) {
    case 0:
        if (a.mode == SIM_MODE_DUAL_APP)
            a.mode = SIM_MODE_SINGLE;
        return SIM_STATUS_OK;
    case 1:
        if (a.mode == SIM_MODE_DUAL_MONITOR || OutputCount(a.values[SIM_VALUE_DEVICE_MASK]) < 2)
            return SIM_STATUS_NOT_NOW;
        a.mode = SIM_MODE_DUAL_APP;
        a.dualAppSwapped = ByteAt(request, 5) ? 1 : 0;
        return SIM_STATUS_OK;
    default:
        return SIM_STATUS_INVALID;
    }
}

DWORD Switch(SimAdapter& a, DWORD mask, DWORD modeWord)
{
    // One output, or two: every pair of the four outputs is a permitted one.
    if ((mask & ~0xFu) || OutputCount(mask) < 1 || OutputCount(mask) > 2)
        return SIM_STATUS_INVALID;
    if ((mask & SIM_OUTPUT_CRT) && !a.crtAttached)
        return SIM_STATUS_NOT_CONNECTED;
    if ((mask & SIM_OUTPUT_TV) && (!a.values[SIM_VALUE_TV_SUPPORTED] || !a.tvAttached))
        return SIM_STATUS_NOT_CONNECTED;
    if ((mask & SIM_OUTPUT_PANEL) && !a.values[SIM_VALUE_SECONDARY_PANEL_SUPPORTED])
        return SIM_STATUS_NOT_CONNECTED;
    a.values[SIM_VALUE_DEVICE_MASK] = mask;
    a.lastSwitchModeWord = modeWord;
    if (OutputCount(mask) < 2 && (a.mode == SIM_MODE_DUAL_VIEW || a.mode == SIM_MODE_DUAL_APP))
        a.mode = SIM_MODE_SINGLE;
    return SIM_STATUS_OK;
}

DWORD Perform(SimDevice& d, SimAdapter& a, const DWORD* request, DWORD* reply)
{
    switch (request[0]) {
    case SIM_FN_STATUS:
        StatusRecord(d, a, reply);
        return SIM_STATUS_OK;
    case SIM_FN_READ_PAIR: {
        const SimPair* pair = FindPair(a, request[1], request[2], false);
        reply[1] = pair ? pair->value : 0;
        return SIM_STATUS_OK;
    }
    case SIM_FN_WRITE_PAIR: {
        SimPair* pair = FindPair(a, request[1], request[2], true);
        if (!pair)
            return SIM_STATUS_NOT_NOW;
        pair->value = request[3];
        return SIM_STATUS_OK;
    }
    case SIM_FN_GET_VALUE:
        if (request[1] >= SIM_VALUE_COUNT)
            return SIM_STATUS_INVALID;
        reply[1] = a.values[request[1]];
        return SIM_STATUS_OK;
    case SIM_FN_SET_VALUE:
        return SetValue(a, request[1], request[2]);
    case SIM_FN_REQUEST:
        return Request(a, request, reply);
    case SIM_FN_FUNCTION6:
        a.function6Value = request[1];
        return SIM_STATUS_OK;
    case SIM_FN_FUNCTION7:
        a.function7Value = request[1];
        return SIM_STATUS_OK;
    case SIM_FN_REDUCE_ON:
        return SetValue(a, SIM_VALUE_REDUCE_ON, ByteAt(request, 4));
    case SIM_FN_ROTATE:
        return Rotate(d, a, ByteAt(request, 4));
    case SIM_FN_DUAL_VIEW:
        return DualView(a, request);
    case SIM_FN_DUAL_APP:
        return DualApp(a, request);
    case SIM_FN_SWITCH:
        return Switch(a, request[1], request[2]);
    case SIM_FN_AC_LINE:
        a.acLineStatus = ByteAt(request, 4);
        return SIM_STATUS_OK;
    default:
        return SIM_STATUS_INVALID;
    }
}

} // namespace

bool PanelSize(DWORD panelId, DWORD& width, DWORD& height)
{
    static const DWORD kSizes[][2] = { { 640, 480 }, { 800, 600 }, { 1024, 768 }, { 1280, 1024 }, { 1600, 1200 } };
    if (panelId >= sizeof(kSizes) / sizeof(kSizes[0]))
        return false;
    width = kSizes[panelId][0];
    height = kSizes[panelId][1];
    return true;
}

DWORD AnswerEscape(SimState& state, DWORD device, const DWORD* request, DWORD* reply)
{
    if (device >= state.deviceCount)
        return SIM_NO_ANSWER;
    SimDevice& d = state.devices[device];
    if (d.adapter >= state.adapterCount)
        return SIM_NO_ANSWER;  // another vendor's driver knows nothing of this escape
    DWORD fault = request[0] < SIM_FUNCTION_COUNT ? state.escapeFaults[request[0]] : 0;
    if (fault == SIM_NO_ANSWER)
        return SIM_NO_ANSWER;
    std::memset(reply, 0, SIM_REPLY_BYTES);
    DWORD status = fault ? fault : Perform(d, state.adapters[d.adapter], request, reply);
    reply[0] = status;
    return status;
}

} // namespace vqxsim
