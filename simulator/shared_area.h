// The state every process sees: one named, page-file-backed mapping guarded
// by one named mutex.  The names carry the layout version, so binaries of
// different layouts never share a block.
#pragma once

#include "vqxsim.h"

namespace vqxsim {

// The layouts vqxsim.h documents; other programs read them by these sizes.
static_assert(sizeof(SimDevice) == 448, "SimDevice layout");
static_assert(sizeof(SimAdapter) == 1668, "SimAdapter layout");
static_assert(sizeof(SimState) == 6376, "SimState layout");
static_assert(sizeof(SimJournalEntry) == 132, "SimJournalEntry layout");

struct Journal {
    DWORD nextSequence;  // sequence of the next entry
    DWORD first;         // ring index of the oldest entry
    DWORD count;         // entries held
    DWORD overflow;      // entries dropped since the last clear
    SimJournalEntry entries[SIM_JOURNAL_CAPACITY];
};

struct SharedArea {
    SimState state;
    Journal journal;
};

// Holds the shared area's mutex for its lifetime.  The first use in a
// process maps the area; the process that creates it fills it from the
// switch's scenario (or the built-in default).  Evaluates to false when the
// area cannot be mapped, in which case nothing may be touched.
class SharedLock {
public:
    SharedLock();
    ~SharedLock();
    SharedLock(const SharedLock&) = delete;
    SharedLock& operator=(const SharedLock&) = delete;

    explicit operator bool() const { return m_area != nullptr; }
    SharedArea& Area() { return *m_area; }
    SimState& State() { return m_area->state; }

private:
    SharedArea* m_area = nullptr;
    HANDLE m_mutex = nullptr;
};

} // namespace vqxsim
