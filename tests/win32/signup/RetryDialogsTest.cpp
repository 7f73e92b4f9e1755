// The two retry dialogs as real windows from their templates: texts, suggestions, the rules
// applied before they close, the edit limits, and a whole conversation answered through them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win32/MessageBoxSink.h"
#include "signup/ServiceMailDomain.h"
#include "signup/UserServerSession.h"
#include "signup/win32/DialogRetryPrompt.h"
#include "signup/win32/NewAliasDialog.h"
#include "signup/win32/NewIdentifierDialog.h"
#include "signup/win32/RetryDialogIds.h"
#include "tests/unit/signup/ScriptedServer.h"
#include "tests/win32/signup/DialogDriver.h"
#include "tests/win32/support/Screenshot.h"

namespace marvella::test {
namespace {

const char kIdentifierTitle[] = "Elija un nuevo identificador de usuario";
const char kAliasTitle[] = "Elija un nuevo alias";

std::string ListEntry(HWND dialog, int index) {
  char text[256] = {};
  SendDlgItemMessageA(dialog, IDC_SUGGESTIONS, LB_GETTEXT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(NewIdentifierDialog, ShowsTheSuggestionsAndReturnsTheChosenOne) {
  UserRecord record;
  record.userid = "juan";
  ItemList suggestions{"juan1", "juan2", "juan3", ""};
  DialogDriver driver(kIdentifierTitle, [](HWND d) {
    EXPECT_EQ(
        "El servidor ha informado que el identificativo 'juan' que habia seleccionado "
        "esta en uso en el sistema y debe seleccionar un nuevo.",
        ControlText(d, IDC_TAKEN_TEXT));
    EXPECT_EQ("Elegir uno de los identificativos libres sugeridos por el servidor:",
              ControlText(d, IDC_SUGGESTED_CHOICE));
    EXPECT_EQ("Nuevo Identificativo:", ControlText(d, IDC_TYPED_CHOICE));
    EXPECT_EQ("Aceptar", ControlText(d, IDOK));
    EXPECT_EQ("Cancelar", ControlText(d, IDCANCEL));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_SUGGESTED_CHOICE));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(d, IDC_TYPED_CHOICE));
    EXPECT_EQ(4, SendDlgItemMessageA(d, IDC_SUGGESTIONS, LB_GETCOUNT, 0, 0));
    EXPECT_EQ("juan1", ListEntry(d, 0));
    EXPECT_EQ("juan3", ListEntry(d, 2));
    EXPECT_EQ(0, SendDlgItemMessageA(d, IDC_SUGGESTIONS, LB_GETCURSEL, 0, 0));
    TypeInto(d, IDC_NEW_VALUE, "abcdefghijklmnopqrst");
    EXPECT_EQ("abcdefghijklmno", ControlText(d, IDC_NEW_VALUE)) << "at most 15 characters";
    CheckRadioButton(d, IDC_TYPED_CHOICE, IDC_SUGGESTED_CHOICE, IDC_SUGGESTED_CHOICE);
    SendDlgItemMessageA(d, IDC_SUGGESTIONS, LB_SETCURSEL, 1, 0);
    SaveWindowScreenshot(d, "signup-new-identifier");
    PressButton(d, IDOK);
  });
  std::string chosen = NewIdentifierDialog(suggestions, record).Run(nullptr);
  driver.Join();
  EXPECT_EQ("juan2", chosen);
  EXPECT_EQ(std::string("juan2@") + ServiceMailDomain, record.email);
}

TEST(NewIdentifierDialog, TypedIdentifierMustFollowTheRuleBeforeItCloses) {
  UserRecord record;
  record.userid = "ana";
  ItemList suggestions{"ana1"};
  std::string caption = ProgramFileName();
  DialogDriver driver(kIdentifierTitle, [&caption](HWND d) {
    PressButton(d, IDC_TYPED_CHOICE);
    TypeInto(d, IDC_NEW_VALUE, "Ana");
    PostMessageA(d, WM_COMMAND, IDOK, 0);
    HWND box = WaitForWindow("#32770", caption.c_str(), DialogDriver::kPatienceMs);
    ASSERT_NE(nullptr, box);
    SaveWindowScreenshot(box, "signup-identifier-rule");
    EXPECT_EQ(
        "Caracteres permitidos para el Indentificador (m\xE1ximo 15): letras \nmin\xFAsculas "
        "(excepto la \"\xF1\"); n\xFAmeros (no en la primera posici\xF3n);\nel gui\xF3n bajo "
        "( \"_\"); el punto (\".\"),  pero no al principio, ni al final,\n ni dos puntos "
        "seguidos (\"..\").",
        MessageBoxText(box));
    EXPECT_EQ(d, GetWindow(box, GW_OWNER)) << "the message belongs to the dialog";
    EXPECT_EQ("Aceptar", ControlText(box, IDOK)) << "the system's texts read as in Spain";
    PressButton(box, IDOK);
    Sleep(200);
    EXPECT_TRUE(IsWindowVisible(d)) << "the dialog stays open";
    TypeInto(d, IDC_NEW_VALUE, "ana_9");
    PressButton(d, IDOK);
  });
  std::string chosen = NewIdentifierDialog(suggestions, record).Run(nullptr);
  driver.Join();
  EXPECT_EQ("ana_9", chosen);
  EXPECT_EQ(std::string("ana_9@") + ServiceMailDomain, record.email);
}

TEST(NewIdentifierDialog, EmptySuggestionListLeadsToTypingAndCancelReturnsNothing) {
  UserRecord record;
  record.userid = "ana";
  record.email = "ana@otro.es";
  ItemList none;
  DialogDriver driver(kIdentifierTitle, [](HWND d) {
    EXPECT_EQ(0, SendDlgItemMessageA(d, IDC_SUGGESTIONS, LB_GETCOUNT, 0, 0));
    PressButton(d, IDOK);
    Sleep(100);
    EXPECT_TRUE(IsWindowVisible(d)) << "nothing chosen: the dialog stays open";
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_TYPED_CHOICE));
    SaveWindowScreenshot(d, "signup-new-identifier-empty-list");
    PressButton(d, IDCANCEL);
  });
  EXPECT_EQ("", NewIdentifierDialog(none, record).Run(nullptr));
  EXPECT_EQ("ana@otro.es", record.email);
}

