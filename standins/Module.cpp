// Stands in for a module program of the suite: built once per module and told
// which one it is by its own file name. It honours the module contract: it
// starts in the language of its store, reports a one-click step through the
// suite's registry values and stops when the shell cancels, shows a small window
// when started alone, and removes "active" when it ends. It changes nothing else.
//
// Each start is noted in "standin.log" beside its store, with the values the
// shell had put there, so that what a module saw can be checked afterwards.
#include <windows.h>

#include <algorithm>
#include <string>

#include "brisvane/ModuleContract.h"
#include "common/PowerClass.h"
#include "common/Translation.h"
#include "framework/Dialog.h"
#include "framework/Errors.h"
#include "framework/TextFile.h"
#include "standins/StandinResources.h"
#include "standins/StandinTexts.h"

namespace {

std::wstring OwnName() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    if (name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".exe") == 0) name.resize(name.size() - 4);
    return name;
}

// What the module found in its store when it started.
struct Started {
    std::wstring language, maxSearch, oneClickMode, options, drive, useDefaults, pace;

    static Started Read(PowerClass& store) {
        using namespace contract;
        return {store.ReadConfigValue(kLanguage),     store.ReadConfigValue(kMaxSearch),
                store.ReadConfigValue(kOneClickMode), store.ReadConfigValue(kOptions),
                store.ReadConfigValue(kDrive),        store.ReadConfigValue(kUseDefaults),
                store.ReadConfigValue(L"Pace")};
    }
    std::wstring Describe(const wchar_t* separator) const {
        using namespace contract;
        const std::pair<const wchar_t*, const std::wstring*> items[] = {
            {kLanguage, &language}, {kMaxSearch, &maxSearch}, {kOneClickMode, &oneClickMode},
            {kOptions, &options},   {kDrive, &drive},         {kUseDefaults, &useDefaults}};
        std::wstring text;
        for (const auto& [key, value] : items) text += (text.empty() ? L"" : separator) + (key + (L"=" + *value));
        return text;
    }
};

void Note(const std::wstring& folder, const std::wstring& line) {
    HANDLE log = CreateFileW((folder + L"\\standin.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return;
    const std::string bytes = fw::EncodeTextAs(line + L"\n", false);
    DWORD written = 0;
    WriteFile(log, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(log);
}

class Registry {
public:
    Registry() { store_.RegistryKeyPath = contract::kSuiteKey; }
    std::wstring Read(const wchar_t* value) { return store_.ReadRegistryText(1, value); }
    void Write(const wchar_t* value, const std::wstring& text) { store_.WriteRegistryText(value, text); }
    bool Cancelled() { return Read(contract::kProgressCancelled) == contract::kSet; }
    // Both roots, as Varnholt does.
    void EndActive() {
        store_.DeleteRegistryValue(0, contract::kActive);
        store_.DeleteRegistryValue(1, contract::kActive);
    }

private:
    PowerClass store_;
};

// The module's work in a one-click run: `units` steps of `pace` milliseconds,
// reported through `value`, "done" last; a cancel stops it without a word.
void RunOneClickStep(const contract::ModuleInfo& info, const Started& started) {
    Registry registry;
    const int pace = std::clamp(started.pace.empty() ? 40 : PowerClass::TextToInt(started.pace), 1, 5000);
    const int limit = started.maxSearch == contract::kNoLimit ? 0 : PowerClass::TextToInt(started.maxSearch);
    const auto& step = contract::kOneClickSteps[static_cast<size_t>(info.oneClickStep - 1)];
    int units = step.units;
    if (info.module == contract::Module::Flintrask) {
        // Flintrask tells its total first: 40 items, fewer under a search limit.
        units = limit > 0 ? std::min(40, limit) : 40;
        registry.Write(contract::kProgress1Max, std::to_wstring(units));
    }
    // Wickerlume reports its percentage in steps of 5.
    const int stride = info.module == contract::Module::Wickerlume ? 5 : 1;
    for (int done = stride; done <= units; done += stride) {
        Sleep(static_cast<DWORD>(pace));
        if (registry.Cancelled()) return;
        registry.Write(step.value, std::to_wstring(done));
    }
    registry.Write(step.value, contract::kDone);
}

class StandinWindow : public fw::Dialog {
public:
    StandinWindow(std::wstring name, const Started& started, CTranslation* texts)
        : fw::Dialog(IDD_STANDIN), name_(std::move(name)), started_(started), texts_(texts) {}

protected:
    bool OnInitDialog() override {
        HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_STANDIN));
        SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        SetWindowTextW(hwnd(), Text(standin_txt::kCaption, L"Quorvexsoft " + name_).c_str());
        Item(IDC_STANDS_IN).SetText(Text(standin_txt::kStandsIn, L""));
        Item(IDC_STARTED_WITH).SetText(Text(standin_txt::kStartedWith, L""));
        Item(IDC_SETTINGS).SetText(started_.Describe(L"\r\n"));
        Item(IDCANCEL).SetText(Text(standin_txt::kClose, L"Close"));
        return true;
    }
    void OnOK() override { End(IDOK); }

private:
    std::wstring Text(int number, const std::wstring& fallback) const {
        std::wstring text = texts_ ? texts_->GetText(number) : L"---";
        return text == L"---" && !fallback.empty() ? fallback : text;
    }
    std::wstring name_;
    Started started_;
    CTranslation* texts_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring name = OwnName();
    const contract::ModuleInfo* info = contract::FindModule(name);
    Registry registry;
    int exitCode = 0;
    try {
        PowerClass store;
        store.GetConfigPath();
        const Started started = Started::Read(store);
        Note(store.DataFolder, name + L" " + started.Describe(L";"));
        if (info && info->oneClickStep > 0 && started.oneClickMode == contract::kOneClickActive) {
            RunOneClickStep(*info, started);
        } else {
            CTranslation texts;
            CTranslation* shown = &texts;
            try {
                texts.LoadTexts();
            } catch (const fw::Error&) {
                shown = nullptr;  // the window's own texts stand in
            }
            StandinWindow window(name, started, shown);
            window.DoModal(nullptr);
        }
    } catch (const fw::Error& e) {
        MessageBoxW(nullptr, e.Message().c_str(), name.c_str(), MB_OK | MB_ICONEXCLAMATION);
        exitCode = 1;
    }
    registry.EndActive();
    return exitCode;
}
