// The display driver's protocol: escape 0x7300 on a display device context.
//
// A request is 11 little-endian words with the function in word 0; the reply
// is 27 words with the driver's status in word 0.  Function 5 carries a
// 40-byte block in bytes 4-43 of request and reply, marked at block offset
// 28 and naming its sub-function at block offset 16.  Everything the service
// library knows of the driver's protocol is named here.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

// The records of the escape and of function 5, as the hardware service's
// operations take them.
struct DriverRequestRecord {
    DWORD words[11];
};
struct DriverReplyRecord {
    DWORD words[27];
};
struct DriverRequestBlock {
    BYTE bytes[40];
};
static_assert(sizeof(DriverRequestRecord) == 44 && sizeof(DriverReplyRecord) == 108 &&
              sizeof(DriverRequestBlock) == 40, "escape records");

namespace driver {

constexpr int kEscape = 0x7300;

// Request word 0.
enum Function : DWORD {
    kFnStatus = 0,            // reply: the status record
    kFnReadPair = 1,          // word 1 = the value stored for (word 1, word 2)
    kFnWritePair = 2,         // stores word 3 for (word 1, word 2)
    kFnGetValue = 3,          // reply word 1 = driver value (word 1)
    kFnSetValue = 4,          // driver value (word 1) = word 2
    kFnRequest = 5,           // the 40-byte block
    kFnFunction6 = 6,
    kFnFunction7 = 7,
    kFnReduceOn = 9,          // byte 4: level
    kFnRotate = 10,           // word 1: rotation code
    kFnDualView = 11,         // byte 4: on, byte 5: size code, byte 6: flag
    kFnDualApp = 12,          // byte 4: on, byte 5: swapped
    kFnSwitchOutputs = 13,    // word 1: DisplayMask, word 2: mode word
    kFnPowerStatus = 14,      // byte 4: AC line status
};

// Indices of the driver values (functions 3 and 4).
enum Value : DWORD {
    kValuePanelId = 0,
    kValueSecondaryPanelId = 8,
    kValueSecondaryColorInterface = 10,
    kValueSecondaryPanelSupported = 11,
    kValueTvSupported = 32,
    kValueTvSystem = 33,
    kValueReduceOn = 39,
    kValueAdapterKind = 43,
    kValueDeviceMask = 64,
    kValueDualMonitorSwapped = 108,
};

// Reply word 0.
enum Status : DWORD {
    kStatusOk = 0,
    kStatusBadRequest = 0x10001,
    kStatusNotNow = 0x10002,
    kStatusBusy = 0x10003,
    kStatusWrongMode = 0x10004,
    kStatusNoMemory = 0x10005,
    kStatusNoDevice = 0x10006,
    kStatusNeedsTwoOutputs = 0x10007,
};

// Function 5: the sub-functions, and the offsets within its block.
enum SubFunction : DWORD {
    kSubCrtAttached = 2,
    kSubTvAttached = 3,
    kSubVersion = 4,
    kSubPanelSize = 8,
};
namespace block {
constexpr size_t kSubFunction = 16;   // request, 32-bit
constexpr size_t kMarker = 28;        // request, 32-bit: kMarkerValue
constexpr DWORD kMarkerValue = 0x5F00;
constexpr size_t kAttached = 16;      // reply of 2 and 3, 32-bit: non-zero = connected
constexpr size_t kPanelWidth = 16;    // reply of 8, 16-bit
constexpr size_t kPanelHeight = 24;   // reply of 8, 16-bit
// Reply of 4: the version parts.
constexpr size_t kVersion1 = 18, kVersion2 = 16, kVersion3 = 26, kVersion4 = 24;  // 16-bit
constexpr size_t kVersionByte1 = 23, kVersionByte2 = 22;                          // 8-bit
constexpr size_t kVersionWord = 20;                                               // 16-bit
} // namespace block

// Function 0's reply.
#pragma pack(push, 1)
struct StatusRecord {
    uint32_t status;
    uint8_t statusBytes[3];      // suspend flag first
    uint8_t reserved1[25];
    uint8_t rotation;            // RotationCode of the context's display
    uint8_t mode;                // DisplayMode of the adapter
    uint8_t statusValue;
    uint8_t reserved2[45];
    uint16_t pciDeviceId;
    uint8_t revision;
    uint8_t reserved3;
    uint16_t subsystemId;
    uint16_t statusWord;
    uint8_t reserved4;
    uint8_t statusByte;
    uint8_t reserved5[2];
    int32_t statusWords[4];
};
#pragma pack(pop)
static_assert(sizeof(StatusRecord) == sizeof(DriverReplyRecord), "status record");
static_assert(offsetof(StatusRecord, statusBytes) == 4 && offsetof(StatusRecord, rotation) == 32 &&
              offsetof(StatusRecord, mode) == 33 && offsetof(StatusRecord, statusValue) == 34 &&
              offsetof(StatusRecord, pciDeviceId) == 80 && offsetof(StatusRecord, revision) == 82 &&
              offsetof(StatusRecord, subsystemId) == 84 && offsetof(StatusRecord, statusWord) == 86 &&
              offsetof(StatusRecord, statusByte) == 89 && offsetof(StatusRecord, statusWords) == 92,
              "status record");

inline StatusRecord AsStatusRecord(const DriverReplyRecord& reply)
{
    StatusRecord status;
    std::memcpy(&status, &reply, sizeof(status));
    return status;
}

// A little-endian field of a block (the machine's own order).
template <class T>
T ReadField(const BYTE* bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes + offset, sizeof(value));
    return value;
}

// Function 5's request block for one sub-function.
inline DriverRequestBlock MakeRequestBlock(SubFunction subFunction)
{
    DriverRequestBlock request = {};
    const DWORD sub = subFunction, marker = block::kMarkerValue;
    std::memcpy(request.bytes + block::kSubFunction, &sub, sizeof(sub));
    std::memcpy(request.bytes + block::kMarker, &marker, sizeof(marker));
    return request;
}

} // namespace driver
