// The service's dial-in access nodes, in the order of install.ini.
#pragma once

#include <string>
#include <vector>

namespace marvella {

struct AccessNode {
  std::string City;   // town, as the city list shows it
  std::string State;  // province (or a pseudo-province grouping numbers without a node)
  std::string Phone;  // access number as dialled
};

using AccessNodeList = std::vector<AccessNode>;

}  // namespace marvella
