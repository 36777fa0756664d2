#pragma once

#include "base/file_text.h"

namespace platform {

// The system's ANSI code page (CP_ACP).
const base::AnsiCodec& SystemAnsiCodec();

}  // namespace platform
