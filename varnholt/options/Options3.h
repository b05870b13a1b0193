#pragma once
// Exceptions page: the patterns of files and folders the search leaves out.
#include <string>

#include "framework/Controls.h"
#include "varnholt/options/OptionsPage.h"

class COptions3 : public COptionsPage {
public:
    COptions3(SearchSettings& settings, const TextSource& texts);

    // The rows from the top down become the exception list.
    void Apply() override;

    // A chosen path as the list keeps it: a second backslash after the drive's colon.
    static std::wstring ExceptionOfPath(const std::wstring& path);

protected:
    void Initialise() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    fw::ListView List() const;
    void AddFiles();
    void AddFolder();
    void AddSpecial();
    void Remove();
    void Message(int number);
};
