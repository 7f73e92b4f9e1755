// The personal-data page's model.
#include "installer/PersonalData.h"

#include "common/BoundedText.h"
#include "installer/UserInfoTexts.h"
#include "signup/FieldChecks.h"
#include "signup/ServiceMailDomain.h"
#include "signup/SignupTexts.h"

namespace marvella {

const ProfessionRow ProfessionTable[kProfessionCount] = {
    {"Banca/Finanzas", "08"},
    {"Informática/Internet", "11"},
    {"Consultoría", "21"},
    {"Docencia/Educación", "06"},
    {"Investigación", "14"},
    {"Construcción", "03"},
    {"Industrial", "10"},
    {"Distribución", "22"},
    {"Otros servicios", "18"},
    {"Servicios medicos/Sanitarios", "17"},
    {"Servicios legales", "04"},
    {"Entretenimiento", "23"},
    {"Hostelería", "24"},
    {"Viajes/Turismo", "25"},
    {"Organismos gubernamentales", "09"},
    {"Agricola/Ganadero", "26"},
    {"Autónomo", "27"},
    {"Estudiante", "07"},
    {"Jubilado", "28"},
    {"Labores del hogar", "29"},
    {"Otros", "99"},
};

const char* const kSexChoices[kSexChoiceCount] = {"Hombre", "Mujer"};

namespace {

// Provinces of the node list that stand for numbers without a province of their own.
const char kNoLocalNode[] = "Zonas sin nodo local";
const char kMobileNetwork[] = "MoviStar";

bool IsPseudoProvince(const std::string& province) {
  return province == kNoLocalNode || province == kMobileNetwork;
}

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return i == a.size() && !b[i];
}

const char* ProfessionNameOf(const std::string& code) {
  for (const ProfessionRow& row : ProfessionTable)
    if (code == row.code) return row.name;
  return nullptr;
}

// The digits at the start of `text` as a number ("abc" reads as 0); large values saturate.
unsigned LeadingNumber(const std::string& text) {
  unsigned value = 0;
  for (char c : text) {
    if (!IsDigit(c)) break;
    if (value < 100000) value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value;
}

// Year, month and day from "birth": four, two and two digits.
bool ParseBirth(const std::string& birth, unsigned& year, int& month, int& day) {
  if (birth.size() < 8) return false;
  for (size_t i = 0; i < 8; ++i)
    if (!IsDigit(birth[i])) return false;
  year = LeadingNumber(birth.substr(0, 4));
  month = static_cast<int>(LeadingNumber(birth.substr(4, 2)));
  day = static_cast<int>(LeadingNumber(birth.substr(6, 2)));
  return true;
}

void Show(MessageSink& messages, unsigned stringId, const char* text) {
  messages.ShowMessage(stringId, text, MessageStyle{});
}

PersonalDataVerdict Fail(MessageSink& messages, unsigned stringId, const char* text,
                         PersonalField focus) {
  Show(messages, stringId, text);
  return PersonalDataVerdict{false, focus};
}

}  // namespace

std::vector<ProvinceEntry> ProvinceListEntries(const AccessNodeList& nodes) {
  std::vector<ProvinceEntry> entries;
  for (size_t i = 0; i < nodes.size(); ++i) {
    const std::string& state = nodes[i].State;
    if (IsPseudoProvince(state)) continue;
    bool seen = false;
    for (const ProvinceEntry& e : entries) seen = seen || e.name == state;
    if (!seen) entries.push_back(ProvinceEntry{state, static_cast<int>(i)});
  }
  return entries;
}

bool IsExistingUser(const UserRecord& user) { return user.alta == "0"; }

void BoxesToRecord(const PersonalDataForm& form, UserRecord& user) {
  user.name = form.name;
  user.surname = form.surname;
  user.userid = form.userid;
  user.password = form.password;
  user.email = form.email;
  user.direccion = form.direccion;
  user.city = form.city;
  user.zipcode = form.zipcode;
  user.telefono = form.telefono;
  user.alias = form.alias;
}

void RecordToBoxes(const UserRecord& user, PersonalDataForm& form) {
  form.name = user.name;
  form.surname = user.surname;
  form.userid = user.userid;
  form.password = user.password;
  form.email = user.email;
  form.direccion = user.direccion;
  form.city = user.city;
  form.zipcode = user.zipcode;
  form.telefono = user.telefono;
  form.alias = user.alias;
}

PersonalDataForm InitPersonalData(const UserRecord& user) {
  PersonalDataForm form;
  RecordToBoxes(user, form);
  // A day and a month are always selected, so "birth" is always a date.
  form.birthDay = 1;
  form.birthMonth = 1;
  if (user.sexo == "v" || user.sexo == "V") form.sex = kSexChoices[0];
  if (user.sexo == "m" || user.sexo == "M") form.sex = kSexChoices[1];
  if (const char* name = ProfessionNameOf(user.profesion)) form.profession = name;
  bool existing = IsExistingUser(user);
  // A fetched identifier that carries its host ("juan@host") shows only its user part, and
  // the address built from it. A plain identifier keeps the fetched address: appending
  // ".com" to it would make an address without "@" that the e-mail rule refuses.
  size_t at = user.userid.find('@');
  if (existing && at != std::string::npos) {
    form.email = user.userid + ".com";
    form.userid = user.userid.substr(0, at);
  }
  form.newUserBoxesEnabled = !existing;
  return form;
}

void ActivatePersonalData(PersonalDataForm& form, UserRecord& user, WizardRunFlags& flags,
                          bool firstActivation) {
  bool existing = IsExistingUser(user);
  form.newUserBoxesEnabled = !existing;
  if (!existing && flags.cleanStartRequested) {
    for (std::string* value :
         {&user.name, &user.surname, &user.userid, &user.zipcode, &user.city, &user.alias,
          &user.password, &user.email, &user.direccion, &user.telefono})
      value->clear();
    form.userid.clear();
    form.alias.clear();
    form.password.clear();
    form.email.clear();
    // What the other boxes still show stays the user's.
    BoxesToRecord(form, user);
    flags.cleanStartRequested = false;
  }
  unsigned year = 0;
  int month = 0, day = 0;
  if (!user.birth.empty() && ParseBirth(user.birth, year, month, day)) {
    if (month >= 1 && month <= 12) form.birthMonth = month;
    if (day >= 1 && day <= 31) form.birthDay = day;
    char text[16];
    FormatBounded(text, sizeof text, "%04u", year);
    form.birthYear = text;
  }
  if (user.provincia.empty() || IsPseudoProvince(user.provincia) || flags.provinceListShown) {
    form.provinceShown = true;
    flags.provinceListShown = true;
  } else {
    form.provinceShown = false;
  }
  if (existing) {
    if (user.sexo == "V") form.sex = kSexChoices[0];
    if (user.sexo == "M") form.sex = kSexChoices[1];
    if (!user.profesion.empty()) {
      if (const char* name = ProfessionNameOf(user.profesion)) form.profession = name;
    }
  }
  if (!firstActivation) RecordToBoxes(user, form);
}

void IdentifierTyped(PersonalDataForm& form, UserRecord& user, MessageSink& messages) {
  if (IsExistingUser(user)) return;
  BoxesToRecord(form, user);
  // Checked as it is typed, an identifier may end in the "." just typed ("ana." on the way
  // to "ana.p"); Next checks the whole identifier.
  std::string typed = form.userid;
  if (!typed.empty() && typed.back() == '.') typed.pop_back();
  IsValidIdentifier(typed, messages);
  form.email = form.userid + "@" + ServiceMailDomain;
  if (form.userid.size() <= 9) form.alias = form.userid;
}

bool CheckPasswordCharacters(const std::string& password, MessageSink& messages) {
  // The password goes into protocol lines that cannot carry these.
  if (password.find_first_of(";\r\n") == std::string::npos) return true;
  // The message may show it: its refused ";" in place, every other character hidden.
  std::string masked;
  for (char c : password) masked += c == ';' ? ';' : '*';
  ShowString(messages, IDS_BAD_CHARACTERS, MessageStyle{}, IDS_BAD_CHARACTERS_TEXT,
             "Campo contraseña", masked.c_str());
  return false;
}

bool CheckEmailSyntax(const std::string& email, MessageSink& messages) {
  int dots = 0, ats = 0;
  bool fault = false;
  char previous = '\0';
  for (char c : email) {
    if (!(IsLower(c) || IsDigit(c) || c == '.' || c == '-' || c == '@' || c == '_')) {
      fault = true;
      break;
    }
    // The character that faults is counted too: ".@" is a bad address, not one without "@".
    fault = (previous == '.' && (c == '.' || c == '@')) || (c == '@' && ats > 0);
    if (c == '.') ++dots;
    if (c == '@') ++ats;
    if (fault) break;
    previous = c;
  }
  if (ats == 0) {
    Show(messages, IDS_EMAIL_NEEDS_AT, IDS_EMAIL_NEEDS_AT_TEXT);
    return false;
  }
  if (dots == 0 || !(IsLower(email.front()) || email.front() == '-') || email.front() == '@' ||
      email.back() == '@')
    fault = true;
  if (!fault) return true;
  ShowString(messages, IDS_BAD_CHARACTERS, MessageStyle{}, IDS_BAD_CHARACTERS_TEXT, "Campo email",
             email.c_str());
  return false;
}

PersonalDataVerdict ValidatePersonalData(const PersonalDataForm& form, UserRecord& user,
                                         MessageSink& messages) {
  BoxesToRecord(form, user);
  if (SameIgnoringCase(form.sex, kSexChoices[0])) user.sexo = "V";
  if (SameIgnoringCase(form.sex, kSexChoices[1])) user.sexo = "M";
  if (!form.province.empty()) user.provincia = form.province;
  for (const ProfessionRow& row : ProfessionTable)
    if (form.profession == row.name) user.profesion = row.code;

  const bool existing = IsExistingUser(user);
  const PersonalDataVerdict pass{true, PersonalField::kNone};
  if (user.name.empty())
    return Fail(messages, IDS_NEED_NAME, IDS_NEED_NAME_TEXT, PersonalField::kName);
  if (user.surname.empty())
    return Fail(messages, IDS_NEED_SURNAME, IDS_NEED_SURNAME_TEXT, PersonalField::kSurname);
  if (user.userid.empty())
    return Fail(messages, IDS_NEED_USERID, IDS_NEED_USERID_TEXT, PersonalField::kUserid);
  if (!IsValidIdentifier(user.userid, messages)) return {false, PersonalField::kNone};
  if (user.password.empty())
    return Fail(messages, IDS_NEED_PASSWORD, IDS_NEED_PASSWORD_TEXT, PersonalField::kPassword);
  if (!CheckPasswordCharacters(user.password, messages))
    return {false, PersonalField::kPassword};
  if (!existing && form.confirmation != user.password)
    return Fail(messages, 0, USERINFO_PASSWORD_MISMATCH_TEXT, PersonalField::kNone);
  if (user.userid == user.password)
    return Fail(messages, 0, USERINFO_USERID_IS_PASSWORD_TEXT, PersonalField::kNone);
  if (user.email.empty())
    return Fail(messages, IDS_NEED_EMAIL, IDS_NEED_EMAIL_TEXT, PersonalField::kEmail);
  if (user.email.find(ServiceMailDomain) != std::string::npos &&
      user.email.substr(0, user.email.find('@')) != user.userid)
    return Fail(messages, IDS_EMAIL_NOT_USERID, IDS_EMAIL_NOT_USERID_TEXT, PersonalField::kEmail);
  if (!CheckEmailSyntax(user.email, messages)) return {false, PersonalField::kNone};
  if (user.direccion.empty())
    return Fail(messages, IDS_NEED_ADDRESS, IDS_NEED_ADDRESS_TEXT, PersonalField::kAddress);
  if (user.provincia.empty() || IsPseudoProvince(user.provincia))
    return Fail(messages, IDS_NEED_PROVINCE, IDS_NEED_PROVINCE_TEXT, PersonalField::kProvince);
  if (user.city.empty())
    return Fail(messages, IDS_NEED_CITY, IDS_NEED_CITY_TEXT, PersonalField::kCity);
  if (user.zipcode.empty())
    return Fail(messages, IDS_NEED_ZIPCODE, IDS_NEED_ZIPCODE_TEXT, PersonalField::kZipcode);
  user.birthDay = form.birthDay;
  user.birthMonth = form.birthMonth;
  unsigned year = LeadingNumber(form.birthYear);
  if (year < 1850 || year > 2050)
    return Fail(messages, IDS_BAD_BIRTH_YEAR, IDS_BAD_BIRTH_YEAR_TEXT, PersonalField::kBirthYear);
  char birth[32];
  FormatBounded(birth, sizeof birth, "%04u%02u%02u", year, static_cast<unsigned>(form.birthMonth),
                static_cast<unsigned>(form.birthDay));
  user.birth = birth;
  if (user.sexo.empty())
    return Fail(messages, IDS_NEED_SEX, IDS_NEED_SEX_TEXT, PersonalField::kNone);
  if (user.telefono.empty())
    return Fail(messages, IDS_NEED_PHONE, IDS_NEED_PHONE_TEXT, PersonalField::kPhone);
  if (user.telefono.size() < 9)
    return Fail(messages, IDS_SHORT_PHONE, IDS_SHORT_PHONE_TEXT, PersonalField::kPhone);
  if (user.profesion.empty())
    return Fail(messages, IDS_NEED_PROFESSION, IDS_NEED_PROFESSION_TEXT, PersonalField::kNone);
  if (user.alias.empty())
    return Fail(messages, IDS_NEED_ALIAS, IDS_NEED_ALIAS_TEXT, PersonalField::kAlias);
  if (!existing && !IsValidAlias(user.alias, messages)) return {false, PersonalField::kNone};
  return pass;
}

}  // namespace marvella
