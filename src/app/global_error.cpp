#include "app/global_error.h"

#include "app/window_set.h"

namespace app {

void TGlobaaliVirheK::AppException() noexcept {
    try {
        if (OdotaIkkuna)
            OdotaIkkuna->Hide();
    } catch (...) {
        // Nothing more to do: the error itself is discarded below anyway.
    }
}

}  // namespace app
