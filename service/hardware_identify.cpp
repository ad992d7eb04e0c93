// CHardware: identification of the maker's adapters and their displays.
#include "hardware.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base_exception.h"
#include "display_seam.h"
#include "os_service.h"
#include "resource_ids.h"
#include "string_array_ex.h"

namespace {

const int32_t kAcceptedVendor = 0x7A3E;
const int32_t kAcceptedDevice = 0x0B52;

// Removes "<prefix>_" from the front of `text`; false when it is not there.
bool TakeLabel(std::string& text, const char* prefix)
{
    const size_t underscore = text.find('_');
    if (underscore == 0 || underscore == std::string::npos ||
        lstrcmpiA(text.substr(0, underscore).c_str(), prefix) != 0)
        return false;
    text.erase(0, underscore + 1);
    return true;
}

// Reads the hexadecimal number before the first '&' and removes both;
// false when no '&' follows a number.
bool TakeHexField(std::string& text, int32_t& value)
{
    const size_t ampersand = text.find('&');
    if (ampersand == 0 || ampersand == std::string::npos)
        return false;
    unsigned parsed = 0;
    if (std::sscanf(text.substr(0, ampersand).c_str(), "%x", &parsed) == 1)
        value = static_cast<int32_t>(parsed);
    text.erase(0, ampersand + 1);
    return true;
}

struct PanelSize {
    uint16_t width, height;
};
const PanelSize kPanelSizes[] = { { 640, 480 }, { 800, 600 }, { 1024, 768 }, { 1280, 1024 }, { 1600, 1200 } };
const UINT kUnknownPanel = 255;

} // namespace

void ParsePciIds(DisplayDeviceInfo& info)
{
    info.vendorId = -1;
    info.deviceId = -1;
    std::string id = info.device.DeviceID;
    if (!TakeLabel(id, "PCI\\VEN") || !TakeHexField(id, info.vendorId))
        return;
    if (TakeLabel(id, "DEV"))
        TakeHexField(id, info.deviceId);
}

CDisplayEnumerator::CDisplayEnumerator(COSService& settings)
    : m_enumDisplayDevices(OptionalEnumDisplayDevices(settings))
{
}

BOOL CDisplayEnumerator::Get(DWORD index, DisplayDeviceInfo& info)
{
    info = {};
    info.device.cb = sizeof(info);
    const auto enumDisplayDevices = m_enumDisplayDevices.Get();
    const BOOL found = enumDisplayDevices ? enumDisplayDevices(nullptr, index, &info.device, 0)
                                          : GetFallback(index, info);
    if (found)
        ParsePciIds(info);
    return found;
}

BOOL CDisplayEnumerator::GetFallback(DWORD index, DisplayDeviceInfo& info)
{
    if (index != 0)
        return FALSE;
    display::CDisplayDC dc(display::CreateDC("DISPLAY"));
    if (!dc)
        return FALSE;
    DriverRequestRecord request = {};
    request.words[0] = driver::kFnStatus;
    DriverReplyRecord reply = {};
    if (display::ExtEscape(dc.Get(), driver::kEscape, sizeof(request), reinterpret_cast<const char*>(&request),
                           sizeof(reply), reinterpret_cast<char*>(&reply)) != driver::kEscape)
        return FALSE;
    const driver::StatusRecord status = driver::AsStatusRecord(reply);
    lstrcpyA(info.device.DeviceName, "DISPLAY");
    info.device.StateFlags = DISPLAY_DEVICE_ATTACHED_TO_DESKTOP | DISPLAY_DEVICE_PRIMARY_DEVICE;
    std::snprintf(info.device.DeviceID, sizeof(info.device.DeviceID),
                  "PCI\\VEN_7A3E&DEV_%04X&SUBSYS_%08X&REV_%02X",
                  unsigned(status.pciDeviceId), unsigned(status.subsystemId), unsigned(status.revision));
    return TRUE;
}

namespace {

bool IsAdaptersDevice(const DisplayDeviceInfo& info)
{
    return info.vendorId == kAcceptedVendor && info.deviceId == kAcceptedDevice;
}

} // namespace

std::string DeviceName(const DisplayRecord& display)
{
    return std::string(display.deviceName, strnlen(display.deviceName, sizeof(display.deviceName)));
}

DWORD LayoutSize(const DisplayLayout& layout)
{
    DWORD size = sizeof(HardwareHeader);
    for (const std::vector<std::string>& displays : layout)
        size += sizeof(AdapterRecord) + sizeof(DisplayRecord) * static_cast<DWORD>(displays.size());
    return size;
}

