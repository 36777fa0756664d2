#pragma once

#include <memory>
#include <span>
#include <utility>

#include "widgets/gdi.h"
#include "widgets/window.h"

namespace widgets {

// The 16 x 16 pictures of the buttons every tool window has, drawn once and shared.
enum class Stock { Find, Stop, Delete, SelectAll, Close, Up, Print, Save };
std::shared_ptr<const Bitmap> StockPicture(Stock picture);

// Each named button of the window takes its stock picture.
void SetStockPictures(Window& window, std::span<const std::pair<const char*, Stock>> buttons);

}  // namespace widgets
