// The toolbar library's copy and silent registration against a fake system.
#include "installer/ToolbarLibraryInstall.h"

#include <gtest/gtest.h>

#include <set>

namespace marvella {
namespace {

class FakeSystem final : public ToolbarLibraryPlatform {
 public:
  std::string ProgramPath() override { return "D:\\kit/install-pepe.exe"; }
  std::string SystemDirectory() override { return system; }
  bool CopyReplacing(const std::string& from, const std::string& to) override {
    log += "copy " + from + " " + to + ";";
    if (!files.count(from)) return false;
    files.insert(to);
    return true;
  }
  void SetArchiveOnly(const std::string& path) override { log += "archive " + path + ";"; }
  bool CanRead(const std::string& path) override { return files.count(path) > 0; }
  bool Start(const std::string& program, const std::string& parameters) override {
    log += "start " + program + " " + parameters + ";";
    return true;
  }
  std::string system = "C:\\SYS", log;
  std::set<std::string> files;
};

TEST(InstallToolbarLibrary, CopiesBesideTheInstallerThenRegistersSilently) {
  const std::string copy = "copy D:\\kit/tandem.dll C:\\SYS\\tandem.dll;";
  const std::string archive = "archive C:\\SYS\\tandem.dll;";
  const std::string start = "start C:\\SYS\\regsvr32.exe \"C:\\SYS\\tandem.dll\" /s;";
  const struct {
    std::set<std::string> files;
    std::string system, log;
  } cases[] = {
      {{"D:\\kit/tandem.dll", "C:\\SYS\\regsvr32.exe"}, "C:\\SYS", copy + archive + start},
      // No source: the copy already in the system directory is registered again.
      {{"C:\\SYS\\tandem.dll", "C:\\SYS\\regsvr32.exe"}, "C:\\SYS", copy + start},
      {{"D:\\kit/tandem.dll"}, "C:\\SYS", copy + archive},        // no registration tool
      {{"D:\\kit/tandem.dll", "C:\\SYS\\regsvr32.exe"}, "", ""},  // no system directory
  };
  for (const auto& c : cases) {
    FakeSystem system;
    system.files = c.files;
    system.system = c.system;
    EXPECT_EQ(c.log.find("start") != std::string::npos, InstallToolbarLibrary(system));
    EXPECT_EQ(c.log, system.log);
  }
}

}  // namespace
}  // namespace marvella
