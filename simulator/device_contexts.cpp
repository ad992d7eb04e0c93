#include "device_contexts.h"

#include <map>
#include <mutex>

namespace vqxsim {
namespace {

struct ContextTable {
    std::mutex lock;
    std::map<HDC, std::string> devices;
};

ContextTable& Table()
{
    static ContextTable table;
    return table;
}

} // namespace

void RememberDeviceContext(HDC dc, const char* deviceName)
{
    ContextTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    t.devices[dc] = deviceName;
}

void ForgetDeviceContext(HDC dc)
{
    ContextTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    t.devices.erase(dc);
}

bool DeviceOfContext(HDC dc, std::string& deviceName)
{
    ContextTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto found = t.devices.find(dc);
    if (found == t.devices.end())
        return false;
    deviceName = found->second;
    return true;
}

} // namespace vqxsim
