// tandem.dll's load guard as browsers meet it: host programs of their own (named
// iexplore.exe and explorer.exe) load it while the shell-version stand-in answers the
// version each case chooses; a copy whose resources were edited refuses to load.
#include "tests/win32/dialup/ProbeRunner.h"
#include "tests/win32/toolbar/ServerHosts.h"
#include "tests/win32/toolbar/ToolbarWin32Support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace marvella::testing;
using marvella::test::RunProbe;

namespace {

std::vector<std::string> Load(const std::string& host, const std::string& library) {
  return RunProbe(host, {library, "load"});
}

const std::vector<std::string> kLoaded = {"loaded"};
const std::vector<std::string> kRefused = {"refused"};

}  // namespace

TEST(ToolbarLoadGuard, LoadsOnlyIntoBrowsersWithAServedShellVersion) {
  struct Case {
    const char* host;
    const char* shell;
    bool loads;
  };
  const Case cases[] = {
      {"explorer.exe", "5.50", false},  // the Windows shell, whatever its version
      {"iexplore.exe", "4.72", true},    {"iexplore.exe", "5.50", true},
      {"iexplore.exe", "5.52", true},    {"iexplore.exe", "5.53", false},
      {"iexplore.exe", "6.0", false},    {"iexplore.exe", "absent", true},  // 0.0
      {"iexplore.exe", "noentry", true},                                    // 0.0
  };
  std::string folder = FreshDirectory("guard");
  std::string explorer = PrepareHost(folder, "EXPLORER.EXE");
  std::string iexplore = PrepareHost(folder, "iexplore.exe");
  for (const Case& c : cases) {
    ChooseShellVersion(c.shell);
    std::string host = std::string(c.host) == "explorer.exe" ? explorer : iexplore;
    EXPECT_EQ(c.loads ? kLoaded : kRefused, Load(host, LibraryPath())) << c.host << " " << c.shell;
  }
}

TEST(ToolbarLoadGuard, ACopyWithEditedTextsOrBookmarksRefusesToLoad) {
  std::string folder = FreshDirectory("tamper");
  std::string host = PrepareHost(folder, "iexplore.exe");
  ChooseShellVersion("5.50");
  std::string original = ReadFileBytes(LibraryPath());
  ASSERT_FALSE(original.empty());
  // The untouched copy loads: what refuses below is the edit, not the copy.
  WriteFileBytes(folder + "tandem.dll", original);
  EXPECT_EQ(kLoaded, Load(host, folder + "tandem.dll"));

  const std::string bookmark = "[PERSONALITZACIONS]";
  std::string text;  // string 3 as resources keep it, UTF-16 (the dialog says "va a ser ...")
  for (char c : std::string("sido desinstalado")) text += {c, '\0'};
  for (const std::string& needle : {bookmark, text}) {
    std::string edited = original;
    std::size_t at = edited.find(needle);
    ASSERT_NE(std::string::npos, at);
    edited[at + 2] ^= 0x20;  // one letter changes case
    std::string copy = folder + "edited" + std::to_string(at) + ".dll";
    WriteFileBytes(copy, edited);
    EXPECT_EQ(kRefused, Load(host, copy)) << "edited at " << at;
  }
}
