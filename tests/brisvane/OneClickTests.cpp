// The one-click run on its own: a surface that records what the window would
// show, and modules played by threads that write the registry values.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <list>
#include <map>
#include <set>
#include <thread>

#include "brisvane/OneClickRun.h"
#include "brisvane/TextNumbers.h"
#include "common/Translation.h"
#include "framework/Handles.h"
#include "tests/brisvane/Suite.h"

using namespace brisvane_tests;
using namespace contract;

namespace {

using Script = std::vector<std::pair<const wchar_t*, std::wstring>>;

struct Texts : TextSource {
    std::wstring GetText(int number) const override { return EnglishText(number); }
};

// A module that writes its values one after the other, 60 ms apart.
class PlayedModule {
public:
    PlayedModule() = default;
    ~PlayedModule() {
        if (thread_.joinable()) thread_.join();
    }
    void Play(Script script) {
        thread_ = std::thread([script = std::move(script)] {
            for (const auto& [value, text] : script) {
                Sleep(60);
                Suite::SetRegistry(value, text);
            }
        });
    }

private:
    std::thread thread_;
};

class Surface : public OneClickSurface {
public:
    std::map<std::wstring, Script> scripts;  // by module name; a module without one never answers
    std::set<std::wstring> missing;          // programs that cannot be started
    std::function<void(const std::wstring& module)> onStart;
    std::function<void(int step, int position)> onPosition;

    std::vector<std::wstring> started;
    std::map<int, std::vector<int>> ranges, positions;
    std::vector<std::pair<std::wstring, UINT>> messages;
    bool cancel = false;
    bool closed = false;
    std::wstring cancelledAtClose;

    void SetStatus(int) override {}
    void EnableStep(int, bool) override {}
    void SetBarRange(int step, int upper) override { ranges[step].push_back(upper); }
    void SetBarPos(int step, int position) override {
        positions[step].push_back(position);
        if (onPosition) onPosition(step, position);
    }
    bool CancelRequested() const override { return cancel; }
    bool StartProgram(const std::wstring& path) override {
        std::wstring name = path.substr(path.rfind(L'\\') + 1);
        name.resize(name.size() - 4);
        if (missing.count(name)) return false;
        started.push_back(name);
        if (onStart) onStart(name);
        if (auto script = scripts.find(name); script != scripts.end()) players_.emplace_back().Play(script->second);
        return true;
    }
    void CloseProgress() override {
        closed = true;
        cancelledAtClose = Suite::Registry(kProgressCancelled);
    }
    void ShowMessage(const std::wstring& text, UINT type) override { messages.emplace_back(text, type); }

private:
    std::list<PlayedModule> players_;
};

OneClickTiming Quick() {
    OneClickTiming timing;
    timing.pauses = {std::chrono::milliseconds(0), std::chrono::milliseconds(0), std::chrono::milliseconds(0)};
    timing.answerTimeout = std::chrono::seconds(5);
    timing.pollInterval = std::chrono::milliseconds(10);
    return timing;
}

const Script kFlintrask = {{kProgress1Max, L"250"}, {kProgress1, L"125"}, {kProgress1, L"done"}};
const Script kWickerlume = {{kProgress2, L"50"}, {kProgress2, L"done"}};
const Script kOstrelle = {{kProgress3, L"9"}, {kProgress3, L"done"}};

struct OneClickCase {
    Suite suite;
    Surface surface;
    Texts texts;
    PowerClass store;
    bool completed = false;

    OneClickCase() {
        surface.scripts = {{L"Flintrask", kFlintrask}, {L"Wickerlume", kWickerlume}, {L"Ostrelle", kOstrelle}};
    }
    void Go(int mode, OneClickTiming timing = Quick()) {
        OneClickRun run(store, texts, surface, timing);
        completed = run.Run(mode);
    }
};

std::wstring OwnOptions(Suite& suite) {
    return suite.Value(Module::Flintrask, kOptions) + L"|" + suite.Value(Module::Flintrask, kDrive) + L"|" +
           suite.Value(Module::Wickerlume, kOptions) + L"|" + suite.Value(Module::Ostrelle, kOptions);
}

}  // namespace

