#pragma once
// Starting a module program and telling the user what went wrong with a module:
// a program that could not be started, a store that could not be used.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "brisvane/ModuleContract.h"
#include "common/TextSource.h"
#include "framework/Errors.h"
#include "framework/Handles.h"

// A started program, watched so that one that ended without saying so is noticed.
class StartedProgram {
public:
    StartedProgram() = default;
    explicit StartedProgram(HANDLE process) : process_(process) {}
    // True once the process is known to have ended; a program started without a
    // process to watch (a document, a test's stand-in) never counts as ended.
    bool HasEnded() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }

private:
    fw::FileHandle process_;
};

// Opens a program with the shell's "open" verb (no parameters, no working folder,
// SW_SHOWNORMAL). False when it could not be started: the file is missing, or
// the shell refused it; the platform shows no message of its own then.
bool StartProgram(const std::wstring& path, StartedProgram* started = nullptr);

namespace brisvane_hooks {
// Tests answer program starts here: true when the start is to count as done.
extern std::function<bool(const std::wstring& path)> startProgram;
}  // namespace brisvane_hooks

// A translated text with %1, %2, ... filled in.
std::wstring FillText(std::wstring text, const std::vector<std::wstring>& values);

// What to tell the user when a module's store could not be read or written.
std::wstring StoreProblemText(const TextSource& texts, const contract::ModuleInfo& module, const fw::Error& error);
