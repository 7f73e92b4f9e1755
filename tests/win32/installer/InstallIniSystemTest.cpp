// install.ini through the system's GetPrivateProfileStringA: the same cases as the
// portable reader.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "common/win32/PrivateProfileSource.h"
#include "tests/unit/installer/InstallIniCases.h"

namespace marvella::test {

// Each text gets a file of its own, so the system's cache of profile files never answers
// from an older text.
struct SystemFiles {
  SystemFiles() { NewPath(); }
  ~SystemFiles() { DeleteFileA(path.c_str()); }
  void NewPath() {
    if (!path.empty()) DeleteFileA(path.c_str());
    char dir[MAX_PATH], file[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    GetTempFileNameA(dir, "ini", 0, file);
    path = file;
  }
  ProfileSource& Open(const std::string& text) {
    NewPath();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    source = std::make_unique<PrivateProfileSource>(path);
    return *source;
  }
  ProfileSource& Missing() {
    source = std::make_unique<PrivateProfileSource>(path + ".missing\\install.ini");
    return *source;
  }
  std::string path;
  std::unique_ptr<PrivateProfileSource> source;
};

INSTANTIATE_TYPED_TEST_SUITE_P(InstallIniSystem, InstallIniCases, SystemFiles);

}  // namespace marvella::test
