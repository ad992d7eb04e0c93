#include "journal.h"

#include "text.h"

namespace vqxsim {
namespace {

const char* FunctionName(DWORD function)
{
    static const char* const kNames[] = { "status", "read pair", "write pair", "get value", "set value",
                                          "request", "function 6", "function 7", "?", "reduce-on",
                                          "rotate", "dual view", "dual app", "switch", "AC line" };
    return function < sizeof(kNames) / sizeof(kNames[0]) ? kNames[function] : "?";
}

std::string StatusText(DWORD status)
{
    return status == SIM_NO_ANSWER ? std::string("no answer") : Format("0x%lX", status);
}

} // namespace

SimJournalEntry& NewJournalEntry(Journal& journal, DWORD kind, const char* deviceName)
{
    DWORD slot;
    if (journal.count < SIM_JOURNAL_CAPACITY) {
        slot = (journal.first + journal.count) % SIM_JOURNAL_CAPACITY;
        ++journal.count;
    } else {
        slot = journal.first;
        journal.first = (journal.first + 1) % SIM_JOURNAL_CAPACITY;
        ++journal.overflow;
    }
    SimJournalEntry& entry = journal.entries[slot];
    ZeroMemory(&entry, sizeof(entry));
    entry.sequence = journal.nextSequence++;
    entry.kind = kind;
    entry.processId = GetCurrentProcessId();
    lstrcpynA(entry.deviceName, deviceName ? deviceName : "", sizeof(entry.deviceName));
    return entry;
}

void ClearJournal(Journal& journal)
{
    journal.first = journal.count = journal.overflow = 0;
    journal.nextSequence = 1;
}

const SimJournalEntry& JournalAt(const Journal& journal, DWORD i)
{
    return journal.entries[(journal.first + i) % SIM_JOURNAL_CAPACITY];
}

std::string EntryText(const SimJournalEntry& e)
{
    std::string text = Format("%4lu pid %04lX ", e.sequence, e.processId);
    if (e.kind == SIM_JOURNAL_ESCAPE) {
        text += Format("escape %s %lu (%s):", e.deviceName, e.request[0], FunctionName(e.request[0]));
        // Trailing zero words carry nothing; word 0 is already shown.
        int last = SIM_REQUEST_WORDS - 1;
        while (last > 0 && e.request[last] == 0)
            --last;
        for (int i = 1; i <= last; ++i)
            text += Format(" %lX", e.request[i]);
        text += " -> " + StatusText(e.status);
    } else {
        text += Format("%s \"%s\"", e.extended ? "ChangeDisplaySettingsExA" : "ChangeDisplaySettingsA",
                       e.deviceName);
        if (e.hasMode)
            text += Format(" %lux%lu %lu bpp %lu Hz orientation %lu fields 0x%lX", e.width, e.height,
                           e.bitsPerPel, e.frequency, e.orientation, e.fields);
        else
            text += " (no mode)";
        text += Format(" flags 0x%lX -> %ld", e.flags, e.result);
    }
    return text;
}

} // namespace vqxsim
