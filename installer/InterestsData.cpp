// The interests page's model.
#include "installer/InterestsData.h"

#include <string>

#include "installer/UserInfoTexts.h"

namespace marvella {

const InterestRow InterestTable[kInterestCount] = {
    {"01", "Arte y cultura", "Arte y cultura"},
    {"02", "Ciencias", "Ciencias"},
    {"03", "Cine", "Cine"},
    {"04", "Deportes", "Deporte"},
    {"05", "Economía", "Economía"},
    {"06", "Educación", "Educación"},
    {"07", "Entretenimiento", "Entretenimiento"},
    {"08", "Erotismo", "Erotismo"},
    {"09", "Humor", "Humor"},
    {"10", "Internet", "Internet"},
    {"11", "Informática", "Informática"},
    {"12", "Juegos", "Juegos"},
    {"13", "Medios", "Medios"},
    {"14", "Mujer", "Mujer"},
    {"15", "Música", "Música"},
    {"16", "Política y sociedad", "Política y sociedad"},
    {"17", "Salud y consumo", "Salud y consumo"},
    {"18", "Viajes", "Viajes"},
};

const char* const kConnectPlaces[kConnectPlaceCount] = {"casa", "trabajo", "estudios", "otros"};

namespace {

// Calls `each` with every comma-separated word of `list`.
template <typename Each>
void ForEachWord(const std::string& list, Each each) {
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    if (comma == std::string::npos) comma = list.size();
    each(list.substr(start, comma - start));
    start = comma + 1;
  }
}

char Answer(const std::string& value) {
  if (value == "s") return 's';
  if (value == "n") return 'n';
  return 0;
}

void Append(std::string& list, const char* word) {
  if (!list.empty()) list += ',';
  list += word;
}

}  // namespace

InterestsForm InitInterests(const UserRecord& user) {
  InterestsForm form;
  ForEachWord(user.dondeconect, [&form](const std::string& word) {
    for (size_t i = 0; i < kConnectPlaceCount; ++i)
      if (word == kConnectPlaces[i]) form.places[i] = true;
  });
  ForEachWord(user.clave, [&form](const std::string& code) {
    for (size_t i = 0; i < kInterestCount; ++i)
      if (code == InterestTable[i].code) form.topics[i] = true;
  });
  form.news = Answer(user.enviarinfo);
  form.others = Answer(user.infoexterna);
  return form;
}

bool ValidateInterests(const InterestsForm& form, UserRecord& user, MessageSink& messages) {
  if (form.news) user.enviarinfo = std::string(1, form.news);
  if (form.others) user.infoexterna = std::string(1, form.others);
  user.dondeconect.clear();
  for (size_t i = 0; i < kConnectPlaceCount; ++i)
    if (form.places[i]) Append(user.dondeconect, kConnectPlaces[i]);
  user.clave.clear();
  for (size_t i = 0; i < kInterestCount; ++i)
    if (form.topics[i]) Append(user.clave, InterestTable[i].code);
  if (user.enviarinfo.empty()) {
    messages.ShowMessage(IDS_NEED_NEWS_CHOICE, IDS_NEED_NEWS_CHOICE_TEXT, MessageStyle{});
    return false;
  }
  if (user.infoexterna.empty()) {
    messages.ShowMessage(IDS_NEED_OTHERS_CHOICE, IDS_NEED_OTHERS_CHOICE_TEXT, MessageStyle{});
    return false;
  }
  return true;
}

}  // namespace marvella
