// The help files as the build leaves them in the suite: each holds every file of
// its sources and every page its table of contents names, and the viewer opens it.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <filesystem>
#include <set>
#include <vector>

#include "framework/TextFile.h"
#include "resources/varnholt/resource.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

// The ITStorage system of itss.dll, which reads compiled help files; MinGW's
// headers do not declare it. Only the methods up to the one used are listed.
// Declared outside the unnamed namespace: inside it GCC sees that nothing here
// implements the interface and compiles its calls into a jump to nowhere.
const CLSID kClsidITStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kIidITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

struct IITStorage : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};

namespace {

template <typename T>
struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
};

// Every stream below a storage, as "folder/name".
void ListStorage(IStorage* storage, const std::wstring& prefix, std::set<std::wstring>& names) {
    Released<IEnumSTATSTG> elements;
    ASSERT_EQ(storage->EnumElements(0, nullptr, 0, &elements.p), S_OK);
    STATSTG stat;
    ULONG got = 0;
    while (elements.p->Next(1, &stat, &got) == S_OK && got == 1) {
        std::wstring name = stat.pwcsName;
        CoTaskMemFree(stat.pwcsName);
        // Wine names an element by its whole path below the root, Windows by its own name.
        if (size_t slash = name.find_last_of(L'/'); slash != std::wstring::npos) name.erase(0, slash + 1);
        if (stat.type != STGTY_STORAGE) {
            names.insert(prefix + name);
            continue;
        }
        Released<IStorage> inner;
        ASSERT_EQ(storage->OpenStorage(name.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &inner.p), S_OK);
        ListStorage(inner.p, prefix + name + L"/", names);
    }
}

std::set<std::wstring> CompiledFiles(const std::wstring& chm) {
    std::set<std::wstring> names;
    Released<IITStorage> system;
    Released<IStorage> root;
    EXPECT_EQ(CoCreateInstance(kClsidITStorage, nullptr, CLSCTX_INPROC_SERVER, kIidITStorage,
                               reinterpret_cast<void**>(&system.p)), S_OK);
    if (!system.p) return names;
    EXPECT_EQ(system.p->StgOpenStorage(chm.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &root.p), S_OK)
        << Narrow(chm);
    if (root.p) ListStorage(root.p, L"", names);
    return names;
}

std::wstring Lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && Lower(text.substr(text.size() - end.size())) == end;
}

// The values of every `param name="Local"` of a table of contents.
std::vector<std::wstring> ContentsPages(const std::wstring& hhc) {
    std::vector<std::wstring> pages;
    const std::wstring text = fw::DecodeText(fw::ReadFileBytes(hhc)), lower = Lower(text), mark = L"name=\"local\" value=\"";
    for (size_t at = lower.find(mark); at != std::wstring::npos; at = lower.find(mark, at + 1)) {
        const size_t start = at + mark.size();
        pages.push_back(text.substr(start, text.find(L'"', start) - start));
    }
    return pages;
}

size_t ContentsEntries(const std::wstring& hhc) {
    const std::wstring lower = Lower(fw::DecodeText(fw::ReadFileBytes(hhc))), mark = L"type=\"text/sitemap\"";
    size_t count = 0;
    for (size_t at = lower.find(mark); at != std::wstring::npos; at = lower.find(mark, at + 1)) ++count;
    return count;
}

std::wstring ProjectTitle(const std::wstring& sources) {
    for (const std::wstring& line : fw::ReadTextLines(sources + L"\\help.hhp"))
        if (line.rfind(L"Title=", 0) == 0) return line.substr(6);
    return L"";
}

struct Help {
    std::wstring sources;  // data\<program>\help
    std::wstring chm;      // where the build put it
};

// Every program with help sources; the shell's lies at the top of the suite.
std::vector<Help> Helps() {
    std::vector<Help> helps;
    const std::wstring data = SourceDir() + L"\\data";
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((data + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return helps;
    do {
        const std::wstring program = entry.cFileName, sources = data + L"\\" + program + L"\\help";
        if (program == L"." || program == L".." || GetFileAttributesW((sources + L"\\help.hhp").c_str()) == INVALID_FILE_ATTRIBUTES)
            continue;
        helps.push_back({sources, SuiteDir() + (program == L"brisvane" ? L"" : L"\\" + program) + L"\\help.chm"});
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return helps;
}

class ComInitialised {
public:
    ComInitialised() { CoInitialize(nullptr); }
    ~ComInitialised() { CoUninitialize(); }
};

// A hidden window of the same title (the viewer keeps one) must not stand in for it.
HWND FindTitled(const std::wstring& title) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindProcessWindow(0, title)) != nullptr; });
    return found;
}

