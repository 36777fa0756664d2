#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "widgets/custom_control.h"
#include "widgets/gdi.h"

namespace widgets {

enum class Kind {
    Label,
    Button,
    PictureButton,  // a push button with a picture beside its caption
    CheckBox,
    RadioButton,
    GroupBox,
    Edit,
    ListBox,
    ComboBox,
    Panel,  // a raised area that other controls sit on
    Bevel,  // an etched frame line, always beneath everything else; the pointer passes through it
    Image,  // a picture drawn by the program
    ProgressBar,
    StatusBar,
    Tabs,     // a page control; its pages are TabPage entries placed on it
    TabPage,  // one page of a Tabs control (no window of its own); controls on it show with the page
    Custom,   // made by the window itself (list views, grids, charts); only its place is kept here
};

// Design pixels at 96 DPI, relative to the frame or, for a control inside a panel or group box, to it.
// A label of width and height 0 takes the size of its text.
struct Place {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// How a control starts, as a column of the control table.
enum Initially : unsigned {
    kShown = 0,
    kHidden = 1,
    kDisabled = 2,
    kChecked = 4,
};

struct ControlSpec {
    const char* name;
    Kind kind;
    Place place;
    const char* caption = "";
    const char* hint = "";
    const char* parent = nullptr;  // the panel or group box the place is relative to
    DWORD style = 0;               // extra window styles: SS_CENTER, ES_NUMBER, ...
    unsigned initially = kShown;   // kHidden | kDisabled | kChecked
};

// A window's texts in another language, applied over the design captions.
struct TextSpec {
    const char* name;  // a control, or "" for the window's own caption
    const char* caption;
    const char* hint = nullptr;  // nullptr keeps the hint as it is
};

enum class FrameStyle { Main, Dialog, Sizeable, Splash };

struct FormSpec {
    const char* caption;
    int frameWidth;  // the design frame's size, in design pixels
    int frameHeight;
    FrameStyle style = FrameStyle::Dialog;
    bool topmost = false;
};

// The modal results, numbered as the system's dialog results.
enum ModalResult { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO };

struct FontSpec {
    std::string face;     // empty: the system's message font
    int pixelHeight = 0;  // design pixels; 0 keeps the message font's size
    bool bold = false;
    bool italic = false;
};

// A message as a window's own hook sees it, whether it came to the window or to its frame.
struct Message {
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
};

class RunPolicy;

// A top-level window laid out on a design frame: its client area is the frame's size, the frame is
// stretched over it, and it scrolls when made smaller. Controls are made from tables and found by name.
class Window {
  public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    HWND Frame() const { return frame_; }

    void Show();
    void Hide();
    bool Visible() const;
    void Close();  // as the close box: asks CanClose, then hides (or ends a modal loop)
    int ShowModal();
    void SetModalResult(int result) { modalResult_ = result; }
    int GetModalResult() const { return modalResult_; }
    bool InModalLoop() const { return inModalLoop_; }

    void SetCaption(std::string_view caption);
    std::string Caption() const;

    // Controls
    HWND Control(std::string_view name) const;
    bool HasControl(std::string_view name) const;
    std::string Text(std::string_view name) const;
    void SetText(std::string_view name, std::string_view text);
    std::string Hint(std::string_view name) const;
    void SetHint(std::string_view name, std::string_view hint);
    bool Checked(std::string_view name) const;
    void SetChecked(std::string_view name, bool checked);
    bool Enabled(std::string_view name) const;
    void SetEnabled(std::string_view name, bool enabled);
    bool ControlVisible(std::string_view name) const;
    void SetVisible(std::string_view name, bool visible);
    void SetFont(std::string_view name, const FontSpec& font);
    void SetTextColor(std::string_view name, COLORREF color);
    void SetBackColor(std::string_view name, COLORREF color);
    void SetPicture(std::string_view name, std::shared_ptr<const Bitmap> picture);
    void SetControlCursor(std::string_view name, const wchar_t* systemCursor);  // IDC_HAND, ...
    std::shared_ptr<const Bitmap> Picture(std::string_view name) const;
    void Focus(std::string_view name);
    void ApplyTexts(std::span<const TextSpec> texts);
    void MoveControl(std::string_view name, int designLeft, int designTop);
    Place ControlPlace(std::string_view name) const;  // design pixels, relative to the frame
    // Puts a control over a rectangle given in frame pixels, above its neighbours.
    void PlaceOver(std::string_view name, const RECT& framePixels);

    // Pages of a Tabs control, numbered from 0 in table order.
    int ActivePage(std::string_view tabs) const;
    void ShowPage(std::string_view tabs, int page);

    // Tab order as listed; the other controls keep theirs.
    void SetTabOrder(std::initializer_list<std::string_view> names);

