#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "widgets/disk_list_view.h"
#include "widgets/window.h"

namespace testing_support {

// Presses a button the way a user would: the click arrives through the message queue.
void Click(const widgets::Window& window, const char* button);

// Handles messages for a while, so windows paint and timers run.
void Pump(DWORD milliseconds);

// Moves the pointer on the screen to a point of a control, so that hit testing decides which window
// hears of it.
void MovePointerTo(HWND control, POINT clientPoint);

// Clicks the middle of a control with the real pointer: moved there, pressed and let go, so the click
// reaches whatever window lies under it.
void PointerClick(HWND control);

// A left click of the real pointer at a point of a control: the control hears it as a user's click.
void ClickPointerAt(HWND control, POINT clientPoint);

// Chooses the one drive with the letter in a drive list, and no other; false when it is not listed.
bool ChooseOnlyDrive(widgets::TDiskListView& disks, char letter);

// The width a control's caption needs in its font, with room for the box of a check box or radio button
// and for the picture of a push button.
int CaptionWidth(HWND control);

// Each visible control named lies inside the window's frame and shows its caption whole; a layout check
// to run in both languages.
void ExpectCaptionsFit(const widgets::Window& window, std::initializer_list<const char*> names);

// Runs action when the control's text is set for the n-th time (1-based), which for a status line happens
// from inside a run's yield; keeps every text it saw.
class ActOnText {
  public:
    ActOnText(HWND control, int n, std::function<void()> action);
    ~ActOnText();
    ActOnText(const ActOnText&) = delete;
    ActOnText& operator=(const ActOnText&) = delete;
    std::vector<std::string> texts;

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND control_;
    int n_;
    std::function<void()> action_;
};

// For one scope, every error that escapes a window's handler fails the test instead of being discarded.
class FailOnEscapedErrors {
  public:
    FailOnEscapedErrors();
    ~FailOnEscapedErrors();
    FailOnEscapedErrors(const FailOnEscapedErrors&) = delete;
    FailOnEscapedErrors& operator=(const FailOnEscapedErrors&) = delete;
};

}  // namespace testing_support
