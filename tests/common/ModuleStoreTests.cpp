// The stores of the module programs as the shell writes them: in their 8-bit
// form or not at all, and never made anew when they cannot be read.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/PowerClass.h"
#include "framework/Errors.h"
#include "framework/Handles.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {

// A program folder with the module "\Flintrask"; its store is the user's copy
// of its template, under a version of the test's own.
class ModuleStore : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW((dir / L"Flintrask").c_str(), nullptr);
        PowerClass::SetProgramFolderForTests(dir.path());
    }
    void TearDown() override {
        PowerClass::SetProgramFolderForTests(L"");
        RemoveTree(power.ReadRegistryText(0, L"AppData") + L"\\Quorvex\\F\\" + version);
    }

    std::wstring Template() const { return dir / L"Flintrask\\config.ini"; }
    std::wstring Store() { return PowerClass::UserConfigPath(power.ReadRegistryText(0, L"AppData"), L"F", version); }

    TempDir dir;
    PowerClass power;
    const std::wstring version = L"bt" + std::to_wstring(GetCurrentProcessId());
    std::string Head() const { return "Product ID\r\nF\r\nVersion\r\n" + std::string(version.begin(), version.end()) + "\r\n"; }
};

TEST_F(ModuleStore, ValuesAreWrittenOneBytePerCharacterOrRefused) {
    struct Case {
        const char* name;
        std::string before;  // after the head
        std::wstring value;
        std::string after;   // empty: refused, the file as it was
    };
    const Case cases[] = {
        {"Latin-1", "Drive\r\nC:\r\n", L"R\u00E9sum\u00E9", "Drive\r\nR\xE9sum\xE9\r\n"},
        {"beyond Latin-1", "Drive\r\nC:\r\n", L"1000\u20AC", ""},
        // Varnholt's own store may be UTF-8: it stays so.
        {"a UTF-8 store keeps its form", "", L"D:", "Drive\r\nD:\r\nName\r\n\xC3\xA9t\xC3\xA9\r\n"},
        {"a key the store lacks", "Other\r\n1\r\n", L"D:", "Other\r\n1\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(Template(), Head() + c.before);
        std::string bytes = Head() + c.before;
        if (c.before.empty()) {
            bytes = "\xEF\xBB\xBF" + Head() + "Drive\r\nC:\r\nName\r\n\xC3\xA9t\xC3\xA9\r\n";
        }
        power.ReadModuleConfigValue(L"\\Flintrask", L"Version");  // makes the user's copy
        WriteBytes(Store(), bytes);
        if (c.after.empty()) {
            EXPECT_THROW(power.WriteModuleConfigValue(L"\\Flintrask", L"Drive", c.value), EightBitTextError);
            EXPECT_EQ(ReadBytes(Store()), bytes);
        } else {
            power.WriteModuleConfigValue(L"\\Flintrask", L"Drive", c.value);
            EXPECT_EQ(ReadBytes(Store()), (c.before.empty() ? "\xEF\xBB\xBF" : "") + Head() + c.after);
        }
    }
}

TEST_F(ModuleStore, AStoreThatCannotBeReadIsAnErrorAndStaysAsItWas) {
    WriteBytes(Template(), Head() + "MaxSearch\r\n500\r\n");
    power.ReadModuleConfigValue(L"\\Flintrask", L"Version");
    const std::string bytes = ReadBytes(Store());
    {
        fw::FileHandle held(CreateFileW(Store().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_THROW(power.ReadModuleConfigValue(L"\\Flintrask", L"MaxSearch"), fw::FileError);
        EXPECT_THROW(power.WriteModuleConfigValue(L"\\Flintrask", L"MaxSearch", L"---"), fw::FileError);
    }
    EXPECT_EQ(ReadBytes(Store()), bytes);
    // A module that is not installed at all has no store to read.
    EXPECT_THROW(power.ReadModuleConfigValue(L"\\Nowhere", L"MaxSearch"), fw::FileError);
    EXPECT_FALSE(Exists(dir / L"Nowhere"));
}

}  // namespace
