#pragma once
// A Varnholt installation of the tests' own: a program folder with the template
// configuration, a language file and an exception list, which PowerClass takes
// for the program folder while it lives. Its version text is unique, so the
// per-user configuration it makes is its own; that folder goes at the end.
#include <map>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "tests/support/TestSupport.h"

namespace varnholt_tests {

struct InstallationOptions {
    std::wstring language = L"[1033]";
    std::wstring lastPath = L"---";
    std::wstring copyPath = L"---";
    bool keepLastPath = true;
    bool withTemplate = true;
    bool withLanguageFile = true;
    // The language file Varnholt ships, in place of the tests' numbered texts.
    bool shippedLanguageFile = false;
    bool withExceptionFile = true;
    std::vector<std::wstring> exceptions = {L"*\\Thumbs.db", L"*\\desktop.ini"};
};

class Installation {
public:
    explicit Installation(const InstallationOptions& options = {});
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const std::wstring& ProgramFolder() const { return program_.path(); }
    const std::wstring& Version() const { return version_; }
    // AppData\Quorvex\0026\<version>
    std::wstring ConfigFolder() const;
    std::wstring ConfigFile() const { return ConfigFolder() + L"\\config.ini"; }
    // A value of the per-user configuration (the last occurrence of the key).
    std::wstring ConfigValue(const std::wstring& key) const;
    void SetConfigValue(const std::wstring& key, const std::wstring& value) const;

    // The text the test language file holds for a number: "EN15", "DE15", ...
    static std::wstring Text(const std::wstring& language, int number);

private:
    testing_support::TempDir program_;
    std::wstring version_;
};

std::wstring AppDataFolder();

// A file held open without sharing while it lives, as another program may hold it:
// nobody else can open it, not even to read. Wine is assumed to enforce share modes
// as Windows does.
class HeldOpen {
public:
    explicit HeldOpen(const std::wstring& path)
        : file_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    bool ok() const { return static_cast<bool>(file_); }

private:
    fw::FileHandle file_;
};

}  // namespace varnholt_tests
