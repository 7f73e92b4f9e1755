// The hardware page in the real sheet against the simulated remote-access service: two
// modems (and a VPN adapter the page must leave out), an existing "Marvella" entry and the
// install.ini nodes. One walk through the lists, the generic node and the Next rules.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/OperatorSettings.h"
#include "common/win32/MessageBoxSink.h"
#include "installer/win32/WizardResource.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/RemoteAccessKey.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/wizard/WizardUnderTest.h"
// Last: it brings the SDK's remote-access header, whose macros would rename the kit's own
// records declared above.
#include "simulators/ras/RasSimulatorSession.h"

namespace marvella::test {
namespace {

const char kScenario[] =
    "[device]\ntype = modem\nname = Módem estándar\n"
    "[device]\ntype = vpn\nname = Red privada virtual\n"
    "[device]\ntype = Modem\nname = Módem interno 56K\n"
    "[entry]\nname = Marvella\n";

const AccessNodeList kNodes = {
    {"Madrid", "Madrid", "915550001"},
    {"Alcalá de Henares", "Madrid", "915550002"},
    {"Barcelona", "Barcelona", "935550001"},
    {"Acceso nacional", "Zonas sin nodo local", MARVELLA_DEFAULT_ACCESS_NUMBER},
    {"Getafe", "Madrid", "915550003"},
};

std::vector<std::string> ComboTexts(HWND combo) {
  std::vector<std::string> texts;
  int n = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    std::string text(static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    texts.push_back(text.c_str());
  }
  return texts;
}

std::string Selected(HWND combo) {
  int at = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
  return at < 0 ? "(none)" : ComboTexts(combo)[static_cast<size_t>(at)];
}

// A choice in a list as the user makes it: the selection, then its notification.
void Choose(WizardUnderTest& w, int comboId, int position) {
  HWND combo = GetDlgItem(w.Page(), comboId);
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
  SendMessageA(w.Page(), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  w.Settle();
}

// Presses Next and answers the window it brings up; returns that window's text.
std::string NextAnswering(WizardUnderTest& w, const char* title, int button, const char* shot) {
  PostMessageA(w.sheet(), PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  HWND box = WaitForWindow("#32770", title, 60000);
  if (!box) return "(no window)";
  EXPECT_EQ(w.sheet(), GetWindow(box, GW_OWNER)) << title;
  std::string text = MessageBoxText(box);
  if (shot) {
    EXPECT_FALSE(SaveWindowScreenshot(box, shot).empty());
  }
  PressButton(box, button);
  w.Settle();
  return text;
}

TEST(HardwarePage, ListsGenericNodeAndNextRulesAgainstTheSimulatedService) {
  ASSERT_EQ(1252u, GetACP());
  RemoteAccessConfigured remoteAccess;
  rassim::RasSimulatorSession session(kScenario);
  WizardUnderTest w(
      WizardSeams(),
      [&](WizardSheet&) {
        w.app.accessNodes = kNodes;
        w.app.account.profileName = "Marvella";
        w.app.user.friendid = "juan";
        w.app.winsockReady = true;
      },
      true);
  w.Press(PSBTN_NEXT);
  w.Click(IDC_ACCEPT);
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kHardwarePage, w.PageIndex());
  HWND page = w.Page();
  HWND provinces = GetDlgItem(page, IDC_HW_PROVINCE);
  HWND cities = GetDlgItem(page, IDC_HW_CITY);
  EXPECT_EQ((ButtonState{true, true, false, true}), w.Buttons()) << "the machine can dial";

  // Opened: modems only, in the system's order; the lists on "Sin selección".
  HWND devices = GetDlgItem(page, IDC_HW_DEVICE);
  EXPECT_EQ((std::vector<std::string>{"Módem estándar", "Módem interno 56K"}), ComboTexts(devices));
  EXPECT_EQ("Módem estándar", Selected(devices));
  EXPECT_EQ((std::vector<std::string>{"Sin selección", "Madrid", "Barcelona",
                                      "Zonas sin nodo local"}),
            ComboTexts(provinces));
  EXPECT_EQ((std::vector<std::string>{"Sin selección"}), ComboTexts(cities));
  EXPECT_EQ("Sin selección", Selected(provinces));
  EXPECT_EQ("juan", ControlText(page, IDC_HW_FRIEND_ID));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_HW_FRIEND_ID))) << "a referral identifier";
  EXPECT_EQ("Marvella", ControlText(page, IDC_HW_CONNECTION_NAME));

