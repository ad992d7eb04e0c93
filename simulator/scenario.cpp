#include "scenario.h"

#include "handles.h"  // the framework's owning wrappers
#include "ini_text.h"
#include "power.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace vqxsim {
namespace {

const char kBuiltInName[] = "(built-in default)";

bool ParseNumber(const std::string& text, DWORD& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 0);
    if (*end != '\0' || value < -2147483648LL || value > 0xFFFFFFFFLL)
        return false;
    out = static_cast<DWORD>(value);
    return true;
}

bool ParseList(const std::string& text, char separator, std::vector<DWORD>& out)
{
    out.clear();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos)
            end = text.size();
        std::string item = text.substr(start, end - start);
        while (!item.empty() && item.front() == ' ')
            item.erase(0, 1);
        while (!item.empty() && item.back() == ' ')
            item.pop_back();
        DWORD value;
        if (!ParseNumber(item, value))
            return false;
        out.push_back(value);
        start = end + 1;
    }
    return !out.empty();
}

// Fills a fixed array with up to its size numbers; missing ones become 0.
template <size_t N>
bool ParseArray(const std::string& text, char separator, DWORD (&array)[N])
{
    std::vector<DWORD> list;
    if (!ParseList(text, separator, list) || list.size() > N)
        return false;
    for (size_t i = 0; i < N; ++i)
        array[i] = i < list.size() ? list[i] : 0;
    return true;
}

bool ParseResolution(const std::string& text, DWORD& width, DWORD& height)
{
    size_t x = text.find_first_of("xX");
    return x != std::string::npos && ParseNumber(text.substr(0, x), width)
        && ParseNumber(text.substr(x + 1), height) && width > 0 && height > 0;
}

bool ParseBool(const std::string& text, DWORD& out)
{
    return ParseNumber(text, out) && out <= 1;
}

void CopyText(char* target, size_t size, const std::string& text)
{
    lstrcpynA(target, text.c_str(), static_cast<int>(size));
}

// What a scenario says about an adapter beyond the adapter's own record.
struct AdapterText {
    std::string deviceId;
    std::string deviceString = "Tarvok VQX";
    std::vector<DWORD> widths { 640, 800, 1024, 1280 };
    std::vector<DWORD> heights { 480, 600, 768, 1024 };
    std::vector<DWORD> depths { 8, 16, 32 };
    DWORD frequency = 60;
};

struct MemberKey {
    const char* name;
    DWORD SimAdapter::*member;
};

const MemberKey kAdapterMembers[] = {
    { "PciDeviceId", &SimAdapter::pciDeviceId },
    { "Revision", &SimAdapter::revision },
    { "SubsystemId", &SimAdapter::subsystemId },
    { "PanelWidth", &SimAdapter::panelWidth },
    { "PanelHeight", &SimAdapter::panelHeight },
    { "CrtAttached", &SimAdapter::crtAttached },
    { "TvAttached", &SimAdapter::tvAttached },
    { "Mode", &SimAdapter::mode },
    { "DualViewSize", &SimAdapter::dualViewSize },
    { "DualAppSwapped", &SimAdapter::dualAppSwapped },
    { "AcLineStatus", &SimAdapter::acLineStatus },
    { "StatusValue", &SimAdapter::statusValue },
    { "StatusWord", &SimAdapter::statusWord },
    { "StatusByte", &SimAdapter::statusByte },
    { "VersionWord", &SimAdapter::versionWord },
};

struct ValueKey {
    const char* name;
    DWORD index;
    DWORD initial;
};

const ValueKey kAdapterValues[] = {
    { "PanelId", SIM_VALUE_PANEL_ID, 2 },
    { "SecondaryPanelId", SIM_VALUE_SECONDARY_PANEL_ID, 2 },
    { "SecondaryColorInterface", SIM_VALUE_SECONDARY_COLOR_INTERFACE, 0 },
    { "SecondaryPanelSupported", SIM_VALUE_SECONDARY_PANEL_SUPPORTED, 1 },
    { "TvSupported", SIM_VALUE_TV_SUPPORTED, 1 },
    { "TvSystem", SIM_VALUE_TV_SYSTEM, 0 },
    { "ReduceOn", SIM_VALUE_REDUCE_ON, 0 },
    { "AdapterKind", SIM_VALUE_ADAPTER_KIND, 1 },
    { "DeviceMask", SIM_VALUE_DEVICE_MASK, SIM_OUTPUT_LCD },
    { "DualMonitorSwapped", SIM_VALUE_DUAL_MONITOR_SWAPPED, 0 },
};

