#pragma once

#include <windows.h>

// The message loop's parts that the window core needs; the public calls are in window.h.

namespace widgets {

inline constexpr wchar_t kWindowClass[] = L"VireoWindow";
inline constexpr wchar_t kFrameClass[] = L"VireoFrame";

// Waits for one message and dispatches it as the program's loop does. False when the program is ending;
// the quit message is then posted again for the outer loop.
bool WaitAndDispatch();

}  // namespace widgets
