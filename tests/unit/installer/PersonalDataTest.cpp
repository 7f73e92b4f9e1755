// The personal-data page's rules: each rule of Next failing alone, the e-mail walk, and
// what activation and a typed identifier do to the boxes.
#include <gtest/gtest.h>

#include <functional>

#include "installer/PersonalData.h"
#include "tests/unit/common/RecordingMessageSink.h"

namespace marvella::test {
namespace {

// A new user's page that passes every rule.
struct Filled {
  PersonalDataForm form;
  UserRecord user;
  Filled() {
    form.name = "Ana";
    form.surname = "Pérez Gil";
    form.userid = "ana.p";
    form.password = form.confirmation = "clave1";
    form.email = "ana.p@marvella.es";
    form.direccion = "Mayor 1";
    form.city = "Madrid";
    form.zipcode = "28001";
    form.telefono = "912345678";
    form.alias = "anap";
    form.birthYear = "1970";
    form.birthDay = 29;
    form.birthMonth = 2;
    form.sex = "Mujer";
    form.profession = "Estudiante";
    user.alta = "1";
    user.provincia = "Madrid";
  }
};

using Change = std::function<void(Filled&)>;
struct RuleCase {
  Change change;
  unsigned stringId;
  const char* text;  // the start of the message
  PersonalField focus;
};

const RuleCase kRules[] = {
    {[](Filled& f) { f.form.name = ""; }, 26, "Debes introducir tu nombre", PersonalField::kName},
    {[](Filled& f) { f.form.surname = ""; }, 27, "Debes introducir tus dos",
     PersonalField::kSurname},
    {[](Filled& f) { f.form.userid = ""; }, 28, "Debes especificar un nombre",
     PersonalField::kUserid},
    {[](Filled& f) { f.form.userid = "Ana"; }, 24, "Caracteres permitidos", PersonalField::kNone},
    {[](Filled& f) { f.form.password = ""; }, 29, "Debes especificar una contr",
     PersonalField::kPassword},
    {[](Filled& f) { f.form.password = f.form.confirmation = "ab;c"; }, 7,
     "Campo contraseña: **;*\ncontiene", PersonalField::kPassword},
    {[](Filled& f) { f.form.confirmation = "clave2"; }, 0, "La contraseña no coincide",
     PersonalField::kNone},
    {[](Filled& f) { f.form.password = f.form.confirmation = "ana.p"; }, 0,
     "El identificador de usuario y la contraseña no", PersonalField::kNone},
    {[](Filled& f) { f.form.email = ""; }, 30, "Debes especificar una dirección de correo",
     PersonalField::kEmail},
    {[](Filled& f) { f.form.email = "pepe@marvella.es"; }, 41, "Tu identificador",
     PersonalField::kEmail},
    {[](Filled& f) { f.form.email = "ana@correo"; }, 7, "Campo email: ana@correo\ncontiene",
     PersonalField::kNone},
    {[](Filled& f) { f.form.direccion = ""; }, 33, "Debes especificar tu dirección",
     PersonalField::kAddress},
    {[](Filled& f) { f.user.provincia = "Zonas sin nodo local"; }, 34, "Debes especificar una prov",
     PersonalField::kProvince},
    {[](Filled& f) { f.form.city = ""; }, 31, "Debes especificar tu población",
     PersonalField::kCity},
    {[](Filled& f) { f.form.zipcode = ""; }, 32, "Debes especificar tu código",
     PersonalField::kZipcode},
    {[](Filled& f) { f.form.birthYear = "1849"; }, 21, "El año", PersonalField::kBirthYear},
    {[](Filled& f) { f.form.sex = ""; }, 35, "Debes especificar tu sexo", PersonalField::kNone},
    {[](Filled& f) { f.form.telefono = ""; }, 25, "Debes introducir tu número",
     PersonalField::kPhone},
    {[](Filled& f) { f.form.telefono = "91 23 45"; }, 40, "El teléfono debe ser",
     PersonalField::kPhone},
    {[](Filled& f) { f.form.profession = ""; }, 36, "Debes especificar tu profesión",
     PersonalField::kNone},
    {[](Filled& f) { f.form.alias = ""; }, 37, "Debes especificar un alias", PersonalField::kAlias},
    {[](Filled& f) { f.form.alias = "ana.p"; }, 7, "alias: ana.p\ncontiene", PersonalField::kNone},
};

TEST(PersonalData, EachRuleOfNextFailsAloneWithItsMessageAndFocus) {
  for (size_t i = 0; i < sizeof kRules / sizeof kRules[0]; ++i) {
    Filled f;
    kRules[i].change(f);
    RecordingMessageSink messages;
    PersonalDataVerdict v = ValidatePersonalData(f.form, f.user, messages);
    EXPECT_FALSE(v.passed) << "case " << i;
    ASSERT_EQ(1u, messages.shown.size()) << "case " << i;
    EXPECT_EQ(kRules[i].stringId, messages.shown[0].stringId) << "case " << i;
    EXPECT_EQ(0u, messages.shown[0].text.find(kRules[i].text)) << messages.shown[0].text;
    EXPECT_EQ(kRules[i].focus, v.focus) << "case " << i;
  }
}

TEST(PersonalData, APassingPageFillsTheRecordAndTheBirthDate) {
  Filled f;
  RecordingMessageSink messages;
  EXPECT_TRUE(ValidatePersonalData(f.form, f.user, messages).passed);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ("M", f.user.sexo);
  EXPECT_EQ("07", f.user.profesion);
  EXPECT_EQ("Madrid", f.user.provincia);
  EXPECT_EQ("19700229", f.user.birth);
  EXPECT_EQ(29, f.user.birthDay);
  EXPECT_EQ("anap", f.user.alias);
  EXPECT_EQ("912345678", f.user.telefono);
  // An existing user has no confirmation and any alias the server kept.
  Filled existing;
  existing.user.alta = "0";
  existing.form.confirmation = "";
  existing.form.alias = "ana.p";
  existing.form.birthYear = "2050";
  EXPECT_TRUE(ValidatePersonalData(existing.form, existing.user, messages).passed);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(PersonalData, EmailWalk) {
  const struct {
    const char* address;
    unsigned stringId;  // 0: accepted
  } cases[] = {
      {"ana@correo.es", 0},    {"-ana@correo.es", 0}, {"ana_p@mi-correo.es", 0},
      {"ana@correo", 7},       {"ana@Correo.es", 7},  {"ANA@CORREO.ES", 9},
      {"ana.@correo.es", 7},   {"1ana@correo.es", 7}, {"ana@@correo.es", 7},
      {"ana..p@correo.es", 9}, {"ana@correo.es@", 7}, {"ana.correo.es", 9},
      {"@correo.es", 7},       {"ana@correo..es", 7}, {"ana p@correo.es", 9},
  };
  for (const auto& c : cases) {
    RecordingMessageSink messages;
    EXPECT_EQ(c.stringId == 0, CheckEmailSyntax(c.address, messages)) << c.address;
    if (c.stringId) {
      ASSERT_EQ(1u, messages.shown.size()) << c.address;
      EXPECT_EQ(c.stringId, messages.shown[0].stringId) << c.address;
    } else {
      EXPECT_TRUE(messages.shown.empty()) << c.address;
    }
  }
}

TEST(PersonalData, ActivationCleansOnRequestAndKeepsTheProvinceListOnceShown) {
  UserRecord user;
  user.alta = "1";
  user.name = "Ana";
  user.userid = "ana";
  user.provincia = "Zonas sin nodo local";
  user.birth = "19841207";
  WizardRunFlags flags;
  flags.cleanStartRequested = true;
  PersonalDataForm form = InitPersonalData(user);
  ActivatePersonalData(form, user, flags, true);
  EXPECT_FALSE(flags.cleanStartRequested);
  EXPECT_EQ("Ana", user.name) << "a box still showing a value keeps it";
  EXPECT_EQ("", user.userid);
  EXPECT_EQ("", form.userid);
  EXPECT_TRUE(form.birthYear == "1984" && form.birthDay == 7 && form.birthMonth == 12);
  EXPECT_TRUE(form.provinceShown);
  user.provincia = "Madrid";
  ActivatePersonalData(form, user, flags, false);
  EXPECT_TRUE(form.provinceShown) << "once shown it stays";
}

TEST(PersonalData, ExistingUserKeepsTheFetchedAddressUnlessTheIdentifierCarriesAHost) {
  UserRecord user;
  user.alta = "0";
  user.userid = "juan";
  user.email = "juan@correo.es";
  user.sexo = "V";
  user.profesion = "99";
  PersonalDataForm form = InitPersonalData(user);
  EXPECT_EQ("juan@correo.es", form.email);
  EXPECT_EQ("Hombre", form.sex);
  EXPECT_EQ("Otros", form.profession);
  EXPECT_FALSE(form.newUserBoxesEnabled);
  user.userid = "juan@host";
  form = InitPersonalData(user);
  EXPECT_EQ("juan", form.userid);
  EXPECT_EQ("juan@host.com", form.email);
}

}  // namespace
}  // namespace marvella::test