    // Enter clicks the default button unless another button has the focus; Escape clicks the cancel
    // button. Without a cancel button Escape does nothing, except to ask a run to stop and close.
    void SetDefaultButton(std::string_view name);
    void SetCancelButton(std::string_view name);
    // Escape without a cancel button closes the window as its close box does.
    void SetEscapeCloses(bool closes) { escapeCloses_ = closes; }

    // The help topic F1 opens while this window is active; 0 for none.
    int HelpTopic() const { return helpTopic_; }
    void SetHelpTopic(int topic) { helpTopic_ = topic; }

    // Handlers by control name
    void OnClick(std::string_view name, std::function<void()> handler);
    void OnDoubleClick(std::string_view name, std::function<void()> handler);
    // An edit's text, a list's or combo box's selection, a page control's page.
    void OnChange(std::string_view name, std::function<void()> handler);
    void OnFocusLost(std::string_view name, std::function<void()> handler);
    void OnMouseMove(std::string_view name, std::function<void()> handler);  // "" for the frame itself
    // The pointer's place in the control's client pixels ("" for the frame itself).
    void OnPointerMove(std::string_view name, std::function<void(POINT)> handler);
    void OnNotify(std::string_view name, std::function<LRESULT(const NMHDR&)> handler);

    // Timers: the handler runs on the window's thread from the message loop.
    UINT_PTR StartTimer(UINT milliseconds, bool repeating, std::function<void()> handler);
    void StopTimer(UINT_PTR id);

    int Scale(int designPixels) const;
    RECT ScaledRect(const Place& place) const;
    UINT Dpi() const { return dpi_; }

    // The place of a control made by the window itself, in frame coordinates (Kind::Custom).
    RECT ControlRect(std::string_view name) const;
    // Registers a control the window made itself on Frame(), so the table's services find it by name.
    void AdoptControl(std::string_view name, HWND control);
    // The same for a custom control: its notifications go to its Notify.
    void AdoptControl(std::string_view name, CustomControl& control);

    // The run going on in this window, if any (see RunningScope).
    RunPolicy* Run() const { return run_; }

  protected:
    void Create(const FormSpec& form);
    void CreateControls(std::span<const ControlSpec> controls);

    // Hooks for the window classes.
    virtual bool CanClose() { return true; }  // the close box, Close() and a modal Cancel come here
    virtual void FormShow() {}                // before the window becomes visible
    virtual void FormActivate() {}            // each time it becomes the active window
    virtual void FormClose() {}               // after it has been hidden by a close
    virtual void FormPaint(HDC) {}            // extra painting on the frame, after the background
    // The one way a window sees its own messages first, those to the window and those to its frame
    // (what its controls send). Returns true with result set when it has handled the message.
    virtual bool Intercept(const Message& /*message*/, LRESULT& /*result*/) { return false; }

  private:
    friend class RunPolicy;
    struct ControlData;
    static LRESULT CALLBACK TopProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ControlSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT HandleTop(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleFrame(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleControl(ControlData& control, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleColor(HDC dc, HWND control);
    bool DrawControl(const DRAWITEMSTRUCT& item);
    void HandleCommand(WORD id, WORD code);
    bool HandleDialogKey(WORD id);
    bool CloseRequest();
    ControlData* Find(std::string_view name) const;
    ControlData* FindByHandle(HWND control) const;
    ControlData& Require(std::string_view name) const;
    void MakeControl(const ControlSpec& entry);
    void ApplyInitialState(const ControlSpec& entry);
    void StackControls();
    void FitLabel(ControlData& control);
    void UpdatePageVisibility();
    const ControlData* PageOf(const ControlData& control) const;
    void LayOut();
    void UpdateScrollBars();
    void Scroll(int bar, WORD request);
    void DpiChanged(UINT dpi, const RECT& suggested);
    void ApplyFonts();
    void AddTooltip(ControlData& control);

    HWND hwnd_ = nullptr;
    HWND frame_ = nullptr;
    HWND tooltip_ = nullptr;
    UINT dpi_ = 96;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    POINT scroll_{0, 0};
    int modalResult_ = mrNone;
    bool inModalLoop_ = false;
    Font messageFont_;
    std::vector<std::unique_ptr<ControlData>> controls_;
    std::map<UINT_PTR, std::pair<bool, std::function<void()>>> timers_;
    UINT_PTR nextTimer_ = 1;
    std::function<void(POINT)> framePointerMove_;
    std::string defaultButton_;
    std::string cancelButton_;
    bool escapeCloses_ = false;
    RunPolicy* run_ = nullptr;
    int helpTopic_ = 0;
};

// Handles every pending message and returns; the yield of every long operation.
void ProcessMessages();

// Runs the program's message loop until the main window has closed.
int RunMessageLoop();

// Called with the active window's help topic when the user presses F1.
void SetHelpHandler(std::function<void(int topic)> handler);

// The window the program treats as its main window: closing it ends the message loop.
void SetMainWindow(Window* window);
Window* MainWindow();

}  // namespace widgets
