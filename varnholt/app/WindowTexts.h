#pragma once
// The texts of one window: its own translation, loaded in its initialisation.
// When the configuration or the language file cannot be read, built-in English
// texts stand in, so that the program still opens and reads sensibly; the main
// window says once what is missing.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "common/TextSource.h"
#include "varnholt/engine/EnglishTexts.h"

class CTranslation;

// A file that could not be read, for the main window's notice.
struct FileProblem {
    enum class File { Settings, ExceptionList, Language };
    File file;
    std::wstring path;
    bool missing;  // not there at all, rather than there but not readable
    bool operator==(const FileProblem&) const = default;
};

class WindowTexts : public TextSource {
public:
    WindowTexts();
    ~WindowTexts() override;
    WindowTexts(const WindowTexts&) = delete;
    WindowTexts& operator=(const WindowTexts&) = delete;

    // False when nothing could be loaded; Problem() then says which file failed.
    // User settings that are there but cannot be read leave the language to the
    // installed template.
    bool Load();
    bool Loaded() const { return loaded_; }
    const std::optional<FileProblem>& Problem() const { return problem_; }
    std::wstring GetText(int number) const override;

    // Tests: every later Load() takes this table (nullptr: the real files again).
    static void UseTableForTests(const std::map<int, std::wstring>* table);

private:
    std::unique_ptr<CTranslation> translation_;
    const std::map<int, std::wstring>* table_ = nullptr;
    bool loaded_ = false;
    std::optional<FileProblem> problem_;
};
