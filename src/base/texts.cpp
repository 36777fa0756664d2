#include "base/texts.h"

namespace base {
namespace {
bool finnishUI = false;
}

bool FinnishUI() {
    return finnishUI;
}

void SetFinnishUI(bool finnish) {
    finnishUI = finnish;
}

std::string Tx(std::string_view english, std::string_view finnish) {
    return std::string(finnishUI ? finnish : english);
}

}  // namespace base
