// The windows of the stand-in modules in each language, and Ravelboot's: access
// letters unique, texts fitting. A stand-in translates its window in its own
// process; a twin of that window, made here from the program's own template and
// given the running window's texts and places, is what the checks measure, since
// the fonts of another process cannot be used here.
#include <gtest/gtest.h>
#include <windows.h>

#include "brisvane/ModuleContract.h"
#include "common/PowerClass.h"
#include "framework/TextFile.h"
#include "resources/ravelboot/resource.h"
#include "standins/StandinResources.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TextChecks.h"

using namespace testing_support;

namespace {

INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A window made in this process from a template of the program `exe`.
class Twin {
public:
    Twin(const std::wstring& exe, int templateId)
        : module_(LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)),
          window_(module_ ? CreateDialogParamW(module_, MAKEINTRESOURCEW(templateId), nullptr, Inert, 0) : nullptr) {}
    ~Twin() {
        if (window_) DestroyWindow(window_);
        if (module_) FreeLibrary(module_);
    }
    HWND hwnd() const { return window_; }
    // The texts and places of the running window's controls.
    void Copy(HWND running) {
        for (HWND from = GetWindow(running, GW_CHILD); from; from = GetWindow(from, GW_HWNDNEXT)) {
            HWND to = GetDlgItem(window_, GetDlgCtrlID(from));
            if (!to) continue;
            wchar_t text[1024] = {};
            GetWindowTextW(from, text, 1024);
            SetWindowTextW(to, text);
            RECT r = {};
            GetWindowRect(from, &r);
            MapWindowPoints(nullptr, running, reinterpret_cast<POINT*>(&r), 2);
            MoveWindow(to, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        }
    }

private:
    HMODULE module_;
    HWND window_;
};

// A stand-in module installed alone in a folder of its own, set to one language.
class StandinInstallation {
public:
    StandinInstallation(const contract::ModuleInfo& module, const std::wstring& language) {
        const std::wstring from = SuiteDir() + module.subfolder;
        exe_ = folder_ / (std::wstring(module.name) + L".exe");
        CopyFileW((from + L"\\" + module.name + L".exe").c_str(), exe_.c_str(), FALSE);
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((from + L"\\*trl.ini").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            CopyFileW((from + L"\\" + found.cFileName).c_str(), (folder_ / found.cFileName).c_str(), FALSE);
            FindClose(find);
        }
        version_ = L"7.texts" + std::to_wstring(GetCurrentProcessId());
        auto lines = fw::ReadTextLines(from + L"\\config.ini");
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i] == L"Version") lines[i + 1] = version_;
            if (lines[i] == L"Language") lines[i + 1] = language;
            if (lines[i] == L"Product ID") product_ = lines[i + 1];
        }
        fw::WriteTextLines(folder_ / L"config.ini", lines);
    }
    ~StandinInstallation() {
        RemoveTree(PowerClass().ReadRegistryText(0, L"AppData") + L"\\Quorvex\\" + product_ + L"\\" + version_);
    }
    const std::wstring& Exe() const { return exe_; }

private:
    TempDir folder_;
    std::wstring exe_, version_, product_;
};

}  // namespace

TEST(WindowTexts, StandinModulesInEachLanguage) {
    for (const auto& module : contract::kModules) {
        if (module.module == contract::Module::Varnholt) continue;  // the real program, tested in-process
        for (const auto& language : kLanguages) {
            const std::string name = "stand-in " + std::string(module.name, module.name + wcslen(module.name));
            StandinInstallation installation(module, language.code);
            Program program(installation.Exe());
            HWND running = program.WaitForWindow(L"Quorvexsoft " + std::wstring(module.name));
            ASSERT_TRUE(running) << language.name << ", " << name << ": no window";
            Twin twin(installation.Exe(), IDD_STANDIN);
            ASSERT_TRUE(twin.hwnd()) << name << ": no template";
            twin.Copy(running);
            ExpectWindowTexts(language.name, name, twin.hwnd());
            PostMessageW(running, WM_CLOSE, 0, 0);
            EXPECT_NE(program.WaitForExit(), STILL_ACTIVE);
        }
    }
}

// Ravelboot ends its window in its own initialisation and shows its template's texts.
TEST(WindowTexts, Ravelboot) {
    Twin twin(SuiteDir() + L"\\Ravelboot\\Ravelboot.exe", IDD_RAVELBOOT);
    ExpectWindowTexts("English", "Ravelboot", twin.hwnd());
}
