// install.exe itself under Wine: start-up shows the real wizard, which a user can walk
// from the welcome page to Finish, filling in the data pages (pages whose own rules are not
// built yet pass through).
// The program runs as a process of its own and is driven through its windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/OperatorSettings.h"
#include "installer/win32/WizardResource.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/RemoteAccessKey.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/wizard/DataPagesFill.h"
#include "tests/win32/wizard/WizardUnderTest.h"
// Last: it brings the SDK's remote-access header, whose macros would rename the kit's own
// records declared above.
#include "simulators/ras/RasSimulatorSession.h"

namespace marvella::test {
namespace {

// Polls until `done` holds or 10 s pass; another process's queue cannot be settled.
template <typename Done>
bool Eventually(Done done) {
  for (int i = 0; i < 500; ++i) {
    if (done()) return true;
    Sleep(20);
  }
  return done();
}

class InstallExe {
 public:
  InstallExe() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string bin(self);
    bin = bin.substr(0, bin.find_last_of("\\/") + 1);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    dir_ = std::string(temp) + "marvella-install-wizard\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
    program_ = dir_ + "install.exe";
    CopyFileA((bin + "install.exe").c_str(), program_.c_str(), FALSE);
    // Loopback only: nothing in this walk talks to a server.
    std::FILE* f = std::fopen((dir_ + "install.ini").c_str(), "wb");
    std::fputs("[UserServer]\r\nProfileName=Marvella Alta\r\nServer_IP=127.0.0.1\r\n", f);
    std::fputs("[Nodes]\r\nCity1=Acceso nacional\r\nState1=Zonas sin nodo local\r\nPhone1=" MARVELLA_DEFAULT_ACCESS_NUMBER "\r\n", f);
    // A province of its own for the personal-data page.
    std::fputs("City2=Madrid\r\nState2=Madrid\r\nPhone2=900100100\r\n", f);
    std::fclose(f);
  }
  ~InstallExe() {
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.hProcess, 1);
      CloseHandle(process_.hThread);
      CloseHandle(process_.hProcess);
    }
    DeleteFileA((dir_ + "install.ini").c_str());
    DeleteFileA(program_.c_str());
    RemoveDirectoryA(dir_.c_str());
  }

  HWND Start() {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string commandLine = "\"" + program_ + "\"";
    if (!CreateProcessA(program_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        dir_.c_str(), &si, &process_))
      return nullptr;
    return WaitForProcessDialog(process_.dwProcessId, nullptr, 60000);
  }
  HANDLE process() const { return process_.hProcess; }

 private:
  std::string dir_, program_;
  PROCESS_INFORMATION process_ = {};
};

HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool Usable(HWND sheet, int id) {
  HWND b = GetDlgItem(sheet, id);
  return b && IsWindowVisible(b) && IsWindowEnabled(b);
}

TEST(InstallExeWizard, ShowsTheWizardFromWelcomeToFinish) {
  const char* pages[] = {
      "Instalador de Marvella - Bienvenido",
      "Instalador de Marvella - Contrato",
      "Instalador de Marvella - Información sobre el hardware",
      "Instalador de Marvella - Tipo de usuario",
      "Instalador de Marvella - Datos necesarios",
      "Instalador de Marvella - Datos de interés",
      "Instalador de Marvella - Datos opcionales",
      "Instalador de Marvella - Alta en servicio Marvella de acceso gratuito",
      "Instalador de Marvella - Conexión configurada",
  };
  RemoteAccessConfigured remoteAccess;
  rassim::RasSimulatorSession modem;  // the fresh service, for install.exe too: one modem
  InstallExe exe;
  HWND sheet = exe.Start();
  ASSERT_NE(nullptr, sheet) << "install.exe showed no wizard";
  for (int page = 0; page < 9; ++page) {
    ASSERT_TRUE(Eventually([&] { return WindowText(sheet) == pages[page]; }))
        << "expected page " << page << ", showing " << WindowText(sheet);
    char name[32];
    std::snprintf(name, sizeof name, "install-exe-page-%d", page);
    if (page == 1) {
      EXPECT_TRUE(Eventually([&] { return !Usable(sheet, kNextButton); }));
      SendMessageA(GetDlgItem(CurrentPage(sheet), IDC_ACCEPT), BM_CLICK, 0, 0);
    }
    if (page == 2) {  // the generic node, the install.ini's one node
      SendMessageA(GetDlgItem(CurrentPage(sheet), IDC_HW_GENERIC_NODE), BM_CLICK, 0, 0);
    }
    if (page == 7) {
      SendMessageA(GetDlgItem(CurrentPage(sheet), IDC_RS_CREATE), BM_CLICK, 0, 0);
    }
    if (page == 4) FillPersonalData(CurrentPage(sheet));
    if (page == 5) AnswerInterests(CurrentPage(sheet));
    if (page < 8) {
      ASSERT_TRUE(Eventually([&] { return Usable(sheet, kNextButton); })) << "page " << page;
      EXPECT_FALSE(SaveWindowScreenshot(sheet, name).empty());
      PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    }
  }
  ASSERT_TRUE(Eventually([&] { return Usable(sheet, kFinishButton); }));
  EXPECT_FALSE(Usable(sheet, IDCANCEL));
  EXPECT_FALSE(SaveWindowScreenshot(sheet, "install-exe-page-8").empty());
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(exe.process(), 20000));
  DWORD code = 1;
  GetExitCodeProcess(exe.process(), &code);
  EXPECT_EQ(0u, code);
}

}  // namespace
}  // namespace marvella::test
