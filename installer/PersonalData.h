// The personal-data page's model: what its controls hold, how init and activation fill
// them from the user record, what typing an identifier does, and the rules of Next.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/MessageSink.h"
#include "installer/AccessNode.h"
#include "installer/WizardRunFlags.h"
#include "signup/UserRecord.h"

namespace marvella {

struct ProfessionRow {
  const char* name;
  const char* code;  // the "profesion" value
};
constexpr size_t kProfessionCount = 21;
// In list order; the list shows a blank entry (item data -1) first, then these (item data =
// row number).
extern const ProfessionRow ProfessionTable[kProfessionCount];

// The sex list, in list order: "Hombre" ("V"), "Mujer" ("M").
constexpr size_t kSexChoiceCount = 2;
extern const char* const kSexChoices[kSexChoiceCount];

// Box limits (characters), enforced by the boxes themselves.
struct PersonalDataLimits {
  static constexpr int kName = 60, kSurname = 60, kUserid = 15, kPassword = 15, kEmail = 60,
                       kAddress = 150, kCity = 60, kZipcode = 15, kPhone = 15, kAlias = 9;
};

// The controls a failed rule sends the focus to.
enum class PersonalField {
  kNone,
  kName,
  kSurname,
  kUserid,
  kPassword,
  kEmail,
  kAddress,
  kProvince,
  kCity,
  kZipcode,
  kBirthYear,
  kPhone,
  kAlias
};

// What the page's controls hold. A list is named by the text of its selection ("" for no
// selection or the blank entry); day and month by the item data of their selection (0 for
// none).
struct PersonalDataForm {
  std::string name, surname, userid, password, confirmation, email, direccion, city, zipcode,
      telefono, alias;
  std::string birthYear;
  int birthDay = 0;
  int birthMonth = 0;
  std::string sex;
  std::string province;
  std::string profession;
  bool newUserBoxesEnabled = true;  // identifier, password, confirmation and alias
  bool provinceShown = false;       // province list and its label
};

// An entry of the province list after its blank first entry.
struct ProvinceEntry {
  std::string name;
  int firstNode;  // index of the first access node of this province (the item data)
};

// One entry per distinct province of the nodes, in node order, without the pseudo-provinces.
std::vector<ProvinceEntry> ProvinceListEntries(const AccessNodeList& nodes);

// "alta" "0": a user who already has an identifier with the service.
bool IsExistingUser(const UserRecord& user);

// The edit boxes that mirror record values, both ways (the confirmation and the year are
// not record values).
void BoxesToRecord(const PersonalDataForm& form, UserRecord& user);
void RecordToBoxes(const UserRecord& user, PersonalDataForm& form);

// The page's first state, from the record.
PersonalDataForm InitPersonalData(const UserRecord& user);

// On every activation: `form` holds what the controls show and gets what they must show.
// `firstActivation` is true right after init, when the boxes already hold the record.
void ActivatePersonalData(PersonalDataForm& form, UserRecord& user, WizardRunFlags& flags,
                          bool firstActivation);

// The identifier box changed (new users only; nothing happens for an existing one): checks
// it at once (a "." just typed at its end passes until Next) and lets the e-mail and alias
// boxes follow it.
void IdentifierTyped(PersonalDataForm& form, UserRecord& user, MessageSink& messages);

// A password must not hold ";", CR or LF, which would end its item or its protocol line;
// one that does is refused with string 7 naming the field, the password masked but for
// its ";"s. Pages 3 and 4 both check it before the password is sent.
bool CheckPasswordCharacters(const std::string& password, MessageSink& messages);

// The e-mail walk: true when `email` is an address the service takes; otherwise shows
// string 9 or string 7.
bool CheckEmailSyntax(const std::string& email, MessageSink& messages);

struct PersonalDataVerdict {
  bool passed;
  PersonalField focus;  // where the focus goes after a failure's message
};

// Next: copies the form into the record, then applies the rules in order; the first that
// fails has shown its message. Once the birth year holds, "birth" is rewritten.
PersonalDataVerdict ValidatePersonalData(const PersonalDataForm& form, UserRecord& user,
                                         MessageSink& messages);

}  // namespace marvella