TEST(NewAliasDialog, LimitsTheAliasAndAppliesTheRule) {
  std::string caption = ProgramFileName();
  DialogDriver driver(kAliasTitle, [&caption](HWND d) {
    HWND label = FindWindowExA(d, nullptr, "Static", nullptr);
    EXPECT_EQ(
        "El alias que usted ha elegido ya est\xE1 asignado a otro usuario. Introduzca un "
        "alias nuevo:",
        WindowText(label));
    TypeInto(d, IDC_NEW_VALUE, "abcdefghijkl");
    EXPECT_EQ("abcdefghi", ControlText(d, IDC_NEW_VALUE)) << "at most 9 characters";
    TypeInto(d, IDC_NEW_VALUE, "ana-7");
    SaveWindowScreenshot(d, "signup-new-alias");
    PostMessageA(d, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(
        "alias: ana-7\ncontiene car\xE1"
        "cteres no permitidos",
        AnswerMessageBox(caption.c_str()));
    EXPECT_TRUE(IsWindowVisible(d));
    TypeInto(d, IDC_NEW_VALUE, "Ana[7]");
    PressButton(d, IDOK);
  });
  EXPECT_EQ("Ana[7]", NewAliasDialog().Run(nullptr));
}

TEST(NewAliasDialog, CancelReturnsNothing) {
  DialogDriver driver(kAliasTitle, [](HWND d) {
    TypeInto(d, IDC_NEW_VALUE, "Ana");
    PressButton(d, IDCANCEL);
  });
  EXPECT_EQ("", NewAliasDialog().Run(nullptr));
}

class NoWait final : public WaitIndicator {
 public:
  void BeginWait() override {}
  void RestoreWait() override {}
  void EndWait() override {}
};

TEST(DialogRetryPrompt, ConversationRecoversThroughTheDialogs) {
  StartTestSockets();
  ScriptedServer server({Send("HELLO\r\n"), Send("ALREADYREG pepe1;pepe2;\r\n"),
                         Send("ALREADYALIAS\r\n"), Send("OK\r\n"),
                         Send("userid=pepe2;pass=x;\r\n")});
  DialogDriver identifier(kIdentifierTitle, [](HWND d) {
    SendDlgItemMessageA(d, IDC_SUGGESTIONS, LB_SETCURSEL, 1, 0);
    PressButton(d, IDOK);
  });
  DialogDriver alias(kAliasTitle, [](HWND d) {
    TypeInto(d, IDC_NEW_VALUE, "Pepito");
    PressButton(d, IDOK);
  });
  std::unique_ptr<LineChannel> channel = MakePlatformChannel();
  NoWait wait;
  UserRecord user;
  user.alta = "1";
  user.userid = "pepe";
  user.alias = "Pepe";
  AccountRecord account;
  std::string error;
  DialogRetryPrompt prompt(nullptr);
  UserServerSession session(*channel, wait, "127.0.0.1", std::to_string(server.port()));
  EXPECT_EQ(SignUpResult::Accepted, session.RegisterNewUser(error, user, account, prompt));
  identifier.Join();
  alias.Join();
  EXPECT_EQ("pepe2", user.userid);
  EXPECT_EQ("Pepito", user.alias);
  EXPECT_EQ("pepe2", account.userid);
  std::vector<std::string> commands = server.Commands();
  ASSERT_EQ(6u, commands.size());
  EXPECT_NE(std::string::npos, commands[3].find("userid=pepe2;"));
  EXPECT_NE(std::string::npos, commands[3].find("alias=Pepito;"));
}

}  // namespace
}  // namespace marvella::test
