#include "widgets/dialogs.h"

#include <commdlg.h>

#include "platform/win32/unicode.h"
#include "widgets/picture_preview.h"

using platform::win32::Narrow;
using platform::win32::Widen;

namespace widgets {
namespace {

Dialogs* current = nullptr;

HHOOK captionHook = nullptr;
bool ignoreButton = false;  // the one button of the box being shown reads "&Ignore"

// Gives the message box the toolkit's English button captions, whatever the system's language.
LRESULT CALLBACK SetEnglishCaptions(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        SetDlgItemTextW(box, IDOK, ignoreButton ? L"&Ignore" : L"OK");
        SetDlgItemTextW(box, IDCANCEL, L"Cancel");
        SetDlgItemTextW(box, IDYES, L"&Yes");
        SetDlgItemTextW(box, IDNO, L"&No");
        UnhookWindowsHookEx(captionHook);
        captionHook = nullptr;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

UINT StyleOf(MessageKind kind, MessageButtons buttons) {
    UINT style = MB_APPLMODAL;
    switch (kind) {
        case MessageKind::Information:
            style |= MB_ICONINFORMATION;
            break;
        case MessageKind::Warning:
            style |= MB_ICONWARNING;
            break;
        case MessageKind::Error:
            style |= MB_ICONERROR;
            break;
        case MessageKind::Confirmation:
            style |= MB_ICONQUESTION;
            break;
    }
    switch (buttons) {
        case MessageButtons::Ok:
        case MessageButtons::Ignore:  // one button, captioned by the hook
            style |= MB_OK;
            break;
        case MessageButtons::OkCancel:
            style |= MB_OKCANCEL;
            break;
        case MessageButtons::YesNo:
            style |= MB_YESNO;
            break;
        case MessageButtons::YesNoCancel:
            style |= MB_YESNOCANCEL;
            break;
    }
    return style;
}

// "Name|*.ext|..." becomes the double-NUL-terminated list the file dialogs take.
std::wstring FilterList(const std::string& filter) {
    std::wstring list = Widen(filter);
    for (auto& c : list) {
        if (c == L'|')
            c = L'\0';
    }
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

// What the hook of one open dialog works with.
struct FileDialogState {
    const FileDialogRequest* request;
    PicturePreview* preview;  // none without a preview
};

void TypeChanged(HWND dialog, const FileDialogRequest& request, int type) {
    if (type >= 1 && static_cast<size_t>(type) <= request.extensionOfType.size()) {
        // The hook's dialog is a child of the one that owns the file name.
        const std::wstring extension = Widen(request.extensionOfType[static_cast<size_t>(type) - 1]);
        SendMessageW(GetParent(dialog), CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(extension.c_str()));
    }
    if (request.typeChanged)
        request.typeChanged(type);
}

// The file under the selection, or nothing (a folder, or no selection).
std::wstring SelectedFile(HWND dialog) {
    std::wstring path(32768, L'\0');
    const LRESULT length = SendMessageW(GetParent(dialog), CDM_GETFILEPATH, static_cast<WPARAM>(path.size()),
                                        reinterpret_cast<LPARAM>(path.data()));
    if (length <= 0 || static_cast<size_t>(length) > path.size())
        return {};
    path.resize(wcsnlen(path.c_str(), path.size()));
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    return path;
}

UINT_PTR CALLBACK FileDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* state =
            reinterpret_cast<const FileDialogState*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
        SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        if (state->preview)
            state->preview->Attach(dialog);
        return 0;
    }
    const auto* state = reinterpret_cast<const FileDialogState*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (!state)
        return 0;
    if (message == WM_NOTIFY) {
        const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
        if (notify->hdr.code == CDN_TYPECHANGE)
            TypeChanged(dialog, *state->request, static_cast<int>(notify->lpOFN->nFilterIndex));
        else if (state->preview && (notify->hdr.code == CDN_SELCHANGE || notify->hdr.code == CDN_FOLDERCHANGE))
            state->preview->Show(notify->hdr.code == CDN_SELCHANGE ? SelectedFile(dialog) : std::wstring());
    } else if (message == WM_DRAWITEM && state->preview) {
        return state->preview->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : 0;
    }
    return 0;
}

std::optional<FileDialogResult> RunFileDialog(const FileDialogRequest& request, bool save) {
    std::wstring buffer = Widen(request.fileName);
    buffer.resize(32768, L'\0');
    const std::wstring filter = FilterList(request.filter);
    const std::wstring title = Widen(request.title);
    const std::wstring extension = Widen(request.defaultExtension);
    const std::wstring folder = Widen(request.initialFolder);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_ENABLEHOOK |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    dialog.lpfnHook = FileDialogHook;
    std::optional<PicturePreview> preview;
    if (request.picturePreview) {
        preview.emplace();
        dialog.Flags |= OFN_ENABLETEMPLATEHANDLE;
        // A template in memory stands where a loaded resource would.
        dialog.hInstance = reinterpret_cast<HINSTANCE>(const_cast<DLGTEMPLATE*>(preview->Template()));
    }
    FileDialogState state{&request, preview ? &*preview : nullptr};
    dialog.lCustData = reinterpret_cast<LPARAM>(&state);
    const BOOL ok = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!ok)
        return std::nullopt;
    return FileDialogResult{Narrow(buffer.c_str()), static_cast<int>(dialog.nFilterIndex)};
}

class Win32PrinterJob : public PrinterJob {
  public:
    explicit Win32PrinterJob(HDC dc) : dc_(dc) {}
    ~Win32PrinterJob() override { DeleteDC(dc_); }
    HDC Dc() const override { return dc_; }

