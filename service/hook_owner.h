// CHookOwner: which process installed the hot-key hook whose handle the
// header's `keyboardHook` holds.
//
// Windows removes a hook when the thread that set it ends, but the header
// keeps the handle, and any process can write a value there.  The handle is
// trusted only while this record names it and its owner still runs; a
// recorded handle whose owner ended is the only value the hot-key service
// ever removes on another's behalf (Wine keeps such a hook; Windows already
// removed it).  The record lives in a side block of the session; every call
// is made under the shared block's mutex.
#pragma once

#include <windows.h>

#include <cstdint>

#include "side_block.h"

class CHookOwner {
public:
    CHookOwner();

    // FALSE when the side block could not be had.
    bool Available() const { return Record() != nullptr; }
    // `hook` was installed by a hot-key service and is recorded now.
    bool IsRecorded(int32_t hook) const;
    // The same, and the process that installed it still runs.
    bool IsOwnedByLiveProcess(int32_t hook) const;
    // The recorded hook, 0 when none is.
    int32_t Hook() const;
    // This process installed `hook`.
    void Set(int32_t hook);
    void Clear();

private:
    struct Data;
    Data* Record() const;

    CSideBlock m_block;
};
