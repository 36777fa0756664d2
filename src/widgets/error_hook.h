#pragma once

#include <functional>

namespace widgets {

// Where every error that escapes a window's handler goes. The application installs its hook at start;
// until then errors are simply discarded.
using ErrorHook = std::function<void()>;
void SetErrorHook(ErrorHook hook);

// Called from inside a catch block: hands the current error to the hook, which must not throw.
void ReportEscapedError() noexcept;

}  // namespace widgets
