#include "brisvane/ModuleAccess.h"

#include <shellapi.h>

#include "brisvane/TextNumbers.h"
#include "common/PowerClass.h"

namespace brisvane_hooks {
std::function<bool(const std::wstring&)> startProgram;
}  // namespace brisvane_hooks

bool StartProgram(const std::wstring& path, StartedProgram* started) {
    if (brisvane_hooks::startProgram) return brisvane_hooks::startProgram(path);
    // A missing program is told by the shell itself, not by a dialog of the platform's.
    if (!PowerClass::FileExists(path)) return false;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info)) return false;
    StartedProgram program(info.hProcess);
    if (started) *started = std::move(program);
    return true;
}

std::wstring FillText(std::wstring text, const std::vector<std::wstring>& values) {
    for (size_t i = 0; i < values.size(); ++i) {
        const std::wstring mark = L"%" + std::to_wstring(i + 1);
        if (size_t at = text.find(mark); at != std::wstring::npos) text.replace(at, mark.size(), values[i]);
    }
    return text;
}

std::wstring StoreProblemText(const TextSource& texts, const contract::ModuleInfo& module, const fw::Error& error) {
    if (auto* eightBit = dynamic_cast<const EightBitTextError*>(&error))
        return FillText(texts.GetText(txt::kModuleStoreEightBit), {module.name, eightBit->Path()});
    if (auto* file = dynamic_cast<const fw::FileError*>(&error))
        return FillText(texts.GetText(txt::kModuleStoreUnusable), {module.name, file->Path()});
    return FillText(texts.GetText(txt::kModuleStoreUnusable), {module.name, error.Message()});
}
