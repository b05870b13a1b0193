#include "brisvane/OneClickRun.h"

#include "brisvane/ModuleAccess.h"
#include "brisvane/TextNumbers.h"
#include "framework/Errors.h"
#include "framework/Pump.h"

using namespace contract;
using Clock = std::chrono::steady_clock;

namespace {

struct LaterStepInfo {
    Module module;
    const wchar_t* value;
    int finalBar;  // -1: the bar keeps what it showed last
};
const LaterStepInfo kLaterSteps[] = {
    {Module::Wickerlume, kProgress2, 100},
    {Module::Ostrelle, kProgress3, -1},
};

}  // namespace

OneClickRun::OneClickRun(PowerClass& store, const TextSource& texts, OneClickSurface& surface, OneClickTiming timing)
    : store_(store), texts_(texts), surface_(surface), timing_(timing) {}

bool OneClickRun::Run(int cleaningMode) {
    mode_ = cleaningMode == kModuleSettings ? kModuleSettings : kDefaultSettings;
    store_.RegistryKeyPath = kSuiteKey;
    if (mode_ == kDefaultSettings) ApplyDefaults();
    surface_.EnableStep(2, false);
    surface_.EnableStep(3, false);
    surface_.SetStatus(txt::kStep1Status);
    StepOne();
    LaterStep(2);
    LaterStep(3);
    const bool completed = !Cancelled();
    Close();
    return completed;
}

void OneClickRun::ApplyDefaults() {
    // A value is replaced only once the old one is safe; a store that cannot be
    // used ends the run before any module starts.
    for (const auto& option : kDefaultOptions) {
        auto old = ReadStore(option.module, option.key);
        if (!old) return Stop();
        saved_.push_back({option.module, option.key, *old});
        if (!WriteStore(option.module, option.key, option.value)) return Stop();
    }
    defaultsMarked_ = true;
    if (!WriteStore(Module::Flintrask, kUseDefaults, kTrue)) Stop();
}

void OneClickRun::StepOne() {
    Write(kActive, kSet);
    if (!WriteStore(Module::Flintrask, kOneClickMode, kOneClickActive)) Stop();
    Delete(kProgress1);
    Delete(kProgressCancelled);
    Write(kProgress1Max, kSet);
    if (!Cancelled()) Start(Module::Flintrask);
    WaitForTotal();
    surface_.SetBarRange(1, PowerClass::TextToInt(Read(kProgress1Max)) & 0xFFFF);
    while (!Cancelled()) {
        const std::wstring done = Read(kProgress1);
        if (done == kDone) break;
        surface_.SetBarPos(1, PowerClass::TextToInt(done));
        Breathe();
    }
    if (Cancelled()) Write(kProgressCancelled, kSet);
    // The full total: above 65535 the bar's bound wrapped, and the bar clamps this.
    surface_.SetBarPos(1, PowerClass::TextToInt(Read(kProgress1Max)));
    if (!Cancelled()) Pause(timing_.pauses[0]);
    surface_.EnableStep(2, true);
    surface_.SetStatus(txt::kStep2Status);
}

void OneClickRun::LaterStep(int step) {
    const LaterStepInfo& info = kLaterSteps[step - 2];
    Write(kActive, kSet);
    if (!WriteStore(info.module, kOneClickMode, kOneClickActive)) Stop();
    if (!Cancelled()) Start(info.module);
    Delete(info.value);
    while (!Cancelled()) {
        const std::wstring done = Read(info.value);
        if (done == kDone) break;
        surface_.SetBarPos(step, PowerClass::TextToInt(done));
        Breathe();
    }
    if (Cancelled()) Write(kProgressCancelled, kSet);
    if (info.finalBar >= 0) surface_.SetBarPos(step, info.finalBar);
    if (!Cancelled()) Pause(timing_.pauses[static_cast<size_t>(step - 1)]);
    if (step == 2) {
        surface_.EnableStep(3, true);
        surface_.SetStatus(txt::kStep3Status);
    }
}

