#pragma once

#include <memory>

#include "widgets/gdi.h"

namespace widgets {

// The 16 x 16 pictures of the buttons every tool window has, drawn once and shared.
enum class Stock { Find, Stop, Delete, SelectAll, Close, Up, Print, Save };
std::shared_ptr<const Bitmap> StockPicture(Stock picture);

}  // namespace widgets
