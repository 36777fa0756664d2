#pragma once

#include <cstdint>
#include <string>

namespace duplicates {

// What a duplicate search shows and asks of its window. Panels are the status bar's, numbered 1 to 4.
class SearchView {
  public:
    virtual ~SearchView() = default;

    virtual void SetPanel(int panel, const std::string& text) = 0;
    virtual void SetListCaption(const std::string& text) = 0;
    // An information message with an OK button.
    virtual void ShowNotice(const std::string& text) = 0;
    // The progress bar shown at 0 with this maximum; its maximum changed; its position; hidden and reset.
    virtual void ShowProgress(int64_t maximum) = 0;
    virtual void SetProgressMaximum(int64_t maximum) = 0;
    virtual void SetProgress(int64_t position) = 0;
    virtual void HideProgress() = 0;
    // Gives way to the message loop: every pending message is processed.
    virtual void ProcessMessages() = 0;
    // False once Stop or closing the window has asked the search to end.
    virtual bool KeepGoing() const = 0;
};

// One file of a duplicate group, as its folder listing described it.
struct FoundFile {
    std::string path;
    uint64_t size = 0;
    int64_t writeTime = 0;
    uint32_t attributes = 0;
};

// The result list; rows are appended in order.
class ResultRows {
  public:
    virtual ~ResultRows() = default;

    virtual void Clear() = 0;
    virtual bool Empty() const = 0;
    virtual void AddBlankRow() = 0;
    virtual void AddHeaderRow(const std::string& caption) = 0;
    // A file row with the list's columns; adds nothing when the file cannot be described.
    virtual void AddFile(const FoundFile& file) = 0;
    // After each compared run: the window sizes its columns the first time duplicates are listed and
    // repaints the list.
    virtual void RunCompared(uint64_t duplicateFiles) = 0;
};

}  // namespace duplicates
