// CHardware: the driver escape channel and the operations that are one
// driver request each.
#include "hardware.h"

#include <cstring>

#include "base_exception.h"
#include "display_seam.h"
#include "os_service.h"
#include "resource_ids.h"

namespace {

const int kDriverEscape = 0x7300;

enum DriverStatus : DWORD {
    kStatusOk = 0,
    kStatusBadRequest = 0x10001,
    kStatusNotNow = 0x10002,
    kStatusBusy = 0x10003,
    kStatusWrongMode = 0x10004,
    kStatusNoMemory = 0x10005,
    kStatusNoDevice = 0x10006,
    kStatusNeedsTwoOutputs = 0x10007,
};

UINT MessageForStatus(DWORD status)
{
    switch (status) {
    case kStatusBusy: return IDS_ERR_DRIVER_BUSY;
    case kStatusWrongMode: return IDS_ERR_DRIVER_MODE;
    case kStatusNoMemory: return IDS_ERR_DRIVER_MEMORY;
    case kStatusNoDevice: return IDS_ERR_DRIVER_NO_DEVICE;
    default: return IDS_ERR_DRIVER_FAILED;
    }
}

// Runs `send`; a driver failure with `status` becomes error `messageId`
// (value: the function code), any other error passes unchanged.
template <class Send>
int TranslateStatus(Send&& send, const DriverReplyRecord& reply,
                    std::initializer_list<std::pair<DWORD, UINT>> translations, DWORD function)
{
    try {
        return send();
    } catch (CBaseException* e) {
        for (const auto& t : translations) {
            if (reply.words[0] == t.first) {
                e->Delete();
                ThrowServiceError(t.second, static_cast<int>(function));
            }
        }
        throw;
    }
}

} // namespace

int CHardware::DriverEscape(const DriverRequestRecord* request, DriverReplyRecord* reply)
{
    if (!m_displayDC)
        ThrowServiceError(IDS_ERR_NO_DISPLAY_SELECTED, 0);
    DriverReplyRecord answer = {};
    SetLastError(ERROR_SUCCESS);
    const int result = display::ExtEscape(m_displayDC, kDriverEscape, sizeof(*request),
                                          reinterpret_cast<const char*>(request), sizeof(answer),
                                          reinterpret_cast<char*>(&answer));
    if (result != kDriverEscape)
        ThrowServiceError(IDS_ERR_ESCAPE_UNSUPPORTED, static_cast<int>(GetLastError()));
    // The caller gets the reply before any throw, so it can read the status.
    if (reply)
        *reply = answer;
    if (answer.words[0] != kStatusOk)
        ThrowServiceError(MessageForStatus(answer.words[0]), static_cast<int>(request->words[0]));
    return 0;
}

int CHardware::SendEscape(DWORD function, DriverReplyRecord* reply, DWORD word1, DWORD word2, DWORD word3)
{
    DriverRequestRecord request = {};
    request.words[0] = function;
    request.words[1] = word1;
    request.words[2] = word2;
    request.words[3] = word3;
    return DriverEscape(&request, reply);
}

int CHardware::SendEscapeBytes(DWORD function, BYTE b4, BYTE b5, BYTE b6)
{
    return SendEscape(function, nullptr, b4 | (b5 << 8) | (b6 << 16));
}

int CHardware::QueryStatus(DriverReplyRecord* status)
{
    return SendEscape(0, status);
}

