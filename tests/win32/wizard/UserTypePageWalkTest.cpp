// The user-type page in the real sheet against the reference service and the simulated
// remote-access service: empty password, unknown user, stored data (the personal-data page
// comes up filled) and a stored account (the wizard goes to the end), the line hung up
// after every call. Screenshots of the page and its boxes.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/win32/MessageBoxSink.h"
#include "installer/win32/WizardResource.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/wizard/SeedUser.h"
#include "tests/win32/wizard/WizardUnderTest.h"
// Last: its remote-access header's macros would rename the kit's records declared above.
#include "simulators/ras/RasSimulatorSession.h"

namespace marvella::test {
namespace {

// Types identifier and password, presses "&Obtener datos" (posted: it blocks and opens a
// box), answers the box and waits for the page: the waits after hanging up do not pump, so
// a sent message gets through only once they are over. Returns the box's text.
// `impatient`: Next and the button again, handled while the first press runs.
std::string FetchAs(WizardUnderTest& w, const char* identifier, const char* password,
                    const char* shot, bool impatient = false) {
  HWND page = w.Page();
  SetDlgItemTextA(page, IDC_UT_IDENTIFIER, identifier);
  SetDlgItemTextA(page, IDC_UT_PASSWORD, password);
  for (int i = 0; i < (impatient ? 2 : 1); ++i) {
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_UT_FETCH, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_UT_FETCH)));
    if (impatient && i == 0) PostMessageA(w.sheet(), PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  }
  HWND box = WaitForWindow("#32770", ProgramFileName().c_str(), 60000);
  if (!box) return "(no message box)";
  std::string text = MessageBoxText(box);
  EXPECT_FALSE(SaveWindowScreenshot(box, shot).empty());
  PressButton(box, IDOK);
  for (int i = 0; i < 3000 && IsWindow(box); ++i) Sleep(20);
  DWORD_PTR result = 0;
  EXPECT_NE(0, SendMessageTimeoutA(w.sheet(), WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result));
  w.Settle();
  return text;
}

TEST(UserTypePage, EveryFetchOutcomeAgainstTheServiceAndTheSimulatedLine) {
  const char* port = std::getenv("MARVELLA_DEVSERVICE_USER_PORT");
  ASSERT_NE(nullptr, port) << "the devservice fixture did not run";
  WSADATA wsa;  // start-up's step, which the walk skips
  ASSERT_EQ(0, WSAStartup(MAKEWORD(1, 1), &wsa));
  SeedUser("userid=eva.sin;password=clave1;name=Eva;surname=Sanz Gil;direccion=Calle Ancha 3;"
           "city=Toledo;telefono=925123456;alias=evas;email=eva.sin@marvella.es",
           false);
  SeedUser("userid=luis.con;password=clave2;name=Luis;alias=luism", true);
  rassim::RasSimulatorSession ras;  // one modem, dials connect
  WizardUnderTest w;
  // What start-up and the hardware page leave.
  w.app.config.signUpEntryName = "Marvella Alta";
  w.app.config.signUpUserName = "alta";
  w.app.config.serverAddress = "127.0.0.1";
  w.app.config.serverPort = port;
  w.app.account.dialPrefix = "0";
  w.app.account.dialupnum = "915550001";
  w.app.deviceType = "modem";
  w.app.deviceName = "Módem estándar";
  w.Click(IDC_NOT_CONNECTED);  // so a call is placed
  w.Press(PSBTN_NEXT);
  w.Click(IDC_ACCEPT);
  w.Press(PSBTN_NEXT);
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kUserTypePage, w.PageIndex());
  HWND page = w.Page();
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_UT_FETCH)));
  EXPECT_TRUE(w.app.flags.cleanStartRequested);
  w.Click(IDC_UT_EXISTING_USER);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_UT_FETCH)));
  EXPECT_FALSE(w.app.flags.cleanStartRequested);

  EXPECT_EQ("El campo contraseña debe contener al menos 1 caracteres",
            FetchAs(w, "eva.sin", "", "user-type-3-empty-password"));
  EXPECT_TRUE(ras.Calls("RasDialA").empty());

  // The server's reply is the reason, word for word. Next and a second press, taken while
  // the progress lines pump, neither leave the page nor dial again.
  EXPECT_EQ("Error en la negociación de la información de usuario.\nMotivo: "
            "ERROR Usuario o contraseña incorrectos\r\n",
            FetchAs(w, "nadie", "x", "user-type-3-unknown-user", true));
  EXPECT_EQ(kUserTypePage, w.PageIndex());
  EXPECT_EQ("Llamando al 0915550001\r\nConectando\r\nConectando\r\n",
            ControlText(page, IDC_UT_PROGRESS));
  ASSERT_EQ(1u, ras.Calls("RasDialA").size());
  EXPECT_EQ("0915550001", ras.Calls("RasDialA")[0].Get("phone"));
  EXPECT_EQ(1u, ras.Calls("RasHangUpA").size());
  EXPECT_TRUE(ras.State().connections.empty());

  const char kFetched[] = "Información del usuario obtenida.\nPuede continuar con la instalación.";
  EXPECT_EQ(kFetched, FetchAs(w, "eva.sin", "clave1", "user-type-3-data-fetched"));
  EXPECT_EQ(2u, ras.Calls("RasHangUpA").size());
  EXPECT_TRUE(ras.State().connections.empty());
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "user-type-3-existing-user").empty());
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kPersonalDataPage, w.PageIndex());
  HWND personal = w.Page();
  EXPECT_EQ("Sanz Gil", ControlText(personal, IDC_UI_SURNAME));
  EXPECT_EQ("Calle Ancha 3", ControlText(personal, IDC_UI_ADDRESS));
  EXPECT_EQ("eva.sin", ControlText(personal, IDC_UI_USERID));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(personal, IDC_UI_USERID)));
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "user-type-4-prefilled").empty());

  // A user with an access account goes, through the results page, to the final page, an
  // existing user whatever the radios show.
  w.Press(PSBTN_BACK);
  EXPECT_EQ(kFetched, FetchAs(w, "luis.con", "clave2", "user-type-3-account-fetched"));
  EXPECT_EQ(3u, ras.Calls("RasHangUpA").size());
  EXPECT_TRUE(ras.State().connections.empty());
  EXPECT_TRUE(w.app.flags.accountFetched);
  EXPECT_EQ(0u, w.app.account.idwebmail.find("luis.con@"));
  w.Click(IDC_UT_NEW_USER);
  w.Press(PSBTN_NEXT);
  EXPECT_EQ("0", w.app.user.alta);
  EXPECT_EQ(kFinalPage, w.PageIndex());
  EXPECT_NE(nullptr, PropSheet_IndexToHwnd(w.sheet(), kResultsPage));
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "user-type-8-account-fetched").empty());
  WSACleanup();
}

}  // namespace
}  // namespace marvella::test
