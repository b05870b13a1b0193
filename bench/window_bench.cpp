// Varnholt's main window on a large tree, in this process: how long Find takes
// to show its results, and how long the window stays frozen while the results
// are saved, edited, printed and moved. A thread timer every 10 ms notes when
// messages were last dispatched; the longest gap during a command is the time
// the window could neither paint nor take a click.
//   window_bench.exe PROGRAM_FOLDER BENCH_CONFIG TREE WORK_FOLDER
// PROGRAM_FOLDER holds Varnholt's template and language file; the search takes
// "Options" and "Categories" from BENCH_CONFIG, without the content cache.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "common/PowerClass.h"
#include "common/TextSource.h"
#include "framework/Pump.h"
#include "framework/TextFile.h"
#include "framework/Ui.h"
#include "resources/varnholt/resource.h"
#include "varnholt/app/VarnholtDlg.h"
#include "varnholt/engine/MemoryTree.h"

namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point lastBeat;
double longestGap = 0;

void CALLBACK Beat(HWND, UINT, UINT_PTR, DWORD) {
    const auto now = Clock::now();
    longestGap = std::max(longestGap, std::chrono::duration<double>(now - lastBeat).count());
    lastBeat = now;
}

// Runs a command of the window; its seconds and the longest time without messages.
double Measure(const char* name, HWND window, int command) {
    lastBeat = Clock::now();
    longestGap = 0;
    const auto start = Clock::now();
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    Beat(nullptr, 0, 0, 0);
    std::printf("%-22s %8.2f s, frozen at most %6.2f s\n", name, seconds, longestGap);
    std::fflush(stdout);
    return seconds;
}

struct PlainTexts : TextSource {
    std::wstring GetText(int number) const override { return L"<" + std::to_wstring(number) + L">."; }
};

std::wstring Value(const std::wstring& file, const std::wstring& key) {
    PowerClass store;
    store.ConfigPath = file;
    return store.ReadConfigValue(key);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: window_bench PROGRAM_FOLDER BENCH_CONFIG TREE WORK_FOLDER\n");
        return 2;
    }
    const std::wstring programFolder = argv[1], benchConfig = argv[2], tree = argv[3], work = argv[4];
    PowerClass::SetProgramFolderForTests(programFolder);
    {
        PowerClass store;
        store.GetConfigPath();
        for (const wchar_t* key : {L"Options", L"Categories"}) store.WriteConfigValue(key, Value(benchConfig, key));
        store.WriteConfigValue(L"ContentCache", L"0");
        store.WriteConfigValue(L"CopyPath", work + L"\\moved\\...");
    }
    int saved = 0, edited = 0, printed = 0;
    fw::hooks::messageBox = [](HWND, const std::wstring&, const std::wstring&, UINT) { return IDYES; };
    fw::hooks::fileDialog = [&](const fw::FileDialogRequest&) {
        ++saved;
        return std::vector<std::wstring>{work + L"\\saved.txt"};
    };
    fw::hooks::shellOpen = [&](const std::wstring&) { ++edited; };
    fw::hooks::printDialog = [&]() -> std::optional<fw::PrintChoice> {
        ++printed;
        return std::nullopt;
    };

    CVarnholtDlg window;
    if (!window.Create(nullptr)) return 1;
    ShowWindow(window.hwnd(), SW_SHOW);
    fw::PumpPendingMessages();
    SetDlgItemTextW(window.hwnd(), IDC_SEARCH_PATH, tree.c_str());
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, Beat);
    // The best of three, as the scan beside it: this machine's other work varies.
    // Between them the same search without the window (no progress window, no
    // tree control) shows what the window itself costs.
    QuietProgress quiet;
    PlainTexts texts;
    PowerClass store;
    store.GetConfigPath();
    SearchSettings settings;
    LoadSearchSettings(settings, store);
    double best = 1e9, bestAlone = 1e9;
    for (int run = 0; run < 3; ++run) {
        best = std::min(best, Measure("find to results", window.hwnd(), IDC_FIND));
        MemoryTree memory;
        DuplicateResults out;
        const auto start = Clock::now();
        RunSearch(tree, settings, store, texts, quiet, memory, out);
        const double alone = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("%-22s %8.2f s\n", "the search alone", alone);
        bestAlone = std::min(bestAlone, alone);
    }
    std::printf("find to results, best  %8.2f s, the search alone %.2f s: %.2f times\n", best, bestAlone,
                best / bestAlone);
    for (const auto& [name, command] : {std::pair{"keep the newest", ID_SELECT_KEEP_NEWEST},
                                        std::pair{"keep the shortest path", ID_SELECT_KEEP_SHORTEST},
                                        std::pair{"invert", ID_SELECT_INVERT}, std::pair{"untick all", ID_SELECT_UNTICK_ALL},
                                        std::pair{"keep the first", ID_SELECT_KEEP_FIRST}})
        Measure(name, window.hwnd(), command);
    Measure("save", window.hwnd(), IDC_SAVE_RESULTS);
    Measure("edit", window.hwnd(), IDC_EDIT_RESULTS);
    Measure("print", window.hwnd(), ID_FILE_PRINT_RESULTS);
    wchar_t move[8] = {};
    if (GetEnvironmentVariableW(L"BENCH_MOVE", move, 8) && move[0] == L'1')
        Measure("delete all duplicates", window.hwnd(), ID_FUNCTIONS_DELETE_ALL);
    KillTimer(nullptr, timer);
    std::printf("saved %d, edited %d, print dialogs %d\n", saved, edited, printed);
    window.Destroy();
    return 0;
}
