// SQLite storage of the reference service.
#include "devservice/Store.h"

#include <sqlite3.h>

#include <cstring>
#include <ctime>

namespace devservice {

namespace {

const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS users("
    " id INTEGER PRIMARY KEY,"
    " userid TEXT NOT NULL UNIQUE,"
    " password TEXT NOT NULL,"
    " alias TEXT COLLATE NOCASE UNIQUE,"
    " fields TEXT NOT NULL,"
    " created INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS accounts("
    " user INTEGER PRIMARY KEY REFERENCES users(id),"
    " login TEXT NOT NULL UNIQUE,"
    " pass TEXT NOT NULL,"
    " dialupnum TEXT NOT NULL, dns1 TEXT NOT NULL, dns2 TEXT NOT NULL, smtp TEXT NOT NULL,"
    " idwebmail TEXT NOT NULL, pagpers TEXT NOT NULL,"
    " created INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS visits("
    " id INTEGER PRIMARY KEY, path TEXT NOT NULL, query TEXT NOT NULL, user TEXT NOT NULL,"
    " known INTEGER NOT NULL, at INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS counters(name TEXT PRIMARY KEY, value INTEGER NOT NULL);"
    "PRAGMA user_version=1;";

// Resets a cached statement when the operation using it ends, whatever the way out.
class Use {
 public:
  explicit Use(sqlite3_stmt* st) : st_(st) {}
  ~Use() {
    if (st_) {
      sqlite3_reset(st_);
      sqlite3_clear_bindings(st_);
    }
  }
  Use(const Use&) = delete;
  Use& operator=(const Use&) = delete;
  sqlite3_stmt* get() const { return st_; }
  explicit operator bool() const { return st_ != nullptr; }

 private:
  sqlite3_stmt* st_;
};

void Bind(sqlite3_stmt* st, int index, const std::string& text) {
  sqlite3_bind_text(st, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::string Column(sqlite3_stmt* st, int index) {
  const unsigned char* text = sqlite3_column_text(st, index);
  int size = sqlite3_column_bytes(st, index);
  return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size))
              : std::string();
}

std::int64_t Now() { return static_cast<std::int64_t>(std::time(nullptr)); }

}  // namespace

std::unique_ptr<Store> Store::Open(const std::string& path, std::string* error) {
  std::unique_ptr<Store> store(new Store());
  // One connection shared under our own lock: SQLite's full mutex mode would only repeat it.
  int rc =
      sqlite3_open_v2(path.c_str(), &store->db_,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    if (error) {
      *error = "cannot open " + path + ": " +
               (store->db_ ? sqlite3_errmsg(store->db_) : sqlite3_errstr(rc));
    }
    return nullptr;
  }
  sqlite3_busy_timeout(store->db_, 5000);
  // WAL with NORMAL sync: every commit survives a crash of the process (the service's
  // concern), and sign-ups do not wait for a disk flush each.
  if (!store->Exec("PRAGMA journal_mode=WAL;") || !store->Exec("PRAGMA synchronous=NORMAL;") ||
      !store->Exec("PRAGMA foreign_keys=ON;") || !store->Exec(kSchema)) {
    if (error) *error = "cannot prepare " + path + ": " + store->lastError_;
    return nullptr;
  }
  return store;
}

Store::~Store() {
  for (sqlite3_stmt* st : statements_) sqlite3_finalize(st);
  if (db_) sqlite3_close(db_);
}

void Store::Fail(const char* what) { lastError_ = std::string(what) + ": " + sqlite3_errmsg(db_); }

bool Store::Exec(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
    lastError_ = message ? message : "error";
    sqlite3_free(message);
    return false;
  }
  return true;
}

// Statements are prepared once per text and kept for the life of the connection.
sqlite3_stmt* Store::Prepare(const char* sql) {
  for (sqlite3_stmt* st : statements_) {
    if (sqlite3_sql(st) && std::strcmp(sqlite3_sql(st), sql) == 0) return st;
  }
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK) {
    Fail("prepare");
    return nullptr;
  }
  statements_.push_back(st);
  return st;
}

bool Store::ReadUser(sqlite3_stmt* st, UserData* user) {
  if (sqlite3_step(st) != SQLITE_ROW) return false;
  if (user) {
    user->userid = Column(st, 0);
    user->password = Column(st, 1);
    user->alias = Column(st, 2);
    user->fields = Column(st, 3);
  }
  return true;
}