TEST(OneClick, DefaultRunGivesTheModulesFixedOptionsAndPutsTheirOwnBack) {
    OneClickCase run;
    const std::wstring own = OwnOptions(run.suite);
    std::map<std::wstring, std::wstring> seen;
    run.surface.onStart = [&](const std::wstring& module) {
        seen[module] = OwnOptions(run.suite) + L"|" + run.suite.Value(Module::Flintrask, kUseDefaults) + L"|" +
                       run.suite.Value(FindModule(module)->module, kOneClickMode) + L"|" +
                       Suite::Registry(kActive) + L"|" + Suite::Registry(kProgress1Max);
    };
    run.Go(OneClickRun::kDefaultSettings);

    const std::wstring defaults =
        L"0000000000000001010|C:|000000000000000000111111000000|111111010011100001000100000000|true|active|x|";
    EXPECT_EQ(seen[L"Flintrask"], defaults + L"x");
    EXPECT_EQ(seen[L"Wickerlume"], defaults + L"250");
    EXPECT_EQ(run.surface.started, (std::vector<std::wstring>{L"Flintrask", L"Wickerlume", L"Ostrelle"}));
    EXPECT_TRUE(run.completed);
    EXPECT_EQ(OwnOptions(run.suite), own);
    EXPECT_EQ(run.suite.Value(Module::Flintrask, kUseDefaults), L"false");
    for (Module m : {Module::Flintrask, Module::Wickerlume, Module::Ostrelle})
        EXPECT_EQ(run.suite.Value(m, kOneClickMode), L"---");
    for (const wchar_t* gone : {kActive, kProgress1, kProgressCancelled}) EXPECT_FALSE(Suite::RegistryHas(gone)) << gone;
    EXPECT_EQ(Suite::Registry(kProgress1Max), L"250");
    EXPECT_EQ(Suite::Registry(kProgress2), L"done");
    EXPECT_EQ(Suite::Registry(kProgress3), L"done");
    EXPECT_EQ(run.surface.ranges[1], std::vector<int>{250});
    EXPECT_EQ(run.surface.positions[1].back(), 250);
    EXPECT_EQ(run.surface.positions[2].back(), 100);
    ASSERT_EQ(run.surface.messages.size(), 1u);
    EXPECT_EQ(run.surface.messages[0].first,
              EnglishText(txt::kOneClickFinished) + L"\n\n" + EnglishText(txt::kRanWithDefaults));
    EXPECT_EQ(run.surface.messages[0].second, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST(OneClick, ModuleSettingsTouchOnlyTheOneClickMode) {
    OneClickCase run;
    const auto before = run.suite.StoreBytes();
    std::vector<std::wstring> modes;
    run.surface.onStart = [&](const std::wstring& module) {
        modes.push_back(run.suite.Value(FindModule(module)->module, kOneClickMode));
    };
    run.Go(OneClickRun::kModuleSettings);
    EXPECT_EQ(modes, (std::vector<std::wstring>{L"active", L"active", L"active"}));
    // Back to "---", as the templates have it: every byte as before.
    EXPECT_EQ(run.suite.StoreBytes(), before);
    EXPECT_EQ(run.surface.messages.at(0).first,
              EnglishText(txt::kOneClickFinished) + L"\n\n" + EnglishText(txt::kRanWithModuleSettings));
}

TEST(OneClick, ProgressTextsAreReadDigitByDigitAndOnlyDoneEndsAStep) {
    struct Case {
        Script flintrask, wickerlume;
        int range;
        std::vector<int> positions1, positions2;
    };
    const Case cases[] = {
        // Above 65535 the bound wraps, and the last position carries the whole number.
        {{{kProgress1Max, L"65636"}, {kProgress1, L"done"}}, kWickerlume, 100, {65636}, {50, 100}},
        // "42%": the sign takes the units place; "Done" is no end.
        {kFlintrask, {{kProgress2, L"42%"}, {kProgress2, L"Done"}, {kProgress2, L"done"}}, 250, {125, 250}, {420, 0, 100}},
    };
    for (const auto& c : cases) {
        OneClickCase run;
        run.surface.scripts[L"Flintrask"] = c.flintrask;
        run.surface.scripts[L"Wickerlume"] = c.wickerlume;
        run.Go(OneClickRun::kModuleSettings);
        EXPECT_EQ(run.surface.ranges[1], std::vector<int>{c.range});
        // Each value is polled many times: the distinct ones in order, after the
        // nothing (0) that each step reads before its module's first value.
        for (auto [step, expected] : {std::pair{1, c.positions1}, std::pair{2, c.positions2}}) {
            auto& seen = run.surface.positions[step];
            seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
            if (!seen.empty() && seen.front() == 0) seen.erase(seen.begin());
            EXPECT_EQ(seen, expected) << "step " << step;
        }
    }
}

TEST(OneClick, CancelInStepOneStartsNoOtherModuleAndStillPutsTheOptionsBack) {
    OneClickCase run;
    const std::wstring own = OwnOptions(run.suite);
    run.surface.scripts[L"Flintrask"] = {{kProgress1Max, L"250"}, {kProgress1, L"125"}};
    run.surface.onPosition = [&](int step, int position) {
        if (step == 1 && position == 125) run.surface.cancel = true;
    };
    const auto begun = std::chrono::steady_clock::now();
    run.Go(OneClickRun::kDefaultSettings, [] {
        auto timing = Quick();
        timing.pauses = {std::chrono::seconds(20), std::chrono::seconds(20), std::chrono::seconds(20)};
        return timing;
    }());
    EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(10));  // no pause after a cancel
    EXPECT_FALSE(run.completed);
    EXPECT_EQ(run.surface.started, std::vector<std::wstring>{L"Flintrask"});
    EXPECT_EQ(run.surface.cancelledAtClose, L"x");
    ASSERT_EQ(run.surface.messages.size(), 1u);
    EXPECT_EQ(run.surface.messages[0].first, EnglishText(txt::kOneClickCancelled));
    EXPECT_EQ(run.surface.messages[0].second, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(OwnOptions(run.suite), own);
    EXPECT_EQ(run.suite.Value(Module::Flintrask, kUseDefaults), L"false");
    EXPECT_FALSE(Suite::RegistryHas(kProgressCancelled));
}

TEST(OneClick, AModuleThatCannotTakePartEndsTheRunWithAMessage) {
    struct Case {
        const char* name;
        std::function<void(OneClickCase&)> arrange;
        int message;
        std::vector<std::wstring> started;
    };
    const Case cases[] = {
        {"never answers", [](OneClickCase& r) { r.surface.scripts.erase(L"Flintrask"); }, txt::kModuleDidNotAnswer,
         {L"Flintrask"}},
        {"missing program", [](OneClickCase& r) { r.surface.missing = {L"Flintrask"}; }, txt::kModuleNotStarted, {}},
        {"missing later program", [](OneClickCase& r) { r.surface.missing = {L"Wickerlume"}; }, txt::kModuleNotStarted,
         {L"Flintrask"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OneClickCase run;
        const std::wstring own = OwnOptions(run.suite);
        c.arrange(run);
        auto timing = Quick();
        timing.answerTimeout = std::chrono::milliseconds(300);
        run.Go(OneClickRun::kDefaultSettings, timing);
        EXPECT_EQ(run.surface.started, c.started);
        ASSERT_EQ(run.surface.messages.size(), 2u);
        const std::wstring head = EnglishText(c.message).substr(0, EnglishText(c.message).find(L"%1"));
        EXPECT_EQ(run.surface.messages[0].first.substr(0, head.size()), head);
        EXPECT_EQ(run.surface.messages[1].first, EnglishText(txt::kOneClickCancelled));
        EXPECT_EQ(OwnOptions(run.suite), own);
        EXPECT_FALSE(Suite::RegistryHas(kActive));
    }
}

TEST(OneClick, AStoreThatCannotBeReadIsToldAndNothingStarts) {
    OneClickCase run;
    const std::wstring flintrask = run.suite.StorePath(Module::Flintrask);
    const auto before = run.suite.StoreBytes();
    {
        fw::FileHandle held(CreateFileW(flintrask.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        run.Go(OneClickRun::kDefaultSettings);
    }
    EXPECT_TRUE(run.surface.started.empty());
    ASSERT_GE(run.surface.messages.size(), 2u);
    EXPECT_NE(run.surface.messages[0].first.find(flintrask), std::wstring::npos);
    EXPECT_EQ(run.surface.messages.back().first, EnglishText(txt::kOneClickCancelled));
    EXPECT_EQ(run.suite.StoreBytes(), before);
}
