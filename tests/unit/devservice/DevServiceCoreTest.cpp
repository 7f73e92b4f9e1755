// The service's protocol logic and data without sockets: item lists, name rules and
// suggestions, the store's uniqueness and persistence, fault rules.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "devservice/Faults.h"
#include "devservice/ItemText.h"
#include "devservice/Store.h"
#include "devservice/UserConversation.h"
#include "tests/unit/devservice/DevServiceTestSupport.h"

namespace {

using namespace devservice;
using devservice_test::TempDir;

TEST(DevServiceItems, SplitLikeTheKit) {
  // Items end at ";": a text without any is no list, a last item without ";" still counts.
  EXPECT_TRUE(ParseItems("userid=juan").empty());
  auto items = ParseItems("userid=juan;password=a=b;=x;junk;name=");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1], (Item{"password", "a=b"}));
  EXPECT_EQ(items[2], (Item{"name", ""}));
  EXPECT_EQ(*FindItem(ParseItems("a=1;a=2;"), "a"), "2");  // the later item wins
  EXPECT_EQ(FindItem(items, "USERID"), nullptr);           // keys are case-sensitive
  std::string list;
  AppendItem(list, "direccion", "Mayor 1;B\r\n");
  EXPECT_EQ(list, "direccion=Mayor 1 B  ;");
}

TEST(DevServiceItems, IdentifierAndAliasRules) {
  for (const char* good : {"juan", "ana.p", "a_1", "x123456789012345"}) {
    EXPECT_EQ(IsValidIdentifier(good), std::string(good).size() <= 15) << good;
  }
  for (const char* bad : {"", "1juan", ".ana", "ana.", "an..a", "Juan", "ju an", "juañ"}) {
    EXPECT_FALSE(IsValidIdentifier(bad)) << bad;
  }
  EXPECT_TRUE(IsValidAlias("Ana[1]^`\\"));
  EXPECT_FALSE(IsValidAlias("ana.p"));
  EXPECT_FALSE(IsValidAlias("abcdefghij"));
}

TEST(DevServiceItems, SuggestionsStayValidAndShort) {
  EXPECT_EQ(IdentifierCandidates("juan", 3, 1),
            (std::vector<std::string>{"juan1", "juan2", "juan3"}));
  // A 15-character identifier is shortened to make room, never ending in ".".
  for (const std::string& c : IdentifierCandidates("abcdefghijklmn.", 3, 9)) {
    EXPECT_TRUE(IsValidIdentifier(c)) << c;
  }
  auto longOnes = IdentifierCandidates("abcdefghijklmno", 2, 99);
  EXPECT_EQ(longOnes, (std::vector<std::string>{"abcdefghijklm99", "abcdefghijkl100"}));
  for (const std::string& c : AliasCandidates("Superman9", 3, 10)) {
    EXPECT_TRUE(IsValidAlias(c)) << c;
  }
}

class DevServiceStore : public ::testing::Test {
 protected:
  std::unique_ptr<Store> Open() {
    std::string error;
    auto store = Store::Open(dir_.Path() + "/data.db", &error);
    EXPECT_TRUE(store) << error;
    return store;
  }
  static UserData User(const std::string& id, const std::string& alias = "") {
    return UserData{id, "secreto", alias, "name=Ana;"};
  }
  TempDir dir_;
};

TEST_F(DevServiceStore, NamesAreUniqueAndTheIdentifierIsReportedFirst) {
  auto store = Open();
  EXPECT_EQ(store->AddUser(User("ana", "Anita")), StoreResult::Ok);
  EXPECT_EQ(store->AddUser(User("ana", "Otra")), StoreResult::IdTaken);
  EXPECT_EQ(store->AddUser(User("ana", "anita")), StoreResult::IdTaken);
  EXPECT_EQ(store->AddUser(User("bea", "ANITA")), StoreResult::AliasTaken);  // aliases ignore case
  EXPECT_EQ(store->AddUser(User("bea")), StoreResult::Ok);
  EXPECT_EQ(store->AddUser(User("eva")), StoreResult::Ok);  // many users without alias
  EXPECT_EQ(store->FreeIdentifiers({"ana", "ana1", "bea", "bea1"}),
            (std::vector<std::string>{"ana1", "bea1"}));
  EXPECT_EQ(store->FreeAliases({"aNiTa", "anita1"}), (std::vector<std::string>{"anita1"}));
}

