// VarnholtScan as a user runs it: a copy of the installed program folder, under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "common/PowerClass.h"
#include "common/Translation.h"
#include "framework/TextFile.h"
#include "tests/support/TestSupport.h"
#include "varnholt/engine/TextNumbers.h"

using namespace testing_support;

namespace {

struct Finished {
    DWORD exitCode = STILL_ACTIVE;
    std::wstring out, err;
};

// Runs the program with its standard output and error in files, and waits for it.
Finished RunProgram(const std::wstring& exe, const std::wstring& arguments) {
    TempDir dir;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    auto open = [&](const wchar_t* name) {
        return CreateFileW((dir / name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    };
    HANDLE out = open(L"out.txt"), err = open(L"err.txt");
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    Finished run;
    if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    run.out = fw::DecodeText(ReadBytes(dir / L"out.txt"));
    run.err = fw::DecodeText(ReadBytes(dir / L"err.txt"));
    return run;
}

// The system's default language while it lives.
class SystemLanguage {
public:
    explicit SystemLanguage(const std::wstring& value) {
        wchar_t buffer[64] = {};
        DWORD size = sizeof buffer - sizeof(wchar_t);
        if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"Default", RRF_RT_REG_SZ, nullptr, buffer, &size) == ERROR_SUCCESS)
            saved_ = buffer;
        ok_ = Set(value);
    }
    ~SystemLanguage() {
        if (saved_) Set(*saved_);
    }
    bool ok() const { return ok_; }

private:
    static constexpr const wchar_t* kKey = L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";
    static bool Set(const std::wstring& value) {
        return RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"Default", REG_SZ, value.c_str(),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    std::optional<std::wstring> saved_;
    bool ok_ = false;
};

// The installed program folder, with a version of its own: no user of it has a configuration yet.
class ScanFolder {
public:
    ScanFolder() {
        const std::wstring source = SuiteDir() + L"\\Varnholt";
        for (const wchar_t* name : {L"VarnholtScan.exe", L"config.ini", L"0026trl.ini", L"0026exc.ini"})
            CopyFileW((source + L"\\" + name).c_str(), (folder_ / name).c_str(), FALSE);
        auto lines = fw::ReadTextLines(folder_ / L"config.ini");
        for (size_t i = 0; i + 1 < lines.size(); ++i)
            if (lines[i] == L"Version") lines[i + 1] = version_;
        fw::WriteTextLines(folder_ / L"config.ini", lines);
    }
    std::wstring Exe() const { return folder_ / L"VarnholtScan.exe"; }
    std::wstring File(const wchar_t* name) const { return folder_ / name; }
    const std::wstring& Version() const { return version_; }

private:
    TempDir folder_;
    std::wstring version_ = L"7.scan" + std::to_wstring(GetCurrentProcessId());
};

TEST(VarnholtScan, WritesInTheLanguageVarnholtShowsAndMakesNothing) {
    ScanFolder scan;
    TempDir data;
    std::vector<std::wstring> languageFile = fw::ReadTextLines(scan.File(L"0026trl.ini"));
    // The installed template leaves the language to the system ("[----]").
    struct Case {
        const wchar_t* system;
        const wchar_t* section;
    };
    for (const Case& c : {Case{L"0409", L"[1033]"}, Case{L"0407", L"[1031]"}}) {
        SCOPED_TRACE(testing::Message() << c.system);
        SystemLanguage system(c.system);
        if (!system.ok()) GTEST_SKIP() << "cannot set the system's language in this prefix";
        const Finished run = RunProgram(scan.Exe(), L"\"" + data.path() + L"\\...\"");
        EXPECT_EQ(run.exitCode, 0u) << std::string(run.err.begin(), run.err.end());
        CTranslation texts;
        texts.LoadSection(languageFile, c.section);
        EXPECT_NE(run.out.find(texts.GetText(txt::kCriteriaHeading)), std::wstring::npos);
    }
    PowerClass store;
    const std::wstring userFolder = store.ReadRegistryText(0, L"AppData") + L"\\Quorvex\\0026\\" + scan.Version();
    EXPECT_FALSE(Exists(userFolder));
}

TEST(VarnholtScan, AnErrorEndsItWithAMessageAndAnExitCode) {
    ScanFolder scan;
    TempDir data;
    const std::wstring missing = data / L"missing.ini";
    const Finished run = RunProgram(scan.Exe(), L"--config \"" + missing + L"\" \"" + data.path() + L"\\...\"");
    EXPECT_NE(run.exitCode, 0u);
    EXPECT_NE(run.err.find(missing), std::wstring::npos);
    EXPECT_TRUE(run.out.empty());
}

}  // namespace
