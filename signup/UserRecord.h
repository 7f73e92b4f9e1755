// The user's personal data as the user server knows it: texts named by their USERINFO keys.
// One record lives for the whole run in the installer's application object.
#pragma once

#include <string>

namespace marvella {

struct UserRecord {
  std::string alta;    // "1" new user, "0" current user
  std::string userid;  // identifier; IsValidIdentifier, at most 15 characters
  std::string password;
  std::string name;
  std::string surname;
  std::string city;  // "Población"
  std::string zipcode;
  std::string birth = "19700101";  // "%04u%02u%02u"
  std::string alias;               // IsValidAlias, at most 9 characters
  std::string email;
  std::string direccion;
  std::string provincia;
  std::string telefono;     // also sent as "phone" in the current-user order
  std::string profesion;    // two-digit sector code
  std::string sexo;         // "V" or "M"
  std::string dondeconect;  // "casa,trabajo,estudios,otros" as chosen
  std::string clave;        // two-digit topic codes, ascending, comma-separated
  std::string enviarinfo;   // "s" or "n"
  std::string infoexterna;  // "s" or "n"
  std::string friendid;     // referral identifier
  std::string bolsa;        // ticker, empty when none
  std::string futbol;
  std::string horoscopo;  // "1" to "12"
  std::string tiempo;

  // Working fields of the wizard pages follow here; they are never sent.
  int birthDay = 0;    // 1 to 31, from the personal-data page's day list
  int birthMonth = 0;  // 1 to 12
};

}  // namespace marvella