HWND ContentsTree(HWND viewer) {
    struct Search {
        HWND found = nullptr;
        static BOOL CALLBACK Visit(HWND h, LPARAM l) {
            wchar_t name[64] = {};
            GetClassNameW(h, name, 64);
            if (lstrcmpiW(name, WC_TREEVIEWW) != 0) return TRUE;
            reinterpret_cast<Search*>(l)->found = h;
            return FALSE;
        }
    } search;
    EnumChildWindows(viewer, Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What Wine's viewer really shows here: scripts/wine-run turns Wine's HTML engine
// off (mshtml=, and Wine's Gecko is no Debian package), so hh.exe opens its window
// with the help's title and its contents tree, which it draws itself, and leaves
// the page area empty. The test looks at those two only.
void ExpectViewerShows(const Help& help, HWND viewer) {
    const std::wstring title = ProjectTitle(help.sources);
    ASSERT_NE(viewer, nullptr) << "no window titled " << Narrow(title);
    HWND tree = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (tree = ContentsTree(viewer)) != nullptr; }, std::chrono::seconds(10)));
    const size_t entries = ContentsEntries(help.sources + L"\\toc.hhc");
    EXPECT_TRUE(WaitFor([&] { return static_cast<size_t>(SendMessageW(tree, TVM_GETCOUNT, 0, 0)) == entries; },
                        std::chrono::seconds(10)))
        << SendMessageW(tree, TVM_GETCOUNT, 0, 0) << " of " << entries << " entries";
}

void CloseViewer(HWND viewer) {
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(viewer); }, std::chrono::seconds(10)));
}

Help HelpOf(const std::wstring& program) {
    for (const Help& help : Helps())
        if (EndsWith(help.sources, L"\\" + program + L"\\help")) return help;
    return {};
}

}  // namespace

TEST(Help, EveryCompiledHelpHoldsEachFileOfItsSourcesAndEachPageOfItsContents) {
    ComInitialised com;
    const std::vector<Help> helps = Helps();
    ASSERT_FALSE(helps.empty());
    for (const Help& help : helps) {
        SCOPED_TRACE(Narrow(help.chm));
        const std::set<std::wstring> compiled = CompiledFiles(help.chm);
        ASSERT_FALSE(compiled.empty());
        size_t sources = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(help.sources)) {
            // The compiler's own input is not part of the help.
            if (!entry.is_regular_file() || EndsWith(entry.path().wstring(), L".hhp")) continue;
            ++sources;
            const std::wstring file = std::filesystem::relative(entry.path(), help.sources).generic_wstring();
            EXPECT_EQ(compiled.count(file), 1u) << "missing: " << Narrow(file);
        }
        EXPECT_GT(sources, 2u);
        const std::vector<std::wstring> pages = ContentsPages(help.sources + L"\\toc.hhc");
        EXPECT_FALSE(pages.empty());
        for (const std::wstring& page : pages)
            EXPECT_EQ(compiled.count(page), 1u) << "contents name a missing page: " << Narrow(page);
    }
}

TEST(Help, TheViewerOpensTheHelpWithItsTitleAndItsContents) {
    const Help help = HelpOf(L"varnholt");
    ASSERT_FALSE(help.chm.empty());
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    Program viewer(std::wstring(windows) + L"\\hh.exe", L"", L"\"" + help.chm + L"\"");
    ASSERT_TRUE(viewer.started());
    HWND window = viewer.WaitForWindow(ProjectTitle(help.sources));
    ExpectViewerShows(help, window);
    if (window) CloseViewer(window);
    EXPECT_NE(viewer.WaitForExit(std::chrono::seconds(10)), STILL_ACTIVE);
}

TEST(Help, VarnholtsHelpCommandOpensItsHelpWithTheShell) {
    const Help help = HelpOf(L"varnholt");
    Program varnholt(SuiteDir() + L"\\Varnholt\\Varnholt.exe");
    HWND main = varnholt.WaitForWindow(L"Quorvexsoft Varnholt 7");
    ASSERT_NE(main, nullptr);
    // The Help menu's command; F1 takes the same way (the shell's "open" of help.chm).
    PostMessageW(main, WM_COMMAND, ID_HELP_HELPFILE, 0);
    HWND window = FindTitled(ProjectTitle(help.sources));
    ExpectViewerShows(help, window);
    if (window) CloseViewer(window);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_NE(varnholt.WaitForExit(), STILL_ACTIVE);
}
