// CSharedBlock: the named, page-file-backed memory block that holds the
// shared records for every process, and its mutex.
//
// Layout: a size word (the block's total bytes), then the HardwareHeader,
// then per adapter its AdapterRecord and DisplayRecords.  The process that
// creates the mapping zeroes it and writes the size word; later processes
// attach to it as it is, whatever size their own enumeration computed.  No
// process reaches beyond what the system mapped for its view (Contains): the
// size word is data like any other, writable by every process.
#pragma once

#include <windows.h>

#include "framework.h"
#include "shared_records.h"

class CSharedBlock {
public:
    CSharedBlock() = default;
    virtual ~CSharedBlock();
    CSharedBlock(const CSharedBlock&) = delete;
    CSharedBlock& operator=(const CSharedBlock&) = delete;

    // Creates or opens the block `name` of `size` bytes (without the size
    // word) and its mutex `name`-Mutex.  Throws 305 (size 0), 306 (mutex),
    // 307 (mapping), 308 (view).
    void Open(const char* name, DWORD size);
    void Close();
    // Zeroes the block and writes the size word for `size` bytes of records,
    // as its creator does.  The caller holds the lock.
    void Clear(DWORD size);

    // Waits for the block's mutex; TRUE when obtained normally (an abandoned
    // mutex is obtained too, but answers FALSE).
    BOOL Lock(DWORD milliseconds);
    BOOL Unlock();

    // The HardwareHeader (just after the size word), or null when not open.
    HardwareHeader* Data() const;
    DWORD IsCreated() const { return m_created; }
    // The bytes of the view, size word included, as the system reports them.
    DWORD Size() const { return m_size; }
    // TRUE when `bytes` bytes at `at` lie inside the mapped block.
    bool Contains(const void* at, size_t bytes) const;
    // The same, inside the smaller of the mapping and what the block's size
    // word claims: the bound of a checked record walk, which must not hand
    // out the zeroed slack after the records as a record.
    bool ContainsDeclared(const void* at, size_t bytes) const;

private:
    DWORD m_created = 0;
    DWORD m_size = 0;
    CMappedView m_view;
    CHandle m_mutex;
    CHandle m_mapping;
};

// Holds the block's lock for a scope, so that every path out of a
// multi-field update releases it.
class CSharedLock {
public:
    explicit CSharedLock(CSharedBlock& block) : m_block(block) { m_block.Lock(INFINITE); }
    ~CSharedLock() { if (m_held) m_block.Unlock(); }
    CSharedLock(const CSharedLock&) = delete;
    CSharedLock& operator=(const CSharedLock&) = delete;
    // Releases now and returns the release's result.
    BOOL Unlock() { m_held = false; return m_block.Unlock(); }

private:
    CSharedBlock& m_block;
    bool m_held = true;
};
