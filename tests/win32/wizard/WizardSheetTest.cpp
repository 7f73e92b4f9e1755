// The real wizard under Wine, driven through its windows: the sheet, the welcome and
// contract pages, the privacy link, Cancel, and the walk over all nine pages (with pages
// 2 to 7 passing through or scripted). Every page shown is saved as a screenshot. (The page
// flow's rules are tested natively in WizardFlowTest; a fetched account's way to the final
// page is walked in UserTypePageWalkTest.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/wizard/PassThroughPage.h"
#include "installer/win32/WizardResource.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WindowDriver.h"
#include "tests/win32/wizard/WizardUnderTest.h"

namespace marvella::test {
namespace {

const ButtonState kNextOnly{false, true, false, true};
const ButtonState kBackOnly{true, false, false, true};
const ButtonState kBackNext{true, true, false, true};

// Texts of all the children of a page, in window order.
std::vector<std::string> ChildTexts(HWND page) {
  std::vector<std::string> texts;
  for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    texts.push_back(WindowText(c));
  return texts;
}

bool HasText(HWND page, const std::string& text) {
  for (const std::string& t : ChildTexts(page))
    if (t == text) return true;
  return false;
}

// Starts a wizard and goes forward to `page`, accepting the contract on the way.
void WalkTo(WizardUnderTest& w, int page) {
  while (w.PageIndex() < page) {
    if (w.PageIndex() == kLicensePage) w.Click(IDC_ACCEPT);
    if (w.PageIndex() == kResultsPage) w.Click(IDC_RS_CREATE);
    int before = w.PageIndex();
    w.Press(PSBTN_NEXT);
    ASSERT_NE(before, w.PageIndex()) << "stuck on page " << before;
  }
}

// The data pages let the user through: these walks are about the sheet (the data pages
// have their own walk).
WizardSeams DataPagesPass(WizardSeams seams = WizardSeams()) {
  static PassThroughPage pass;
  seams.personalData = seams.interests = seams.optionalData = &pass;
  return seams;
}

class WizardSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The texts compared below are code page 1252 bytes, as the installer's own.
    ASSERT_EQ(1252u, GetACP());
  }
};

TEST_F(WizardSheetTest, SheetCarriesIconAndNoHelpAndShowsEachPageCaption) {
  WizardUnderTest w;
  ASSERT_NE(nullptr, w.sheet());
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_INSTALLER));
  ASSERT_NE(nullptr, icon);
  EXPECT_EQ(icon, reinterpret_cast<HICON>(SendMessageA(w.sheet(), WM_GETICON, ICON_BIG, 0)));
  EXPECT_EQ(icon, reinterpret_cast<HICON>(SendMessageA(w.sheet(), WM_GETICON, ICON_SMALL, 0)));
  HWND help = GetDlgItem(w.sheet(), IDHELP);
  EXPECT_TRUE(!help || !IsWindowVisible(help)) << "a Help button is shown";
  EXPECT_EQ(0, GetWindowLongA(w.sheet(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
  EXPECT_EQ(kPageTitles[kWelcomePage], WindowText(w.sheet()));
  w.Press(PSBTN_NEXT);
  EXPECT_EQ(kPageTitles[kLicensePage], WindowText(w.sheet()));
}

TEST_F(WizardSheetTest, WelcomeStartsWithTheOnLineChoiceAndNextAlone) {
  WizardUnderTest w;
  ASSERT_EQ(kWelcomePage, w.PageIndex());
  EXPECT_TRUE(w.Checked(IDC_CONNECTED_NOW));
  EXPECT_FALSE(w.Checked(IDC_NOT_CONNECTED));
  EXPECT_EQ(kNextOnly, w.Buttons());
  HWND page = w.Page();
  const char* texts[] = {
      "Bienvenido al instalador de Marvella, que te guiará de un modo rápido y fácil en la "
      "creación de una Conexión Gratuita a Internet.",
      "Notas:",
      "- Este instalador funciona con Windows 95, 98, Me,  NT y Windows 2000.",
      "- Asegúrate de tener tu módem correctamente instalado y encendido.",
      "En primer lugar, dinos cómo quieres conectarte al servidor de Marvella para obtener tu "
      "cuenta de acceso. Esta operación sólo se realizará una vez.",
      "Ahora estoy conectado a Internet",
      "Ahora no estoy conectado a Internet. Marvella establecerá una conexión con el adaptador "
      "que yo elija: módem, RDSI...",
  };
  for (const char* text : texts) EXPECT_TRUE(HasText(page, text)) << text;
  EXPECT_EQ("Ahora estoy conectado a Internet", ControlText(page, IDC_CONNECTED_NOW));
  // The banner is bitmap 145.
  bool banner = false;
  for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP &&
        SendMessageA(c, STM_GETIMAGE, IMAGE_BITMAP, 0))
      banner = true;
  EXPECT_TRUE(banner);
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "wizard-0-welcome").empty());
}

