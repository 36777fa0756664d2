#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace widgets {

enum class MessageKind { Information, Warning, Error, Confirmation };
// Ignore: one button, "&Ignore" in both languages, answering IDIGNORE.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, Ignore };

struct FileDialogRequest {
    std::string title;
    std::string filter;            // "Bitmaps (*.bmp)|*.bmp|All (*.*)|*.*"
    std::string defaultExtension;  // without the dot
    // The default extension for each file type of the filter, in its order; when the user picks another
    // type the dialog takes that type's extension. Empty: defaultExtension whatever the type.
    std::vector<std::string> extensionOfType;
    std::string fileName;
    std::string initialFolder;
    std::function<void(int filterIndex)> typeChanged;  // 1-based, as the filter is numbered
    bool picturePreview = false;  // a preview of the .bmp, .emf or .wmf file under the selection beside the list
};

struct FileDialogResult {
    std::string path;
    int filterIndex = 1;
};

// A printer the user chose, as a device context to draw on; released when it goes.
class PrinterJob {
  public:
    virtual ~PrinterJob() = default;
    virtual HDC Dc() const = 0;
};

// Every message box and common dialog of the program goes through here, so tests can answer them.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Returns the modal result of the button pressed: IDOK, IDCANCEL, IDYES, IDNO or IDIGNORE.
    virtual int Message(std::string_view text, MessageKind kind, MessageButtons buttons) = 0;
    virtual std::optional<FileDialogResult> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<FileDialogResult> SaveFile(const FileDialogRequest& request) = 0;
    virtual std::unique_ptr<PrinterJob> ChoosePrinter() = 0;
};

// The program's dialogs: the real ones unless a test has put others in their place.
Dialogs& AppDialogs();
void SetAppDialogs(Dialogs* dialogs);  // nullptr restores the real ones

// The real dialogs, with the toolkit's English titles and button captions in both languages.
class Win32Dialogs : public Dialogs {
  public:
    int Message(std::string_view text, MessageKind kind, MessageButtons buttons) override;
    std::optional<FileDialogResult> OpenFile(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> SaveFile(const FileDialogRequest& request) override;
    std::unique_ptr<PrinterJob> ChoosePrinter() override;
};

// Records what was asked and answers as told; for tests.
class ScriptedDialogs : public Dialogs {
  public:
    struct Asked {
        std::string text;
        MessageKind kind;
        MessageButtons buttons;
    };

    std::vector<Asked> asked;
    std::deque<int> answers;  // taken one per message; when empty, the first button answers
    std::deque<std::optional<FileDialogResult>> fileAnswers;  // when empty, the dialog is cancelled
    std::vector<FileDialogRequest> fileRequests;
    int printerRequests = 0;
    bool printerConfirmed = false;              // true: a metafile stands in for the printer
    std::function<void(HENHMETAFILE)> printed;  // receives what was drawn, when the job goes

    int Message(std::string_view text, MessageKind kind, MessageButtons buttons) override;
    std::optional<FileDialogResult> OpenFile(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> SaveFile(const FileDialogRequest& request) override;
    std::unique_ptr<PrinterJob> ChoosePrinter() override;
};

// The toolkit's English title of a message box of the kind.
const char* MessageTitle(MessageKind kind);

// Puts test dialogs in place for one scope.
class ScopedDialogs {
  public:
    explicit ScopedDialogs(Dialogs& dialogs) { SetAppDialogs(&dialogs); }
    ~ScopedDialogs() { SetAppDialogs(nullptr); }
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;
};

}  // namespace widgets
