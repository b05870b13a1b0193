// VarnholtScan [--config FILE] [--exceptions FILE] PATHLIST
// Runs Varnholt's duplicate search without a window and writes the results to
// standard output as a saved results list; a summary goes to standard error.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/PowerClass.h"
#include "common/Translation.h"
#include "framework/Errors.h"
#include "framework/TextFile.h"
#include "varnholt/engine/ContentCache.h"
#include "varnholt/engine/DuplicateSearch.h"
#include "varnholt/engine/MemoryTree.h"
#include "varnholt/engine/ResultsText.h"
#include "varnholt/engine/ExceptionList.h"
#include "varnholt/engine/SearchSettings.h"
#include "varnholt/engine/TextNumbers.h"
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

// The results as a saved list has them: one byte per character, or UTF-8 after
// a byte-order mark when some character does not fit; CR LF line ends.
class Output {
public:
    explicit Output(bool utf8) : utf8_(utf8) {
        if (utf8_) pending_ = fw::kUtf8Bom;
    }
    void Write(std::wstring_view text) {
        pending_ += fw::EncodeTextAs(text, utf8_);
        if (pending_.size() >= (1u << 20)) Flush();
    }
    // Written in large blocks: a console or a device leaves standard output unbuffered.
    void Flush() {
        const bool written = fwrite(pending_.data(), 1, pending_.size(), stdout) == pending_.size();
        if (!written || fflush(stdout) != 0) throw std::runtime_error("the results could not be written");
        pending_.clear();
    }

private:
    bool utf8_;
    std::string pending_;
};

// The configuration Varnholt would use, found without making anything: the
// user's when it exists, else the template beside the program.
std::wstring DefaultConfigPath(const std::wstring& programFolder) {
    PowerClass store;
    store.ConfigPath = programFolder + L"\\config.ini";
    const std::wstring appData = store.ReadRegistryText(0, L"AppData");
    if (appData.empty() || !PowerClass::FileExists(store.ConfigPath)) return store.ConfigPath;
    const std::wstring user =
        PowerClass::UserConfigPath(appData, store.ReadConfigValue(L"Product ID"), store.ReadConfigValue(L"Version"));
    return PowerClass::FileExists(user) ? user : store.ConfigPath;
}

// The content cache Varnholt uses: beside the user's configuration, whether that
// exists yet or not; none without an application-data folder.
std::wstring DefaultCachePath(const std::wstring& programFolder) {
    PowerClass store;
    store.ConfigPath = programFolder + L"\\config.ini";
    const std::wstring appData = store.ReadRegistryText(0, L"AppData");
    if (appData.empty()) return {};
    return ContentCacheBeside(
        PowerClass::UserConfigPath(appData, store.ReadConfigValue(L"Product ID"), store.ReadConfigValue(L"Version")));
}

// An exception list; a default one that does not exist is an empty list, as in the window.
void ReadExceptions(const std::wstring& path, bool mayBeMissing, std::vector<std::wstring>& entries) {
    std::vector<std::wstring> lines;
    try {
        lines = fw::ReadTextLines(path);
    } catch (const fw::FileError&) {
        if (mayBeMissing && !PowerClass::FileExists(path)) return;
        throw;
    }
    if (!ParseExceptionLines(lines, entries)) Err(L"No exception list detected!\n");
}

// The keys of the settings file that a search needs and that it lacks, joined by ", ".
std::wstring MissingSearchKeys(const std::wstring& configPath) {
    const std::vector<std::wstring> lines = fw::ReadTextLines(configPath);
    std::wstring missing;
    for (const wchar_t* key : {L"Options", L"Categories"}) {
        const auto at = std::find(lines.begin(), lines.end(), key);
        if (at == lines.end() || at + 1 == lines.end())
            missing += (missing.empty() ? L"" : L", ") + std::wstring(L"\"") + key + L"\"";
    }
    return missing;
}

// The texts in the language Varnholt would show; the built-in English ones without a language file.
void LoadTexts(PowerClass& store, const std::wstring& programFolder, LanguageTexts& texts) {
    std::wstring productId = store.ReadConfigValue(L"Product ID");
    if (productId.empty()) productId = L"0026";
    std::vector<std::wstring> lines;
    try {
        lines = fw::ReadTextLines(CTranslation::LanguageFilePath(programFolder, productId));
    } catch (const fw::FileError&) {
        // No lines: the built-in English texts, as the window shows them then.
    }
    texts.Load(lines, CTranslation::ResolveLanguage(store, lines));
}

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (const char* c = text; *c; ++c) wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return wide;
}

