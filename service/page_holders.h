// CPageHolders: which processes show pages of the Display Properties
// extension, and how many each, so that the header's `pagesOpen` says
// exactly whether some live process shows one.  A single flag cannot: two
// sheets may be open at once, and a process that ends (End Task, a crash of
// another handler in its sheet) never lowers it.
//
// A fixed table of {process id, count} slots in a side block of the
// session.  Every call is made under the shared block's mutex.
#pragma once

#include <windows.h>

#include "side_block.h"

class CPageHolders {
public:
    CPageHolders();

    // FALSE when the side block could not be had.
    bool Available() const { return Table() != nullptr; }
    // Raises (`shown`) or lowers this process's count.
    void Change(bool shown);
    // Whether a live process holds a page; forgets the holders whose process
    // ended and the slots that hold nonsense.
    bool AnyLiveHolder();

private:
    struct Slot;
    struct TableData;
    TableData* Table() const;
    Slot* Find(DWORD processId);

    CSideBlock m_block;
};