void DefaultAdapter(SimAdapter& a)
{
    ZeroMemory(&a, sizeof(a));
    for (const ValueKey& key : kAdapterValues)
        a.values[key.index] = key.initial;
    a.crtAttached = 1;
    a.acLineStatus = 255;
    a.pciDeviceId = 0x0B52;
    a.revision = 0x02;
    a.subsystemId = 0x1043;
    a.version[0] = 6;
    a.version[1] = 14;
    a.version[2] = 1;
    a.version[3] = 2;
    a.versionBytes[0] = 1;
}

bool ApplyAdapterKey(SimAdapter& a, AdapterText& text, const IniLine& line)
{
    for (const MemberKey& key : kAdapterMembers)
        if (EqualsNoCase(line.key, key.name))
            return ParseNumber(line.value, a.*key.member);
    for (const ValueKey& key : kAdapterValues)
        if (EqualsNoCase(line.key, key.name))
            return ParseNumber(line.value, a.values[key.index]);
    if (EqualsNoCase(line.key, "DeviceId")) {
        text.deviceId = line.value;
        return !line.value.empty();
    }
    if (EqualsNoCase(line.key, "DeviceString")) {
        text.deviceString = line.value;
        return true;
    }
    if (EqualsNoCase(line.key, "Version"))
        return ParseArray(line.value, '.', a.version);
    if (EqualsNoCase(line.key, "VersionBytes"))
        return ParseArray(line.value, ',', a.versionBytes);
    if (EqualsNoCase(line.key, "StatusBytes"))
        return ParseArray(line.value, ',', a.statusBytes);
    if (EqualsNoCase(line.key, "StatusWords"))
        return ParseArray(line.value, ',', a.statusWords);
    if (EqualsNoCase(line.key, "Depths"))
        return ParseList(line.value, ',', text.depths);
    if (EqualsNoCase(line.key, "Frequency"))
        return ParseNumber(line.value, text.frequency);
    if (EqualsNoCase(line.key, "Resolutions")) {
        text.widths.clear();
        text.heights.clear();
        size_t start = 0;
        while (start <= line.value.size()) {
            size_t end = line.value.find(',', start);
            if (end == std::string::npos)
                end = line.value.size();
            DWORD w, h;
            std::string item = line.value.substr(start, end - start);
            while (!item.empty() && item.front() == ' ')
                item.erase(0, 1);
            if (!ParseResolution(item, w, h))
                return false;
            text.widths.push_back(w);
            text.heights.push_back(h);
            start = end + 1;
        }
        return true;
    }
    if (line.key.size() > 6 && EqualsNoCase(line.key.substr(0, 6), "Value.")) {
        DWORD index;
        return ParseNumber(line.key.substr(6), index) && index < SIM_VALUE_COUNT
            && ParseNumber(line.value, a.values[index]);
    }
    return false;
}

// Completes an adapter after its keys: the mode list and the DeviceID.
bool FinishAdapter(SimAdapter& a, AdapterText& text)
{
    if (text.widths.size() * text.depths.size() > SIM_MAX_MODES)
        return false;
    a.modeCount = 0;
    for (DWORD depth : text.depths)
        for (size_t r = 0; r < text.widths.size(); ++r)
            a.modes[a.modeCount++] = { text.widths[r], text.heights[r], depth, text.frequency };
    if (text.deviceId.empty()) {
        char id[128];
        std::snprintf(id, sizeof(id), "PCI\\VEN_7A3E&DEV_%04lX&SUBSYS_%08lX&REV_%02lX",
                      a.pciDeviceId & 0xFFFFul, a.subsystemId & 0xFFFFul, a.revision & 0xFFul);
        text.deviceId = id;
    }
    return true;
}

