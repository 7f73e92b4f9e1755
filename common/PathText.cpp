// Path texts: file name and directory of a path.
#include "common/PathText.h"

namespace marvella {

std::string FileNameOf(std::string_view path) {
  size_t sep = path.find_last_of("\\/");
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string DirectoryOf(std::string_view path) {
  size_t sep = path.find_last_of("\\/");
  return std::string(sep == std::string_view::npos ? path : path.substr(0, sep + 1));
}

}  // namespace marvella
