// USERINFO encoding and reply item lists.
#include "signup/RecordEncoding.h"

#include <iterator>

namespace marvella {
namespace {

struct UserKey {
  const char* key;
  std::string UserRecord::*field;
};

// Key orders of the USERINFO line.
const UserKey kNewUserOrder[] = {
    {"alta", &UserRecord::alta},
    {"userid", &UserRecord::userid},
    {"password", &UserRecord::password},
    {"name", &UserRecord::name},
    {"surname", &UserRecord::surname},
    {"city", &UserRecord::city},
    {"zipcode", &UserRecord::zipcode},
    {"birth", &UserRecord::birth},
    {"alias", &UserRecord::alias},
    {"direccion", &UserRecord::direccion},
    {"provincia", &UserRecord::provincia},
    {"telefono", &UserRecord::telefono},
    {"email", &UserRecord::email},
    {"profesion", &UserRecord::profesion},
    {"sexo", &UserRecord::sexo},
    {"dondeconect", &UserRecord::dondeconect},
    {"clave", &UserRecord::clave},
    {"enviarinfo", &UserRecord::enviarinfo},
    {"infoexterna", &UserRecord::infoexterna},
    {"friendid", &UserRecord::friendid},
    {"bolsa", &UserRecord::bolsa},
    {"futbol", &UserRecord::futbol},
    {"horoscopo", &UserRecord::horoscopo},
    {"tiempo", &UserRecord::tiempo},
};

// The current-user order sends the telephone twice, first as "phone".
const UserKey kCurrentUserOrder[] = {
    {"alta", &UserRecord::alta},
    {"userid", &UserRecord::userid},
    {"name", &UserRecord::name},
    {"surname", &UserRecord::surname},
    {"city", &UserRecord::city},
    {"zipcode", &UserRecord::zipcode},
    {"phone", &UserRecord::telefono},
    {"birth", &UserRecord::birth},
    {"password", &UserRecord::password},
    {"alias", &UserRecord::alias},
    {"email", &UserRecord::email},
    {"direccion", &UserRecord::direccion},
    {"provincia", &UserRecord::provincia},
    {"telefono", &UserRecord::telefono},
    {"profesion", &UserRecord::profesion},
    {"sexo", &UserRecord::sexo},
    {"dondeconect", &UserRecord::dondeconect},
    {"clave", &UserRecord::clave},
    {"enviarinfo", &UserRecord::enviarinfo},
    {"infoexterna", &UserRecord::infoexterna},
    {"friendid", &UserRecord::friendid},
};

// The fields a GETUSER reply may set.
const UserKey kUserItemKeys[] = {
    {"userid", &UserRecord::userid},
    {"name", &UserRecord::name},
    {"surname", &UserRecord::surname},
    {"city", &UserRecord::city},
    {"zipcode", &UserRecord::zipcode},
    {"birth", &UserRecord::birth},
    {"alias", &UserRecord::alias},
    {"email", &UserRecord::email},
    {"direccion", &UserRecord::direccion},
    {"provincia", &UserRecord::provincia},
    {"telefono", &UserRecord::telefono},
    {"profesion", &UserRecord::profesion},
    {"sexo", &UserRecord::sexo},
    {"dondeconect", &UserRecord::dondeconect},
    {"clave", &UserRecord::clave},
    {"enviarinfo", &UserRecord::enviarinfo},
    {"infoexterna", &UserRecord::infoexterna},
};

struct AccountKey {
  const char* key;
  std::string AccountRecord::*field;
};

const AccountKey kAccountItemKeys[] = {
    {"userid", &AccountRecord::userid},       {"pass", &AccountRecord::pass},
    {"dialupnum", &AccountRecord::dialupnum}, {"dns1", &AccountRecord::dns1},
    {"dns2", &AccountRecord::dns2},           {"idwebmail", &AccountRecord::idwebmail},
    {"pagpers", &AccountRecord::pagpers},     {"smtp", &AccountRecord::smtp},
};

template <typename Record, typename Key, size_t N>
void ApplyItems(const ItemList& items, const Key (&keys)[N], Record& record) {
  for (const std::string& item : items) {
    size_t eq = item.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    std::string_view key(item.data(), eq);
    for (const Key& k : keys) {
      if (key == k.key) {
        record.*k.field = item.substr(eq + 1);
        break;
      }
    }
  }
}

}  // namespace

std::string EncodeUserInfo(const UserRecord& record) {
  std::string line = "USERINFO ";
  auto append = [&](const UserKey* begin, const UserKey* end) {
    for (const UserKey* k = begin; k != end; ++k) {
      const std::string& value = record.*k->field;
      if (value.empty()) continue;
      line += k->key;
      line += '=';
      // ";" ends a field and CR LF ends the command: either inside a value would split it.
      for (char c : value) line += (c == ';' || c == '\r' || c == '\n') ? ' ' : c;
      line += ';';
    }
  };
  if (record.alta == "1")
    append(std::begin(kNewUserOrder), std::end(kNewUserOrder));
  else
    append(std::begin(kCurrentUserOrder), std::end(kCurrentUserOrder));
  line += "\r\n";
  return line;
}

std::string StripLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != '\r' && c != '\n') out += c;
  return out;
}

ItemList SplitItems(std::string_view text) {
  ItemList items;
  size_t semi;
  while ((semi = text.find(';')) != std::string_view::npos) {
    items.emplace_back(text.substr(0, semi));
    text.remove_prefix(semi + 1);
  }
  if (!items.empty()) items.emplace_back(text);
  return items;
}

void ApplyAccountItems(const ItemList& items, AccountRecord& account) {
  ApplyItems(items, kAccountItemKeys, account);
}

void ApplyUserItems(std::string_view text, UserRecord& record) {
  ApplyItems(SplitItems(text), kUserItemKeys, record);
}

}  // namespace marvella
