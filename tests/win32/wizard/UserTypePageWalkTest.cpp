// The user-type page in the real sheet against the reference service and the simulated
// remote-access service: one returning user walks through every outcome of "&Obtener
// datos" (no fetch, empty password, busy line, unknown user, stored data, stored account)
// and the line is checked hung up after each call. Screenshots of the page and its boxes.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/win32/MessageBoxSink.h"
#include "installer/win32/WizardResource.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/wizard/WizardUnderTest.h"
// Last: it brings the SDK's remote-access header, whose macros would rename the kit's own
// records declared above.
#include "simulators/ras/RasSimulatorSession.h"

namespace marvella::test {
namespace {

class Winsock {
 public:
  Winsock() { ok = WSAStartup(MAKEWORD(1, 1), &data_) == 0; }
  ~Winsock() {
    if (ok) WSACleanup();
  }
  bool ok;

 private:
  WSADATA data_;
};

// Signs a user up on the service as another machine would have done: with ACCOUNTINFO the
// user has an access account, without it only the personal data are stored.
void SeedUser(int port, const std::string& userInfo, bool withAccount) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<u_short>(port));
  addr.sin_addr.s_addr = inet_addr("127.0.0.1");
  ASSERT_EQ(0, connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr));
  auto ask = [s](const std::string& line) {
    std::string out = line + "\r\n";
    send(s, out.data(), static_cast<int>(out.size()), 0);
    char reply[4096] = {};
    int n = recv(s, reply, sizeof reply - 1, 0);
    return n > 0 ? std::string(reply, static_cast<size_t>(n)) : std::string();
  };
  EXPECT_EQ(0u, ask("HELLO").find("OK"));
  EXPECT_EQ("OK\r\n", ask("USERINFO alta=1;" + userInfo));
  if (withAccount) {
    EXPECT_EQ(0u, ask("ACCOUNTINFO").find("userid="));
  }
  send(s, "QUIT\r\n", 6, 0);
  closesocket(s);
}

// Answers the message box now showing with OK and returns its text.
std::string AnswerMessage(const char* shot = nullptr) {
  HWND box = WaitForWindow("#32770", ProgramFileName().c_str(), 60000);
  if (!box) return "(no message box)";
  std::string text = MessageBoxText(box);
  if (shot) {
    EXPECT_FALSE(SaveWindowScreenshot(box, shot).empty());
  }
  PressButton(box, IDOK);
  for (int i = 0; i < 3000 && IsWindow(box); ++i) Sleep(20);
  return text;
}

// Waits until the wizard's thread takes messages again: after the box, the page hangs up
// and waits without pumping.
void WaitForPage(WizardUnderTest& w) {
  DWORD_PTR result = 0;
  EXPECT_NE(0, SendMessageTimeoutA(w.sheet(), WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result));
  w.Settle();
}

// Types the identifier and password, presses "&Obtener datos", answers the box the fetch
// ends with and waits until the page is done with its line; returns the box's text.
std::string FetchAs(WizardUnderTest& w, const char* identifier, const char* password,
                    const char* shot = nullptr) {
  HWND page = w.Page();
  SetDlgItemTextA(page, IDC_UT_IDENTIFIER, identifier);
  SetDlgItemTextA(page, IDC_UT_PASSWORD, password);
  // Posted: the press blocks in the dial and opens a box.
  PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_UT_FETCH, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_UT_FETCH)));
  std::string text = AnswerMessage(shot);
  WaitForPage(w);
  return text;
}

size_t CountCalls(const rassim::RasSimulatorSession& ras, const char* function) {
  return ras.Calls(function).size();
}

