// The test browser as the toolbar relies on it: a helper object from the registry is sited
// on each window's own thread with a browser whose frame holds a rebar, gets
// DocumentComplete per frame then per page with the arguments reversed and never from
// inside Navigate, loses its site at close; navigations, Backspace and bands are journalled.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/TestPrograms.h"

namespace {

using marvella::test::BinDir;
using marvella::test::ReadWholeLines;

const char kProbeClass[] = "{6A1C3B52-8E0F-4C1D-9B7A-2F3E4D5C6B7A}";
const char kHelperKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

// The probe is registered for the length of one test, under the lock that every test
// changing the helper key holds.
class ProbeRegistration {
 public:
  ProbeRegistration() : lock_(CreateMutexA(nullptr, FALSE, "marvella-browser-helpers-key")) {
    WaitForSingleObject(lock_, 120000);
    std::string server = "Software\\Classes\\CLSID\\" + std::string(kProbeClass) + "\\InprocServer32";
    SetValue(server, nullptr, BinDir() + "browser_probe.dll");
    SetValue(server, "ThreadingModel", "Apartment");
    SetValue(std::string(kHelperKey) + "\\" + kProbeClass, nullptr, "");
  }
  ~ProbeRegistration() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kHelperKey) + "\\" + kProbeClass).c_str());
    std::string cls = "Software\\Classes\\CLSID\\" + std::string(kProbeClass);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (cls + "\\InprocServer32").c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, cls.c_str());
    ReleaseMutex(lock_);
    CloseHandle(lock_);
  }

 private:
  static void SetValue(const std::string& key, const char* name, const std::string& value) {
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &h, nullptr), ERROR_SUCCESS);
    RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD(value.size() + 1));
    RegCloseKey(h);
  }
  HANDLE lock_;
};

std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& start) {
  std::vector<std::string> out;
  for (const std::string& l : lines)
    if (l.compare(0, start.size(), start) == 0) out.push_back(l);
  return out;
}

std::string ThreadOf(const std::string& line) { return line.substr(line.rfind("thread=")); }

TEST(TestBrowser, HostsHelperObjectsAsTheBrowserDoes) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string dir = std::string(temp) + "browser-test-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  std::string probe = dir + "probe.txt", log = dir + "browser.txt", script = dir + "script.txt";
  std::string shot = marvella::test::WinePath(std::getenv("MARVELLA_SCREENSHOT_DIR"));
  CreateDirectoryA(shot.c_str(), nullptr);
  shot += "\\test_browser.bmp";
  FILE* f = std::fopen(script.c_str(), "w");
  ASSERT_TRUE(f);
  std::fprintf(f,
               "open http://127.0.0.1/one\n"
               "wait-idle\n"
               "frames 2\n"
               "navigate http://127.0.0.1/two\n"
               "wait-idle\n"
               "open http://127.0.0.1/three\n"
               "wait-idle\n"
               "append-band\n"
               "bands\n"
               "focus page\n"
               "key BACK\n"
               "wait-idle\n"
               "screenshot %s\n"
               "close-window 1\n"
               "quit\n",
               shot.c_str());
  std::fclose(f);
  SetEnvironmentVariableA("MARVELLA_BROWSER_PROBE", probe.c_str());

  DWORD exitCode = 99;
  {
    ProbeRegistration registration;
    std::string program = BinDir() + "browser\\iexplore.exe";
    HANDLE process = marvella::test::StartProgram(
        program, "\"" + program + "\" --log \"" + log + "\" --script \"" + script + "\"", dir.c_str());
    ASSERT_TRUE(process);
    ASSERT_EQ(WaitForSingleObject(process, 180000), WAIT_OBJECT_0);
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
  }
  std::vector<std::string> browser = ReadWholeLines(log), seen = ReadWholeLines(probe);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(Matching(browser, "start iexplore.exe").size(), 1u);

  // Sited once per window, each on its own thread, with the frame and a rebar below it.
  std::vector<std::string> sites = Matching(seen, "site ");
  ASSERT_EQ(sites.size(), 2u);
  for (const std::string& s : sites)
    EXPECT_EQ(s.substr(0, s.find(" thread=")), "site frame=1 rebar=1 direct-child=0");
  EXPECT_NE(ThreadOf(sites[0]), ThreadOf(sites[1]));

  // Window 1's second page has two frames: each frame completes, then the page.
  std::vector<std::string> complete = Matching(seen, "complete ");
  std::vector<std::string> expected = {
      "complete shape=1 top http://127.0.0.1/one",
      "complete shape=1 top http://127.0.0.1/from-helper",
      "complete shape=1 frame http://127.0.0.1/two#frame1",
      "complete shape=1 frame http://127.0.0.1/two#frame2",
      "complete shape=1 top http://127.0.0.1/two"};
  ASSERT_GE(complete.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(complete[i].substr(0, complete[i].find(" thread=")), expected[i]) << i;
  EXPECT_TRUE(Matching(seen, "event-inside-navigate").empty());

  // Both windows lost their helper at close, on the helper's thread, after OnQuit.
  std::vector<std::string> unsites = Matching(seen, "unsite");
  ASSERT_EQ(unsites.size(), 2u);
  EXPECT_EQ(ThreadOf(unsites[0]), ThreadOf(sites[0]));
  EXPECT_EQ(Matching(seen, "quit").size(), 2u);

  // The journal: what each window was asked to open (window 2's first page twice: Backspace
  // went back to it), and the appended band as the browser sees the rebar.
  const std::pair<const char*, int> journal[] = {
      {"navigate 1 http://127.0.0.1/one", 1},   {"navigate 1 http://127.0.0.1/two", 1},
      {"navigate 1 http://127.0.0.1/from-helper", 1}, {"navigate 2 http://127.0.0.1/three", 2},
      {"back 2 http://127.0.0.1/three", 1},     {"key 2 back result=0x00000000", 1}};
  for (const auto& [line, times] : journal)
    EXPECT_EQ(std::count(browser.begin(), browser.end(), line), times) << line;
  std::vector<std::string> bands = Matching(browser, "bands 2 ");
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0].substr(0, bands[0].find(" filtered")), "bands 2 seen=3 real=3");
  EXPECT_TRUE(Matching(browser, "failed").empty());
}

}  // namespace
