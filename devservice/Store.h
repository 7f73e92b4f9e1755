// The service's data: users, their access accounts, portal visits and counters, in one
// SQLite file. Identifiers, aliases and account logins are unique by the database's own
// constraints, so concurrent sign-ups can never register the same name twice.
// All operations are safe to call from any thread (one connection, one lock).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace devservice {

struct UserData {
  std::string userid;
  std::string password;
  std::string alias;   // empty: none
  std::string fields;  // the other personal data, as an item list ("name=Ana;city=Lugo;")
};

struct AccountData {
  std::string login;  // the dial-up user name: the user's identifier
  std::string pass;   // generated dial-up password
  std::string dialupnum;
  std::string dns1;
  std::string dns2;
  std::string smtp;
  std::string idwebmail;
  std::string pagpers;
};

struct Visit {
  std::int64_t id = 0;
  std::string path;
  std::string query;
  std::string user;
  bool known = false;  // the credentials matched an account
};

enum class StoreResult { Ok, IdTaken, AliasTaken, Unknown, WrongPassword, Failed };

class Store {
 public:
  // Opens (creating when absent) the database file; ":memory:" gives a private one.
  static std::unique_ptr<Store> Open(const std::string& path, std::string* error);
  ~Store();
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  // New user: IdTaken or AliasTaken when the name belongs to someone else.
  StoreResult AddUser(const UserData& user);
  // Returning user: replaces alias and fields when the password matches.
  StoreResult UpdateUser(const UserData& user);
  // Unknown, WrongPassword or Ok with the stored user (and account, when it has one).
  StoreResult CheckUser(const std::string& userid, const std::string& password, UserData* user,
                        AccountData* account, bool* hasAccount);
  bool FindUser(const std::string& userid, UserData* user);
  bool FindAccount(const std::string& login, AccountData* account);

  // The user's account; made with `make` (called under the lock) when it has none yet.
  StoreResult EnsureAccount(const std::string& userid,
                            const std::function<AccountData(const std::string&)>& make,
                            AccountData* account);

  // Keeps the candidates that nobody uses, in order.
  std::vector<std::string> FreeIdentifiers(const std::vector<std::string>& candidates);
  std::vector<std::string> FreeAliases(const std::vector<std::string>& candidates);

  std::int64_t CountUsers();
  std::int64_t CountAccounts();
  // Every account login, for consistency checks.
  std::vector<std::string> AccountLogins();

  void RecordVisit(const Visit& visit);
  std::vector<Visit> Visits();                                             // oldest first
  std::int64_t AddToCounter(const std::string& name, std::int64_t delta);  // new value

  const std::string& LastError() const { return lastError_; }

 private:
  Store() = default;
  bool Exec(const char* sql);
  sqlite3_stmt* Prepare(const char* sql);
  bool ReadUser(sqlite3_stmt* st, UserData* user);
  void Fail(const char* what);

  sqlite3* db_ = nullptr;
  std::mutex mutex_;
  std::vector<sqlite3_stmt*> statements_;
  std::string lastError_;
};

}  // namespace devservice
