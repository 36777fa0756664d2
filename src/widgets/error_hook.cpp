#include "widgets/error_hook.h"

#include <utility>

namespace widgets {
namespace {
ErrorHook& Hook() {
    static ErrorHook hook;
    return hook;
}
}  // namespace

void SetErrorHook(ErrorHook hook) {
    Hook() = std::move(hook);
}

void ReportEscapedError() noexcept {
    try {
        if (Hook())
            Hook()();
    } catch (...) {
        // An error inside the hook itself must not take the program down either.
    }
}

}  // namespace widgets