TEST_F(WizardSheetTest, ContractPageShowsItsTextsAndItsChoiceGatesNext) {
  WizardUnderTest w;
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kLicensePage, w.PageIndex());
  HWND page = w.Page();
  EXPECT_TRUE(HasText(page,
                      "Lee atentamente el siguiente Contrato de licencia. Para continuar con la "
                      "instalación, debes aceptar los términos de este Contrato."));
  EXPECT_EQ("&Acepto el contrato", ControlText(page, IDC_ACCEPT));
  EXPECT_EQ("&No acepto el contrato", ControlText(page, IDC_DO_NOT_ACCEPT));
  std::string contract = ControlText(page, IDC_CONTRACT_TEXT);
  EXPECT_EQ(0u, contract.find("CONTRATO DE LICENCIA"));
  EXPECT_NE(std::string::npos, contract.find("PROTECCIÓN DE DATOS DE CARÁCTER PERSONAL\r\n"));
  EXPECT_EQ(0, SendMessageA(GetDlgItem(page, IDC_CONTRACT_TEXT), EM_GETFIRSTVISIBLELINE, 0, 0));
  EXPECT_FALSE(w.Checked(IDC_ACCEPT));
  EXPECT_FALSE(w.Checked(IDC_DO_NOT_ACCEPT));
  EXPECT_EQ(kBackOnly, w.Buttons());
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "wizard-1-contract").empty());

  w.Press(PSBTN_NEXT);  // a press that reaches the page although Next is disabled
  EXPECT_EQ(kLicensePage, w.PageIndex());

  w.Click(IDC_ACCEPT);
  EXPECT_EQ(kBackNext, w.Buttons());
  w.Click(IDC_DO_NOT_ACCEPT);
  EXPECT_EQ(kBackOnly, w.Buttons());
  w.Click(IDC_ACCEPT);
  w.Press(PSBTN_NEXT);
  EXPECT_EQ(kHardwarePage, w.PageIndex());
}

// Blue pixels of the link as drawn on the screen: how many, and the longest horizontal run.
struct LinkPixels {
  int blue = 0;
  int longestRun = 0;
  int width = 0;
  COLORREF corner = 0;
};