bool ApplyDeviceKey(SimDevice& d, const IniLine& line)
{
    if (EqualsNoCase(line.key, "Name")) {
        CopyText(d.deviceName, sizeof(d.deviceName), line.value);
        return !line.value.empty() && line.value.size() < sizeof(d.deviceName);
    }
    if (EqualsNoCase(line.key, "DeviceId")) {
        CopyText(d.deviceId, sizeof(d.deviceId), line.value);
        return true;
    }
    if (EqualsNoCase(line.key, "DeviceString")) {
        CopyText(d.deviceString, sizeof(d.deviceString), line.value);
        return true;
    }
    if (EqualsNoCase(line.key, "DeviceKey")) {
        CopyText(d.deviceKey, sizeof(d.deviceKey), line.value);
        return true;
    }
    if (EqualsNoCase(line.key, "Primary"))
        return ParseBool(line.value, d.primary);
    if (EqualsNoCase(line.key, "Attached"))
        return ParseBool(line.value, d.attached);
    if (EqualsNoCase(line.key, "Resolution"))
        return ParseResolution(line.value, d.current.width, d.current.height);
    if (EqualsNoCase(line.key, "Depth"))
        return ParseNumber(line.value, d.current.bitsPerPel);
    if (EqualsNoCase(line.key, "Frequency"))
        return ParseNumber(line.value, d.current.frequency);
    if (EqualsNoCase(line.key, "Rotation"))
        return ParseNumber(line.value, d.rotation) && d.rotation <= 3;
    return EqualsNoCase(line.key, "Adapter");  // read before the others
}

bool ApplyPowerKey(SimState& s, const IniLine& line)
{
    return EqualsNoCase(line.key, "ACLineStatus") && ParseNumber(line.value, s.acLineStatus)
        && IsSimulatedACLineStatus(s.acLineStatus);
}

bool ApplyFaultKey(SimState& s, const IniLine& line)
{
    if (EqualsNoCase(line.key, "ModeChange")) {
        DWORD result;
        if (!ParseNumber(line.value, result))
            return false;
        s.modeChangeResult = static_cast<LONG>(result);
        return true;
    }
    DWORD function;
    if (line.key.size() <= 7 || !EqualsNoCase(line.key.substr(0, 7), "Escape.")
        || !ParseNumber(line.key.substr(7), function) || function >= SIM_FUNCTION_COUNT)
        return false;
    if (EqualsNoCase(line.value, "NoAnswer")) {
        s.escapeFaults[function] = SIM_NO_ANSWER;
        return true;
    }
    DWORD status;
    if (!ParseNumber(line.value, status) || status < SIM_STATUS_FIRST || status > SIM_STATUS_LAST)
        return false;
    s.escapeFaults[function] = status;
    return true;
}

// "Adapter3" -> 3 for prefix "Adapter"; -1 when the name is not of that form.
int SectionIndex(const std::string& section, const char* prefix)
{
    size_t n = lstrlenA(prefix);
    if (section.size() <= n || !EqualsNoCase(section.substr(0, n), prefix))
        return -1;
    DWORD index;
    std::string digits = section.substr(n);
    if (digits.find_first_not_of("0123456789") != std::string::npos || !ParseNumber(digits, index))
        return -1;
    return static_cast<int>(index);
}

// Checks section names and that adapters and devices are numbered from 0
// without gaps; counts them.
int CheckSections(const std::vector<IniLine>& lines, DWORD& adapters, DWORD& devices)
{
    adapters = devices = 0;
    int adapterSeen[SIM_MAX_ADAPTERS + 1] = {};
    int deviceSeen[SIM_MAX_DEVICES + 1] = {};
    for (const IniLine& line : lines) {
        if (!line.key.empty())
            continue;
        int a = SectionIndex(line.section, "Adapter");
        int d = SectionIndex(line.section, "Device");
        if (a >= 0 && a < SIM_MAX_ADAPTERS)
            adapterSeen[a] = line.line;
        else if (d >= 0 && d < SIM_MAX_DEVICES)
            deviceSeen[d] = line.line;
        else if (!EqualsNoCase(line.section, "Scenario") && !EqualsNoCase(line.section, "Faults")
                 && !EqualsNoCase(line.section, "Power"))
            return line.line;
    }
    while (adapters < SIM_MAX_ADAPTERS && adapterSeen[adapters])
        ++adapters;
    while (devices < SIM_MAX_DEVICES && deviceSeen[devices])
        ++devices;
    for (int i = adapters; i < SIM_MAX_ADAPTERS; ++i)
        if (adapterSeen[i])
            return adapterSeen[i];
    for (int i = devices; i < SIM_MAX_DEVICES; ++i)
        if (deviceSeen[i])
            return deviceSeen[i];
    return 0;
}