void OneClickRun::Close() {
    surface_.CloseProgress();
    Report();
    // Every value goes back on its own: one store that cannot be written keeps none of the others from theirs.
    for (const auto& saved : saved_) WriteStore(saved.module, saved.key, saved.text);
    if (defaultsMarked_) WriteStore(Module::Flintrask, kUseDefaults, kFalse);
    Delete(kProgress1);
    Delete(kProgressCancelled);
    Delete(kActive);
    for (const auto& step : kOneClickSteps) WriteStore(step.module, kOneClickMode, kOneClickOff);
}

void OneClickRun::Report() {
    const std::wstring caption = texts_.GetText(txt::kMessageCaption);
    if (Cancelled()) {
        surface_.ShowMessage(texts_.GetText(txt::kOneClickCancelled), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const int how = mode_ == kDefaultSettings ? txt::kRanWithDefaults : txt::kRanWithModuleSettings;
    surface_.ShowMessage(texts_.GetText(txt::kOneClickFinished) + L"\n\n" + texts_.GetText(how),
                         MB_OK | MB_ICONINFORMATION);
}

void OneClickRun::Tell(const std::wstring& problem) {
    // A store that failed once fails again at the reset: it is told once.
    if (told_.insert(problem).second) surface_.ShowMessage(problem, MB_OK | MB_ICONEXCLAMATION);
}

bool OneClickRun::Cancelled() {
    if (!cancelled_ && (stopped_ || surface_.CancelRequested())) cancelled_ = true;
    return cancelled_;
}

bool OneClickRun::Start(Module module) {
    const ModuleInfo& info = Info(module);
    const std::wstring path = PowerClass::GetProgramFolder() + ProgramPath(info);
    if (surface_.StartProgram(path)) return true;
    // Nobody would ever write its progress: the run ends here, as if cancelled.
    Tell(FillText(texts_.GetText(txt::kModuleNotStarted), {info.name, path}));
    Stop();
    return false;
}

void OneClickRun::WaitForTotal() {
    const auto deadline = Clock::now() + timing_.answerTimeout;
    while (!Cancelled() && Read(kProgress1Max) == kSet) {
        if (Clock::now() >= deadline) {
            // A module that never answers ends its step; a late one is told to stop.
            Stop();
            Tell(FillText(texts_.GetText(txt::kModuleDidNotAnswer), {Info(Module::Flintrask).name}));
            return;
        }
        Breathe();
    }
}

void OneClickRun::Pause(std::chrono::milliseconds time) {
    const auto deadline = Clock::now() + time;
    while (!Cancelled()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min(left, timing_.pollInterval).count()),
                                  QS_ALLINPUT);
        if (!fw::PumpPendingMessages()) Stop();
    }
}

void OneClickRun::Breathe() {
    // The program is ending (WM_QUIT): the run winds down as if cancelled.
    if (!fw::PumpPendingMessages()) return Stop();
    if (Cancelled()) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(timing_.pollInterval.count()), QS_ALLINPUT);
    if (!fw::PumpPendingMessages()) Stop();
}

std::wstring OneClickRun::Read(const wchar_t* value) {
    store_.RegistryKeyPath = kSuiteKey;
    return store_.ReadRegistryText(1, value);
}

void OneClickRun::Write(const wchar_t* value, const wchar_t* text) {
    store_.RegistryKeyPath = kSuiteKey;
    store_.WriteRegistryText(value, text);
}

void OneClickRun::Delete(const wchar_t* value) {
    store_.RegistryKeyPath = kSuiteKey;
    store_.DeleteRegistryValue(1, value);
}

std::optional<std::wstring> OneClickRun::ReadStore(Module module, const wchar_t* key) {
    try {
        return store_.ReadModuleConfigValue(Info(module).subfolder, key);
    } catch (const fw::Error& e) {
        Tell(StoreProblemText(texts_, Info(module), e));
        return std::nullopt;
    }
}

bool OneClickRun::WriteStore(Module module, const wchar_t* key, const std::wstring& value) {
    try {
        store_.WriteModuleConfigValue(Info(module).subfolder, key, value);
        return true;
    } catch (const fw::Error& e) {
        Tell(StoreProblemText(texts_, Info(module), e));
        return false;
    }
}
