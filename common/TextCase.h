// Names compared as the system compares them, without regard to case: code page 1252
// letters, accented ones included.
#pragma once

#include <string_view>

namespace marvella {

// True when both texts are alike but for the case of their letters.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace marvella