TEST_F(DevServiceStore, AccountsAreMadeOnceAndKeptAcrossReopening) {
  AccountDefaults defaults;
  {
    auto store = Open();
    ASSERT_EQ(store->AddUser(User("ana")), StoreResult::Ok);
    AccountData first;
    AccountData second;
    auto make = [&](const std::string& id) { return MakeAccount(defaults, id); };
    ASSERT_EQ(store->EnsureAccount("ana", make, &first), StoreResult::Ok);
    ASSERT_EQ(store->EnsureAccount("ana", make, &second), StoreResult::Ok);
    EXPECT_EQ(first.pass, second.pass);
    EXPECT_EQ(first.pass.size(), 8u);
    EXPECT_EQ(store->EnsureAccount("nadie", make, &second), StoreResult::Unknown);
  }
  auto store = Open();
  UserData user;
  AccountData account;
  bool hasAccount = false;
  EXPECT_EQ(store->CheckUser("ana", "otra", &user, &account, &hasAccount),
            StoreResult::WrongPassword);
  ASSERT_EQ(store->CheckUser("ana", "secreto", &user, &account, &hasAccount), StoreResult::Ok);
  EXPECT_TRUE(hasAccount);
  EXPECT_EQ(user.fields, "name=Ana;");
  EXPECT_EQ(account.idwebmail, "ana@marvella.es");
  EXPECT_EQ(store->CountAccounts(), 1);
}

TEST_F(DevServiceStore, ConcurrentSignUpsOfOneNameRegisterItOnce) {
  auto store = Open();
  std::atomic<int> accepted{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 50; ++i) {
        if (store->AddUser(User("u" + std::to_string(i))) == StoreResult::Ok) ++accepted;
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(accepted.load(), 50);
  EXPECT_EQ(store->CountUsers(), 50);
}

TEST(DevServiceConversation, RepliesWithoutSockets) {
  std::string error;
  auto store = Store::Open(":memory:", &error);
  ASSERT_TRUE(store) << error;
  AccountDefaults defaults;
  UserConversation c(*store, defaults);
  Fault none;
  EXPECT_EQ(c.Handle("ACCOUNTINFO", none).text.rfind("ERROR", 0), 0u);  // before any USERINFO
  EXPECT_EQ(c.Handle("USERINFO alta=1;userid=ana;password=x y;", none).text, "OK\r\n");
  EXPECT_EQ(c.Handle("USERINFO alta=2;userid=eva;password=x;", none).word, std::string("ERROR"));
  EXPECT_EQ(c.Handle("USERINFO alta=1;userid=Eva;password=x;", none).word, std::string("ERROR"));
  EXPECT_EQ(c.Handle("USERINFO alta=1;userid=eva;", none).word, std::string("ERROR"));
  EXPECT_EQ(c.Handle("hello", none).text, kReplyUnknownCommand);
  EXPECT_EQ(c.Handle(std::string("HELLO\0x", 7), none).text, kReplyBadBytes);
  EXPECT_TRUE(c.Handle("QUIT", none).close);
  // The kit sends GETUSER values unescaped, and its USERINFO made the ";" of a password a
  // blank: a password with ";" must still be recognised.
  UserConversation d(*store, defaults);
  EXPECT_EQ(d.Handle("GETUSER userid=ana;password=x;y", none).text, "OK userid=ana;\r\n");
  EXPECT_EQ(d.Handle("GETUSER userid=ana;password=x", none).word, std::string("ERROR"));
  EXPECT_EQ(d.Summary(), "GETUSER:OK GETUSER:ERROR");
}

TEST(DevServiceFaults, RulesParseMatchAndExpire) {
  Fault f;
  std::string error;
  ASSERT_TRUE(ParseFault(FaultScope::User, "split,command=USERINFO,count=2,delay=50", &f, &error))
      << error;
  EXPECT_EQ(f.kind, FaultKind::Split);
  EXPECT_EQ(f.pieces, 2);  // default
  EXPECT_EQ(f.delayMs, 50);
  ASSERT_TRUE(ParseFault(FaultScope::Http, "404", &f, &error));
  EXPECT_EQ(f.status, 404);
  EXPECT_FALSE(ParseFault(FaultScope::Http, "split", &f, &error));  // a user kind
  EXPECT_FALSE(ParseFault(FaultScope::User, "close,count=0", &f, &error));
  EXPECT_FALSE(ParseFault(FaultScope::User, "close,path=/x", &f, &error));
  EXPECT_FALSE(ParseFault(FaultScope::User, "delay,delay=1x", &f, &error));

  Faults faults;
  ParseFault(FaultScope::User, "silence,command=GETUSER,count=2", &f, &error);
  faults.Add(FaultScope::User, f);
  ParseFault(FaultScope::User, "busy", &f, &error);
  faults.Add(FaultScope::User, f);
  EXPECT_EQ(faults.Take(FaultScope::User, "GETUSER").kind, FaultKind::Silence);
  EXPECT_EQ(faults.Take(FaultScope::User, "USERINFO").kind, FaultKind::Busy);
  EXPECT_EQ(faults.Take(FaultScope::User, "GETUSER").kind, FaultKind::Silence);
  EXPECT_EQ(faults.Take(FaultScope::User, "GETUSER").kind, FaultKind::None);  // silence used up,
  EXPECT_EQ(faults.Take(FaultScope::User, "USERINFO").kind,
            FaultKind::Busy);  // busy is for USERINFO
  EXPECT_EQ(faults.Take(FaultScope::Http, "/").kind, FaultKind::None);
  faults.Clear(FaultScope::User);
  EXPECT_EQ(faults.Take(FaultScope::User, "USERINFO").kind, FaultKind::None);
}

}  // namespace
