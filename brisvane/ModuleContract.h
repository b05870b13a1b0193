#pragma once
// What passes between the suite shell and a module program: where a module
// lives, the registry values they share, the keys of the module's store the
// shell replaces, and the one-click progress each module reports. The shell and
// the stand-in modules both build on this header.
#include <array>
#include <cwctype>
#include <string>
#include <string_view>

namespace contract {

// HKEY_CURRENT_USER; every value is REG_SZ text.
inline constexpr wchar_t kSuiteKey[] = L"Software\\Quorvex\\Quorvexsoft Brisvane";

// Registry values under kSuiteKey.
inline constexpr wchar_t kActive[] = L"active";                   // "x" while a module runs for the shell
inline constexpr wchar_t kProgress1Max[] = L"Progress1Max";       // step 1's total work; "x" until known
inline constexpr wchar_t kProgress1[] = L"Progress1";             // step 1's work done, or "done"
inline constexpr wchar_t kProgress2[] = L"Progress2";             // step 2's percentage, or "done"
inline constexpr wchar_t kProgress3[] = L"Progress3";             // step 3's units of 17, or "done"
inline constexpr wchar_t kProgressCancelled[] = L"ProgressCancelled";  // "x": the running step is to stop

// Flag texts.
inline constexpr wchar_t kSet[] = L"x";
inline constexpr wchar_t kDone[] = L"done";
inline constexpr wchar_t kNoLimit[] = L"---";
inline constexpr wchar_t kOneClickActive[] = L"active";
inline constexpr wchar_t kOneClickOff[] = L"---";
inline constexpr wchar_t kTrue[] = L"true";
inline constexpr wchar_t kFalse[] = L"false";

// Keys of a module's store that the shell replaces; each must stand in the
// module's template, since writes never add a key.
inline constexpr wchar_t kLanguage[] = L"Language";
inline constexpr wchar_t kMaxSearch[] = L"MaxSearch";        // "---" = no limit
inline constexpr wchar_t kOneClickMode[] = L"OneClickMode";  // "active" during its one-click step
inline constexpr wchar_t kOptions[] = L"Options";            // one switch per character, the module's own
inline constexpr wchar_t kDrive[] = L"Drive";
inline constexpr wchar_t kUseDefaults[] = L"Use Defaults";   // "true" during default runs

enum class Module { Flintrask, Wickerlume, Ostrelle, Pembrast, Varnholt, Tressivon };
inline constexpr int kModuleCount = 6;

struct ModuleInfo {
    Module module;
    const wchar_t* name;
    const wchar_t* subfolder;   // after the shell's program folder
    bool searchLimit;           // "MaxSearch" is lifted while it runs alone
    int oneClickStep;           // 1 to 3, or 0 when not part of a one-click run
};

// In the shell's order, which is also the index of every per-module table.
inline constexpr std::array<ModuleInfo, kModuleCount> kModules = {{
    {Module::Flintrask, L"Flintrask", L"\\Flintrask", true, 1},
    {Module::Wickerlume, L"Wickerlume", L"\\Wickerlume", true, 2},
    {Module::Ostrelle, L"Ostrelle", L"\\Ostrelle", false, 3},
    {Module::Pembrast, L"Pembrast", L"\\Pembrast", false, 0},
    {Module::Varnholt, L"Varnholt", L"\\Varnholt", false, 0},
    {Module::Tressivon, L"Tressivon", L"\\Tressivon", false, 0},
}};

inline const ModuleInfo& Info(Module module) { return kModules[static_cast<size_t>(module)]; }

// "\Flintrask\Flintrask.exe": the program after the shell's program folder.
inline std::wstring ProgramPath(const ModuleInfo& info) {
    return std::wstring(info.subfolder) + L"\\" + info.name + L".exe";
}
inline std::wstring HelpPath(const ModuleInfo& info) { return std::wstring(info.subfolder) + L"\\help.chm"; }

// The module whose program file bears this name (without ".exe", any case); nullptr when none.
inline const ModuleInfo* FindModule(std::wstring_view name) {
    for (const auto& info : kModules) {
        std::wstring_view own = info.name;
        if (own.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < own.size() && same; ++i) same = towlower(own[i]) == towlower(name[i]);
        if (same) return &info;
    }
    return nullptr;
}

// What a module reports in its one-click step.
struct OneClickProgress {
    Module module;
    const wchar_t* value;       // the registry value it writes, "done" last
    int units;                  // full scale; 0: told through "Progress1Max" (0 to 65535)
};
inline constexpr std::array<OneClickProgress, 3> kOneClickSteps = {{
    {Module::Flintrask, kProgress1, 0},
    {Module::Wickerlume, kProgress2, 100},
    {Module::Ostrelle, kProgress3, 17},
}};

}  // namespace contract