TEST(UserTypePage, EveryFetchOutcomeAgainstTheServiceAndTheSimulatedLine) {
  ASSERT_EQ(1252u, GetACP());
  const char* portText = std::getenv("MARVELLA_DEVSERVICE_USER_PORT");
  ASSERT_NE(nullptr, portText) << "the devservice fixture did not run";
  Winsock winsock;  // start-up's step the walk skips
  ASSERT_TRUE(winsock.ok);
  int port = std::atoi(portText);
  SeedUser(port,
           "userid=eva.sin;password=clave1;name=Eva;surname=Sanz Gil;direccion=Calle Ancha 3;"
           "city=Toledo;zipcode=45001;provincia=Toledo;telefono=925123456;alias=evas;"
           "email=eva.sin@marvella.es;sexo=M;profesion=07;birth=19800115",
           false);
  SeedUser(port, "userid=luis.con;password=clave2;name=Luis;surname=Mora Paz;alias=luism", true);

  rassim::RasSimulatorSession ras;  // one modem, dials connect
  WizardUnderTest w;
  // What start-up and the hardware page leave: the sign-up entry, the server, the adapter.
  w.app.config.signUpEntryName = "Marvella Alta";
  w.app.config.signUpUserName = "alta";
  w.app.config.signUpPassword = "alta";
  w.app.config.serverAddress = "127.0.0.1";
  w.app.config.serverPort = portText;
  w.app.account.dialPrefix = "0";
  w.app.account.dialupnum = "915550001";
  w.app.deviceType = "modem";
  w.app.deviceName = "Módem estándar";

  w.Click(IDC_NOT_CONNECTED);  // the call is placed
  w.Press(PSBTN_NEXT);
  w.Click(IDC_ACCEPT);
  w.Press(PSBTN_NEXT);
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kUserTypePage, w.PageIndex());
  HWND page = w.Page();

  // First state: a new user, the existing user's boxes disabled, a clean start asked for.
  EXPECT_TRUE(w.Checked(IDC_UT_NEW_USER));
  for (int id : {IDC_UT_IDENTIFIER, IDC_UT_PASSWORD, IDC_UT_FETCH})
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, id))) << id;
  EXPECT_TRUE(w.app.flags.cleanStartRequested);
  w.Click(IDC_UT_EXISTING_USER);
  for (int id : {IDC_UT_IDENTIFIER, IDC_UT_PASSWORD, IDC_UT_FETCH})
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, id))) << id;
  EXPECT_FALSE(w.app.flags.cleanStartRequested);

  // Next before any fetch.
  PostMessageA(w.sheet(), PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  EXPECT_EQ("Debes hacer clic en el botón de obtención de datos para continuar", AnswerMessage());
  w.Settle();
  EXPECT_EQ(kUserTypePage, w.PageIndex());

  // An empty password: string 8, and no call.
  EXPECT_EQ("El campo contraseña debe contener al menos 1 caracteres",
            FetchAs(w, "eva.sin", "", "user-type-3-empty-password"));
  EXPECT_EQ(0u, CountCalls(ras, "RasDialA"));

  // A busy line: the system's text in the progress box and nothing else; the failed call
  // keeps its port until the next press hangs it up before dialling again.
  ras.Change([](rassim::SimState& state) { state.service.dialOutcome = "busy"; });
  SetDlgItemTextA(page, IDC_UT_PASSWORD, "x");
  PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_UT_FETCH, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_UT_FETCH)));
  const std::string kBusyLines = "Llamando al 0915550001\r\nLa línea telefónica está ocupada.\r\n";
  for (int i = 0; i < 3000 && ControlText(page, IDC_UT_PROGRESS) != kBusyLines; ++i) Sleep(20);
  WaitForPage(w);
  EXPECT_EQ(kBusyLines, ControlText(page, IDC_UT_PROGRESS));
  EXPECT_EQ(nullptr, WaitForWindow("#32770", ProgramFileName().c_str(), 0));
  EXPECT_EQ(0u, CountCalls(ras, "RasHangUpA"));
  ras.Change([](rassim::SimState& state) { state.service.dialOutcome = "connected"; });
  SetDlgItemTextA(page, IDC_UT_PROGRESS, "");

  // An unknown user: the call is placed, the server refuses (its reply is the reason, word
  // for word), the line is hung up.
  EXPECT_EQ("Error en la negociación de la información de usuario.\nMotivo: "
            "ERROR Usuario o contraseña incorrectos\r\n",
            FetchAs(w, "nadie", "x", "user-type-3-unknown-user"));
  EXPECT_EQ("Llamando al 0915550001\r\nConectando\r\nConectando\r\n",
            ControlText(page, IDC_UT_PROGRESS));
  auto dials = ras.Calls("RasDialA");
  ASSERT_EQ(2u, dials.size());
  EXPECT_EQ("0915550001", dials[1].Get("phone"));
  EXPECT_EQ("alta", dials[1].Get("user"));
  EXPECT_EQ(2u, CountCalls(ras, "RasHangUpA"));  // the busy call first
  EXPECT_TRUE(ras.State().connections.empty());
  EXPECT_FALSE(w.app.flags.accountFetched);

  // Stored data without an account: the personal-data page comes up filled.
  const char kFetched[] = "Información del usuario obtenida.\nPuede continuar con la instalación.";
  EXPECT_EQ(kFetched, FetchAs(w, "eva.sin", "clave1", "user-type-3-data-fetched"));
  EXPECT_EQ(3u, CountCalls(ras, "RasHangUpA"));
  EXPECT_TRUE(ras.State().connections.empty());
  EXPECT_FALSE(w.app.flags.accountFetched);
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "user-type-3-existing-user").empty());
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kPersonalDataPage, w.PageIndex());
  HWND personal = w.Page();
  EXPECT_EQ("Eva", ControlText(personal, IDC_UI_NAME));
  EXPECT_EQ("Sanz Gil", ControlText(personal, IDC_UI_SURNAME));
  EXPECT_EQ("Calle Ancha 3", ControlText(personal, IDC_UI_ADDRESS));
  EXPECT_EQ("925123456", ControlText(personal, IDC_UI_PHONE));
  EXPECT_EQ("eva.sin", ControlText(personal, IDC_UI_USERID));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(personal, IDC_UI_USERID)));
  EXPECT_EQ("0", w.app.user.alta);
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "user-type-4-prefilled").empty());

  // Back, and a new registration after all: the identity boxes start empty, the rest of
  // what the server sent stays.
  w.Press(PSBTN_BACK);
  ASSERT_EQ(kUserTypePage, w.PageIndex());
  w.Click(IDC_UT_NEW_USER);
  EXPECT_TRUE(w.app.flags.cleanStartRequested);
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kPersonalDataPage, w.PageIndex());
  EXPECT_EQ("", ControlText(personal, IDC_UI_USERID));
  EXPECT_EQ("", ControlText(personal, IDC_UI_EMAIL));
  EXPECT_EQ("Eva", ControlText(personal, IDC_UI_NAME));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(personal, IDC_UI_USERID)));
  EXPECT_EQ("1", w.app.user.alta);

  // Back, and a user who already has an access account: the wizard goes to the end.
  w.Press(PSBTN_BACK);
  ASSERT_EQ(kUserTypePage, w.PageIndex());
  w.Click(IDC_UT_EXISTING_USER);
  EXPECT_EQ(kFetched, FetchAs(w, "luis.con", "clave2"));
  EXPECT_EQ(4u, CountCalls(ras, "RasHangUpA"));
  EXPECT_TRUE(ras.State().connections.empty());
  EXPECT_TRUE(w.app.flags.existingAccount);
  EXPECT_TRUE(w.app.flags.accountFetched);
  EXPECT_EQ("Luis", w.app.user.name);
  EXPECT_EQ("luis.con", w.app.account.idwebmail.substr(0, 8));
  EXPECT_FALSE(w.app.account.pass.empty());
  // Choosing "Nuevo usuario" now changes nothing: the account makes an existing user.
  w.Click(IDC_UT_NEW_USER);
  w.Press(PSBTN_NEXT);
  EXPECT_EQ("0", w.app.user.alta);
  // Through the results page (made current on the way) to the final page.
  EXPECT_EQ(kFinalPage, w.PageIndex());
  EXPECT_NE(nullptr, PropSheet_IndexToHwnd(w.sheet(), kResultsPage));
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "user-type-8-account-fetched").empty());
  EXPECT_EQ(4u, CountCalls(ras, "RasDialA"));
}

}  // namespace
}  // namespace marvella::test
