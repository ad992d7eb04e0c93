// CHardware: the driver escape channel and the operations that are one
// driver request each.
#include "hardware.h"

#include <cstring>

#include "base_exception.h"
#include "display_seam.h"
#include "os_service.h"
#include "resource_ids.h"

using namespace driver;

namespace {

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
    const int result = display::ExtEscape(m_displayDC.Get(), kEscape, sizeof(*request),
                                          reinterpret_cast<const char*>(request), sizeof(answer),
                                          reinterpret_cast<char*>(&answer));
    if (result != kEscape)
        ThrowServiceError(IDS_ERR_ESCAPE_UNSUPPORTED, static_cast<int>(GetLastError()));
    // The caller gets the reply before any throw, so it can read the status.
    if (reply)
        *reply = answer;
    if (answer.words[0] != kStatusOk)
        ThrowServiceError(MessageForStatus(answer.words[0]), static_cast<int>(request->words[0]));
    return 0;
}

int CHardware::SendEscape(Function function, DriverReplyRecord* reply, DWORD word1, DWORD word2, DWORD word3)
{
    DriverRequestRecord request = {};
    request.words[0] = function;
    request.words[1] = word1;
    request.words[2] = word2;
    request.words[3] = word3;
    return DriverEscape(&request, reply);
}

int CHardware::SendEscapeBytes(Function function, BYTE b4, BYTE b5, BYTE b6)
{
    return SendEscape(function, nullptr, b4 | (b5 << 8) | (b6 << 16));
}

int CHardware::QueryStatus(DriverReplyRecord* status)
{
    return SendEscape(kFnStatus, status);
}

BOOL CHardware::RefreshStatus()
{
    DriverReplyRecord reply;
    QueryStatus(&reply);
    const StatusRecord status = AsStatusRecord(reply);

    HardwareHeader* h = GetHeader(FALSE);
    AdapterRecord* a = GetCurrentAdapter();
    DisplayRecord* d = GetCurrentDisplay();
    CSharedLock lock(m_block);
    h->driverStatus1 = status.statusBytes[0];
    h->driverStatus2 = status.statusBytes[1];
    h->driverStatus3 = status.statusBytes[2];
    d->rotation = status.rotation;
    d->mode = status.mode;
    d->driverStatusValue = status.statusValue;
    a->pciDeviceId = status.pciDeviceId;
    a->revision = status.revision;
    a->subsystemId = status.subsystemId;
    a->driverStatusWord = status.statusWord;
    a->driverStatusByte = status.statusByte;
    for (int i = 0; i < 4; ++i)
        a->driverStatusWords[i] = status.statusWords[i];
    return lock.Unlock();
}

DWORD CHardware::ReadDriverPair(DWORD a, DWORD b)
{
    DriverReplyRecord reply;
    SendEscape(kFnReadPair, &reply, a, b);
    return reply.words[1];
}

int CHardware::WriteDriverPair(DWORD a, DWORD b, DWORD c)
{
    return SendEscape(kFnWritePair, nullptr, a, b, c);
}

DWORD CHardware::GetDriverValue(DWORD index)
{
    DriverReplyRecord reply;
    SendEscape(kFnGetValue, &reply, index);
    return reply.words[1];
}

int CHardware::SetDriverValue(DWORD index, DWORD value)
{
    return SendEscape(kFnSetValue, nullptr, index, value);
}

int CHardware::DriverRequest(const DriverRequestBlock* block, DriverRequestBlock* replyBlock)
{
    DriverRequestRecord request = {};
    request.words[0] = kFnRequest;
    std::memcpy(&request.words[1], block->bytes, sizeof(block->bytes));
    DriverReplyRecord reply;
    DriverEscape(&request, &reply);
    if (replyBlock)
        std::memcpy(replyBlock->bytes, &reply.words[1], sizeof(replyBlock->bytes));
    return 0;
}

int CHardware::DriverFunction6(DWORD value)
{
    return SendEscape(kFnFunction6, nullptr, value);
}

int CHardware::DriverFunction7(DWORD value)
{
    return SendEscape(kFnFunction7, nullptr, value);
}

int CHardware::SetReduceOn(UINT level)
{
    return SendEscapeBytes(kFnReduceOn, static_cast<BYTE>(level));
}

int CHardware::NotifyPowerStatus(UINT acLineStatus)
{
    return SendEscapeBytes(kFnPowerStatus, static_cast<BYTE>(acLineStatus));
}

int CHardware::SetDriverRotation(UINT rotation)
{
    DriverRequestRecord request = {};
    request.words[0] = kFnRotate;
    request.words[1] = rotation & 0xFF;
    DriverReplyRecord reply = {};
    return TranslateStatus([&] { return DriverEscape(&request, &reply); }, reply,
                           { { kStatusBadRequest, IDS_ERR_ROTATION_UNSUPPORTED },
                             { kStatusNotNow, IDS_ERR_ROTATION_MODE } }, kFnRotate);
}

int CHardware::EnableDualViewMode(UINT size, UINT flag)
{
    DriverRequestRecord request = {};
    request.words[0] = kFnDualView;
    request.words[1] = 1 | ((size & 0xFF) << 8) | ((flag & 0xFF) << 16);
    DriverReplyRecord reply = {};
    return TranslateStatus([&] { return DriverEscape(&request, &reply); }, reply,
                           { { kStatusNeedsTwoOutputs, IDS_ERR_DUALVIEW_MODE } }, kFnDualView);
}

int CHardware::DisableDualViewMode()
{
    return SendEscapeBytes(kFnDualView, 0);
}

void CHardware::EnableDualAppMode(UINT swapped)
{
    SendEscapeBytes(kFnDualApp, 1, static_cast<BYTE>(swapped));
    m_settings->SetDualAppSwapped(swapped & 0xFF);
    GetCurrentAdapter()->dualAppSwapped = swapped & 0xFF;
}

int CHardware::DisableDualAppMode()
{
    return SendEscapeBytes(kFnDualApp, 0);
}

void CHardware::SetDualMonitorSwapped(UINT flag)
{
    SetDriverValue(kValueDualMonitorSwapped, flag & 0xFF);
    GetCurrentAdapter()->dualMonitorSwapped = flag & 0xFF;
}
