// The control interface for tests and tools: scenarios, state, faults and
// the journal.
#include "journal.h"
#include "power.h"
#include "scenario.h"
#include "shared_area.h"
#include "state_text.h"
#include "switch.h"
#include "text.h"

#include <memory>

using namespace vqxsim;

namespace {

// Replaces the shared state by a freshly built one and clears the journal.
void Install(const SimState& state)
{
    SharedLock lock;
    if (!lock)
        return;
    lock.State() = state;
    ClearJournal(lock.Area().journal);
}

template <typename Build>
LONG LoadWith(Build build)
{
    // Built aside, so a scenario with a bad line leaves the state as it was.
    auto state = std::make_unique<SimState>();
    LONG result = build(*state);
    if (result == 0)
        Install(*state);
    return result;
}

} // namespace

extern "C" LONG WINAPI SimLoadScenario(LPCSTR path)
{
    if (!path)
        return -1;
    return LoadWith([path](SimState& s) { return ReadScenarioFile(path, s); });
}

extern "C" LONG WINAPI SimLoadScenarioText(LPCSTR text)
{
    if (!text)
        return -1;
    return LoadWith([text](SimState& s) { return ParseScenario(text, s); });
}

extern "C" void WINAPI SimReset(void)
{
    LoadWith([](SimState& s) { DefaultScenario(s); return 0L; });
}

extern "C" LONG WINAPI SimResetToSwitch(void)
{
    LONG result = 0;
    LoadWith([&result](SimState& s) { result = StateFromSwitch(s); return 0L; });
    return result;
}

extern "C" BOOL WINAPI SimGetState(SimState* state)
{
    SharedLock lock;
    if (!lock || !state)
        return FALSE;
    *state = lock.State();
    return TRUE;
}

extern "C" BOOL WINAPI SimSetState(const SimState* state)
{
    if (!state || state->size != sizeof(SimState) || state->version != SIM_STATE_VERSION
        || state->adapterCount < 1 || state->adapterCount > SIM_MAX_ADAPTERS
        || state->deviceCount > SIM_MAX_DEVICES || !IsSimulatedACLineStatus(state->acLineStatus))
        return FALSE;
    for (DWORD a = 0; a < state->adapterCount; ++a)
        if (state->adapters[a].modeCount > SIM_MAX_MODES)
            return FALSE;
    for (DWORD d = 0; d < state->deviceCount; ++d)
        if (state->devices[d].adapter != SIM_FOREIGN && state->devices[d].adapter >= state->adapterCount)
            return FALSE;
    SharedLock lock;
    if (!lock)
        return FALSE;
    lock.State() = *state;
    return TRUE;
}

extern "C" BOOL WINAPI SimSetEscapeFault(DWORD function, DWORD status)
{
    bool valid = status == 0 || status == SIM_NO_ANSWER || (status >= SIM_STATUS_FIRST && status <= SIM_STATUS_LAST);
    if (function >= SIM_FUNCTION_COUNT || !valid)
        return FALSE;
    SharedLock lock;
    if (!lock)
        return FALSE;
    lock.State().escapeFaults[function] = status;
    return TRUE;
}

extern "C" void WINAPI SimSetModeChangeResult(LONG result)
{
    SharedLock lock;
    if (lock)
        lock.State().modeChangeResult = result;
}

extern "C" UINT WINAPI SimGetJournal(SimJournalEntry* entries, UINT max)
{
    SharedLock lock;
    if (!lock)
        return 0;
    const Journal& journal = lock.Area().journal;
    for (UINT i = 0; entries && i < max && i < journal.count; ++i)
        entries[i] = JournalAt(journal, i);
    return journal.count;
}

extern "C" DWORD WINAPI SimJournalOverflow(void)
{
    SharedLock lock;
    return lock ? lock.Area().journal.overflow : 0;
}

extern "C" void WINAPI SimClearJournal(void)
{
    SharedLock lock;
    if (lock)
        ClearJournal(lock.Area().journal);
}

extern "C" UINT WINAPI SimJournalToText(char* buffer, UINT size)
{
    std::string text;
    {
        SharedLock lock;
        if (lock) {
            const Journal& journal = lock.Area().journal;
            if (journal.overflow)
                text += Format("(%lu older entries dropped)\n", journal.overflow);
            for (DWORD i = 0; i < journal.count; ++i)
                text += EntryText(JournalAt(journal, i)) + "\n";
        }
    }
    return CopyOut(text, buffer, size);
}

extern "C" UINT WINAPI SimStateToText(char* buffer, UINT size)
{
    auto state = std::make_unique<SimState>();
    if (!SimGetState(state.get()))
        return CopyOut(std::string(), buffer, size);
    return CopyOut(StateText(*state), buffer, size);
}
