// Protocol logic of the user server.
#include "devservice/UserConversation.h"

#include <random>

#include "devservice/ItemText.h"

namespace devservice {

const char kReplyUnknownCommand[] = "ERROR Orden desconocida\r\n";
const char kReplyBadBytes[] = "ERROR Caracteres no permitidos en la orden\r\n";

namespace {

const char kReplyHello[] = "OK Servidor de usuarios Marvella\r\n";
const char kReplyBadIdentifier[] = "ERROR Identificador no válido\r\n";
const char kReplyNoPassword[] = "ERROR Falta la contraseña\r\n";
const char kReplyBadAlias[] = "ERROR Alias no válido\r\n";
const char kReplyBadAlta[] = "ERROR Falta el campo alta o no es 0 ni 1\r\n";
const char kReplyBadLogin[] = "ERROR Usuario o contraseña incorrectos\r\n";
const char kReplyNoUser[] = "ERROR Primero debe enviar USERINFO\r\n";
const char kReplyInternal[] = "ERROR Error interno del servidor\r\n";

// The personal data kept for a user, in the order GETUSER returns them. "phone" is the
// returning user's second copy of "telefono" and is not kept apart.
const char* const kPersonalKeys[] = {
    "name",        "surname",  "city",      "zipcode", "birth",       "email", "direccion",
    "provincia",   "telefono", "profesion", "sexo",    "dondeconect", "clave", "enviarinfo",
    "infoexterna", "friendid", "bolsa",     "futbol",  "horoscopo",   "tiempo"};

std::string PersonalFields(const std::vector<Item>& items) {
  std::string fields;
  for (const char* key : kPersonalKeys) {
    const std::string* value = FindItem(items, key);
    if (key == std::string_view("telefono") && !value) value = FindItem(items, "phone");
    if (value && !value->empty()) AppendItem(fields, key, *value);
  }
  return fields;
}

std::string UserItems(const UserData& user) {
  std::string list;
  AppendItem(list, "userid", user.userid);
  list += user.fields;
  if (!user.alias.empty()) AppendItem(list, "alias", user.alias);
  return list;
}

std::string AccountItems(const AccountData& account) {
  std::string list;
  AppendItem(list, "userid", account.login);
  AppendItem(list, "pass", account.pass);
  AppendItem(list, "dialupnum", account.dialupnum);
  AppendItem(list, "dns1", account.dns1);
  AppendItem(list, "dns2", account.dns2);
  AppendItem(list, "smtp", account.smtp);
  AppendItem(list, "idwebmail", account.idwebmail);
  AppendItem(list, "pagpers", account.pagpers);
  return list;
}

// Control bytes (other than tab) have no place in a command line.
bool HasBadBytes(std::string_view line) {
  for (char c : line) {
    unsigned char u = static_cast<unsigned char>(c);
    if ((u < 0x20 && u != '\t') || u == 0x7f) return true;
  }
  return false;
}

Reply Make(std::string text, const char* word, bool close = false) {
  Reply r;
  r.text = std::move(text);
  r.word = word;
  r.close = close;
  return r;
}

// "a;b;c;" with a trailing ";", as the kit's list splitter expects.
std::string JoinList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& n : names) list += n + ";";
  return list;
}

}  // namespace

AccountData MakeAccount(const AccountDefaults& defaults, const std::string& userid) {
  // Readable passwords without look-alike characters (no l, 1, o, 0).
  static const char kAlphabet[] = "abcdefghijkmnpqrstuvwxyz23456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kAlphabet) - 2);
  AccountData a;
  a.login = userid;
  for (int i = 0; i < 8; ++i) a.pass.push_back(kAlphabet[pick(random)]);
  a.dialupnum = defaults.accessNumber;
  a.dns1 = defaults.dns1;
  a.dns2 = defaults.dns2;
  a.smtp = defaults.smtp;
  a.idwebmail = userid + "@" + defaults.mailDomain;
  a.pagpers = defaults.webBase + "/usuarios/" + userid + "/";
  return a;
}

UserConversation::UserConversation(Store& store, const AccountDefaults& defaults)
    : store_(store), defaults_(defaults) {}

void UserConversation::Note(std::string_view command, const char* word) {
  // A long conversation is summarised by its start: the log line stays one short line
  // and the summary cannot grow with every command a peer sends.
  if (summary_.size() > 400) {
    if (summary_.compare(summary_.size() - 4, 4, " ...") != 0) summary_ += " ...";
    return;
  }
  if (!summary_.empty()) summary_ += ' ';
  summary_.append(command.substr(0, 16));
  if (*word) {
    summary_ += ':';
    summary_ += word;
  }
}

Reply UserConversation::Handle(std::string_view line, const Fault& fault) {
  if (HasBadBytes(line)) {
    Note("?", "BADBYTES");
    return Make(kReplyBadBytes, "ERROR");
  }
  std::size_t blank = line.find(' ');
  std::string_view command = line.substr(0, blank);
  std::string_view args =
      blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
  Reply reply;
  if (command == "HELLO") {
    reply = Make(kReplyHello, "");
  } else if (command == "USERINFO") {
    reply = UserInfo(args, fault);
  } else if (command == "ACCOUNTINFO") {
    reply = AccountInfo();
  } else if (command == "GETUSER") {
    reply = GetUser(args);
  } else if (command == "QUIT") {
    // The kit reads nothing after QUIT: the conversation just ends.
    reply = Make("", "", true);
  } else {
    Note("?", "UNKNOWN");
    return Make(kReplyUnknownCommand, "ERROR");
  }
  Note(command, reply.word);
  return reply;
}

