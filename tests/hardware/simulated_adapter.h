// Test fixture: the service library on the simulated adapter.
//
// The simulated adapter is switched on for the whole test program before the
// service library first looks at the display.  Each test loads its scenario,
// starts with no settings and no OEM file, and releases what it acquired.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base_exception.h"
#include "hardware.h"
#include "service_ids.h"
#include "service_reference.h"
#include "vqxsim.h"

// The shared block's name (the system's interface with every process).
constexpr char kBlockName[] = "6B1E2D94-7A0C-4F3B-9D56-2E8C4A71B0F5";

// One adapter, one display, LCD and CRT active.
extern const char kOneDisplay[];

class SimulatedAdapter : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads a scenario (fails the test on a bad one) and clears the journal.
    void Load(const std::string& scenario);
    // The process's hardware service, taken at the first call and returned
    // at the end of the test or by ReleaseHardware.
    CHardware* Hardware() { return m_hardware.Acquire(); }
    void ReleaseHardware() { m_hardware.Release(); }
    // Writes a key of the OEM settings file.
    void SetOem(const char* section, const char* key, int value);

    // The journal's escape entries of one function, in order.
    std::vector<SimJournalEntry> Escapes(DWORD function) const;
    std::vector<SimJournalEntry> Journal() const;
    SimState State() const;
    void SetState(const SimState& state);

private:
    ServiceReference<CHardware> m_hardware;
};

// Runs `body` and returns the message id and value of the CBaseException it
// throws (deleted here); {0, 0} and a test failure when it throws none.
struct ServiceError {
    UINT id;
    int value;
    bool operator==(const ServiceError& o) const { return id == o.id && value == o.value; }
};
std::ostream& operator<<(std::ostream& out, const ServiceError& e);

// The same, where no error is a possible outcome: then {0, 0}.
template <class Body>
ServiceError ServiceErrorOf(Body&& body)
{
    try {
        body();
    } catch (CBaseException* e) {
        const ServiceError error = { e->m_messageId, e->m_value };
        e->Delete();
        return error;
    }
    return { 0, 0 };
}

template <class Body>
ServiceError CatchServiceError(Body&& body)
{
    const ServiceError error = ServiceErrorOf(body);
    if (error.id == 0)
        ADD_FAILURE() << "no error was thrown";
    return error;
}