int Usage() {
    Err(L"usage: VarnholtScan.exe [--config FILE] [--exceptions FILE] [--cache FILE | --no-cache] PATHLIST\n"
        L"  PATHLIST           folders joined by \";\", each with or without a trailing \"\\...\"\n"
        L"  --config FILE      settings in the config.ini form; default: the user's Varnholt\n"
        L"                     configuration when there is one, else the template beside the program\n"
        L"  --exceptions FILE  exception list; default: the one Varnholt uses, beside the\n"
        L"                     configuration, else the one beside the program (none when neither exists)\n"
        L"  --cache FILE       what earlier searches learned of file contents, read and kept up to date;\n"
        L"                     default: Varnholt's, beside the user's configuration (\"ContentCache\" 0: none)\n"
        L"  --no-cache         every file is read\n"
        L"Texts are in the language Varnholt shows. Nothing is written but the results and the cache.\n"
        L"Exit codes: 0 done, 1 cancelled (Ctrl+C), 2 error (a folder of the list that does not exist\n"
        L"among them), 3 done, but files or folders named on standard error could not be read.\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const DWORD started = GetTickCount();

    std::wstring configPath, exceptionsPath, cachePath, pathList;
    bool havePathList = false, noCache = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a == L"--config" && i + 1 < argc) configPath = argv[++i];
        else if (a == L"--exceptions" && i + 1 < argc) exceptionsPath = argv[++i];
        else if (a == L"--cache" && i + 1 < argc) cachePath = argv[++i];
        else if (a == L"--no-cache") noCache = true;
        else if (!a.empty() && a[0] == L'-' && a.size() > 1 && a[1] == L'-') return Usage();
        else if (!havePathList) { pathList = a; havePathList = true; }
        else return Usage();
    }
    if (!havePathList) return Usage();

    try {
        const std::wstring programFolder = PowerClass::GetProgramFolder();
        if (configPath.empty()) configPath = DefaultConfigPath(programFolder);
        PowerClass store;
        store.ConfigPath = configPath;  // the keys are read from this file only
        // A file without them would read as no criterion and no categories, or worse.
        if (const std::wstring missing = MissingSearchKeys(configPath); !missing.empty()) {
            Err(L"VarnholtScan: the settings file " + configPath + L" lacks what a search needs: " + missing + L"\n");
            return 2;
        }
        SearchSettings settings;
        LoadSearchSettings(settings, store);
        const bool defaultExceptions = exceptionsPath.empty();
        if (defaultExceptions) exceptionsPath = FindExceptionFile(configPath, programFolder);
        ReadExceptions(exceptionsPath, defaultExceptions, settings.exceptions);

        LanguageTexts texts;
        LoadTexts(store, programFolder, texts);

        if (noCache || (cachePath.empty() && store.ReadConfigValue(L"ContentCache") == L"0")) cachePath.clear();
        else if (cachePath.empty()) cachePath = DefaultCachePath(programFolder);
        ContentCache cache;
        if (!cachePath.empty() && cache.Load(cachePath) == ContentCache::Loaded::SetAside) {
            std::wstring text = texts.GetText(txt::kCacheSetAside);
            for (size_t at; (at = text.find(L"%1")) != std::wstring::npos;) text.replace(at, 2, cachePath);
            Err(L"VarnholtScan: " + text + L"\n");
        }

        SetConsoleCtrlHandler(OnConsoleControl, TRUE);
        ConsoleProgress progress;
        MemoryTree tree;
        DuplicateResults results;
        SearchStats stats;
        const SearchOutcome outcome = RunSearch(pathList, settings, store, texts, progress, tree, results, &stats,
                                                nullptr, cachePath.empty() ? nullptr : &cache);
        // Also after Ctrl+C: what the search learned stays learned.
        if (!cachePath.empty()) {
            SHCreateDirectoryExW(nullptr, cachePath.substr(0, cachePath.rfind(L'\\')).c_str(), nullptr);
            if (!cache.Save(cachePath)) Err(L"VarnholtScan: the cache could not be written to " + cachePath + L"\n");
        }
        if (outcome == SearchOutcome::EmptyPath) {
            Err(texts.GetText(txt::kNoSearchPath) + L"\n");
            return 2;
        }
        if (outcome == SearchOutcome::NoCriterion) {
            Err(L"VarnholtScan: " + texts.GetText(txt::kNoCriterion) + L"\n");
            return 2;
        }
        if (outcome == SearchOutcome::MissingFolder) {
            std::wstring text = texts.GetText(txt::kFolderMissing);
            if (size_t at = text.find(L"%1"); at != std::wstring::npos) text.replace(at, 2, results.missingFolder);
            Err(L"VarnholtScan: " + text + L"\n");
            return 2;
        }

        const std::vector<std::wstring> items = tree.TextsInOrder();
        bool utf8 = false;
        for (const auto& t : items)
            for (wchar_t c : t) utf8 = utf8 || c > 255;
        Output out(utf8);
        out.Write(ResultsTitle());
        out.Write(ResultsCriteriaText(settings, texts, results.folders));
        for (const auto& t : items) out.Write(ResultsRecord(t));
        out.Flush();

        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        wchar_t line[512];
        swprintf(line, 512,
                 L"files collected %llu, groups %llu, duplicate files %llu, opens %llu, bytes read %llu, "
                 L"seconds %.2f%ls\n",
                 static_cast<unsigned long long>(stats.filesCollected),
                 static_cast<unsigned long long>(stats.groups),
                 static_cast<unsigned long long>(stats.duplicateFiles),
                 static_cast<unsigned long long>(stats.opens),
                 static_cast<unsigned long long>(stats.bytesRead), (GetTickCount() - started) / 1000.0,
                 outcome == SearchOutcome::Cancelled ? L" (cancelled)" : L"");
        Err(line);
        // Never dropped in silence: each file or folder that could not be read is named.
        for (const auto& path : results.unreadable) Err(L"VarnholtScan: could not be read: " + path + L"\n");
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
            if (!cachePath.empty()) {
                swprintf(line, 512, L"  content cache %llu entries\n", static_cast<unsigned long long>(cache.Size()));
                Err(line);
            }
        }
        if (outcome == SearchOutcome::Cancelled) return 1;
        return results.unreadable.empty() ? 0 : 3;
    } catch (const fw::Error& e) {
        Err(L"VarnholtScan: " + e.Message() + L"\n");
        return 2;
    } catch (const std::exception& e) {
        // Also what a comparison thread passed on.
        Err(L"VarnholtScan: " + Widen(e.what()) + L"\n");
        return 2;
    } catch (...) {
        Err(L"VarnholtScan: the search stopped on an unknown error\n");
        return 2;
    }
}
