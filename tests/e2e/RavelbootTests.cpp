// Ravelboot.exe run for real, in a copy of its installed folder with the
// stand-in main program, against the per-user store below application data.
#include <gtest/gtest.h>

#include "common/PowerClass.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {

int Today() {
    std::wstring now = PowerClass::FormatNowText(false);
    return PowerClass::DayNumberSince2000(now.substr(0, 4), now.substr(4, 2), now.substr(6, 2));
}

class Ravelboot : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"Ravelboot.exe", L"config.ini", L"ProductMain.exe"})
            ASSERT_TRUE(CopyFileW((SuiteDir() + L"\\Ravelboot\\" + name).c_str(), (dir / name).c_str(), FALSE))
                << "missing in the suite: " << std::string(name, name + wcslen(name));
        // A product id of this run's own keeps the per-user store apart from any other.
        productId = L"T" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++runs);
        SetTemplate(L"Product ID", productId);
        PowerClass registry;
        appData = registry.ReadRegistryText(0, L"AppData");
        ASSERT_FALSE(appData.empty());
        version = TemplateValue(L"Version");
        userStore = appData + L"\\Quorvex\\" + productId + L"\\" + version + L"\\config.ini";
    }

    void TearDown() override { RemoveTree(appData + L"\\Quorvex\\" + productId); }

    // Every key must already stand in the installed template: writing never adds one.
    void SetTemplate(const std::wstring& key, const std::wstring& value) {
        PowerClass store;
        store.ConfigPath = dir / L"config.ini";
        ASSERT_EQ(Count(key), 1) << "the template lacks a key";
        store.WriteConfigValue(key, value);
    }

    std::wstring TemplateValue(const std::wstring& key) {
        PowerClass store;
        store.ConfigPath = dir / L"config.ini";
        return store.ReadConfigValue(key);
    }

    int Count(const std::wstring& key) {
        std::string bytes = ReadBytes(dir / L"config.ini");
        std::string line = std::string(key.begin(), key.end()) + "\r\n";
        int count = 0;
        for (size_t at = bytes.find(line); at != std::string::npos; at = bytes.find(line, at + 1))
            if (at == 0 || bytes[at - 1] == '\n') ++count;
        return count;
    }

    std::wstring UserValue(const std::wstring& key) {
        PowerClass store;
        store.ConfigPath = userStore;
        return store.ReadConfigValue(key);
    }

    // Runs the starter in a job of its own and waits until the job is empty:
    // whatever it started has ended then, its note written. Returns how many
    // programs it started, or -1 when it failed.
    int RunStarter() {
        HANDLE job = CreateJobObjectW(nullptr, nullptr);
        std::wstring command = L"\"" + (dir / L"Ravelboot.exe") + L"\"";
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!job || !CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                                    dir.path().c_str(), &si, &pi)) {
            ADD_FAILURE() << "the starter did not start";
            if (job) CloseHandle(job);
            return -1;
        }
        AssignProcessToJobObject(job, pi.hProcess);
        ResumeThread(pi.hThread);
        CloseHandle(pi.hThread);
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
        const bool empty = WaitFor([&] {
            return QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr) &&
                   info.ActiveProcesses == 0;
        });
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        CloseHandle(job);
        EXPECT_TRUE(empty) << "the starter or what it started still runs";
        EXPECT_EQ(code, 0u);
        return empty && code == 0 ? static_cast<int>(info.TotalProcesses) - 1 : -1;
    }

    // The starts the stand-in main program has noted.
    int StartsNoted() {
        std::string log = ReadBytes(dir / L"started.log");
        int lines = 0;
        for (size_t at = log.find("started ProductMain.exe\r\n"); at != std::string::npos;
             at = log.find("started ProductMain.exe\r\n", at + 1))
            ++lines;
        return lines;
    }

    TempDir dir;
    std::wstring productId, appData, version, userStore;
    static inline int runs = 0;
};

TEST_F(Ravelboot, TemplateHoldsEveryKeyItUses) {
    for (const wchar_t* key : {L"Product ID", L"Version", L"CheckDate", L"CheckTime", L"MainProgram", L"Startup"})
        EXPECT_EQ(Count(key), 1) << std::string(key, key + wcslen(key));
    EXPECT_EQ(TemplateValue(L"MainProgram"), L"ProductMain.exe");
}

TEST_F(Ravelboot, DueStartsTheMainProgramAndMovesTheDateOn) {
    const int today = Today();
    // Today and a day already past are both due.
    for (int checkDate : {today, today - 3}) {
        SetTemplate(L"CheckDate", std::to_wstring(checkDate));
        SetTemplate(L"CheckTime", L"7");
        SetTemplate(L"Startup", L"manually");
        const std::string installed = ReadBytes(dir / L"config.ini");
        RemoveTree(appData + L"\\Quorvex\\" + productId);

        EXPECT_EQ(RunStarter(), 1);
        ASSERT_TRUE(Exists(userStore)) << "the per-user store was not made from the template";
        EXPECT_EQ(UserValue(L"CheckDate"), std::to_wstring(today + 7));
        EXPECT_EQ(UserValue(L"Startup"), L"automatically");
        EXPECT_EQ(UserValue(L"Product ID"), productId);
        EXPECT_EQ(ReadBytes(dir / L"config.ini"), installed);
    }
    EXPECT_EQ(StartsNoted(), 2);

    // The next run within the interval finds the moved date in the per-user store.
    EXPECT_EQ(RunStarter(), 0);
    EXPECT_EQ(UserValue(L"CheckDate"), std::to_wstring(today + 7));
    EXPECT_EQ(StartsNoted(), 2);
}

TEST_F(Ravelboot, NotDueLeavesEverythingAlone) {
    SetTemplate(L"CheckDate", std::to_wstring(Today() + 1));
    SetTemplate(L"CheckTime", L"7");
    SetTemplate(L"Startup", L"manually");
    EXPECT_EQ(RunStarter(), 0);
    // The store is still made from the template on first use, and nothing in it changes.
    ASSERT_TRUE(Exists(userStore));
    EXPECT_EQ(ReadBytes(userStore), ReadBytes(dir / L"config.ini"));
    EXPECT_EQ(StartsNoted(), 0);
}

TEST_F(Ravelboot, CheckDateZeroStartsOnEveryRun) {
    SetTemplate(L"CheckDate", L"0");
    SetTemplate(L"CheckTime", L"7");
    SetTemplate(L"Startup", L"manually");
    EXPECT_EQ(RunStarter(), 1);
    EXPECT_EQ(RunStarter(), 1);
    EXPECT_EQ(StartsNoted(), 2);
    EXPECT_EQ(UserValue(L"CheckDate"), L"0");
    EXPECT_EQ(UserValue(L"Startup"), L"automatically");
}

}  // namespace
