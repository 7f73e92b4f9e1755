// Page 5, interests: the buttons and the model.
#include "installer/win32/CWPUserInfo2.h"

#include "common/win32/MessageBoxSink.h"
#include "installer/win32/CWPSheet.h"
#include "installer/win32/PageControls.h"

namespace marvella {
namespace {

// The boxes in the order of kConnectPlaces and of InterestTable.
const int kPlaceBoxes[kConnectPlaceCount] = {IDC_U2_FROM_HOME, IDC_U2_FROM_WORK, IDC_U2_FROM_SCHOOL,
                                             IDC_U2_FROM_OTHER};
const int kTopicBoxes[kInterestCount] = {
    IDC_U2_ART,       IDC_U2_SCIENCE,       IDC_U2_CINEMA,    IDC_U2_SPORTS, IDC_U2_ECONOMY,
    IDC_U2_EDUCATION, IDC_U2_ENTERTAINMENT, IDC_U2_EROTICISM, IDC_U2_HUMOUR, IDC_U2_INTERNET,
    IDC_U2_COMPUTING, IDC_U2_GAMES,         IDC_U2_MEDIA,     IDC_U2_WOMEN,  IDC_U2_MUSIC,
    IDC_U2_POLITICS,  IDC_U2_HEALTH,        IDC_U2_TRAVEL};

// A yes/no radio pair as 's', 'n' or 0.
char ReadAnswer(HWND page, int yes, int no) {
  if (IsChecked(page, yes)) return 's';
  if (IsChecked(page, no)) return 'n';
  return 0;
}

void WriteAnswer(HWND page, int yes, int no, char answer) {
  SetChecked(page, yes, answer == 's');
  SetChecked(page, no, answer == 'n');
}

}  // namespace

void CWPUserInfo2::Init() {
  HWND page = Window();
  InterestsForm form = InitInterests(app_.user);
  for (size_t i = 0; i < kConnectPlaceCount; ++i) SetChecked(page, kPlaceBoxes[i], form.places[i]);
  for (size_t i = 0; i < kInterestCount; ++i) SetChecked(page, kTopicBoxes[i], form.topics[i]);
  WriteAnswer(page, IDC_U2_NEWS_YES, IDC_U2_NEWS_NO, form.news);
  WriteAnswer(page, IDC_U2_OTHERS_YES, IDC_U2_OTHERS_NO, form.others);
}

bool CWPUserInfo2::ValidateNext() {
  HWND page = Window();
  InterestsForm form;
  for (size_t i = 0; i < kConnectPlaceCount; ++i) form.places[i] = IsChecked(page, kPlaceBoxes[i]);
  for (size_t i = 0; i < kInterestCount; ++i) form.topics[i] = IsChecked(page, kTopicBoxes[i]);
  form.news = ReadAnswer(page, IDC_U2_NEWS_YES, IDC_U2_NEWS_NO);
  form.others = ReadAnswer(page, IDC_U2_OTHERS_YES, IDC_U2_OTHERS_NO);
  MessageBoxSink messages(Sheet().Window());
  return ValidateInterests(form, app_.user, messages);
}

}  // namespace marvella
