// CSideBlock: a small named block of the session beside the shared records,
// for what the system must know across processes but may not add to the
// records (their byte layout is an interface other programs read).
//
// The system zeroes a new block.  Every process of the session can write
// it, so its users bound every index and treat every value as a guess.
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework.h"

class CSideBlock {
public:
    // Creates or opens the block `name` of `bytes` bytes.  A block that
    // cannot be had (or that another program made smaller) leaves Data()
    // null: its users then fall back on what the records alone can say.
    CSideBlock(const char* name, size_t bytes);
    CSideBlock(const CSideBlock&) = delete;
    CSideBlock& operator=(const CSideBlock&) = delete;

    void* Data() const { return m_view.Get(); }

private:
    CHandle m_mapping;
    CMappedView m_view;
};
