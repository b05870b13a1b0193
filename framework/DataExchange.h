#pragma once
// Data exchange between a dialog's members and its controls, declared once per
// control: Load puts every member into its control, Store takes every control
// into its member. Store checks all controls before it changes any member, so a
// failed check leaves every member as it was; the user is told, and the field
// gets the focus with its text selected. A disabled field that fails its check
// is left out instead: nobody could correct it.
//
// Header only: each dialog declares its own exchange and the framework library
// needs no source of it.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/Controls.h"
#include "framework/Ui.h"

namespace fw {

// The value of an integer text: blanks around an optional sign and decimal
// digits, nothing else; nullopt for anything else, or beyond 64 bits.
inline std::optional<int64_t> ParseInteger(std::wstring_view text) {
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 18) return std::nullopt;
    int64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return negative ? -value : value;
}

class DataExchange {
public:
    // What Store does when a check fails: tell the user and put the focus on the
    // field, or only report it (for a caller that shows the page first).
    enum class OnFailure { Tell, Quiet };

    DataExchange& Text(int id, std::wstring& member) {
        fields_.push_back({id, [id, &member](HWND d) { Window(GetDlgItem(d, id)).SetText(member); },
                           [id, &member](HWND d, Commit& commit) -> std::optional<Failure> {
                               commit = [&member, text = Window(GetDlgItem(d, id)).GetText()] { member = text; };
                               return std::nullopt;
                           }});
        return *this;
    }

    // Any 32-bit integer.
    DataExchange& Integer(int id, int& member) { return AddInteger(id, member, std::nullopt); }
    // An integer from `min` to `max`.
    DataExchange& Integer(int id, int& member, int min, int max) {
        return AddInteger(id, member, std::pair{min, max});
    }

    // A check box as 0 (clear) or 1 (ticked).
    DataExchange& Check(int id, int& member) {
        fields_.push_back({id, [id, &member](HWND d) { Button(GetDlgItem(d, id)).SetCheck(member != 0); },
                           [id, &member](HWND d, Commit& commit) -> std::optional<Failure> {
                               commit = [&member, on = Button(GetDlgItem(d, id)).IsChecked()] { member = on ? 1 : 0; };
                               return std::nullopt;
                           }});
        return *this;
    }

    // The radio buttons from `firstId` up to the next control that starts a group:
    // the index of the ticked one, -1 when none is.
    DataExchange& Radio(int firstId, int& member) {
        fields_.push_back({firstId,
                           [firstId, &member](HWND d) {
                               auto group = RadioGroup(d, firstId);
                               for (size_t i = 0; i < group.size(); ++i)
                                   Button(group[i]).SetCheck(static_cast<int>(i) == member);
                           },
                           [firstId, &member](HWND d, Commit& commit) -> std::optional<Failure> {
                               int ticked = -1;
                               auto group = RadioGroup(d, firstId);
                               for (size_t i = 0; i < group.size() && ticked < 0; ++i)
                                   if (Button(group[i]).IsChecked()) ticked = static_cast<int>(i);
                               commit = [&member, ticked] { member = ticked; };
                               return std::nullopt;
                           }});
        return *this;
    }

    // The selected entry of a list, -1 when none is; a member naming no entry selects none.
    DataExchange& ComboSelection(int id, int& member) {
        fields_.push_back({id,
                           [id, &member](HWND d) {
                               // -1 clears the selection everywhere; an index past the end not in every version.
                               ComboBox list(GetDlgItem(d, id));
                               list.SetCurSel(member >= 0 && member < list.GetCount() ? member : -1);
                           },
                           [id, &member](HWND d, Commit& commit) -> std::optional<Failure> {
                               commit = [&member, index = ComboBox(GetDlgItem(d, id)).GetCurSel()] { member = index; };
                               return std::nullopt;
                           }});
        return *this;
    }

    void Load(HWND dialog) const {
        for (const auto& field : fields_) field.load(dialog);
    }

    // True when every control passed its check and every member took its value.
    bool Store(HWND dialog, OnFailure onFailure = OnFailure::Tell) const {
        std::vector<Commit> commits;
        commits.reserve(fields_.size());
        for (const auto& field : fields_) {
            Commit commit;
            if (auto message = field.read(dialog, commit)) {
                if (onFailure == OnFailure::Tell) Fail(dialog, field.id, Message(*message));
                return false;
            }
            commits.push_back(std::move(commit));
        }
        for (const auto& commit : commits)
            if (commit) commit();
        return true;
    }

    static constexpr const wchar_t* kNotAnInteger = L"Please enter an integer.";
    static constexpr const wchar_t* kOutOfRange = L"Please enter an integer between %1 and %2.";

    // The two messages in the window's language; the second holds %1 and %2 for the range.
    void SetMessages(std::wstring notAnInteger, std::wstring outOfRange) {
        notAnInteger_ = std::move(notAnInteger);
        outOfRange_ = std::move(outOfRange);
    }

    std::wstring RangeMessage(std::pair<int, int> range) const {
        std::wstring text = outOfRange_;
        if (auto at = text.find(L"%1"); at != std::wstring::npos) text.replace(at, 2, std::to_wstring(range.first));
        if (auto at = text.find(L"%2"); at != std::wstring::npos) text.replace(at, 2, std::to_wstring(range.second));
        return text;
    }

private:
    using Commit = std::function<void()>;
    // A failed integer check, with the range the field allows when it has one.
    struct Failure {
        std::optional<std::pair<int, int>> range;
    };
    struct Field {
        int id;
        std::function<void(HWND dialog)> load;
        // Reads the control: a failed check, or nothing and the step that stores the value.
        std::function<std::optional<Failure>(HWND dialog, Commit& commit)> read;
    };

    std::wstring Message(const Failure& failure) const {
        return failure.range ? RangeMessage(*failure.range) : notAnInteger_;
    }

    DataExchange& AddInteger(int id, int& member, std::optional<std::pair<int, int>> range) {
        fields_.push_back(
            {id, [id, &member](HWND d) { Window(GetDlgItem(d, id)).SetText(std::to_wstring(member)); },
             [id, &member, range](HWND d, Commit& commit) -> std::optional<Failure> {
                 Window control(GetDlgItem(d, id));
                 auto value = ParseInteger(control.GetText());
                 std::optional<Failure> failure;
                 if (range && (!value || *value < range->first || *value > range->second))
                     failure = Failure{value ? range : std::nullopt};
                 else if (!value || *value < INT32_MIN || *value > INT32_MAX)
                     failure = Failure{};
                 // A disabled field cannot take the focus to be corrected: its member keeps its value.
                 if (failure && !control.IsEnabled()) failure.reset();
                 else if (!failure) commit = [&member, v = static_cast<int>(*value)] { member = v; };
                 return failure;
             }});
        return *this;
    }

    static std::vector<HWND> RadioGroup(HWND dialog, int firstId) {
        std::vector<HWND> group;
        for (HWND h = GetDlgItem(dialog, firstId); h; h = GetWindow(h, GW_HWNDNEXT)) {
            if (!group.empty() && (GetWindowLongW(h, GWL_STYLE) & WS_GROUP)) break;
            group.push_back(h);
        }
        return group;
    }

    static void Fail(HWND dialog, int id, const std::wstring& message) {
        ShowErrorMessage(dialog, message);
        HWND control = GetDlgItem(dialog, id);
        SetFocus(control);
        Edit(control).SetSel(0, -1);
    }

    std::vector<Field> fields_;
    std::wstring notAnInteger_ = kNotAnInteger;
    std::wstring outOfRange_ = kOutOfRange;
};

}  // namespace fw
