// The installer's start-up with the real system calls: sockets, install.ini beside the
// program, the missing-file message box, and install.exe itself run under another name.
// Also the progress lines and message pumping the pages use.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/win32/MessageBoxSink.h"
#include "installer/InstallerApp.h"
#include "installer/win32/ProgressBox.h"
#include "installer/win32/UserServerCalls.h"
#include "installer/win32/WaitCursor.h"
#include "installer/win32/Win32StartupPlatform.h"
#include "signup/win32/WinsockLineChannel.h"
#include "tests/unit/signup/ScriptedServer.h"
#include "tests/win32/signup/DialogDriver.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WindowDriver.h"

namespace marvella::test {
namespace {

std::string TempDirectory(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  std::string path = std::string(dir) + name + "\\";
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

void WriteText(const std::string& path, const std::string& text) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

// The real platform, as if the program lived elsewhere under another name.
class RelocatedPlatform final : public Win32StartupPlatform {
 public:
  RelocatedPlatform(std::string program, std::string commandLine)
      : program_(std::move(program)), commandLine_(std::move(commandLine)) {}
  std::string ProgramPath() override { return program_; }
  std::string CommandLine() override { return commandLine_; }

 private:
  std::string program_, commandLine_;
};

class RecordingWizard final : public InstallerWizard {
 public:
  void Build(InstallerApp&) override { steps += "build "; }
  bool InstallToolbarLibrary(InstallerApp&) override {
    steps += "toolbar ";
    return false;
  }
  void RunModal(InstallerApp&) override { steps += "run"; }
  std::string steps;
};

TEST(InstallerStartup, ReadsInstallIniBesideTheProgramThroughTheSystem) {
  std::string dir = TempDirectory("marvella-startup-ini");
  WriteText(dir + "install.ini",
            "[UserServer]\r\nProfileName=Marvella Alta\r\nServer_IP=127.0.0.1\r\n"
            "Server_Port=6667\r\n[Nodes]\r\nCity1=Lugo\r\nState1=Lugo\r\nPhone1=982\r\n");
  RelocatedPlatform platform(dir + "install-rosa.exe", "\"" + dir + "install-rosa.exe\"");
  RecordingWizard wizard;
  InstallerApp app;
  app.Run(platform, wizard);
  EXPECT_TRUE(app.winsockReady);
  EXPECT_EQ("Marvella Alta", app.config.signUpEntryName);
  EXPECT_EQ("127.0.0.1", app.config.serverAddress);
  EXPECT_EQ("Marvella", app.account.profileName);
  ASSERT_EQ(1u, app.accessNodes.size());
  EXPECT_EQ("982", app.accessNodes[0].Phone);
  EXPECT_EQ("rosa", app.user.friendid);
  EXPECT_EQ("build toolbar run", wizard.steps);
  DeleteFileA((dir + "install.ini").c_str());
  RemoveDirectoryA(dir.c_str());
}

TEST(InstallExe, StartsUnderAnyNameAndReportsAMissingInstallIni) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string bin(self);
  bin = bin.substr(0, bin.find_last_of("\\/") + 1);
  std::string dir = TempDirectory("marvella-install-exe");
  std::string program = dir + "install-pepe.exe";
  ASSERT_TRUE(CopyFileA((bin + "install.exe").c_str(), program.c_str(), FALSE));
  DeleteFileA((dir + "install.ini").c_str());

  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string commandLine = "\"" + program + "\"";
  ASSERT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                             dir.c_str(), &si, &pi));
  HWND box = WaitForProcessDialog(pi.dwProcessId, nullptr, 10000);
  ASSERT_NE(nullptr, box) << "no message box from install.exe";
  EXPECT_EQ("install-pepe.exe", WindowText(box));
  EXPECT_EQ("No puedo leer fichero " + dir + "install.ini", MessageBoxText(box));
  SaveWindowScreenshot(box, "install-exe-missing-ini");
  PressButton(box, IDOK);
  // Start-up goes on with the defaults: the wizard comes up; Cancel ends the program.
  HWND sheet = WaitForProcessDialog(pi.dwProcessId, box, 10000);
  ASSERT_NE(nullptr, sheet) << "no wizard after the message";
  EXPECT_EQ("Instalador de Marvella - Bienvenido", WindowText(sheet));
  PressButton(sheet, IDCANCEL);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 20000));
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(0u, code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);

  DeleteFileA(program.c_str());
  RemoveDirectoryA(dir.c_str());
}

