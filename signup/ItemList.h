// The items of a server reply ("key=value" texts and others), in reply order.
#pragma once

#include <string>
#include <vector>

namespace marvella {

using ItemList = std::vector<std::string>;

}  // namespace marvella
