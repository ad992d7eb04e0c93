// The journal of requests the simulated adapter received, in order, kept in
// the shared area as a ring of SIM_JOURNAL_CAPACITY entries.
#pragma once

#include "shared_area.h"

#include <string>

namespace vqxsim {

// A new zeroed entry with its sequence number and the caller's process id;
// the oldest entry makes room when the ring is full.
SimJournalEntry& NewJournalEntry(Journal& journal, DWORD kind, const char* deviceName);
void ClearJournal(Journal& journal);
// Entry i, counted from the oldest held.
const SimJournalEntry& JournalAt(const Journal& journal, DWORD i);

std::string EntryText(const SimJournalEntry& entry);

} // namespace vqxsim
