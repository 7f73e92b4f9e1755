// ras_probe.exe: runs dial-up operations of the kit in a process of its own, so a test can
// choose what that process sees (Windows version, a planted library, missing entry points)
// before the library is first loaded. Usage: ras_probe <output file> <command>...
// Each command writes one line: "<command> <result> [detail]".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dialup/SignUpDial.h"
#include "dialup/win32/RasLibrary.h"
#include "dialup/win32/RemoteAccess.h"
#include "tests/unit/dialup/Recorders.h"

namespace {

using namespace marvella;

const char kService[] = "System\\CurrentControlSet\\Services\\RemoteAccess";
const char kProvider[] = "System\\CurrentControlSet\\Services\\RemoteAccess\\NetworkProvider";

void SetKeys(const std::string& which) {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProvider);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kService);
  HKEY key;
  if (which == "service" || which == "provider") {
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kService, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
      RegCloseKey(key);
  }
  if (which == "provider") {
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProvider, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
      RegCloseKey(key);
  }
}

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH] = "(none)";
  if (module) GetModuleFileNameA(module, path, MAX_PATH);
  return path;
}

std::string Waits(const test::RecordingSleeper& sleeper) {
  std::string out = "waits=";
  for (unsigned w : sleeper.waits) out += std::to_string(w) + ",";
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  FILE* out = std::fopen(argv[1], "w");
  if (!out) return 2;
  test::RecordingSleeper sleeper;
  for (int i = 2; i < argc; ++i) {
    std::string command = argv[i];
    std::string arg = i + 1 < argc ? argv[i + 1] : "";
    std::string line;
    if (command == "module") {
      RasLibrary ras(sleeper);
      line = "module " + ModulePath(RasLibrary::Module());
    } else if (command == "bare") {  // what a bare-name load would have found
      line = "bare " + ModulePath(LoadLibraryA("rasapi32.dll"));
    } else if (command == "keys") {
      SetKeys(arg);
      line = "keys " + arg;
      ++i;
    } else if (command == "installed") {
      line = std::string("installed ") + (IsRemoteAccessInstalled() ? "1" : "0");
    } else if (command == "enum") {
      DialDeviceList list;
      bool ok = EnumerateDialDevices(list, true, nullptr, "ras_probe");
      line = "enum " + std::to_string(ok) + " count=" + std::to_string(list.Count());
    } else if (command == "validate") {
      RasLibrary ras(sleeper);
      line = "validate " + std::to_string(ras.RasValidateEntryName(nullptr, arg.c_str()));
      ++i;
    } else if (command == "create") {
      bool ok = CreateDialEntry(test::UserEntry(arg.c_str(), "0909", "u", "p"));
      line = "create " + std::to_string(ok);
      ++i;
    } else if (command == "delete") {
      line = "delete " + std::to_string(DeleteDialEntry(arg.c_str()));
      ++i;
    } else if (command == "dial") {
      test::RecordingProgress progress;
      SignUpEntrySettings settings = test::AltaEntry();
      settings.entryName = arg.c_str();
      RasConnHandle handle = 0;
      RasLibrary ras(sleeper);
      DialResult r = DialSignUpEntry(ras, progress, sleeper, kResultsPageCaller, settings, handle);
      line = "dial " + std::to_string(int(r)) + " lines=" + std::to_string(progress.lines.size());
      ++i;
    } else if (command == "errorstring") {
      RasLibrary ras(sleeper);
      char text[512] = "";
      std::uint32_t r =
          ras.RasGetErrorString(std::strtoul(arg.c_str(), nullptr, 10), text, sizeof text);
      line = "errorstring " + std::to_string(r) + " text=" + text;
      ++i;
    } else if (command == "hangup") {
      sleeper.waits.clear();
      RasLibrary ras(sleeper);
      std::uint32_t r = HangUpConnection(ras, std::strtoul(arg.c_str(), nullptr, 10));
      line = "hangup " + std::to_string(r) + " " + Waits(sleeper);
      ++i;
    } else {
      line = command + " unknown";
    }
    std::fprintf(out, "%s\n", line.c_str());
  }
  std::fclose(out);
  return 0;
}
