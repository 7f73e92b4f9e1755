// marvella.exe: starts the dialler for the user's entry, waits invisibly for a dial-up
// connection, opens the portal's home page and ends. No window is ever shown, and every
// way out ends with exit code 0: there is nobody to tell. With the uninstall switch instead
// of an entry name it is the kit's uninstaller (win32/Uninstall.h).
#include <windows.h>
#include <shellapi.h>

#include <cstdint>

#include "common/OperatorSettings.h"
#include "monitor/ConnectionCheck.h"
#include "monitor/DiallerCommand.h"
#include "monitor/win32/Uninstall.h"

// rasapi32.dll, linked directly (the monitor is only installed where dial-up exists),
// declared against the kit's 4.0 records.
extern "C" {
__declspec(dllimport) std::uint32_t WINAPI
    RasEnumConnectionsA(marvella::RASCONNA*, std::uint32_t*, std::uint32_t*);
__declspec(dllimport) std::uint32_t WINAPI
    RasGetConnectStatusA(marvella::RasConnHandle, marvella::RASCONNSTATUSA*);
}

namespace {

constexpr UINT_PTR kTimerId = 6293;
constexpr UINT kCheckPeriodMs = 1000;
constexpr char kHomePage[] = "http://" MARVELLA_PORTAL_HOST "/";
constexpr char kClassName[] = "marvella_monitor";

class SystemConnections final : public marvella::ConnectionSource {
 public:
  std::uint32_t RasEnumConnections(marvella::RASCONNA* connections, std::uint32_t* size,
                                   std::uint32_t* count) override {
    return RasEnumConnectionsA(connections, size, count);
  }
  std::uint32_t RasGetConnectStatus(marvella::RasConnHandle connection,
                                    marvella::RASCONNSTATUSA* status) override {
    return RasGetConnectStatusA(connection, status);
  }
};

// One check per tick; the timer is set again only after a check has finished, so checks
// never overlap however long one takes.
LRESULT CALLBACK MonitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    KillTimer(window, kTimerId);
    SystemConnections connections;
    if (marvella::IsAnyConnectionUp(connections)) {
      ShellExecuteA(nullptr, "open", kHomePage, nullptr, nullptr, SW_SHOW);
      PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0);
    } else {
      SetTimer(window, kTimerId, kCheckPeriodMs, nullptr);
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  if (marvella::IsUninstallCommand(commandLine)) {
    marvella::RunUninstall();
    return 0;
  }
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  const bool isNt = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
  marvella::DiallerCommand dialler;
  marvella::ChooseDiallerCommand(isNt, commandLine, dialler);
  HINSTANCE started =
      ShellExecuteA(nullptr, "open", dialler.program, dialler.parameters, nullptr, SW_SHOW);
  if (reinterpret_cast<INT_PTR>(started) <= 32) return 0;

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = MonitorWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return 0;
  HWND window = CreateWindowExA(0, kClassName, "Marvella Monitor", WS_POPUPWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 0;

  SetTimer(window, kTimerId, kCheckPeriodMs, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  KillTimer(window, kTimerId);
  return 0;
}
