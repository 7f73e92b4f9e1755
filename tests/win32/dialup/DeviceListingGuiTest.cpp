// The support listing: with Control held while the adapters are enumerated, a message box
// names every adapter the system reports (name, then type), before the modem/ISDN filter.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "dialup/win32/RemoteAccess.h"
#include "simulators/ras/RasSimulatorSession.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WindowDriver.h"

namespace marvella {
namespace {

void HoldControl(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

TEST(DeviceListing, ControlShowsEveryAdapterBeforeTheFilter) {
  rassim::RasSimulatorSession session(
      "[service]\n"
      "[device]\ntype = modem\nname = Módem estándar\n"
      "[device]\ntype = ISDN\nname = RDSI interna\n"
      "[device]\ntype = vpn\nname = Red privada virtual\n");
  std::string text;
  bool seen = false;
  std::thread answer([&] {
    HWND box = test::WaitForWindow("#32770", "Instalación de Marvella", 30000);
    if (!box) return;
    seen = true;
    text = test::MessageBoxText(box);
    test::SaveWindowScreenshot(box, "dialup-device-listing");
    test::PressButton(box, IDOK);
  });
  HoldControl(true);
  DialDeviceList list;
  bool ok = EnumerateDialDevices(list, true, nullptr, "Instalación de Marvella");
  HoldControl(false);
  answer.join();

  ASSERT_TRUE(seen);
  EXPECT_EQ("Módem estándar | modem\nRDSI interna | ISDN\nRed privada virtual | vpn\n", text);
  EXPECT_TRUE(ok);
  EXPECT_EQ(2u, list.Count());
}

}  // namespace
}  // namespace marvella
