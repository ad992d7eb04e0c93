// Shared helpers of the simulated adapter's tests: a DC on a simulated
// device, request builders, state and journal snapshots, and running the
// control tool in a second process.
#pragma once

#include "vqxsim.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace simtest {

using Request = std::vector<DWORD>;  // SIM_REQUEST_WORDS words

Request Words(std::initializer_list<DWORD> words);
// Function with byte arguments from byte 4 on.
Request Bytes(DWORD function, std::initializer_list<BYTE> bytes);
// Function 5 with a sub-function in a well-formed block.
Request Block(DWORD subFunction);

struct Reply {
    int returned = 0;
    DWORD words[SIM_REPLY_WORDS] = {};
    DWORD Status() const { return words[0]; }
    DWORD Word16(size_t offset) const;
    DWORD Byte(size_t offset) const;
};

// A device context opened through the seam, deleted through it.
class SimDC {
public:
    explicit SimDC(const char* device);
    ~SimDC();
    SimDC(const SimDC&) = delete;
    SimDC& operator=(const SimDC&) = delete;

    HDC Get() const { return m_dc; }
    Reply Send(const Request& request) const;
    // Sends and expects an answer; returns the status.
    DWORD Status(const Request& request) const;
    int Caps(int index) const { return SimGetDeviceCaps(m_dc, index); }

private:
    HDC m_dc;
};

std::unique_ptr<SimState> State();
std::vector<SimJournalEntry> Journal();
// Path of a scenario shipped beside the binaries.
std::string ScenarioPath(const char* name);

// Runs vqxsimctl with arguments; returns its exit code, its output in *output.
DWORD RunTool(const std::string& arguments, std::string* output = nullptr);

class SimTest : public ::testing::Test {
protected:
    void SetUp() override { SimReset(); }
    // Loads scenario text that must be valid.
    void Load(const char* text) { ASSERT_EQ(0, SimLoadScenarioText(text)); }
};

} // namespace simtest
