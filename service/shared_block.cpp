#include "shared_block.h"

#include <cstring>
#include <string>

#include "base_exception.h"
#include "resource_ids.h"

CSharedBlock::~CSharedBlock()
{
    Close();
}

void CSharedBlock::Open(const char* name, DWORD size)
{
    Close();
    if (size == 0)
        ThrowServiceError(IDS_ERR_SHARED_SIZE, 0);
    m_size = size + sizeof(DWORD);

    // Each system call's error is its own: a stale ERROR_ALREADY_EXISTS of
    // an earlier create must never pass for the failure's cause.
    const std::string mutexName = std::string(name) + "-Mutex";
    SetLastError(ERROR_SUCCESS);
    m_mutex.Reset(CreateMutexA(nullptr, FALSE, mutexName.c_str()));
    if (!m_mutex)
        ThrowServiceError(IDS_ERR_SHARED_MUTEX, static_cast<int>(GetLastError()));

    SetLastError(ERROR_SUCCESS);
    m_mapping.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, m_size, name));
    if (!m_mapping)
        ThrowServiceError(IDS_ERR_SHARED_MAPPING, static_cast<int>(GetLastError()));
    m_created = GetLastError() != ERROR_ALREADY_EXISTS;

    // An existing block is mapped whole: the display configuration may have
    // changed since its creator sized it.
    SetLastError(ERROR_SUCCESS);
    m_view.Reset(MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, m_created ? m_size : 0));
    if (!m_view)
        ThrowServiceError(IDS_ERR_SHARED_VIEW, static_cast<int>(GetLastError()));

    if (m_created)
        Clear(size);
    // What may be read is what the system mapped, never what the size word
    // says: every process of the session can write that word.
    MEMORY_BASIC_INFORMATION region = {};
    if (VirtualQuery(m_view.Get(), &region, sizeof(region)) == sizeof(region))
        m_size = static_cast<DWORD>(region.RegionSize);
    else if (!m_created)
        m_size = sizeof(DWORD) + sizeof(HardwareHeader);
}

void CSharedBlock::Clear(DWORD size)
{
    std::memset(m_view.Get(), 0, m_size);
    *static_cast<DWORD*>(m_view.Get()) = size + sizeof(DWORD);
}

namespace {

// TRUE when `bytes` bytes at `at` lie inside the first `limit` bytes at `start`.
bool LiesWithin(const void* start, DWORD limit, const void* at, size_t bytes)
{
    const BYTE* first = static_cast<const BYTE*>(start);
    const BYTE* p = static_cast<const BYTE*>(at);
    return first && p >= first && bytes <= limit && static_cast<size_t>(p - first) <= limit - bytes;
}

} // namespace

bool CSharedBlock::Contains(const void* at, size_t bytes) const
{
    return LiesWithin(m_view.Get(), m_size, at, bytes);
}

bool CSharedBlock::ContainsDeclared(const void* at, size_t bytes) const
{
    if (!m_view || m_size < sizeof(DWORD))
        return false;
    // Read once: another process may change the word while it is used.
    const DWORD declared = *static_cast<const volatile DWORD*>(m_view.Get());
    return LiesWithin(m_view.Get(), declared < m_size ? declared : m_size, at, bytes);
}

void CSharedBlock::Close()
{
    m_size = 0;
    m_view.Reset();
    m_mapping.Reset();
    m_mutex.Reset();
}

BOOL CSharedBlock::Lock(DWORD milliseconds)
{
    return WaitForSingleObject(m_mutex, milliseconds) == WAIT_OBJECT_0;
}

BOOL CSharedBlock::Unlock()
{
    return ReleaseMutex(m_mutex);
}

HardwareHeader* CSharedBlock::Data() const
{
    if (!m_view)
        return nullptr;
    return reinterpret_cast<HardwareHeader*>(static_cast<BYTE*>(m_view.Get()) + sizeof(DWORD));
}