int BuildDevice(const std::vector<IniLine>& lines, int index, SimState& s,
                const std::vector<AdapterText>& texts)
{
    std::string section = "Device" + std::to_string(index);
    int header = 0;
    DWORD adapter = 0;
    for (const IniLine& line : lines) {
        if (!EqualsNoCase(line.section, section.c_str()))
            continue;
        if (line.key.empty())
            header = header ? header : line.line;
        else if (EqualsNoCase(line.key, "Adapter")) {
            if (EqualsNoCase(line.value, "none"))
                adapter = SIM_FOREIGN;
            else if (!ParseNumber(line.value, adapter) || adapter >= s.adapterCount)
                return line.line;
        }
    }
    SimDevice& d = s.devices[index];
    ZeroMemory(&d, sizeof(d));
    std::snprintf(d.deviceName, sizeof(d.deviceName), "\\\\.\\DISPLAY%d", index + 1);
    d.adapter = adapter;
    d.attached = 1;
    d.primary = index == 0;
    d.current = { 1024, 768, 32, 60 };
    if (adapter != SIM_FOREIGN) {
        CopyText(d.deviceId, sizeof(d.deviceId), texts[adapter].deviceId);
        CopyText(d.deviceString, sizeof(d.deviceString), texts[adapter].deviceString);
        d.current.frequency = texts[adapter].frequency;
    } else {
        CopyText(d.deviceString, sizeof(d.deviceString), "Other Display Adapter");
    }
    for (const IniLine& line : lines)
        if (!line.key.empty() && EqualsNoCase(line.section, section.c_str()) && !ApplyDeviceKey(d, line))
            return line.line;
    // Another vendor's device has no identity to inherit.
    if (adapter == SIM_FOREIGN && d.deviceId[0] == '\0')
        return header;
    return 0;
}

} // namespace

LONG ParseScenario(const char* text, SimState& s)
{
    std::vector<IniLine> lines;
    int bad = ParseIni(text, lines);
    if (bad)
        return bad;
    DWORD adapters, devices;
    bad = CheckSections(lines, adapters, devices);
    if (bad)
        return bad;

    ZeroMemory(&s, sizeof(s));
    s.size = sizeof(SimState);
    s.version = SIM_STATE_VERSION;
    s.hasEnumDisplayDevices = 1;
    s.modeChangeResult = SIM_MODE_CHANGE_NORMAL;
    s.acLineStatus = AC_LINE_ONLINE;
    CopyText(s.scenario, sizeof(s.scenario), kBuiltInName);

    s.adapterCount = adapters ? adapters : 1;
    std::vector<AdapterText> texts(s.adapterCount);
    for (DWORD a = 0; a < s.adapterCount; ++a) {
        DefaultAdapter(s.adapters[a]);
        std::string section = "Adapter" + std::to_string(a);
        int header = 0;
        for (const IniLine& line : lines) {
            if (!EqualsNoCase(line.section, section.c_str()))
                continue;
            if (line.key.empty())
                header = header ? header : line.line;
            else if (!ApplyAdapterKey(s.adapters[a], texts[a], line))
                return line.line;
        }
        if (!FinishAdapter(s.adapters[a], texts[a]))
            return header;
    }

    s.deviceCount = devices ? devices : 1;
    for (DWORD d = 0; d < s.deviceCount; ++d) {
        bad = BuildDevice(lines, static_cast<int>(d), s, texts);
        if (bad)
            return bad;
    }

    for (const IniLine& line : lines) {
        if (line.key.empty())
            continue;
        if (EqualsNoCase(line.section, "Scenario")) {
            if (!EqualsNoCase(line.key, "EnumDisplayDevices") || !ParseBool(line.value, s.hasEnumDisplayDevices))
                return line.line;
        } else if (EqualsNoCase(line.section, "Faults") && !ApplyFaultKey(s, line)) {
            return line.line;
        } else if (EqualsNoCase(line.section, "Power") && !ApplyPowerKey(s, line)) {
            return line.line;
        }
    }
    return 0;
}

LONG ReadScenarioFile(const char* path, SimState& state)
{
    HANDLE opened = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return -1;
    CHandle file(opened);
    DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE || size > 1024 * 1024)
        return -1;
    std::string text(size, '\0');
    DWORD read = 0;
    if (size && (!ReadFile(file.Get(), &text[0], size, &read, nullptr) || read != size))
        return -1;
    LONG result = ParseScenario(text.c_str(), state);
    if (result == 0)
        CopyText(state.scenario, sizeof(state.scenario), path);
    return result;
}

void DefaultScenario(SimState& state)
{
    ParseScenario("", state);
}

} // namespace vqxsim