DisplayLayout CHardware::ReadDisplayLayout()
{
    CDisplayEnumerator devices(*m_settings);
    CStringArrayEx adapters;
    DisplayLayout layout;
    DisplayDeviceInfo info;
    for (DWORD index = 0; devices.Get(index, info); ++index) {
        if (!IsAdaptersDevice(info))
            continue;
        int adapter = adapters.Find(info.device.DeviceID);
        if (adapter < 0) {
            adapter = adapters.Add(info.device.DeviceID);
            layout.emplace_back();
        }
        // As a display record holds it.
        char name[sizeof(DisplayRecord::deviceName)];
        lstrcpynA(name, info.device.DeviceName, sizeof(name));
        layout[adapter].push_back(name);
    }
    if (layout.empty())
        ThrowServiceError(IDS_ERR_NO_ADAPTER, 0);
    return layout;
}

void CHardware::Enumerate()
{
    HardwareHeader* h = GetHeader(TRUE);
    CDisplayEnumerator devices(*m_settings);
    h->adapterCount = 0;
    h->pagesOpen = 0;
    h->keyboardHook = 0;
    // Devices can come and go since the block was sized: the record access
    // refuses any record that would not fit in the block.
    CStringArrayEx adapters;
    DWORD displays = 0;
    DisplayDeviceInfo info;
    for (DWORD index = 0; devices.Get(index, info); ++index) {
        if (!IsAdaptersDevice(info))
            continue;
        ++displays;
        int adapter = adapters.Find(info.device.DeviceID);
        if (adapter < 0) {
            adapter = adapters.Add(info.device.DeviceID);
            ++h->adapterCount;
            GetAdapter(adapter, FALSE)->displayCount = 0;
        }
        AdapterRecord* record = GetAdapter(adapter, FALSE);
        DisplayRecord* display = GetDisplay(adapter, record->displayCount, FALSE);
        const UINT displayIndex = record->displayCount++;
        lstrcpynA(display->deviceName, info.device.DeviceName, sizeof(display->deviceName));
        display->primary = (info.device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) ? 1 : 0;
        if (info.device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) {
            SelectDisplay(adapter, displayIndex);
            SetDriverValue(driver::kValueTvSystem, m_settings->GetTVSystem(0));
            // The secondary panel starts as the LCD panel.
            SetDriverValue(driver::kValueSecondaryPanelId, GetDriverValue(driver::kValuePanelId));
        }
    }
    if (displays == 0)
        ThrowServiceError(IDS_ERR_NO_ADAPTER, 0);
}

void CHardware::GetPanelSize(UINT panelId, uint16_t* width, uint16_t* height)
{
    try {
        const DriverRequestBlock request = driver::MakeRequestBlock(driver::kSubPanelSize);
        DriverRequestBlock reply;
        DriverRequest(&request, &reply);
        *width = driver::ReadField<uint16_t>(reply.bytes, driver::block::kPanelWidth);
        *height = driver::ReadField<uint16_t>(reply.bytes, driver::block::kPanelHeight);
        return;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    const UINT id = panelId & 0xFF;
    if (id < sizeof(kPanelSizes) / sizeof(kPanelSizes[0])) {
        *width = kPanelSizes[id].width;
        *height = kPanelSizes[id].height;
    } else if (id == kUnknownPanel) {
        *width = 0xFFFF;
        *height = 0xFFFF;
    } else {
        ThrowServiceError(IDS_ERR_PANEL_ID, static_cast<int>(id));
    }
}

void CHardware::Identify(AdapterRecord& a)
{
    using namespace driver;
    a.tvSystem = static_cast<uint8_t>(GetDriverValue(kValueTvSystem));
    a.adapterKind = static_cast<uint8_t>(GetDriverValue(kValueAdapterKind));
    a.panelId = static_cast<uint8_t>(GetDriverValue(kValuePanelId));
    a.secondaryPanelId = static_cast<uint8_t>(GetDriverValue(kValueSecondaryPanelId));
    GetPanelSize(a.panelId, &a.panelWidth, &a.panelHeight);
    GetPanelSize(a.secondaryPanelId, &a.secondaryPanelWidth, &a.secondaryPanelHeight);
    a.secondaryColorInterface = static_cast<uint8_t>(GetDriverValue(kValueSecondaryColorInterface));

    const DriverRequestBlock request = MakeRequestBlock(kSubVersion);
    DriverRequestBlock reply;
    DriverRequest(&request, &reply);
    a.version1 = ReadField<uint16_t>(reply.bytes, block::kVersion1);
    a.version2 = ReadField<uint16_t>(reply.bytes, block::kVersion2);
    a.version3 = ReadField<uint16_t>(reply.bytes, block::kVersion3);
    a.version4 = ReadField<uint16_t>(reply.bytes, block::kVersion4);
    a.versionByte1 = reply.bytes[block::kVersionByte1];
    a.versionByte2 = reply.bytes[block::kVersionByte2];
    a.versionWord = ReadField<uint16_t>(reply.bytes, block::kVersionWord);
}
