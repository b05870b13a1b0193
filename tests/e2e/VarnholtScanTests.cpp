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

// Runs the program to its end; what it wrote to standard output.
std::wstring Output(const std::wstring& exe, const std::wstring& arguments, DWORD& exitCode) {
    TempDir dir;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out =
        CreateFileW((dir / L"out").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
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

}  // namespace
