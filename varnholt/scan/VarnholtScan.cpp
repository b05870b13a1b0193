// VarnholtScan [--config FILE] [--exceptions FILE] PATHLIST
// Runs Varnholt's duplicate search without a window and writes the results to
// standard output as a saved results list; a summary goes to standard error.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "common/PowerClass.h"
#include "framework/Errors.h"
#include "framework/TextFile.h"
#include "varnholt/engine/DuplicateSearch.h"
#include "varnholt/engine/MemoryTree.h"
#include "varnholt/engine/ResultsText.h"
#include "varnholt/engine/SearchSettings.h"
#include "varnholt/engine/TextNumbers.h"
#include "varnholt/engine/ExceptionList.h"
#include "varnholt/scan/LanguageTexts.h"

namespace {

std::atomic<bool> g_cancel{false};

BOOL WINAPI OnConsoleControl(DWORD type) {
    if (type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT) {
        g_cancel = true;  // the search stops and shows what it found so far
        return TRUE;
    }
    return FALSE;
}

// Progress without a window: Ctrl+C is its Cancel button.
class ConsoleProgress : public ProgressSink {
public:
    void SetStatusText(const std::wstring&) override {}
    void SetFolderTotal(int total) override { total_ = total; }
    int FolderTotal() const override { return total_; }
    void SetFolderIndex(int index) override { index_ = index; }
    int FolderIndex() const override { return index_; }
    void SetCurrentText(const std::wstring&) override {}
    void SetBarRange(int, int) override {}
    void SetBarPos(int) override {}
    void Tick() override {}
    void Refresh() override {}
    void KeepAlive() override {}
    bool CancelRequested() const override { return g_cancel; }

private:
    int total_ = 0, index_ = 0;
};

void Err(const std::wstring& text) {
    const std::string bytes = fw::EncodeText(text);
    fwrite(bytes.data(), 1, bytes.size(), stderr);
}

// The file's bytes as a saved list has them: one byte per character, or UTF-8
// after a byte-order mark when some character does not fit; CR LF line ends.
class Output {
public:
    explicit Output(bool wide) : wide_(wide) {
        if (wide_) Put("\xEF\xBB\xBF");
    }
    void Write(const std::wstring& text) {
        std::string bytes;
        bytes.reserve(text.size() + 8);
        for (size_t i = 0; i < text.size(); ++i) {
            const wchar_t c = text[i];
            if (c == L'\n') {
                bytes += "\r\n";
            } else if (!wide_) {
                bytes += static_cast<char>(c);
            } else {
                uint32_t cp = c;
                if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
                    cp = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
                if (cp < 0x80) {
                    bytes += static_cast<char>(cp);
                } else if (cp < 0x800) {
                    bytes += static_cast<char>(0xC0 | (cp >> 6));
                    bytes += static_cast<char>(0x80 | (cp & 0x3F));
                } else if (cp < 0x10000) {
                    bytes += static_cast<char>(0xE0 | (cp >> 12));
                    bytes += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                    bytes += static_cast<char>(0x80 | (cp & 0x3F));
                } else {
                    bytes += static_cast<char>(0xF0 | (cp >> 18));
                    bytes += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
                    bytes += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                    bytes += static_cast<char>(0x80 | (cp & 0x3F));
                }
            }
        }
        Put(bytes);
    }

    // Written in large blocks: a console or a device leaves standard output unbuffered.
    void Flush() {
        fwrite(pending_.data(), 1, pending_.size(), stdout);
        fflush(stdout);
        pending_.clear();
    }

private:
    void Put(const std::string& bytes) {
        pending_ += bytes;
        if (pending_.size() >= (1u << 20)) Flush();
    }
    bool wide_;
    std::string pending_;
};

bool ReadExceptions(const std::wstring& path, std::vector<std::wstring>& entries) {
    return ParseExceptionLines(fw::ReadTextLines(path), entries);
}

int Usage() {
    Err(L"usage: VarnholtScan.exe [--config FILE] [--exceptions FILE] PATHLIST\n"
        L"  PATHLIST: entries \"folder\\...\" joined by \";\"\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const DWORD started = GetTickCount();

    std::wstring configPath, exceptionsPath, pathList;
    bool havePathList = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a == L"--config" && i + 1 < argc) configPath = argv[++i];
        else if (a == L"--exceptions" && i + 1 < argc) exceptionsPath = argv[++i];
        else if (!a.empty() && a[0] == L'-' && a.size() > 1 && a[1] == L'-') return Usage();
        else if (!havePathList) { pathList = a; havePathList = true; }
        else return Usage();
    }
    if (!havePathList) return Usage();