LinkPixels ReadLink(HWND link) {
  RedrawWindow(GetParent(link), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r;
  GetWindowRect(link, &r);
  LinkPixels p;
  p.width = r.right - r.left;
  HDC screen = GetDC(nullptr);
  p.corner = GetPixel(screen, r.right - 1, r.bottom - 1);
  for (int y = r.top; y < r.bottom; ++y) {
    int run = 0;
    for (int x = r.left; x < r.right; ++x) {
      if (GetPixel(screen, x, y) == RGB(0, 0, 255)) {
        ++p.blue;
        if (++run > p.longestRun) p.longestRun = run;
      } else {
        run = 0;
      }
    }
  }
  ReleaseDC(nullptr, screen);
  return p;
}

// A left click on a control as its window receives it. Posted: the click opens a modal
// dialog on the wizard's thread. (Synthetic screen input is not reliable under a loaded
// Xvfb; the static control itself decides from its notify bit whether to report a click.)
void ClickOn(HWND control) {
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

TEST_F(WizardSheetTest, PrivacyLinkIsBlueUnderlinedAndOpensThePrivacyDialogEachTime) {
  WizardUnderTest w;
  WalkTo(w, kPersonalDataPage);
  HWND page = w.Page();
  HWND link = GetDlgItem(page, IDC_UI_PRIVACY_LINK);
  ASSERT_NE(nullptr, link);
  EXPECT_EQ("Política de Privacidad", WindowText(link));
  EXPECT_TRUE(HasText(page, "un mejor servicio. Encontrarás los términos de nuestra"));
  EXPECT_TRUE(HasText(page, "en todas las páginas de Marvella. "));

  LinkPixels p = ReadLink(link);
  EXPECT_GT(p.blue, 40) << "the link is not drawn in blue";
  // The underline is one blue run across the text, longer than any letter.
  EXPECT_GT(p.longestRun, p.width / 2) << "the link is not underlined";
  // Transparent: the page's own background shows around the text.
  HDC screen = GetDC(nullptr);
  RECT r;
  GetWindowRect(link, &r);
  COLORREF outside = GetPixel(screen, r.right + 2, r.bottom - 1);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(outside, p.corner);
  EXPECT_NE(0, GetWindowLongA(link, GWL_STYLE) & SS_NOTIFY);
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), "wizard-4-personal-data").empty());

  for (int round = 0; round < 2; ++round) {
    // The dialog's owner is whatever window of the wizard's thread is active at the click.
    GUITHREADINFO active = {};
    active.cbSize = sizeof active;
    GetGUIThreadInfo(GetWindowThreadProcessId(w.sheet(), nullptr), &active);
    ClickOn(link);  // the static must report it
    HWND dialog = WaitForWindow("#32770", "Política de Privacidad", 5000);
    ASSERT_NE(nullptr, dialog) << "round " << round;
    EXPECT_TRUE(HasText(dialog, "Política de Privacidad de Marvella"));
    EXPECT_EQ("Aceptar", ControlText(dialog, IDOK));
    std::string text = ControlText(dialog, IDC_PRIVACY_TEXT);
    EXPECT_EQ(0u, text.find("PRINCIPIOS DE PRIVACIDAD DE MARVELLA\r\n"));
    // It opens at its beginning, nothing selected.
    HWND box = GetDlgItem(dialog, IDC_PRIVACY_TEXT);
    EXPECT_EQ(0, SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0));
    DWORD from = 0, to = 0;
    SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, to);
    EXPECT_EQ(active.hwndActive, GetWindow(dialog, GW_OWNER));
    if (round == 0) {
      EXPECT_FALSE(SaveWindowScreenshot(dialog, "wizard-privacy").empty());
    }
    PressButton(dialog, IDOK);
    w.Settle();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(kPersonalDataPage, w.PageIndex());
  }
  EXPECT_GT(ReadLink(link).blue, 40) << "the link keeps its colour";
}

