#pragma once
// The suite's utility object: configuration store, registry helpers,
// conversions, file operations. One instance per owning window; instances
// share only what is on disk.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileStatus.h"
#include "framework/Errors.h"

// A module's store keeps one byte per character, as the modules read it: a text
// with a character that such a file cannot hold is refused, and the file stays as it was.
class EightBitTextError : public fw::Error {
public:
    explicit EightBitTextError(const std::wstring& path);
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

class PowerClass {
public:
    std::wstring RegistryKeyPath;
    std::vector<std::wstring> FolderList;
    int FolderDepthLimit = 0;
    std::vector<std::wstring> PrintLineList;
    std::wstring ConfigPath;
    std::wstring DataFolder;
    std::vector<std::wstring> SplitParts;
    std::wstring MakerFolder;

    // --- configuration store and registry ---
    static std::wstring GetProgramFolder();
    // Tests only: makes GetProgramFolder() answer `folder` instead of the
    // executable's folder; an empty text restores the real one.
    static void SetProgramFolderForTests(std::wstring folder);
    std::wstring GetConfigPath();
    // Where a product's per-user configuration lives: "%s\Quorvex\%s\%s\config.ini" with the
    // application-data folder, the product id and the version. Only computes the path.
    static std::wstring UserConfigPath(const std::wstring& appData, const std::wstring& productId,
                                       const std::wstring& version);
    // The starter's narrower form: no maker and product folders made, no DataFolder.
    std::wstring GetStarterConfigPath();
    std::wstring ReadConfigValue(const std::wstring& key);
    void WriteConfigValue(const std::wstring& key, const std::wstring& value);
    std::wstring ReadRegistryText(int rootCode, const std::wstring& valueName);
    void DeleteRegistryValue(int rootCode, const std::wstring& valueName);
    void WriteRegistryText(const std::wstring& valueName, const std::wstring& value);
    // A module's store, below the program folder followed by `moduleSubfolder`. A store
    // that cannot be read is a FileError; nothing is then made in its place.
    std::wstring ReadModuleConfigValue(const std::wstring& moduleSubfolder, const std::wstring& key);
    // Replaces the value in place, atomically, keeping the store's form: a text that
    // an 8-bit store cannot hold is an EightBitTextError. A store without the key is left untouched.
    void WriteModuleConfigValue(const std::wstring& moduleSubfolder, const std::wstring& key, const std::wstring& value);
    static bool FileExists(const std::wstring& path);
    static void CopyFileSilently(const std::wstring& sourcePath, const std::wstring& destinationFolder, bool showProgress);

    // --- conversions ---
    static int TextToInt(std::wstring_view text);
    static int HexTextToInt(std::wstring_view text);
    static std::wstring IntToText(int number);
    static std::wstring PadWithZeros(std::wstring text, size_t width);
    void SplitText(std::wstring_view text, wchar_t separator);
    static std::wstring JoinTexts(std::vector<std::wstring>& list, std::wstring_view separator);
    static int CountLetterH(std::wstring_view text);
    static std::wstring FormatNowText(bool withSeparators);
    static std::wstring FormatTimeText(int64_t time, bool dateOnly);
    static int64_t ParseTimeText(std::wstring_view text);
    static int DayNumberSince2000(std::wstring_view year, std::wstring_view month, std::wstring_view day);

    // --- file and folder operations ---
    static uint64_t GetFileSize64(const std::wstring& path, bool statusOnly);
    static bool IsReadOnlyOrMissing(const std::wstring& path);
    // With `warnWhenPermanent`, the shell asks first when it can only delete for good
    // (no recycle bin on that drive).
    static void DeleteFileOrRecycle(const std::wstring& path, bool toRecycleBin, bool warnWhenPermanent = false);
    static bool WipeFile(const std::wstring& path);
    static FileStatus GetFileStatusSafe(const std::wstring& path);
    // The shell's file-name pattern match ("*" any text, "?" one character,
    // letters in any case, ";" between patterns, leading blanks ignored, "*.*"
    // all), in time proportional to the path times the pattern whatever the pattern.
    static bool MatchWildcard(const std::wstring& pattern, const std::wstring& path, bool ignoreCase);
    // The same on texts already upper-cased.
    static bool MatchPatternsUpper(std::wstring_view path, std::wstring_view patterns);
    int ListSubfolders(const std::wstring& folder, int depthLimit);

    // --- printing ---
    // Prints PrintLineList on the printer the user chooses; the list stays as it is.
    // The two texts say, in the caller's language, that the chosen paper cannot be used.
    bool PrintLines(const std::wstring& paperMessage = L"The paper format you selected is not supported!",
                    const std::wstring& paperCaption = L"Quorvexsoft Printing Error");
};
