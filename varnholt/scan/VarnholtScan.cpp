// VarnholtScan [options] PATHLIST
// Runs Varnholt's duplicate search without a window and writes the results to
// standard output as a saved results list, JSON or CSV; a summary goes to
// standard error. A rule ticks all but one member of each group, and an action
// carries the ticks out with the window's checks.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <chrono>
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
#include "varnholt/engine/FileMoves.h"
#include "varnholt/engine/GroupActions.h"
#include "varnholt/engine/MemoryTree.h"
#include "varnholt/engine/ProtectedFolders.h"
#include "varnholt/engine/ResultsText.h"
#include "varnholt/engine/ExceptionList.h"
#include "varnholt/engine/SearchSettings.h"
#include "varnholt/engine/Selection.h"
#include "varnholt/engine/TextNumbers.h"
#include "varnholt/scan/LanguageTexts.h"
#include "varnholt/scan/ScanFormats.h"

namespace {

std::atomic<bool> g_cancel{false};

BOOL WINAPI OnConsoleControl(DWORD type) {
    if (type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT) {
        g_cancel = true;  // the search stops and shows what it found so far
        return TRUE;
    }
    return FALSE;
}

// Standard error: characters as they are on a console; elsewhere UTF-8, which
// scripts read whatever the names hold, with CR LF line ends.
void Err(const std::wstring& text) {
    static const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    static const bool console = GetConsoleMode(handle, &mode);
    if (console) {
        DWORD written = 0;
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    std::string bytes;
    for (char c : Utf8(text)) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
    fwrite(bytes.data(), 1, bytes.size(), stderr);
}

// Seconds since `start`, for the figures of VARNHOLTSCAN_DETAILS.
double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Number(uint64_t n) { return std::to_string(n); }

std::wstring Megabytes(uint64_t bytes) {
    wchar_t text[32];
    swprintf(text, 32, L"%.1f MB", bytes / 1048576.0);
    return text;
}

// Progress without a window: Ctrl+C is its Cancel button. On a console one
// line says how far the search is, at most ten times a second.
class ConsoleProgress : public QuietProgress {
public:
    explicit ConsoleProgress(bool showLine) : showLine_(showLine) {}
    ~ConsoleProgress() override { Clear(); }

    bool CancelRequested() const override { return g_cancel; }
    void SetFigures(const ProgressFigures& f) override {
        if (!showLine_) return;
        const ULONGLONG now = GetTickCount64();
        if (now - shown_ < 100) return;
        shown_ = now;
        std::wstring line =
            f.comparing ? L"comparing: " + Megabytes(f.bytesDone) + L" of " + Megabytes(f.bytesTotal) + L", " +
                              std::to_wstring(f.filesDone) + L" of " + std::to_wstring(f.filesTotal) + L" files"
                        : L"listing: " + std::to_wstring(f.filesListed) + L" files";
        const size_t width = line.size();
        if (line.size() < width_) line.append(width_ - line.size(), L' ');
        width_ = width;
        Err(L"\r" + line);
    }
    // The line gives way to what follows it.
    void Clear() {
        if (width_ == 0) return;
        Err(L"\r" + std::wstring(width_, L' ') + L"\r");
        width_ = 0;
    }

private:
    bool showLine_;
    ULONGLONG shown_ = 0;
    size_t width_ = 0;
};

// Standard output, written in large blocks: a console or a device leaves it unbuffered.
class Output {
public:
    void Write(std::string_view bytes) {
        pending_ += bytes;
        if (pending_.size() >= (1u << 20)) Flush();
    }
    void Flush() {
        const bool written = fwrite(pending_.data(), 1, pending_.size(), stdout) == pending_.size();
        if (!written || fflush(stdout) != 0) throw std::runtime_error("the results could not be written");
        pending_.clear();
    }

private:
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

// The user's Varnholt configuration, whether it exists yet or not; nothing
// without an application-data folder.
std::wstring UserConfigPath(const std::wstring& programFolder) {
    PowerClass store;
    store.ConfigPath = programFolder + L"\\config.ini";
    const std::wstring appData = store.ReadRegistryText(0, L"AppData");
    if (appData.empty()) return {};
    return PowerClass::UserConfigPath(appData, store.ReadConfigValue(L"Product ID"), store.ReadConfigValue(L"Version"));
}

std::wstring ConfigFolderOf(const std::wstring& configPath) {
    const size_t slash = configPath.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : configPath.substr(0, slash);
}

// The content cache Varnholt uses: beside the user's configuration, whether that
// exists yet or not; none without an application-data folder.
std::wstring DefaultCachePath(const std::wstring& programFolder) {
    const std::wstring user = UserConfigPath(programFolder);
    return user.empty() ? std::wstring() : ContentCacheBeside(user);
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
    Err(L"usage: VarnholtScan.exe [--config FILE] [--exceptions FILE] [--cache FILE | --no-cache]\n"
        L"                        [--format text|json|csv] [--keep RULE] [--kept FOLDER]... [--act ACTION]\n"
        L"                        [--quiet] PATHLIST\n"
        L"  PATHLIST           folders joined by \";\", each with or without a trailing \"\\...\"\n"
        L"  --config FILE      settings in the config.ini form; default: the user's Varnholt\n"
        L"                     configuration when there is one, else the template beside the program\n"
        L"  --exceptions FILE  exception list; default: the one Varnholt uses, beside the\n"
        L"                     configuration, else the one beside the program (none when neither exists)\n"
        L"  --cache FILE       what earlier searches learned of file contents, read and kept up to date;\n"
        L"                     default: Varnholt's, beside the user's configuration (\"ContentCache\" 0: none)\n"
        L"  --no-cache         every file is read\n"
        L"  --format FORM      text (default): the saved results list;\n"
        L"                     json: one UTF-8 object with \"criteria\", \"folders\", \"rule\", \"categories\"\n"
        L"                     (each with its \"groups\": \"group\", \"name\", \"size\", \"members\": \"path\", \"size\",\n"
        L"                     \"last_write\" in UTC, \"remove\" with a rule, \"outcome\" with --act, \"moved_to\"),\n"
        L"                     \"unreadable\" and \"summary\";\n"
        L"                     csv: UTF-8 with a byte-order mark, a row per member with the columns\n"
        L"                     group,size,last_write,path,verdict,outcome\n"
        L"  --keep RULE        in each group ticks all but the member that stays: first, newest, oldest,\n"
        L"                     shortest (path), or in:FOLDER (the first below FOLDER, else the first)\n"
        L"  --kept FOLDER      its files are never ticked or acted on (may repeat; with Varnholt's own)\n"
        L"  --act ACTION       carries out the ticks (needs --keep): recycle (to the Recycle Bin), link (hard\n"
        L"                     link to the member that stays), move:FOLDER (with a restore list in FOLDER);\n"
        L"                     a line per file on standard error says what was done or why not\n"
        L"  --quiet            no progress line on the console\n"
        L"Texts are in the language Varnholt shows; standard error is UTF-8 unless it is a console. Without\n"
        L"--act nothing is written but the results and the cache.\n"
        L"Exit codes: 0 done, 1 cancelled (Ctrl+C), 2 error (a folder of the list that does not exist\n"
        L"among them), 3 done, but files or folders named on standard error could not be read or acted on.\n");
    return 2;
}

enum class Format { Text, Json, Csv };

struct Rule {
    std::wstring given;  // as typed; empty: no rule
    KeepRule keep = KeepRule::First;
    std::wstring folder;
};

bool ParseRule(const std::wstring& text, Rule& rule) {
    static const std::pair<const wchar_t*, KeepRule> kRules[] = {
        {L"first", KeepRule::First}, {L"newest", KeepRule::Newest}, {L"oldest", KeepRule::Oldest},
        {L"shortest", KeepRule::ShortestPath}};
    rule.given = text;
    for (const auto& [name, keep] : kRules)
        if (text == name) return rule.keep = keep, true;
    if (text.rfind(L"in:", 0) != 0 || text.size() == 3) return false;
    rule.keep = KeepRule::InFolder;
    rule.folder = text.substr(3);
    return true;
}

struct Action {
    bool given = false;
    GroupAction action = GroupAction::Recycle;
    std::wstring folder;  // move:FOLDER
};

bool ParseAction(const std::wstring& text, Action& action) {
    action.given = true;
    if (text == L"recycle") action.action = GroupAction::Recycle;
    else if (text == L"link") action.action = GroupAction::Link;
    else if (text.rfind(L"move:", 0) == 0 && text.size() > 5) action.action = GroupAction::Move, action.folder = text.substr(5);
    else return false;
    return true;
}

// What the rule and the action made of one member.
struct Verdict {
    bool remove = false;  // ticked by the rule
    bool acted = false;   // an action was tried on it
    ActOutcome outcome = ActOutcome::Done;
    std::wstring movedTo;
};
using GroupVerdicts = std::vector<Verdict>;

std::wstring OutcomeText(const Verdict& v, GroupAction action) {
    switch (v.outcome) {
        case ActOutcome::Done:
            return action == GroupAction::Recycle ? L"recycled" : action == GroupAction::Link ? L"linked" : L"moved";
        case ActOutcome::Kept: return L"left: in a kept folder";
        case ActOutcome::Protected: return L"left: protected";
        case ActOutcome::ReadOnly: return L"left: read-only";
        case ActOutcome::NoKeptCopy: return L"left: no copy stays";
        case ActOutcome::KeptCopyChanged: return L"left: the copy that stays changed or is gone";
        case ActOutcome::Changed: return L"left: changed since the search";
        case ActOutcome::Gone: return L"left: gone";
        case ActOutcome::InTarget: return L"left: already in that folder";
        case ActOutcome::OtherVolume: return L"left: on another volume than the copy that stays";
        case ActOutcome::NotSupported: return L"left: the file system has no hard links";
        case ActOutcome::NotEqual: return L"left: not equal to the copy that stays";
        case ActOutcome::Failed: break;
    }
    return L"left: failed";
}

// Files acted on, their bytes, and ticked files left.
struct ActSummary {
    uint64_t done = 0, bytes = 0, left = 0;
};

// Ticks every group by the rule; the kept folders' files are never ticked.
std::vector<GroupVerdicts> Tick(const MemoryTree& tree, const std::vector<std::vector<ResultsSink::Item>>& groups,
                                const Rule& rule, const std::vector<std::wstring>& keptFolders) {
    std::vector<GroupVerdicts> verdicts;
    verdicts.reserve(groups.size());
    for (const auto& items : groups) {
        if (rule.given.empty()) {
            verdicts.emplace_back(items.size());  // nothing ticked
            continue;
        }
        SelectionGroup group;
        for (ResultsSink::Item item : items) {
            const FileFacts& f = *tree.Facts(item);
            group.push_back({tree.Text(item), f.size, f.lastWrite, IsKept(tree.Text(item), keptFolders), false});
        }
        TickAllButOne(group, rule.keep, rule.folder);
        GroupVerdicts& v = verdicts.emplace_back(group.size());
        for (size_t i = 0; i < group.size(); ++i) v[i].remove = group[i].ticked;
    }
    return verdicts;
}

// Carries the ticks out group by group, a line per file on standard error;
// Ctrl+C stops it between groups. False when the restore list could not be made.
bool Act(const MemoryTree& tree, const std::vector<std::vector<ResultsSink::Item>>& groups,
         std::vector<GroupVerdicts>& verdicts, const Action& action, ActRules rules, ActSummary& summary) {
    RestoreListWriter restoreList;
    for (size_t g = 0; g < groups.size() && !g_cancel; ++g) {
        std::vector<ActMember> members;
        bool anyTicked = false;
        for (size_t i = 0; i < groups[g].size(); ++i) {
            const ResultsSink::Item item = groups[g][i];
            members.push_back({tree.Text(item), *tree.Facts(item), verdicts[g][i].remove});
            anyTicked = anyTicked || verdicts[g][i].remove;
        }
        if (!anyTicked) continue;
        // Where each file goes is written down before the first one leaves.
        if (action.action == GroupAction::Move && rules.restoreList == nullptr) {
            if (!restoreList.Create(action.folder)) {
                Err(L"VarnholtScan: the restore list could not be written in " + action.folder + L"\n");
                return false;
            }
            rules.restoreList = &restoreList;
        }
        for (const ActResult& r : ActOnGroup(members, rules)) {
            Verdict& v = verdicts[g][r.member];
            v.acted = true;
            v.outcome = r.outcome;
            v.movedTo = r.movedTo;
            const std::wstring& path = members[r.member].path;
            const std::wstring outcome = OutcomeText(v, action.action);
            if (r.outcome == ActOutcome::Done) {
                ++summary.done;
                summary.bytes += members[r.member].facts.size;
                Err(L"VarnholtScan: " + outcome + L": " + path + (v.movedTo.empty() ? L"" : L" -> " + v.movedTo) + L"\n");
            } else {
                ++summary.left;
                Err(L"VarnholtScan: left (" + outcome.substr(6) + L"): " + path + L"\n");
            }
        }
    }
    return true;
}

// The criteria as JSON: which properties must agree.
std::string JsonCriteria(const SearchSettings& s) {
    const std::pair<const char*, int> criteria[] = {
        {"name", s.sameName}, {"size", s.sameSize}, {"attributes", s.sameAttributes},
        {"created", s.sameCreationDate}, {"modified", s.sameModificationDate}, {"accessed", s.sameAccessDate},
        {"content", s.sameChecksum}};
    std::string text = "{";
    for (const auto& [name, on] : criteria)
        text += std::string(text.size() > 1 ? ", " : "") + "\"" + name + "\": " + (on ? "true" : "false");
    return text + "}";
}

std::string JsonList(const std::vector<std::wstring>& texts) {
    std::string text = "[";
    for (size_t i = 0; i < texts.size(); ++i) text += (i ? ", " : "") + JsonString(texts[i]);
    return text + "]";
}

// Everything a results writer needs, in the tree's order.
struct Results {
    const MemoryTree& tree;
    const DuplicateResults& found;
    const SearchStats& stats;
    const std::vector<std::vector<ResultsSink::Item>>& groups;
    const std::vector<GroupVerdicts>& verdicts;
    const Rule& rule;
    const Action& action;
    const ActSummary& acted;
};

// Calls `each(category, group number, items, verdicts)` for every group in order.
template <typename Each>
void ForEachGroup(const Results& r, Each each) {
    size_t next = 0;
    for (int c = 0; c < kCategoryCount; ++c)
        for (ResultsSink::Item item : r.tree.Children(r.found.categoryItems[c]))
            if (next < r.groups.size() && r.tree.Children(item) == r.groups[next]) {
                each(c, item, next + 1, r.groups[next], r.verdicts[next]);
                ++next;
            }
}

void WriteJson(Output& out, const Results& r, const SearchSettings& settings) {
    out.Write("{\n\"criteria\": " + JsonCriteria(settings) + ",\n\"folders\": " + JsonList(r.found.folders) +
              ",\n\"rule\": " + (r.rule.given.empty() ? std::string("null") : JsonString(r.rule.given)) +
              ",\n\"categories\": [");
    int category = -1;
    bool firstGroup = true;
    auto openCategory = [&](int c) {
        for (; category < c;) {
            ++category;
            out.Write(std::string(category ? "]}," : "") + "\n{\"heading\": " +
                      JsonString(r.tree.Text(r.found.categoryItems[category])) + ", \"groups\": [");
            firstGroup = true;
        }
    };
    ForEachGroup(r, [&](int c, ResultsSink::Item item, size_t number, const auto& items, const GroupVerdicts& v) {
        openCategory(c);
        std::string text = std::string(firstGroup ? "\n" : ",\n") + "{\"group\": " + Number(number) +
                           ", \"name\": " + JsonString(r.tree.Text(item)) +
                           ", \"size\": " + Number(r.tree.Facts(items.front())->size) + ", \"members\": [";
        firstGroup = false;
        for (size_t i = 0; i < items.size(); ++i) {
            const FileFacts& f = *r.tree.Facts(items[i]);
            text += std::string(i ? ",\n  " : "\n  ") + "{\"path\": " + JsonString(r.tree.Text(items[i])) +
                    ", \"size\": " + Number(f.size) + ", \"last_write\": \"" + IsoTime(f.lastWrite) + "\"";
            if (!r.rule.given.empty()) text += std::string(", \"remove\": ") + (v[i].remove ? "true" : "false");
            if (r.action.given && v[i].acted) text += ", \"outcome\": " + JsonString(OutcomeText(v[i], r.action.action));
            if (r.action.given && v[i].acted && !v[i].movedTo.empty()) text += ", \"moved_to\": " + JsonString(v[i].movedTo);
            text += "}";
        }
        out.Write(text + "]}");
    });
    openCategory(kCategoryCount - 1);
    std::string summary = "{\"files_collected\": " + Number(r.stats.filesCollected) +
                          ", \"groups\": " + Number(r.stats.groups) +
                          ", \"duplicate_files\": " + Number(r.stats.duplicateFiles) +
                          ", \"cancelled\": " + (r.found.cancelled ? "true" : "false");
    if (r.action.given)
        summary += ", \"acted_on\": " + Number(r.acted.done) + ", \"bytes_freed\": " + Number(r.acted.bytes) +
                   ", \"left\": " + Number(r.acted.left);
    out.Write("]}\n],\n\"unreadable\": " + JsonList(r.found.unreadable) + ",\n\"summary\": " + summary + "}\n}\n");
}

void WriteCsv(Output& out, const Results& r) {
    out.Write(std::string(fw::kUtf8Bom) + "group,size,last_write,path,verdict,outcome\r\n");
    ForEachGroup(r, [&](int, ResultsSink::Item, size_t number, const auto& items, const GroupVerdicts& v) {
        std::string rows;
        for (size_t i = 0; i < items.size(); ++i) {
            const FileFacts& f = *r.tree.Facts(items[i]);
            rows += Number(number) + "," + Number(f.size) + "," + IsoTime(f.lastWrite) + "," +
                    CsvField(r.tree.Text(items[i])) + "," +
                    (r.rule.given.empty() ? "" : v[i].remove ? "remove" : "keep") + "," +
                    (r.action.given && v[i].acted ? CsvField(OutcomeText(v[i], r.action.action)) : "") + "\r\n";
        }
        out.Write(rows);
    });
}

// The saved results list: one byte per character, or UTF-8 after a byte-order
// mark when some character does not fit; CR LF line ends.
void WriteText(Output& out, const MemoryTree& tree, const SearchSettings& settings, const TextSource& texts,
               const DuplicateResults& found) {
    bool utf8 = false;
    tree.ForEachInOrder([&](const std::wstring& t) {
        utf8 = utf8 || std::any_of(t.begin(), t.end(), [](wchar_t c) { return c > 255; });
    });
    if (utf8) out.Write(fw::kUtf8Bom);
    out.Write(fw::EncodeTextAs(ResultsTitle(), utf8));
    out.Write(fw::EncodeTextAs(ResultsCriteriaText(settings, texts, found.folders), utf8));
    tree.ForEachInOrder([&](const std::wstring& t) { out.Write(fw::EncodeTextAs(ResultsRecord(t), utf8)); });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const DWORD started = GetTickCount();

    std::wstring configPath, exceptionsPath, cachePath, pathList;
    bool havePathList = false, noCache = false, quiet = false;
    Format format = Format::Text;
    Rule rule;
    Action action;
    std::vector<std::wstring> keptFolders;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        const bool valued = i + 1 < argc;
        if (a == L"--config" && valued) configPath = argv[++i];
        else if (a == L"--exceptions" && valued) exceptionsPath = argv[++i];
        else if (a == L"--cache" && valued) cachePath = argv[++i];
        else if (a == L"--no-cache") noCache = true;
        else if (a == L"--quiet") quiet = true;
        else if (a == L"--kept" && valued) keptFolders.push_back(argv[++i]);
        else if (a == L"--format" && valued) {
            const std::wstring f = argv[++i];
            if (f == L"text") format = Format::Text;
            else if (f == L"json") format = Format::Json;
            else if (f == L"csv") format = Format::Csv;
            else return Err(L"VarnholtScan: unknown format \"" + f + L"\": text, json or csv\n"), Usage();
        } else if (a == L"--keep" && valued) {
            if (!ParseRule(argv[++i], rule))
                return Err(L"VarnholtScan: unknown rule \"" + rule.given +
                           L"\": first, newest, oldest, shortest or in:FOLDER\n"), Usage();
        } else if (a == L"--act" && valued) {
            if (!ParseAction(argv[++i], action))
                return Err(L"VarnholtScan: unknown action \"" + std::wstring(argv[i]) +
                           L"\": recycle, link or move:FOLDER\n"), Usage();
        }
        else if (!a.empty() && a[0] == L'-' && a.size() > 1 && a[1] == L'-') return Usage();
        else if (!havePathList) { pathList = a; havePathList = true; }
        else return Usage();
    }
    if (!havePathList) return Usage();
    // Which copy stays is never guessed.
    if (action.given && rule.given.empty()) {
        Err(L"VarnholtScan: --act needs a rule that says which file of each group stays: "
            L"--keep first|newest|oldest|shortest|in:FOLDER\n");
        return 2;
    }

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
        settings.keptFolders.insert(settings.keptFolders.end(), keptFolders.begin(), keptFolders.end());
        const bool defaultExceptions = exceptionsPath.empty();
        if (defaultExceptions) exceptionsPath = FindExceptionFile(configPath, programFolder);
        ReadExceptions(exceptionsPath, defaultExceptions, settings.exceptions);

        LanguageTexts texts;
        LoadTexts(store, programFolder, texts);

        if (noCache || (cachePath.empty() && store.ReadConfigValue(L"ContentCache") == L"0")) cachePath.clear();
        else if (cachePath.empty()) cachePath = DefaultCachePath(programFolder);
        ContentCache cache;
        if (!cachePath.empty()) cache.StartLoad(cachePath);

        SetConsoleCtrlHandler(OnConsoleControl, TRUE);
        DWORD consoleMode = 0;
        ConsoleProgress progress(!quiet && GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &consoleMode));
        MemoryTree tree;
        DuplicateResults results;
        SearchStats stats;
        const SearchOutcome outcome = RunSearch(pathList, settings, store, texts, progress, tree, results, &stats,
                                                nullptr, cachePath.empty() ? nullptr : &cache);
        progress.Clear();
        if (!cachePath.empty() && cache.AwaitLoad() == ContentCache::Loaded::SetAside) {
            std::wstring text = texts.GetText(txt::kCacheSetAside);
            for (size_t at; (at = text.find(L"%1")) != std::wstring::npos;) text.replace(at, 2, cachePath);
            Err(L"VarnholtScan: " + text + L"\n");
        }
        double saveSeconds = 0;
        // Also after Ctrl+C: what the search learned stays learned.
        if (!cachePath.empty()) {
            SHCreateDirectoryExW(nullptr, cachePath.substr(0, cachePath.rfind(L'\\')).c_str(), nullptr);
            const auto saveStart = std::chrono::steady_clock::now();
            if (!cache.Save(cachePath)) Err(L"VarnholtScan: the cache could not be written to " + cachePath + L"\n");
            saveSeconds = SecondsSince(saveStart);
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

        const auto groups = tree.Groups();
        std::vector<GroupVerdicts> verdicts = Tick(tree, groups, rule, settings.keptFolders);
        ActSummary acted;
        // A cancelled search leaves groups unproven: nothing is acted on then.
        if (action.given && outcome == SearchOutcome::Done) {
            ActRules rules;
            rules.action = action.action;
            const ProtectedFolders protectedFolders = ProtectedFolders::ForProgram(
                ConfigFolderOf(UserConfigPath(programFolder)), action.folder);
            rules.protectedFolders = &protectedFolders;
            rules.keptFolders = settings.keptFolders;
            rules.protectReadOnly = settings.protectReadOnly != 0;
            rules.moveFolder = action.folder;
            if (!Act(tree, groups, verdicts, action, rules, acted)) return 2;
        }

        const auto outputStart = std::chrono::steady_clock::now();
        Output out;
        const Results written{tree, results, stats, groups, verdicts, rule, action, acted};
        if (format == Format::Json) WriteJson(out, written, settings);
        else if (format == Format::Csv) WriteCsv(out, written);
        else WriteText(out, tree, settings, texts, results);
        out.Flush();
        const double outputSeconds = SecondsSince(outputStart);

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
        if (action.given && outcome == SearchOutcome::Done) {
            swprintf(line, 512, L"acted on %llu files, %llu bytes freed, %llu files left\n",
                     static_cast<unsigned long long>(acted.done), static_cast<unsigned long long>(acted.bytes),
                     static_cast<unsigned long long>(acted.left));
            Err(line);
        }
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
            swprintf(line, 512, L"  results written in %.3f s\n", outputSeconds);
            Err(line);
            if (!cachePath.empty()) {
                swprintf(line, 512, L"  content cache %llu entries, loaded in %.3f s, written in %.3f s\n",
                         static_cast<unsigned long long>(cache.Size()), cache.LoadSeconds(), saveSeconds);
                Err(line);
            }
        }
        if (outcome == SearchOutcome::Cancelled || g_cancel) return 1;
        return results.unreadable.empty() && acted.left == 0 ? 0 : 3;
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
