// install.ini through the portable profile reader.
#include <memory>

#include "common/ProfileReader.h"
#include "tests/unit/installer/InstallIniCases.h"

namespace marvella::test {

struct PortableFiles {
  ProfileSource& Open(const std::string& text) {
    reader = std::make_unique<ProfileReader>(text);
    return *reader;
  }
  ProfileSource& Missing() {
    reader = std::make_unique<ProfileReader>(
        ProfileReader::FromFile((testing::TempDir() + "no-such-dir/install.ini").c_str()));
    return *reader;
  }
  std::unique_ptr<ProfileReader> reader;
};

INSTANTIATE_TYPED_TEST_SUITE_P(InstallIniPortable, InstallIniCases, PortableFiles);
}  // namespace marvella::test
