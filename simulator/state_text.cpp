#include "state_text.h"

#include "text.h"

namespace vqxsim {
namespace {

const char* ModeName(DWORD mode)
{
    static const char* const kNames[] = { "single", "dual view", "dual application", "dual monitor" };
    return mode < 4 ? kNames[mode] : "?";
}

std::string MaskText(DWORD mask)
{
    static const char* const kNames[] = { "LCD", "CRT", "TV", "panel" };
    std::string text;
    for (int bit = 0; bit < 4; ++bit)
        if (mask & (1u << bit))
            text += std::string(text.empty() ? "" : "+") + kNames[bit];
    return Format("%lu (%s)", mask, text.empty() ? "none" : text.c_str());
}

const char* PowerSourceName(DWORD acLineStatus)
{
    switch (acLineStatus) {
    case AC_LINE_OFFLINE:
        return "battery";
    case AC_LINE_ONLINE:
        return "mains";
    default:
        return "unknown";
    }
}

std::string FaultText(DWORD fault)
{
    return fault == SIM_NO_ANSWER ? std::string("no answer") : Format("0x%lX", fault);
}

std::string AdapterText(DWORD index, const SimAdapter& a)
{
    std::string t = Format("adapter %lu: pci device 0x%04lX revision 0x%02lX subsystem 0x%04lX kind %lu\n",
                           index, a.pciDeviceId, a.revision, a.subsystemId, a.values[SIM_VALUE_ADAPTER_KIND]);
    t += Format("  outputs %s, mode %lu (%s)\n", MaskText(a.values[SIM_VALUE_DEVICE_MASK]).c_str(), a.mode,
                ModeName(a.mode));
    t += Format("  CRT attached %lu, TV supported %lu attached %lu system %lu, secondary panel supported %lu\n",
                a.crtAttached, a.values[SIM_VALUE_TV_SUPPORTED], a.tvAttached, a.values[SIM_VALUE_TV_SYSTEM],
                a.values[SIM_VALUE_SECONDARY_PANEL_SUPPORTED]);
    std::string size = a.panelWidth && a.panelHeight ? Format("%lux%lu", a.panelWidth, a.panelHeight)
                                                     : std::string("by id");
    t += Format("  panel id %lu (size %s), secondary panel id %lu colour interface %lu\n",
                a.values[SIM_VALUE_PANEL_ID], size.c_str(), a.values[SIM_VALUE_SECONDARY_PANEL_ID],
                a.values[SIM_VALUE_SECONDARY_COLOR_INTERFACE]);
    t += Format("  reduce-on %lu, AC line told to the driver %lu, dual monitor swapped %lu, "
                "dual view size %lu flag %lu, dual app swapped %lu\n",
                a.values[SIM_VALUE_REDUCE_ON], a.acLineStatus, a.values[SIM_VALUE_DUAL_MONITOR_SWAPPED],
                a.dualViewSize, a.dualViewFlag, a.dualAppSwapped);
    t += Format("  version %lu.%lu.%lu.%lu bytes %lu,%lu word %lu\n", a.version[0], a.version[1], a.version[2],
                a.version[3], a.versionBytes[0], a.versionBytes[1], a.versionWord);
    t += Format("  status bytes %lu,%lu,%lu value %lu word %lu byte %lu words %lu,%lu,%lu,%lu\n",
                a.statusBytes[0], a.statusBytes[1], a.statusBytes[2], a.statusValue, a.statusWord, a.statusByte,
                a.statusWords[0], a.statusWords[1], a.statusWords[2], a.statusWords[3]);
    t += Format("  last switch mode word %lu, function 6 %lu, function 7 %lu\n", a.lastSwitchModeWord,
                a.function6Value, a.function7Value);
    t += Format("  %lu modes:", a.modeCount);
    for (DWORD m = 0; m < a.modeCount; ++m)
        t += Format(" %lux%lux%lu@%lu", a.modes[m].width, a.modes[m].height, a.modes[m].bitsPerPel,
                    a.modes[m].frequency);
    t += "\n";
    std::string values;
    for (DWORD v = 0; v < SIM_VALUE_COUNT; ++v)
        if (a.values[v])
            values += Format(" %lu=%lu", v, a.values[v]);
    t += "  driver values:" + values + "\n";
    return t;
}

std::string DeviceText(DWORD index, const SimDevice& d)
{
    std::string adapter = d.adapter == SIM_FOREIGN ? std::string("other vendor") : Format("adapter %lu", d.adapter);
    return Format("device %lu: %s \"%s\" %s%s%s\n  id %s\n  %lux%lu %lu bpp %lu Hz, rotation %lu\n", index,
                  d.deviceName, d.deviceString, adapter.c_str(), d.primary ? ", primary" : "",
                  d.attached ? ", attached" : ", not attached", d.deviceId, d.current.width, d.current.height,
                  d.current.bitsPerPel, d.current.frequency, d.rotation);
}

} // namespace

std::string StateText(const SimState& s)
{
    std::string t = Format("scenario %s\nEnumDisplayDevicesA %s\n", s.scenario,
                           s.hasEnumDisplayDevices ? "present" : "absent");
    t += Format("power source: AC line %lu (%s)\n", s.acLineStatus, PowerSourceName(s.acLineStatus));
    for (DWORD d = 0; d < s.deviceCount && d < SIM_MAX_DEVICES; ++d)
        t += DeviceText(d, s.devices[d]);
    for (DWORD a = 0; a < s.adapterCount && a < SIM_MAX_ADAPTERS; ++a)
        t += AdapterText(a, s.adapters[a]);
    std::string faults;
    for (DWORD f = 0; f < SIM_FUNCTION_COUNT; ++f)
        if (s.escapeFaults[f])
            faults += Format(" escape %lu -> %s", f, FaultText(s.escapeFaults[f]).c_str());
    if (s.modeChangeResult != SIM_MODE_CHANGE_NORMAL)
        faults += Format(" mode change -> %ld", s.modeChangeResult);
    t += "faults:" + (faults.empty() ? std::string(" none") : faults) + "\n";
    return t;
}

} // namespace vqxsim