Reply UserConversation::UserInfo(std::string_view args, const Fault& fault) {
  if (fault.kind == FaultKind::Busy) return Make("BUSY\r\n", "BUSY");
  std::vector<Item> items = ParseItems(args);
  const std::string* alta = FindItem(items, "alta");
  const std::string* userid = FindItem(items, "userid");
  const std::string* password = FindItem(items, "password");
  const std::string* alias = FindItem(items, "alias");
  if (!alta || (*alta != "0" && *alta != "1")) return Make(kReplyBadAlta, "ERROR");
  if (!userid || !IsValidIdentifier(*userid)) return Make(kReplyBadIdentifier, "ERROR");
  if (!password || password->empty()) return Make(kReplyNoPassword, "ERROR");
  if (alias && !alias->empty() && !IsValidAlias(*alias)) return Make(kReplyBadAlias, "ERROR");
  userid_ = *userid;

  UserData user;
  user.userid = *userid;
  user.password = *password;
  user.alias = alias ? *alias : std::string();
  StoreResult result;
  if (*alta == "1") {
    user.fields = PersonalFields(items);
    result = store_.AddUser(user);
  } else {
    // A returning user sends what the pages hold; what it leaves out stays as stored.
    UserData stored;
    result = store_.CheckUser(user.userid, user.password, &stored, nullptr, nullptr);
    if (result == StoreResult::Ok) {
      std::vector<Item> merged = ParseItems(stored.fields);
      merged.insert(merged.end(), items.begin(), items.end());
      user.fields = PersonalFields(merged);
      if (user.alias.empty()) user.alias = stored.alias;
      result = store_.UpdateUser(user);
    }
  }
  switch (result) {
    case StoreResult::Ok:
      accepted_ = user.userid;
      return fault.kind == FaultKind::OkLater ? Make("OK-LATER\r\n", "OK-LATER")
                                              : Make("OK\r\n", "OK");
    case StoreResult::IdTaken: {
      // Three free names close to the taken one; a race may take one before the user
      // retries, and then the retry simply hears ALREADYREG again.
      std::vector<std::string> free;
      for (int first = 1; free.size() < 3 && first < 10000; first += 10) {
        for (std::string& s :
             store_.FreeIdentifiers(IdentifierCandidates(user.userid, 10, first))) {
          if (free.size() < 3) free.push_back(std::move(s));
        }
      }
      return Make("ALREADYREG " + JoinList(free) + "\r\n", "ALREADYREG");
    }
    case StoreResult::AliasTaken: {
      std::vector<std::string> free;
      for (int first = 1; free.size() < 3 && first < 10000; first += 10) {
        for (std::string& s : store_.FreeAliases(AliasCandidates(user.alias, 10, first))) {
          if (free.size() < 3) free.push_back(std::move(s));
        }
      }
      return Make("ALREADYALIAS " + JoinList(free) + "\r\n", "ALREADYALIAS");
    }
    case StoreResult::Unknown:
    case StoreResult::WrongPassword:
      return Make(kReplyBadLogin, "ERROR");
    case StoreResult::Failed:
      break;
  }
  return Make(kReplyInternal, "ERROR");
}

Reply UserConversation::AccountInfo() {
  if (accepted_.empty()) return Make(kReplyNoUser, "ERROR");
  AccountData account;
  StoreResult result = store_.EnsureAccount(
      accepted_, [this](const std::string& id) { return MakeAccount(defaults_, id); }, &account);
  if (result != StoreResult::Ok) return Make(kReplyInternal, "ERROR");
  return Make(AccountItems(account) + "\r\n", "");
}

Reply UserConversation::GetUser(std::string_view args) {
  // The kit sends "userid=%s;password=%s" without escaping, and its USERINFO turned every
  // ";" of a password into a blank: so the password is the whole rest of the line, read
  // the same way, or a password with ";" could never be checked.
  std::string userid;
  std::string password;
  const std::string_view kIdKey = "userid=";
  const std::string_view kPasswordKey = ";password=";
  std::size_t split = args.find(kPasswordKey);
  if (args.substr(0, kIdKey.size()) == kIdKey && split != std::string_view::npos) {
    userid = args.substr(kIdKey.size(), split - kIdKey.size());
    password = CleanValue(args.substr(split + kPasswordKey.size()));
  } else {
    std::vector<Item> items = ParseItems(args);
    const std::string* id = FindItem(items, "userid");
    const std::string* pw = FindItem(items, "password");
    if (id) userid = *id;
    if (pw) password = CleanValue(*pw);
  }
  userid_ = userid;
  UserData user;
  AccountData account;
  bool hasAccount = false;
  switch (store_.CheckUser(userid, password, &user, &account, &hasAccount)) {
    case StoreResult::Ok:
      if (hasAccount) {
        return Make("ALREADYACCOUNT " + UserItems(user) + AccountItems(account) + "\r\n",
                    "ALREADYACCOUNT");
      }
      return Make("OK " + UserItems(user) + "\r\n", "OK");
    case StoreResult::Failed:
      return Make(kReplyInternal, "ERROR");
    default:
      return Make(kReplyBadLogin, "ERROR");
  }
}

}  // namespace devservice