  // Next's rules in their order, each keeping the page.
  const std::string caption = ProgramFileName();
  SetDlgItemTextA(page, IDC_HW_CONNECTION_NAME, "Mi:red");
  EXPECT_EQ("El nombre de conexión 'Mi:red' contiene carácteres no permitidos.",
            NextAnswering(w, caption.c_str(), IDOK, nullptr));
  EXPECT_EQ(kHardwarePage, w.PageIndex());
  SetDlgItemTextA(page, IDC_HW_CONNECTION_NAME, "Marvella");
  NextAnswering(w, "Conexión ya existente", IDCANCEL, "hardware-connection-exists");
  EXPECT_EQ(kHardwarePage, w.PageIndex()) << "Cancelar keeps the page";
  SetDlgItemTextA(page, IDC_HW_CONNECTION_NAME, "Marvella2");
  EXPECT_EQ("Debe elegir un nodo de acceso", NextAnswering(w, caption.c_str(), IDOK, nullptr));
  EXPECT_EQ(kHardwarePage, w.PageIndex());

  // A province lists its cities in file order; "Otra" goes to the generic node.
  Choose(w, IDC_HW_PROVINCE, 1);
  EXPECT_EQ((std::vector<std::string>{"Sin selección", "Madrid", "Alcalá de Henares", "Getafe",
                                      "Otra"}),
            ComboTexts(cities));
  Choose(w, IDC_HW_CITY, 2);
  EXPECT_EQ("915550002", ControlText(page, IDC_HW_NODE_PHONE));
  Choose(w, IDC_HW_CITY, 4);
  EXPECT_EQ("Zonas sin nodo local", Selected(provinces));
  EXPECT_EQ("Acceso nacional", Selected(cities));
  EXPECT_EQ(MARVELLA_DEFAULT_ACCESS_NUMBER, ControlText(page, IDC_HW_NODE_PHONE));

  // The check box: both lists on the generic node and disabled; cleared, both reset.
  Choose(w, IDC_HW_PROVINCE, 2);
  w.Click(IDC_HW_GENERIC_NODE);
  EXPECT_EQ("Acceso nacional", Selected(cities));
  EXPECT_FALSE(IsWindowEnabled(provinces));
  EXPECT_FALSE(IsWindowEnabled(cities));
  w.Click(IDC_HW_GENERIC_NODE);
  EXPECT_EQ("Sin selección", Selected(provinces));
  EXPECT_EQ((std::vector<std::string>{"Sin selección"}), ComboTexts(cities));
  EXPECT_TRUE(IsWindowEnabled(cities));

  Choose(w, IDC_HW_DEVICE, 1);
  w.Click(IDC_HW_GENERIC_NODE);
  SetDlgItemTextA(page, IDC_HW_PREFIX, "0");
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "hardware-page-filled").empty());
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kUserTypePage, w.PageIndex());
  EXPECT_EQ("Modem", w.app.deviceType);
  EXPECT_EQ("Módem interno 56K", w.app.deviceName);
  EXPECT_EQ(MARVELLA_DEFAULT_ACCESS_NUMBER, w.app.nodePhone);
  EXPECT_EQ("Zonas sin nodo local", w.app.user.provincia);
  EXPECT_EQ("Marvella2", w.app.account.profileName);
  EXPECT_EQ("0", w.app.account.dialPrefix);
  EXPECT_EQ("juan", w.app.user.friendid);
}

}  // namespace
}  // namespace marvella::test