TEST_F(WizardSheetTest, CancelEndsTheWizardAtOnceWithoutAQuestion) {
  for (int page : {kWelcomePage, kLicensePage, kUserTypePage, kResultsPage}) {
    WizardUnderTest w(DataPagesPass());
    WalkTo(w, page);
    ASSERT_TRUE(w.Buttons().cancel);
    SendMessageA(GetDlgItem(w.sheet(), IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(w.WaitForEnd(60000)) << "Cancel on page " << page << " did not end the wizard";
    EXPECT_EQ(WizardEnd::kCancelled, w.end());
    EXPECT_EQ(nullptr, WaitForWindow("#32770", nullptr, 200)) << "a window stayed open";
    EXPECT_EQ(0, w.toolbar.installs);
  }
}

TEST_F(WizardSheetTest, NewUserGoesFromWelcomeToFinishThroughEveryPage) {
  WizardUnderTest w(DataPagesPass());
  const char* shots[kWizardPageCount] = {nullptr,
                                         nullptr,
                                         "wizard-2-hardware",
                                         "wizard-3-user-type",
                                         nullptr,
                                         "wizard-5-interests",
                                         "wizard-6-optional-data",
                                         "wizard-7-results",
                                         "wizard-8-final"};
  for (int page = kWelcomePage; page < kFinalPage; ++page) {
    ASSERT_EQ(page, w.PageIndex());
    EXPECT_EQ(kPageTitles[page], WindowText(w.sheet()));
    if (shots[page]) {
      EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), shots[page]).empty());
    }
    if (page == kLicensePage) w.Click(IDC_ACCEPT);
    if (page >= kHardwarePage && page <= kOptionalDataPage) {
      EXPECT_EQ(kBackNext, w.Buttons()) << "page " << page;
    }
    if (page == kResultsPage) {
      EXPECT_EQ(kBackOnly, w.Buttons());
      EXPECT_EQ("&Crear cuenta", ControlText(w.Page(), IDC_RS_CREATE));
      w.Click(IDC_RS_CREATE);
      EXPECT_EQ((ButtonState{false, true, false, false}), w.Buttons());
    }
    w.Press(PSBTN_NEXT);
  }
  ASSERT_EQ(kFinalPage, w.PageIndex());
  EXPECT_EQ(kPageTitles[kFinalPage], WindowText(w.sheet()));
  EXPECT_EQ((ButtonState{false, false, true, false}), w.Buttons());
  EXPECT_FALSE(SaveWindowScreenshot(w.sheet(), shots[kFinalPage]).empty());
  EXPECT_TRUE(HasText(w.Page(), "¡Enhorabuena!"));
  EXPECT_TRUE(HasText(w.Page(), "Marvella acceso gratuito"));

  w.Press(PSBTN_FINISH);
  ASSERT_TRUE(w.WaitForEnd(60000));
  EXPECT_EQ(WizardEnd::kFinished, w.end());
  EXPECT_EQ(1, w.toolbar.installs);
}

TEST_F(WizardSheetTest, ExistingUserPassesOverTheOptionalDataPageInTheRealSheet) {
  CallLog log;
  ScriptedPage userType("userType", log);
  userType.newUser = false;
  WizardSeams seams;
  seams.userType = &userType;
  WizardUnderTest w(DataPagesPass(seams));
  WalkTo(w, kInterestsPage);
  w.Press(PSBTN_NEXT);
  EXPECT_EQ(kResultsPage, w.PageIndex());
  EXPECT_EQ(kBackOnly, w.Buttons());
  w.Press(PSBTN_BACK);
  EXPECT_EQ(kInterestsPage, w.PageIndex());
  EXPECT_EQ(kBackNext, w.Buttons());
}

// A page that refuses Next says why in a message box owned by the wizard.
TEST_F(WizardSheetTest, PageMessagesAreOwnedByTheWizardAndKeepThePage) {
  CallLog log;
  ScriptedPage hardware("hardware", log);
  hardware.validates = false;
  HWND owner = nullptr;
  CWPSheet* sheet = nullptr;
  hardware.onRefuse = [&] {
    owner = sheet->Window();
    MessageBoxA(owner, "Debe elegir un nodo de acceso", "install.exe", MB_OK | MB_ICONWARNING);
  };
  WizardSeams seams;
  seams.hardware = &hardware;
  WizardUnderTest w(seams, [&](WizardSheet& wizard) { sheet = &wizard.Sheet(); });
  WalkTo(w, kLicensePage);
  w.Click(IDC_ACCEPT);
  w.Press(PSBTN_NEXT);
  ASSERT_EQ(kHardwarePage, w.PageIndex());

  PostMessageA(w.sheet(), PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  HWND box = WaitForWindow("#32770", "install.exe", 5000);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("Debe elegir un nodo de acceso", MessageBoxText(box));
  EXPECT_EQ(w.sheet(), GetWindow(box, GW_OWNER));
  PressButton(box, IDOK);
  w.Settle();
  EXPECT_EQ(w.sheet(), owner);
  EXPECT_EQ(kHardwarePage, w.PageIndex());

  hardware.validates = true;
  w.Press(PSBTN_NEXT);
  EXPECT_EQ(kUserTypePage, w.PageIndex());
}

}  // namespace
}  // namespace marvella::test
