#include "sim_fixture.h"

#include <cstring>

#include "folders.h"

namespace simtest {

Request Words(std::initializer_list<DWORD> words)
{
    Request request(SIM_REQUEST_WORDS, 0);
    std::copy(words.begin(), words.end(), request.begin());
    return request;
}

Request Bytes(DWORD function, std::initializer_list<BYTE> bytes)
{
    Request request = Words({ function });
    std::memcpy(reinterpret_cast<BYTE*>(request.data()) + 4, bytes.begin(), bytes.size());
    return request;
}

Request Block(DWORD subFunction)
{
    Request request = Words({ SIM_FN_REQUEST });
    request[1 + SIM_BLOCK_SUBFUNCTION / 4] = subFunction;
    request[1 + SIM_BLOCK_MARKER / 4] = SIM_BLOCK_MARKER_VALUE;
    return request;
}

DWORD Reply::Word16(size_t offset) const
{
    WORD value;
    std::memcpy(&value, reinterpret_cast<const BYTE*>(words) + offset, sizeof(value));
    return value;
}

DWORD Reply::Byte(size_t offset) const
{
    return reinterpret_cast<const BYTE*>(words)[offset];
}

SimDC::SimDC(const char* device) : m_dc(SimCreateDCA(device, nullptr, nullptr, nullptr)) {}

SimDC::~SimDC()
{
    if (m_dc)
        SimDeleteDC(m_dc);
}

Reply SimDC::Send(const Request& request) const
{
    Reply reply;
    reply.returned = SimExtEscape(m_dc, SIM_ESCAPE, SIM_REQUEST_BYTES, reinterpret_cast<LPCSTR>(request.data()),
                                  SIM_REPLY_BYTES, reinterpret_cast<LPSTR>(reply.words));
    return reply;
}

DWORD SimDC::Status(const Request& request) const
{
    Reply reply = Send(request);
    EXPECT_EQ(SIM_ESCAPE, reply.returned) << "function " << request[0];
    return reply.Status();
}

std::unique_ptr<SimState> State()
{
    auto state = std::make_unique<SimState>();
    EXPECT_TRUE(SimGetState(state.get()));
    return state;
}

std::vector<SimJournalEntry> Journal()
{
    std::vector<SimJournalEntry> entries(SIM_JOURNAL_CAPACITY);
    entries.resize(SimGetJournal(entries.data(), SIM_JOURNAL_CAPACITY));
    return entries;
}

std::string ScenarioPath(const char* name)
{
    return testsupport::TestFolder() + "scenarios\\" + name;
}

DWORD RunTool(const std::string& arguments, std::string* output)
{
    SECURITY_ATTRIBUTES inherit = { sizeof(inherit), nullptr, TRUE };
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return ~0u;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string command = "\"" + testsupport::TestFolder() + "vqxsimctl.exe\" " + arguments;
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                  &process);
    CloseHandle(writeEnd);
    std::string text;
    char buffer[512];
    DWORD read = 0;
    while (started && ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read)
        text.append(buffer, read);
    CloseHandle(readEnd);
    if (!started)
        return ~0u;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = ~0u;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (output)
        *output = text;
    return code;
}

} // namespace simtest
