// Identifier and alias rules, with the exact messages (CP1252 bytes) they show.
#include "signup/FieldChecks.h"

#include <gtest/gtest.h>

#include "signup/RetryChoices.h"
#include "signup/ServiceMailDomain.h"
#include "tests/unit/common/RecordingMessageSink.h"

namespace marvella {
namespace {

using test::RecordingMessageSink;

// The texts as the user sees them, spelled out byte by byte (code page 1252).
const char kIdentifierRule[] =
    "Caracteres permitidos para el Indentificador (m\xE1ximo 15): letras \nmin\xFAsculas "
    "(excepto la \"\xF1\"); n\xFAmeros (no en la primera posici\xF3n);\nel gui\xF3n bajo "
    "( \"_\"); el punto (\".\"),  pero no al principio, ni al final,\n ni dos puntos "
    "seguidos (\"..\").";

TEST(IsValidIdentifier, AcceptsWhatTheRuleAllows) {
  RecordingMessageSink sink;
  for (const char* ok : {"", "ana", "ana.p", "a_b.c9", "_x", "z0.1_"})
    EXPECT_TRUE(IsValidIdentifier(ok, sink)) << ok;
  EXPECT_TRUE(IsValidIdentifier(std::string(40, 'a'), sink)) << "length is the edit box's job";
  EXPECT_TRUE(sink.shown.empty());
}

TEST(IsValidIdentifier, RefusesAndShowsString24) {
  for (const char* bad : {"Ana", "1ana", ".ana", "ana.", "an..a", "a-b", "a b",
                          "\xF1"
                          "a",
                          "a@b", "."}) {
    RecordingMessageSink sink;
    EXPECT_FALSE(IsValidIdentifier(bad, sink)) << bad;
    ASSERT_EQ(1u, sink.shown.size()) << bad;
    EXPECT_EQ(24u, sink.shown[0].stringId);
    EXPECT_EQ(kIdentifierRule, sink.shown[0].text);
    EXPECT_EQ(MessageButtons::kOk, sink.shown[0].style.buttons);
    EXPECT_EQ(MessageIcon::kWarning, sink.shown[0].style.icon);
    EXPECT_EQ(nullptr, sink.shown[0].style.caption);
  }
}

TEST(CheckMaxLength, ReportsTooLongWithString15) {
  RecordingMessageSink sink;
  EXPECT_FALSE(CheckMaxLength("123456789", "alias", 9, sink));
  EXPECT_TRUE(sink.shown.empty());
  EXPECT_TRUE(CheckMaxLength("1234567890", "Nombre", 9, sink));
  ASSERT_EQ(1u, sink.shown.size());
  EXPECT_EQ(15u, sink.shown[0].stringId);
  EXPECT_EQ(
      "El campo Nombre puede contener un m\xE1ximo de 9 car\xE1"
      "cteres",
      sink.shown[0].text);
}

TEST(IsValidAlias, LengthFirstThenCharacters) {
  RecordingMessageSink sink;
  for (const char* ok : {"", "Ana", "a[b]c\\^`9", "ZZZZZZZZZ"})
    EXPECT_TRUE(IsValidAlias(ok, sink)) << ok;
  EXPECT_TRUE(sink.shown.empty());

  EXPECT_FALSE(IsValidAlias("a b", sink));
  ASSERT_EQ(1u, sink.shown.size());
  EXPECT_EQ(7u, sink.shown[0].stringId);
  EXPECT_EQ(
      "alias: a b\ncontiene car\xE1"
      "cteres no permitidos",
      sink.shown[0].text);

  sink.shown.clear();
  EXPECT_FALSE(IsValidAlias("ABCDEFGH-J", sink)) << "10 characters: only the length message";
  ASSERT_EQ(1u, sink.shown.size());
  EXPECT_EQ(15u, sink.shown[0].stringId);
  EXPECT_EQ(
      "El campo alias puede contener un m\xE1ximo de 9 car\xE1"
      "cteres",
      sink.shown[0].text);

  for (const char* bad : {"\xF1", "a_b", "a.b", "{", "~", "@"}) {
    sink.shown.clear();
    EXPECT_FALSE(IsValidAlias(bad, sink)) << bad;
    ASSERT_EQ(1u, sink.shown.size());
    EXPECT_EQ(7u, sink.shown[0].stringId);
  }
}

TEST(RetryChoices, NewIdentifierFromTheListOrTyped) {
  const ItemList suggestions{"juan1", "juan2", "", "Bad"};
  const std::string domain = ServiceMailDomain;
  const struct {
    bool fromList;
    int index;
    const char* typed;
    bool closes;
    const char* chosen;  // "unchanged" when the dialog stays open
    std::string email;
    size_t messages;
  } cases[] = {
      {true, 1, "ignored", true, "juan2", "juan2@" + domain, 0},
      {false, 0, "pepe_7", true, "pepe_7", "pepe_7@" + domain, 0},
      {true, 3, "", false, "unchanged", "juan@otro.es", 1},  // a suggestion is checked too
      {false, 0, "Pepe", false, "unchanged", "juan@otro.es", 1},
      // Nothing chosen is a cancel: the dialog closes and the record stays as it was.
      {true, 2, "ignored", true, "", "juan@otro.es", 0},
      {false, 0, "", true, "", "juan@otro.es", 0},
  };
  for (const auto& c : cases) {
    UserRecord r;
    r.userid = "juan";
    r.email = "juan@otro.es";
    RecordingMessageSink sink;
    std::string chosen = "unchanged";
    EXPECT_EQ(c.closes,
              ConfirmNewIdentifier(suggestions, c.fromList, c.index, c.typed, r, sink, chosen))
        << c.index << " " << c.typed;
    EXPECT_EQ(c.chosen, chosen) << c.index << " " << c.typed;
    EXPECT_EQ(c.email, r.email) << c.index << " " << c.typed;
    EXPECT_EQ(c.messages, sink.shown.size()) << c.index << " " << c.typed;
    EXPECT_EQ("juan", r.userid) << "the conversation stores the identifier, not the dialog";
  }
}

TEST(RetryChoices, NoSelectedSuggestionKeepsTheDialogOpenWithoutIndexing) {
  UserRecord r;
  RecordingMessageSink sink;
  std::string chosen;
  for (int index : {-1, 0, 1, 1000}) {
    EXPECT_FALSE(ConfirmNewIdentifier(ItemList{}, true, index, "typed", r, sink, chosen));
  }
  EXPECT_FALSE(ConfirmNewIdentifier(ItemList{"a"}, true, 1, "", r, sink, chosen));
  EXPECT_TRUE(sink.shown.empty());
  EXPECT_TRUE(chosen.empty());
}

TEST(RetryChoices, TakenIdentifierText) {
  EXPECT_EQ(
      "El servidor ha informado que el identificativo 'juan' que habia seleccionado "
      "esta en uso en el sistema y debe seleccionar un nuevo.",
      IdentifierTakenText("juan"));
  EXPECT_NE(std::string::npos,
            IdentifierTakenText(std::string(5000, 'j')).find(std::string(5000, 'j')));
}

}  // namespace
}  // namespace marvella
