// vqxsimctl: shows and drives the simulated adapter from the command line.
//   vqxsimctl state | journal | clear | reset
//   vqxsimctl load <scenario.ini>
//   vqxsimctl install [<scenario.ini>] | remove      the machine-wide switch
//   vqxsimctl escape <device> <function> [<word 1> ...]   one escape 0x7300
//   vqxsimctl mode <device> <width> <height>          ChangeDisplaySettingsExA
//   vqxsimctl power <0|1|255>   the power source: battery, mains, unknown;
//                               broadcast to every window as a plug would
//   vqxsimctl hold        keeps the shared state alive until Enter is pressed
// The state lives only while some process has VQXSIM.DLL loaded; "hold"
// keeps it between separate vqxsimctl runs.
#include "vqxsim.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int Usage()
{
    std::fputs("usage: vqxsimctl state | journal | clear | reset | hold\n"
               "       vqxsimctl load <scenario.ini>\n"
               "       vqxsimctl install [<scenario.ini>] | remove\n"
               "       vqxsimctl escape <device> <function> [<word>...]\n"
               "       vqxsimctl mode <device> <width> <height>\n"
               "       vqxsimctl power <0|1|255>     (battery | mains | unknown)\n",
               stderr);
    return 2;
}

int PrintText(UINT (WINAPI *produce)(char*, UINT))
{
    std::vector<char> text(produce(nullptr, 0) + 1);
    produce(text.data(), static_cast<UINT>(text.size()));
    std::fputs(text.data(), stdout);
    return 0;
}

DWORD Number(const char* text)
{
    return static_cast<DWORD>(std::strtoul(text, nullptr, 0));
}

int Escape(int argc, char** argv)
{
    HDC dc = SimCreateDCA(argv[2], nullptr, nullptr, nullptr);
    if (!dc) {
        std::fprintf(stderr, "no device %s\n", argv[2]);
        return 1;
    }
    DWORD request[SIM_REQUEST_WORDS] = {};
    for (int i = 3; i < argc && i - 3 < SIM_REQUEST_WORDS; ++i)
        request[i - 3] = Number(argv[i]);
    DWORD reply[SIM_REPLY_WORDS] = {};
    int result = SimExtEscape(dc, SIM_ESCAPE, SIM_REQUEST_BYTES, reinterpret_cast<LPCSTR>(request),
                              SIM_REPLY_BYTES, reinterpret_cast<LPSTR>(reply));
    SimDeleteDC(dc);
    std::printf("returned 0x%X", result);
    if (result == SIM_ESCAPE) {
        std::printf(" status 0x%lX reply", reply[0]);
        for (int i = 1; i < SIM_REPLY_WORDS; ++i)
            std::printf(" %lX", reply[i]);
    }
    std::printf("\n");
    return result == SIM_ESCAPE && reply[0] == 0 ? 0 : 1;
}

int Mode(char** argv)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = Number(argv[3]);
    mode.dmPelsHeight = Number(argv[4]);
    LONG result = SimChangeDisplaySettingsExA(argv[2], &mode, nullptr, CDS_UPDATEREGISTRY | CDS_RESET, nullptr);
    std::printf("result %ld\n", result);
    return result == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

// Changes the power source, then tells every top-level window of every
// process, as the system does when the mains plug is pulled or put back.
int Power(const char* argument)
{
    char* end = nullptr;
    unsigned long status = std::strtoul(argument, &end, 0);
    if (*argument == '\0' || *end != '\0' || status > 0xFF || !SimSetACLineStatus(static_cast<BYTE>(status))) {
        std::fprintf(stderr, "cannot set the power source to %s (0 battery, 1 mains, 255 unknown)\n", argument);
        return 1;
    }
    DWORD recipients = BSM_ALLCOMPONENTS;
    if (BroadcastSystemMessageA(BSF_POSTMESSAGE, &recipients, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0) < 0) {
        std::fprintf(stderr, "the power source changed, but the broadcast failed (error %lu)\n", GetLastError());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    std::string command = argv[1];
    if (command == "state" && argc == 2)
        return PrintText(SimStateToText);
    if (command == "journal" && argc == 2)
        return PrintText(SimJournalToText);
    if (command == "clear" && argc == 2) {
        SimClearJournal();
        return 0;
    }
    if (command == "reset" && argc == 2) {
        SimReset();
        return 0;
    }
    if (command == "load" && argc == 3) {
        LONG result = SimLoadScenario(argv[2]);
        if (result == -1)
            std::fprintf(stderr, "cannot read %s\n", argv[2]);
        else if (result != 0)
            std::fprintf(stderr, "%s(%ld): cannot use this line\n", argv[2], result);
        return result == 0 ? 0 : 1;
    }
    if (command == "install" && argc <= 3)
        return SimInstallSwitch(SIM_DLL_NAME, argc == 3 ? argv[2] : nullptr) ? 0 : 1;
    if (command == "remove" && argc == 2)
        return SimRemoveSwitch() ? 0 : 1;
    if (command == "escape" && argc >= 4)
        return Escape(argc, argv);
    if (command == "mode" && argc == 5)
        return Mode(argv);
    if (command == "power" && argc == 3)
        return Power(argv[2]);
    if (command == "hold" && argc == 2) {
        SimHasEnumDisplayDevices();  // attaches to (or creates) the state
        std::puts("holding the simulated adapter's state; press Enter to end");
        std::getchar();
        return 0;
    }
    return Usage();
}
