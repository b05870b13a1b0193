#pragma once
// The one-click cleaning: Flintrask, Wickerlume and Ostrelle one after the other,
// each started and followed through the suite's registry values, with the
// modules' own option values put back at the end in every case. The main window
// drives it and shows it; the run itself knows no window.
#include <windows.h>

#include <array>
#include <chrono>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "brisvane/ModuleContract.h"
#include "common/PowerClass.h"
#include "common/TextSource.h"

// What the run shows and asks; the main window with its progress panel is the real one.
class OneClickSurface {
public:
    virtual ~OneClickSurface() = default;
    virtual void SetStatus(int textNumber) = 0;          // the main window's status line
    virtual void EnableStep(int step, bool enable) = 0;  // step 1 to 3
    virtual void SetBarRange(int step, int upper) = 0;   // 0 to upper, 16 bits
    virtual void SetBarPos(int step, int position) = 0;
    virtual bool CancelRequested() const = 0;
    // False when the program could not be started.
    virtual bool StartProgram(const std::wstring& path) = 0;
    // The panel goes and the window shows its tiles again.
    virtual void CloseProgress() = 0;
    virtual void ShowMessage(const std::wstring& text, UINT type) = 0;
};

struct OneClickTiming {
    // After steps 1, 2 and 3, unless cancelled.
    std::array<std::chrono::milliseconds, 3> pauses = {std::chrono::milliseconds(4000),
                                                       std::chrono::milliseconds(6000),
                                                       std::chrono::milliseconds(4000)};
    // How long Flintrask may take to tell its total work.
    std::chrono::milliseconds answerTimeout = std::chrono::seconds(30);
    // Longest wait for a message between two polls.
    std::chrono::milliseconds pollInterval = std::chrono::milliseconds(50);
};

class OneClickRun {
public:
    enum Mode { kDefaultSettings = 0, kModuleSettings = 1 };

    // `store` gives the registry and the module stores, `texts` the messages.
    OneClickRun(PowerClass& store, const TextSource& texts, OneClickSurface& surface, OneClickTiming timing = {});

    // Everything from the default settings to the last reset; false when the run
    // was cancelled or a module could not take part.
    bool Run(int cleaningMode);

    // The option texts a default run gives the modules.
    struct DefaultOption {
        contract::Module module;
        const wchar_t* key;
        const wchar_t* value;
    };
    static constexpr std::array<DefaultOption, 4> kDefaultOptions = {{
        {contract::Module::Flintrask, contract::kOptions, L"0000000000000001010"},
        {contract::Module::Flintrask, contract::kDrive, L"C:"},
        {contract::Module::Wickerlume, contract::kOptions, L"000000000000000000111111000000"},
        {contract::Module::Ostrelle, contract::kOptions, L"111111010011100001000100000000"},
    }};

private:
    struct Saved {
        contract::Module module;
        const wchar_t* key;
        std::wstring text;
    };

    void ApplyDefaults();
    void StepOne();
    // Steps 2 and 3, which differ only in their module, value, final bar and pause.
    void LaterStep(int step);
    void Close();
    void Report();

    bool Cancelled();
    void Tell(const std::wstring& problem);
    void Stop() { stopped_ = true; }
    bool Start(contract::Module module);
    void WaitForTotal();
    // Lets messages through for up to `time`, or until cancelled.
    void Pause(std::chrono::milliseconds time);
    // One turn of a polling loop: the messages that wait, then a wait for the next
    // message or the poll interval, whichever comes first.
    void Breathe();

    std::wstring Read(const wchar_t* value);
    void Write(const wchar_t* value, const wchar_t* text);
    void Delete(const wchar_t* value);
    std::optional<std::wstring> ReadStore(contract::Module module, const wchar_t* key);
    bool WriteStore(contract::Module module, const wchar_t* key, const std::wstring& value);

    PowerClass& store_;
    const TextSource& texts_;
    OneClickSurface& surface_;
    OneClickTiming timing_;
    int mode_ = kDefaultSettings;
    bool cancelled_ = false;
    bool stopped_ = false;
    // Values taken out of the stores by a default run, in the order they were replaced.
    std::vector<Saved> saved_;
    bool defaultsMarked_ = false;
    std::set<std::wstring> told_;
};