StoreResult Store::AddUser(const UserData& user) {
  std::lock_guard<std::mutex> lock(mutex_);
  Use st(Prepare("INSERT INTO users(userid,password,alias,fields,created) VALUES(?,?,?,?,?)"));
  if (!st) return StoreResult::Failed;
  Bind(st.get(), 1, user.userid);
  Bind(st.get(), 2, user.password);
  if (user.alias.empty()) {
    sqlite3_bind_null(st.get(), 3);
  } else {
    Bind(st.get(), 3, user.alias);
  }
  Bind(st.get(), 4, user.fields);
  sqlite3_bind_int64(st.get(), 5, Now());
  int rc = sqlite3_step(st.get());
  if (rc == SQLITE_DONE) return StoreResult::Ok;
  if (sqlite3_extended_errcode(db_) != SQLITE_CONSTRAINT_UNIQUE) {
    Fail("add user");
    return StoreResult::Failed;
  }
  // When both are taken the identifier is reported first: the kit asks for a new
  // identifier before a new alias. (Which constraint SQLite trips first is not promised.)
  Use id(Prepare("SELECT 1 FROM users WHERE userid=?"));
  if (!id) return StoreResult::Failed;
  Bind(id.get(), 1, user.userid);
  return sqlite3_step(id.get()) == SQLITE_ROW ? StoreResult::IdTaken : StoreResult::AliasTaken;
}

StoreResult Store::UpdateUser(const UserData& user) {
  std::lock_guard<std::mutex> lock(mutex_);
  {
    Use find(Prepare("SELECT password FROM users WHERE userid=?"));
    if (!find) return StoreResult::Failed;
    Bind(find.get(), 1, user.userid);
    if (sqlite3_step(find.get()) != SQLITE_ROW) return StoreResult::Unknown;
    if (Column(find.get(), 0) != user.password) return StoreResult::WrongPassword;
  }
  Use st(Prepare("UPDATE users SET alias=?, fields=? WHERE userid=?"));
  if (!st) return StoreResult::Failed;
  if (user.alias.empty()) {
    sqlite3_bind_null(st.get(), 1);
  } else {
    Bind(st.get(), 1, user.alias);
  }
  Bind(st.get(), 2, user.fields);
  Bind(st.get(), 3, user.userid);
  int rc = sqlite3_step(st.get());
  if (rc == SQLITE_DONE) return StoreResult::Ok;
  if (sqlite3_extended_errcode(db_) == SQLITE_CONSTRAINT_UNIQUE) return StoreResult::AliasTaken;
  Fail("update user");
  return StoreResult::Failed;
}

bool Store::FindUser(const std::string& userid, UserData* user) {
  std::lock_guard<std::mutex> lock(mutex_);
  Use st(Prepare("SELECT userid,password,ifnull(alias,''),fields FROM users WHERE userid=?"));
  if (!st) return false;
  Bind(st.get(), 1, userid);
  return ReadUser(st.get(), user);
}

namespace {

const char kSelectAccount[] =
    "SELECT login,pass,dialupnum,dns1,dns2,smtp,idwebmail,pagpers FROM accounts WHERE login=?";

bool ReadAccount(sqlite3_stmt* st, AccountData* account) {
  if (sqlite3_step(st) != SQLITE_ROW) return false;
  if (account) {
    account->login = Column(st, 0);
    account->pass = Column(st, 1);
    account->dialupnum = Column(st, 2);
    account->dns1 = Column(st, 3);
    account->dns2 = Column(st, 4);
    account->smtp = Column(st, 5);
    account->idwebmail = Column(st, 6);
    account->pagpers = Column(st, 7);
  }
  return true;
}

}  // namespace

bool Store::FindAccount(const std::string& login, AccountData* account) {
  std::lock_guard<std::mutex> lock(mutex_);
  Use st(Prepare(kSelectAccount));
  if (!st) return false;
  Bind(st.get(), 1, login);
  return ReadAccount(st.get(), account);
}

StoreResult Store::CheckUser(const std::string& userid, const std::string& password, UserData* user,
                             AccountData* account, bool* hasAccount) {
  std::lock_guard<std::mutex> lock(mutex_);
  UserData found;
  {
    Use st(Prepare("SELECT userid,password,ifnull(alias,''),fields FROM users WHERE userid=?"));
    if (!st) return StoreResult::Failed;
    Bind(st.get(), 1, userid);
    if (!ReadUser(st.get(), &found)) return StoreResult::Unknown;
  }
  if (found.password != password) return StoreResult::WrongPassword;
  if (user) *user = found;
  Use st(Prepare(kSelectAccount));
  if (!st) return StoreResult::Failed;
  Bind(st.get(), 1, userid);
  bool has = ReadAccount(st.get(), account);
  if (hasAccount) *hasAccount = has;
  return StoreResult::Ok;
}