BOOL CHardware::RefreshStatus()
{
    DriverReplyRecord status;
    QueryStatus(&status);
    const BYTE* r = reinterpret_cast<const BYTE*>(status.words);
    auto word16 = [r](int offset) { uint16_t v; std::memcpy(&v, r + offset, 2); return v; };
    auto word32 = [r](int offset) { int32_t v; std::memcpy(&v, r + offset, 4); return v; };

    HardwareHeader* h = GetHeader(FALSE);
    AdapterRecord* a = GetCurrentAdapter();
    DisplayRecord* d = GetCurrentDisplay();
    CSharedLock lock(m_block);
    h->driverStatus1 = r[4];
    h->driverStatus2 = r[5];
    h->driverStatus3 = r[6];
    d->rotation = r[32];
    d->mode = r[33];
    d->driverStatusValue = r[34];
    a->pciDeviceId = word16(80);
    a->revision = r[82];
    a->subsystemId = word16(84);
    a->driverStatusWord = word16(86);
    a->driverStatusByte = r[89];
    for (int i = 0; i < 4; ++i)
        a->driverStatusWords[i] = word32(92 + 4 * i);
    return lock.Unlock();
}

DWORD CHardware::ReadDriverPair(DWORD a, DWORD b)
{
    DriverReplyRecord reply;
    SendEscape(1, &reply, a, b);
    return reply.words[1];
}

int CHardware::WriteDriverPair(DWORD a, DWORD b, DWORD c)
{
    return SendEscape(2, nullptr, a, b, c);
}

DWORD CHardware::GetDriverValue(DWORD index)
{
    DriverReplyRecord reply;
    SendEscape(3, &reply, index);
    return reply.words[1];
}

int CHardware::SetDriverValue(DWORD index, DWORD value)
{
    return SendEscape(4, nullptr, index, value);
}

int CHardware::DriverRequest(const DriverRequestBlock* block, DriverRequestBlock* replyBlock)
{
    DriverRequestRecord request = {};
    request.words[0] = 5;
    std::memcpy(&request.words[1], block->bytes, sizeof(block->bytes));
    DriverReplyRecord reply;
    DriverEscape(&request, &reply);
    if (replyBlock)
        std::memcpy(replyBlock->bytes, &reply.words[1], sizeof(replyBlock->bytes));
    return 0;
}

int CHardware::DriverFunction6(DWORD value)
{
    return SendEscape(6, nullptr, value);
}

int CHardware::DriverFunction7(DWORD value)
{
    return SendEscape(7, nullptr, value);
}

int CHardware::SetReduceOn(UINT level)
{
    return SendEscapeBytes(9, static_cast<BYTE>(level));
}

int CHardware::NotifyPowerStatus(UINT acLineStatus)
{
    return SendEscapeBytes(14, static_cast<BYTE>(acLineStatus));
}

int CHardware::SetDriverRotation(UINT rotation)
{
    DriverRequestRecord request = {};
    request.words[0] = 10;
    request.words[1] = rotation & 0xFF;
    DriverReplyRecord reply = {};
    return TranslateStatus([&] { return DriverEscape(&request, &reply); }, reply,
                           { { kStatusBadRequest, IDS_ERR_ROTATION_UNSUPPORTED },
                             { kStatusNotNow, IDS_ERR_ROTATION_MODE } }, 10);
}

int CHardware::EnableDualViewMode(UINT size, UINT flag)
{
    DriverRequestRecord request = {};
    request.words[0] = 11;
    request.words[1] = 1 | ((size & 0xFF) << 8) | ((flag & 0xFF) << 16);
    DriverReplyRecord reply = {};
    return TranslateStatus([&] { return DriverEscape(&request, &reply); }, reply,
                           { { kStatusNeedsTwoOutputs, IDS_ERR_DUALVIEW_MODE } }, 11);
}

int CHardware::DisableDualViewMode()
{
    return SendEscapeBytes(11, 0);
}

void CHardware::EnableDualAppMode(UINT swapped)
{
    SendEscapeBytes(12, 1, static_cast<BYTE>(swapped));
    m_settings->SetDualAppSwapped(swapped & 0xFF);
    GetCurrentAdapter()->dualAppSwapped = swapped & 0xFF;
}

int CHardware::DisableDualAppMode()
{
    return SendEscapeBytes(12, 0);
}

void CHardware::SetDualMonitorSwapped(UINT flag)
{
    SetDriverValue(108, flag & 0xFF);
    GetCurrentAdapter()->dualMonitorSwapped = flag & 0xFF;
}
