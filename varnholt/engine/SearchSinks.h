#pragma once
// How the engine reports to the user interface. The main window implements
// these with the progress window and the results tree; tests with containers.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// How far a search is, for a progress line of text: files listed while the
// folders are walked, then bytes and files compared of those to compare.
struct ProgressFigures {
    uint64_t filesListed = 0;
    bool comparing = false;
    uint64_t bytesDone = 0, bytesTotal = 0;
    uint64_t filesDone = 0, filesTotal = 0;
};

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void SetStatusText(const std::wstring& text) = 0;   // caption line of the progress window
    virtual void SetFolderTotal(int total) = 0;
    virtual int FolderTotal() const = 0;
    virtual void SetFolderIndex(int index) = 0;
    virtual int FolderIndex() const = 0;
    virtual void SetCurrentText(std::wstring_view text) = 0;
    virtual void SetBarRange(int low, int high) = 0;
    virtual void SetBarPos(int pos) = 0;
    virtual void Tick() = 0;       // one collection step: position, picture, pending messages
    virtual void Refresh() = 0;    // one comparison step: current text at once, picture, messages
    // Keeps the window alive during long work (a checksum): pending messages, at most every 20 ms or so.
    virtual void KeepAlive() = 0;
    virtual bool CancelRequested() const = 0;
    // The progress window shows its own picture instead.
    virtual void SetFigures(const ProgressFigures&) {}
};

// Progress that shows nothing: a search without a window. It keeps the folder
// figures the walk reads back and is never cancelled.
class QuietProgress : public ProgressSink {
public:
    void SetStatusText(const std::wstring&) override {}
    void SetFolderTotal(int total) override { total_ = total; }
    int FolderTotal() const override { return total_; }
    void SetFolderIndex(int index) override { index_ = index; }
    int FolderIndex() const override { return index_; }
    void SetCurrentText(std::wstring_view) override {}
    void SetBarRange(int, int) override {}
    void SetBarPos(int) override {}
    void Tick() override {}
    void Refresh() override {}
    void KeepAlive() override {}
    bool CancelRequested() const override { return false; }

private:
    int total_ = 0, index_ = 0;
};

// What the search saw of a file it lists. An action on the file later checks
// that it still finds that file, unchanged, before it deletes or moves it.
struct FileFacts {
    uint64_t size = 0;
    uint64_t lastWrite = 0;  // 100-ns units since 1601, as the listing gave it
    uint64_t volume = 0;
    uint64_t fileId = 0;     // 0: the file system gives none
};

class ResultsSink {
public:
    using Item = uintptr_t;  // 0 is no item
    virtual ~ResultsSink() = default;
    virtual void Clear() = 0;
    // Texts are taken by value: a search hands over hundreds of thousands of paths it made for the sink.
    virtual Item InsertItem(Item parent, std::wstring text) = 0;  // as the last child; parent 0 = root
    // A path item with what the search saw of its file; a sink that keeps no facts inserts the text.
    virtual Item InsertFile(Item parent, std::wstring path, const FileFacts&) {
        return InsertItem(parent, std::move(path));
    }
    virtual void SetItemText(Item item, const std::wstring& text) = 0;
    virtual void DeleteItem(Item item) = 0;                               // with its children
};