StoreResult Store::EnsureAccount(const std::string& userid,
                                 const std::function<AccountData(const std::string&)>& make,
                                 AccountData* account) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::int64_t id = 0;
  {
    Use st(Prepare("SELECT id FROM users WHERE userid=?"));
    if (!st) return StoreResult::Failed;
    Bind(st.get(), 1, userid);
    if (sqlite3_step(st.get()) != SQLITE_ROW) return StoreResult::Unknown;
    id = sqlite3_column_int64(st.get(), 0);
  }
  {
    Use st(Prepare(kSelectAccount));
    if (!st) return StoreResult::Failed;
    Bind(st.get(), 1, userid);
    if (ReadAccount(st.get(), account)) return StoreResult::Ok;
  }
  AccountData made = make(userid);
  Use st(Prepare(
      "INSERT INTO accounts(user,login,pass,dialupnum,dns1,dns2,smtp,idwebmail,pagpers,created)"
      " VALUES(?,?,?,?,?,?,?,?,?,?)"));
  if (!st) return StoreResult::Failed;
  sqlite3_bind_int64(st.get(), 1, id);
  Bind(st.get(), 2, made.login);
  Bind(st.get(), 3, made.pass);
  Bind(st.get(), 4, made.dialupnum);
  Bind(st.get(), 5, made.dns1);
  Bind(st.get(), 6, made.dns2);
  Bind(st.get(), 7, made.smtp);
  Bind(st.get(), 8, made.idwebmail);
  Bind(st.get(), 9, made.pagpers);
  sqlite3_bind_int64(st.get(), 10, Now());
  if (sqlite3_step(st.get()) != SQLITE_DONE) {
    Fail("add account");
    return StoreResult::Failed;
  }
  if (account) *account = made;
  return StoreResult::Ok;
}

std::vector<std::string> Store::FreeIdentifiers(const std::vector<std::string>& candidates) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> free;
  for (const std::string& c : candidates) {
    Use st(Prepare("SELECT 1 FROM users WHERE userid=?"));
    if (!st) break;
    Bind(st.get(), 1, c);
    if (sqlite3_step(st.get()) == SQLITE_DONE) free.push_back(c);
  }
  return free;
}

std::vector<std::string> Store::FreeAliases(const std::vector<std::string>& candidates) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> free;
  for (const std::string& c : candidates) {
    Use st(Prepare("SELECT 1 FROM users WHERE alias=?"));
    if (!st) break;
    Bind(st.get(), 1, c);
    if (sqlite3_step(st.get()) == SQLITE_DONE) free.push_back(c);
  }
  return free;
}

std::int64_t Store::CountUsers() {
  std::lock_guard<std::mutex> lock(mutex_);
  Use st(Prepare("SELECT count(*) FROM users"));
  return st && sqlite3_step(st.get()) == SQLITE_ROW ? sqlite3_column_int64(st.get(), 0) : -1;
}

std::int64_t Store::CountAccounts() {
  std::lock_guard<std::mutex> lock(mutex_);
  Use st(Prepare("SELECT count(*) FROM accounts"));
  return st && sqlite3_step(st.get()) == SQLITE_ROW ? sqlite3_column_int64(st.get(), 0) : -1;
}

std::vector<std::string> Store::AccountLogins() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> logins;
  Use st(Prepare("SELECT login FROM accounts ORDER BY user"));
  while (st && sqlite3_step(st.get()) == SQLITE_ROW) logins.push_back(Column(st.get(), 0));
  return logins;
}

void Store::RecordVisit(const Visit& visit) {
  std::lock_guard<std::mutex> lock(mutex_);
  Use st(Prepare("INSERT INTO visits(path,query,user,known,at) VALUES(?,?,?,?,?)"));
  if (!st) return;
  Bind(st.get(), 1, visit.path);
  Bind(st.get(), 2, visit.query);
  Bind(st.get(), 3, visit.user);
  sqlite3_bind_int(st.get(), 4, visit.known ? 1 : 0);
  sqlite3_bind_int64(st.get(), 5, Now());
  if (sqlite3_step(st.get()) != SQLITE_DONE) Fail("record visit");
}

std::vector<Visit> Store::Visits() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<Visit> visits;
  Use st(Prepare("SELECT id,path,query,user,known FROM visits ORDER BY id"));
  while (st && sqlite3_step(st.get()) == SQLITE_ROW) {
    Visit v;
    v.id = sqlite3_column_int64(st.get(), 0);
    v.path = Column(st.get(), 1);
    v.query = Column(st.get(), 2);
    v.user = Column(st.get(), 3);
    v.known = sqlite3_column_int(st.get(), 4) != 0;
    visits.push_back(std::move(v));
  }
  return visits;
}

std::int64_t Store::AddToCounter(const std::string& name, std::int64_t delta) {
  std::lock_guard<std::mutex> lock(mutex_);
  Use st(
      Prepare("INSERT INTO counters(name,value) VALUES(?1,?2)"
              " ON CONFLICT(name) DO UPDATE SET value=value+?2 RETURNING value"));
  if (!st) return -1;
  Bind(st.get(), 1, name);
  sqlite3_bind_int64(st.get(), 2, delta);
  if (sqlite3_step(st.get()) != SQLITE_ROW) {
    Fail("counter");
    return -1;
  }
  std::int64_t value = sqlite3_column_int64(st.get(), 0);
  // RETURNING needs the statement run to its end before the change is complete.
  while (sqlite3_step(st.get()) == SQLITE_ROW) {
  }
  return value;
}

}  // namespace devservice
