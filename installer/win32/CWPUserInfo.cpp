// Page 4, personal data: the controls and the model.
#include "installer/win32/CWPUserInfo.h"

#include "common/BoundedText.h"
#include "common/win32/MessageBoxSink.h"
#include "installer/win32/CWPSheet.h"
#include "installer/win32/PageControls.h"
#include "signup/win32/DialogText.h"

namespace marvella {
namespace {

// The edit boxes that hold record values, with their limits.
struct BoxBinding {
  int id;
  std::string PersonalDataForm::*text;
  int limit;  // 0: none
};
using L = PersonalDataLimits;
const BoxBinding kBoxes[] = {
    {IDC_UI_NAME, &PersonalDataForm::name, L::kName},
    {IDC_UI_SURNAME, &PersonalDataForm::surname, L::kSurname},
    {IDC_UI_USERID, &PersonalDataForm::userid, L::kUserid},
    {IDC_UI_PASSWORD, &PersonalDataForm::password, L::kPassword},
    {IDC_UI_CONFIRM, &PersonalDataForm::confirmation, 0},
    {IDC_UI_EMAIL, &PersonalDataForm::email, L::kEmail},
    {IDC_UI_ADDRESS, &PersonalDataForm::direccion, L::kAddress},
    {IDC_UI_CITY, &PersonalDataForm::city, L::kCity},
    {IDC_UI_ZIPCODE, &PersonalDataForm::zipcode, L::kZipcode},
    {IDC_UI_PHONE, &PersonalDataForm::telefono, L::kPhone},
    {IDC_UI_ALIAS, &PersonalDataForm::alias, L::kAlias},
    {IDC_UI_BIRTH_YEAR, &PersonalDataForm::birthYear, 0},
};

const int kNewUserBoxes[] = {IDC_UI_PASSWORD, IDC_UI_CONFIRM, IDC_UI_ALIAS, IDC_UI_USERID};

int ControlOf(PersonalField field) {
  switch (field) {
    case PersonalField::kName:
      return IDC_UI_NAME;
    case PersonalField::kSurname:
      return IDC_UI_SURNAME;
    case PersonalField::kUserid:
      return IDC_UI_USERID;
    case PersonalField::kPassword:
      return IDC_UI_PASSWORD;
    case PersonalField::kEmail:
      return IDC_UI_EMAIL;
    case PersonalField::kAddress:
      return IDC_UI_ADDRESS;
    case PersonalField::kProvince:
      return IDC_UI_PROVINCE;
    case PersonalField::kCity:
      return IDC_UI_CITY;
    case PersonalField::kZipcode:
      return IDC_UI_ZIPCODE;
    case PersonalField::kBirthYear:
      return IDC_UI_BIRTH_YEAR;
    case PersonalField::kPhone:
      return IDC_UI_PHONE;
    case PersonalField::kAlias:
      return IDC_UI_ALIAS;
    case PersonalField::kNone:
      break;
  }
  return 0;
}

}  // namespace

void CWPUserInfo::Init() {
  HWND page = Window();
  for (const BoxBinding& box : kBoxes)
    if (box.limit)
      SendDlgItemMessageA(page, box.id, EM_LIMITTEXT, static_cast<WPARAM>(box.limit), 0);
  char number[8];
  for (int day = 1; day <= 31; ++day) {
    FormatBounded(number, sizeof number, "%d", day);
    AddListEntry(page, IDC_UI_BIRTH_DAY, number, day);
  }
  for (int month = 1; month <= 12; ++month) {
    FormatBounded(number, sizeof number, "%d", month);
    AddListEntry(page, IDC_UI_BIRTH_MONTH, number, month);
  }
  for (const char* sex : kSexChoices) AddListEntry(page, IDC_UI_SEX, sex, 0);
  AddListEntry(page, IDC_UI_PROFESSION, "", -1);
  for (size_t row = 0; row < kProfessionCount; ++row)
    AddListEntry(page, IDC_UI_PROFESSION, ProfessionTable[row].name, static_cast<LPARAM>(row));
  AddListEntry(page, IDC_UI_PROVINCE, "", -1);
  for (const ProvinceEntry& e : ProvinceListEntries(app_.accessNodes))
    AddListEntry(page, IDC_UI_PROVINCE, e.name.c_str(), e.firstNode);
  WriteForm(InitPersonalData(app_.user));
  firstShow_ = true;
}

void CWPUserInfo::Show() {
  PersonalDataForm form = ReadForm();
  ActivatePersonalData(form, app_.user, app_.flags, firstShow_);
  firstShow_ = false;
  WriteForm(form);
}

bool CWPUserInfo::ValidateNext() {
  MessageBoxSink messages(Sheet().Window());
  PersonalDataVerdict verdict = ValidatePersonalData(ReadForm(), app_.user, messages);
  if (!verdict.passed && verdict.focus != PersonalField::kNone) {
    SendMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(ControlOf(verdict.focus))),
                 TRUE);
  }
  return verdict.passed;
}

void CWPUserInfo::OnCommand(int controlId, int code) {
  if (controlId != IDC_UI_USERID || code != EN_CHANGE || writing_) return;
  PersonalDataForm form = ReadForm();
  MessageBoxSink messages(Sheet().Window());
  IdentifierTyped(form, app_.user, messages);
  WriteForm(form);
}

PersonalDataForm CWPUserInfo::ReadForm() const {
  HWND page = Window();
  PersonalDataForm form;
  for (const BoxBinding& box : kBoxes) form.*box.text = DialogItemText(page, box.id);
  form.birthDay = static_cast<int>(SelectedListData(page, IDC_UI_BIRTH_DAY, 0));
  form.birthMonth = static_cast<int>(SelectedListData(page, IDC_UI_BIRTH_MONTH, 0));
  form.sex = SelectedListText(page, IDC_UI_SEX);
  form.province = SelectedListText(page, IDC_UI_PROVINCE);
  form.profession = SelectedListText(page, IDC_UI_PROFESSION);
  form.newUserBoxesEnabled = IsWindowEnabled(Item(IDC_UI_USERID)) != FALSE;
  form.provinceShown = IsWindowVisible(Item(IDC_UI_PROVINCE)) != FALSE;
  return form;
}

void CWPUserInfo::WriteForm(const PersonalDataForm& form) {
  HWND page = Window();
  writing_ = true;
  for (const BoxBinding& box : kBoxes) SetItemTextIfDifferent(page, box.id, form.*box.text);
  writing_ = false;
  SelectListPosition(page, IDC_UI_BIRTH_DAY, form.birthDay - 1);
  SelectListPosition(page, IDC_UI_BIRTH_MONTH, form.birthMonth - 1);
  SelectListText(page, IDC_UI_SEX, form.sex);
  SelectListText(page, IDC_UI_PROVINCE, form.province);
  SelectListText(page, IDC_UI_PROFESSION, form.profession);
  for (int id : kNewUserBoxes) EnableWindow(Item(id), form.newUserBoxesEnabled ? TRUE : FALSE);
  int show = form.provinceShown ? SW_SHOW : SW_HIDE;
  ShowWindow(Item(IDC_UI_PROVINCE), show);
  ShowWindow(Item(IDC_UI_PROVINCE_LABEL), show);
}

}  // namespace marvella