TEST(WaitCursor, ShowsTheHourglassUntilTheLastEnd) {
  HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  HCURSOR hourglass = LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));
  SetCursor(arrow);
  WaitCursor wait;
  wait.BeginWait();
  EXPECT_EQ(hourglass, GetCursor());
  SetCursor(arrow);  // as a dialog would
  wait.RestoreWait();
  EXPECT_EQ(hourglass, GetCursor());
  wait.BeginWait();
  wait.EndWait();
  EXPECT_EQ(hourglass, GetCursor()) << "still inside the outer wait";
  wait.EndWait();
  EXPECT_EQ(arrow, GetCursor());
  wait.EndWait();  // one too many changes nothing
  EXPECT_EQ(arrow, GetCursor());
}

// Signing up and fetching with the server of install.ini are walked in install.exe's and the
// user-type page's window tests; here, a server that is not there.
TEST(UserServerCalls, AServerThatIsNotThereIsNamedInTheError) {
  ASSERT_TRUE(StartWinsock());
  InstallerApp app;
  app.config.serverAddress = "127.0.0.1";
  app.user.userid = "rosa";
  app.user.password = "pw";
  std::string error;
  app.config.serverPort = std::to_string(UnusedLoopbackPort());
  EXPECT_EQ(SignUpResult::Failed, FetchExistingUser(app, error));
  EXPECT_EQ("Error intentando establecer conexi\xF3n con host remoto: 127.0.0.1", error);
}

LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_APP) ++*reinterpret_cast<int*>(GetWindowLongPtrA(w, GWLP_USERDATA));
  return DefWindowProcA(w, m, wp, lp);
}

TEST(ProgressBox, AppendsLinesToEditAndOtherWindows) {
  HWND edit = CreateWindowA(
      "EDIT", "", WS_POPUP | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL,
      40, 40, 360, 120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, edit);
  AppendProgressLine("Marcando...", edit);
  AppendProgressLine("Conexi\xF3n establecida", edit);
  ProgressBoxSink sink(edit);
  ProgressSink& progress = sink;
  progress.AppendProgressLine("Registrando usuario");
  EXPECT_EQ("Marcando...\r\nConexi\xF3n establecida\r\nRegistrando usuario\r\n", WindowText(edit));
  SaveWindowScreenshot(edit, "installer-progress-box");
  DestroyWindow(edit);

  HWND label = CreateWindowA("STATIC", "Estado:", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  AppendProgressLine("uno", label);
  EXPECT_EQ("Estado:uno\r\n", WindowText(label));
  DestroyWindow(label);
}

TEST(PumpMessages, DispatchesUntilEmptyAndStopsAtQuit) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "MarvellaPumpTest";
  RegisterClassA(&wc);
  HWND w = CreateWindowA("MarvellaPumpTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         wc.hInstance, nullptr);
  int count = 0;
  SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&count));
  PostMessageA(w, WM_APP, 0, 0);
  PostMessageA(w, WM_APP, 0, 0);
  EXPECT_FALSE(PumpMessages());
  EXPECT_EQ(2, count);

  PostMessageA(w, WM_APP, 0, 0);
  PostQuitMessage(3);
  PostMessageA(w, WM_APP, 0, 0);
  EXPECT_TRUE(PumpMessages());
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "not put back";
  EXPECT_FALSE(PumpMessages());
  EXPECT_EQ(4, count) << "the messages around the quit were all dispatched";
  DestroyWindow(w);
}

}  // namespace
}  // namespace marvella::test