  private:
    HDC dc_;
};

class MetafilePrinterJob : public PrinterJob {
  public:
    explicit MetafilePrinterJob(std::function<void(HENHMETAFILE)> printed)
        : dc_(CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr)), printed_(std::move(printed)) {}
    ~MetafilePrinterJob() override {
        HENHMETAFILE metafile = CloseEnhMetaFile(dc_);
        if (printed_)
            printed_(metafile);
        DeleteEnhMetaFile(metafile);
    }
    HDC Dc() const override { return dc_; }

  private:
    HDC dc_;
    std::function<void(HENHMETAFILE)> printed_;
};

int FirstButton(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
        case MessageButtons::OkCancel:
            return IDOK;
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return IDYES;
        case MessageButtons::Ignore:
            return IDIGNORE;
    }
    return IDOK;
}

}  // namespace

const char* MessageTitle(MessageKind kind) {
    switch (kind) {
        case MessageKind::Information:
            return "Information";
        case MessageKind::Warning:
            return "Warning";
        case MessageKind::Error:
            return "Error";
        case MessageKind::Confirmation:
            return "Confirm";
    }
    return "";
}

Dialogs& AppDialogs() {
    static Win32Dialogs real;
    return current ? *current : real;
}

void SetAppDialogs(Dialogs* dialogs) {
    current = dialogs;
}

int Win32Dialogs::Message(std::string_view text, MessageKind kind, MessageButtons buttons) {
    ignoreButton = buttons == MessageButtons::Ignore;
    captionHook = SetWindowsHookExW(WH_CBT, SetEnglishCaptions, nullptr, GetCurrentThreadId());
    const int result =
        MessageBoxW(GetActiveWindow(), Widen(text).c_str(), Widen(MessageTitle(kind)).c_str(), StyleOf(kind, buttons));
    if (captionHook) {
        UnhookWindowsHookEx(captionHook);
        captionHook = nullptr;
    }
    // The box's one button, and Escape, answer Ignore.
    return buttons == MessageButtons::Ignore ? IDIGNORE : result;
}

std::optional<FileDialogResult> Win32Dialogs::OpenFile(const FileDialogRequest& request) {
    return RunFileDialog(request, false);
}

std::optional<FileDialogResult> Win32Dialogs::SaveFile(const FileDialogRequest& request) {
    return RunFileDialog(request, true);
}

std::unique_ptr<PrinterJob> Win32Dialogs::ChoosePrinter() {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    if (!PrintDlgW(&dialog) || !dialog.hDC)
        return nullptr;
    if (dialog.hDevMode)
        GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames)
        GlobalFree(dialog.hDevNames);
    return std::make_unique<Win32PrinterJob>(dialog.hDC);
}

int ScriptedDialogs::Message(std::string_view text, MessageKind kind, MessageButtons buttons) {
    asked.push_back({std::string(text), kind, buttons});
    if (answers.empty())
        return FirstButton(buttons);
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<FileDialogResult> ScriptedDialogs::OpenFile(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<FileDialogResult> ScriptedDialogs::SaveFile(const FileDialogRequest& request) {
    return OpenFile(request);
}

std::unique_ptr<PrinterJob> ScriptedDialogs::ChoosePrinter() {
    ++printerRequests;
    if (!printerConfirmed)
        return nullptr;
    return std::make_unique<MetafilePrinterJob>(printed);
}

}  // namespace widgets
