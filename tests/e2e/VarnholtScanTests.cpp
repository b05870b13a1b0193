// VarnholtScan as a user runs it: a copy of the installed program folder, under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/PowerClass.h"
#include "common/Translation.h"
#include "framework/TextFile.h"
#include "tests/support/TestSupport.h"
#include "varnholt/engine/TextNumbers.h"

using namespace testing_support;

namespace {

// Runs the program to its end; what it wrote to standard output (and error).
std::wstring Output(const std::wstring& exe, const std::wstring& arguments, DWORD& exitCode,
                    std::wstring* errors = nullptr) {
    TempDir dir;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out =
        CreateFileW((dir / L"out").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    HANDLE err = errors ? CreateFileW((dir / L"err").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                      0, nullptr)
                        : GetStdHandle(STD_ERROR_HANDLE);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    exitCode = STILL_ACTIVE;
    if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    if (errors) {
        CloseHandle(err);
        *errors = fw::DecodeText(ReadBytes(dir / L"err"));
    }
    return fw::DecodeText(ReadBytes(dir / L"out"));
}

const wchar_t kLanguageKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";

bool SetSystemLanguage(const std::wstring& value) {
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, kLanguageKey, L"Default", REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// The installed template leaves the language to the system ("[----]"); with a
// version of its own, no user has a configuration of it yet.
TEST(VarnholtScan, WritesInTheLanguageVarnholtShowsAndMakesNothingButItsCache) {
    TempDir folder, data;
    const std::wstring version = L"7.scan" + std::to_wstring(GetCurrentProcessId());
    for (const wchar_t* name : {L"VarnholtScan.exe", L"config.ini", L"0026trl.ini", L"0026exc.ini"})
        CopyFileW((SuiteDir() + L"\\Varnholt\\" + name).c_str(), (folder / name).c_str(), FALSE);
    auto config = fw::ReadTextLines(folder / L"config.ini");
    for (size_t i = 0; i + 1 < config.size(); ++i)
        if (config[i] == L"Version") config[i + 1] = version;
    fw::WriteTextLines(folder / L"config.ini", config);

    const std::wstring saved = CTranslation::SystemLanguage();
    for (const auto& [system, section] : {std::pair{L"0409", L"[1033]"}, std::pair{L"0407", L"[1031]"}}) {
        SCOPED_TRACE(testing::Message() << system);
        if (!SetSystemLanguage(system)) GTEST_SKIP() << "cannot set the system's language in this prefix";
        DWORD exitCode = 0;
        const std::wstring out = Output(folder / L"VarnholtScan.exe", L"\"" + data.path() + L"\\...\"", exitCode);
        EXPECT_EQ(exitCode, 0u);
        CTranslation texts;
        texts.LoadSection(fw::ReadTextLines(folder / L"0026trl.ini"), section);
        EXPECT_NE(out.find(texts.GetText(txt::kCriteriaHeading)), std::wstring::npos);
    }
    SetSystemLanguage(saved);
    // Only the content cache, beside where the user's configuration would be.
    const std::wstring userFolder = PowerClass().ReadRegistryText(0, L"AppData") + L"\\Quorvex\\0026\\" + version;
    EXPECT_TRUE(Exists(userFolder + L"\\0026cache.dat"));
    EXPECT_FALSE(Exists(userFolder + L"\\config.ini"));
    EXPECT_FALSE(Exists(userFolder + L"\\0026exc.ini"));
    RemoveTree(userFolder);
}

// Exit codes a script can rely on: a folder of the list that is not there is an
// error (2) and searches nothing; a file that could not be read is named on
// standard error and ends a finished search with 3.
TEST(VarnholtScan, AMissingFolderIsAnErrorAndAnUnreadableFileIsNamed) {
    TempDir data, settings;
    for (const wchar_t* name : {L"a.bin", L"b.bin", L"c.bin"}) WriteBytes(data / name, "12345");
    auto config = fw::ReadTextLines(SuiteDir() + L"\\Varnholt\\config.ini");
    for (size_t i = 0; i + 1 < config.size(); ++i)
        if (config[i] == L"Options") config[i + 1] = L"01000010" + config[i + 1].substr(8);
    fw::WriteTextLines(settings / L"config.ini", config);
    const std::wstring scan = SuiteDir() + L"\\Varnholt\\VarnholtScan.exe";
    const std::wstring options = L"--no-cache --config \"" + (settings / L"config.ini") + L"\" ";
    HANDLE hold = CreateFileW((data / L"c.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);
    const struct {
        std::wstring list;
        DWORD code;
        std::wstring named;
    } cases[] = {
        {data.path() + L";" + (data / L"gone"), 2, data / L"gone"},
        {data.path(), 3, data / L"c.bin"},
    };
    for (const auto& c : cases) {
        DWORD exitCode = 0;
        std::wstring errors;
        const std::wstring out = Output(scan, options + L"\"" + c.list + L"\"", exitCode, &errors);
        EXPECT_EQ(exitCode, c.code) << Narrow(errors);
        EXPECT_NE(errors.find(c.named), std::wstring::npos) << Narrow(errors);
        EXPECT_EQ(out.find(data / L"a.bin") != std::wstring::npos, c.code == 3);  // the group of the two others
    }
    CloseHandle(hold);
    DWORD exitCode = 0;
    Output(scan, options + L"\"" + data.path() + L"\"", exitCode);
    EXPECT_EQ(exitCode, 0u);

    // Settings that cannot make a search are refused, not obeyed: a file without
    // the keys a search needs, and one without any criterion.
    WriteBytes(settings / L"empty.ini", "");
    for (auto& line : config)
        if (line.size() == 46) line = L"00000000" + line.substr(8);
    fw::WriteTextLines(settings / L"none.ini", config);
    for (const auto& [file, named] : {std::pair{L"empty.ini", L"\"Options\", \"Categories\""}, std::pair{L"none.ini", L""}}) {
        std::wstring errors;
        const std::wstring out = Output(
            scan, L"--no-cache --config \"" + (settings / file) + L"\" \"" + data.path() + L"\"", exitCode, &errors);
        EXPECT_EQ(exitCode, 2u) << Narrow(file);
        EXPECT_TRUE(out.empty());
        EXPECT_NE(errors.find(named), std::wstring::npos) << Narrow(errors);
    }
    // A damaged content cache is set aside and said once.
    WriteBytes(settings / L"cache.dat", "not a cache");
    const std::wstring cached = L"--cache \"" + (settings / L"cache.dat") + L"\" --config \"" + (settings / L"config.ini") +
                                L"\" \"" + data.path() + L"\"";
    for (bool damaged : {true, false}) {
        std::wstring errors;
        Output(scan, cached, exitCode, &errors);
        EXPECT_EQ(errors.find(L"cache.dat.bad") != std::wstring::npos, damaged) << Narrow(errors);
    }
}

}  // namespace