    const std::wstring programFolder = PowerClass::GetProgramFolder();
    if (configPath.empty()) configPath = programFolder + L"\\config.ini";
    if (!PowerClass::FileExists(configPath)) {
        Err(L"VarnholtScan: cannot read " + configPath + L"\n");
        return 2;
    }

    try {
        PowerClass store;
        store.ConfigPath = configPath;  // the keys are read from this file only
        SearchSettings settings;
        LoadSearchSettings(settings, store);
        if (!exceptionsPath.empty() && !ReadExceptions(exceptionsPath, settings.exceptions))
            Err(L"No exception list detected!\n");

        LanguageTexts texts;
        std::wstring productId = store.ReadConfigValue(L"Product ID");
        if (productId.empty()) productId = L"0026";
        texts.Load(programFolder + L"\\" + productId + L"trl.ini", store.ReadConfigValue(L"Language"));

        SetConsoleCtrlHandler(OnConsoleControl, TRUE);
        ConsoleProgress progress;
        MemoryTree tree;
        DuplicateResults results;
        SearchStats stats;
        const SearchOutcome outcome =
            RunSearch(pathList, settings, store, texts, progress, tree, results, &stats);
        if (outcome == SearchOutcome::EmptyPath) {
            Err(texts.GetText(txt::kNoSearchPath) + L"\n");
            return 2;
        }

        const std::vector<std::wstring> items = tree.TextsInOrder();
        bool wide = false;
        for (const auto& t : items)
            for (wchar_t c : t) wide = wide || c > 255;
        Output out(wide);
        out.Write(L"Quorvexsoft Varnholt - Saved Results List\n" + std::wstring(47, L'=') + L"\n\n");
        out.Write(ResultsCriteriaText(settings, texts));
        for (const auto& t : items) out.Write(ResultsRecord(t));
        out.Flush();

        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        wchar_t line[512];
        swprintf(line, 512,
                 L"files collected %llu, groups %llu, duplicate files %llu, bytes read %llu, seconds %.2f%ls\n",
                 static_cast<unsigned long long>(stats.filesCollected),
                 static_cast<unsigned long long>(stats.groups),
                 static_cast<unsigned long long>(stats.duplicateFiles),
                 static_cast<unsigned long long>(stats.bytesRead), (GetTickCount() - started) / 1000.0,
                 outcome == SearchOutcome::Cancelled ? L" (cancelled)" : L"");
        Err(line);
        if (GetEnvironmentVariableW(L"VARNHOLTSCAN_DETAILS", nullptr, 0)) {
            swprintf(line, 512,
                     L"  walk %.3f s (%llu folders, %llu entries, %llu folders seen twice), compare %.3f s, "
                     L"second step %.3f s; of these opening and closing %.3f s (%llu opens), reading %.3f s; "
                     L"peak private %llu KB, peak working set %llu KB\n",
                     stats.collectSeconds, static_cast<unsigned long long>(stats.collection.foldersWalked),
                     static_cast<unsigned long long>(stats.collection.entriesSeen),
                     static_cast<unsigned long long>(stats.collection.foldersSkippedAsSeen), stats.compareSeconds,
                     stats.secondStepSeconds, stats.openSeconds, static_cast<unsigned long long>(stats.opens),
                     stats.readSeconds,
                     static_cast<unsigned long long>(memory.PeakPagefileUsage / 1024),
                     static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024));
            Err(line);
        }
        return outcome == SearchOutcome::Cancelled ? 1 : 0;
    } catch (const fw::Error& e) {
        Err(L"VarnholtScan: " + e.Message() + L"\n");
        return 2;
    }
}
