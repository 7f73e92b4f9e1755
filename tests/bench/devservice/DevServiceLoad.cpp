// devservice_load: how many whole sign-up conversations (connect, HELLO, USERINFO,
// ACCOUNTINFO, QUIT) the reference service holds per second on loopback, and whether N
// concurrent sign-ups that fight over a few names create exactly N accounts, no
// identifier twice. Clients and service share the machine, as they do in the tests.
//   devservice_load [--seconds S] [--clients C] [--signups N] [--names K]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "devservice/ItemText.h"
#include "devservice/Service.h"

namespace {

using Clock = std::chrono::steady_clock;

// One blocking conversation, one line per reply.
class Conversation {
 public:
  explicit Conversation(int port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int yes = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    if (connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~Conversation() {
    if (fd_ >= 0) close(fd_);
  }
  bool Ok() const { return fd_ >= 0; }
  std::string Ask(const std::string& line) {
    std::string out = line + "\r\n";
    if (send(fd_, out.data(), out.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(out.size()))
      return "";
    std::string reply;
    char buffer[4096];
    while (reply.find('\n') == std::string::npos) {
      ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
      if (n <= 0) return reply;
      reply.append(buffer, static_cast<std::size_t>(n));
    }
    return reply;
  }
  void Quit() { send(fd_, "QUIT\r\n", 6, MSG_NOSIGNAL); }

 private:
  int fd_ = -1;
};

// A whole sign-up for the identifier; on ALREADYREG it retries with one of the offered
// names, like a user picking from the list. Returns the account's login, or "".
std::string SignUp(int port, std::string userid, std::mt19937& random, int* retries) {
  Conversation c(port);
  if (!c.Ok() || c.Ask("HELLO").rfind("OK", 0) != 0) return "";
  for (int attempt = 0; attempt < 50; ++attempt) {
    std::string reply = c.Ask("USERINFO alta=1;userid=" + userid +
                              ";password=clave;name=Carga;surname=Prueba;city=Lugo;birth=19700101;"
                              "email=carga@correo.es;enviarinfo=n;infoexterna=n;");
    if (reply.rfind("OK", 0) == 0) {
      std::string account = c.Ask("ACCOUNTINFO");
      c.Quit();
      const std::string* login = devservice::FindItem(devservice::ParseItems(account), "userid");
      return login ? *login : "";
    }
    if (reply.rfind("ALREADYREG ", 0) != 0) return "";
    ++*retries;
    std::vector<std::string> names;
    for (std::size_t at = 11, end; (end = reply.find(';', at)) != std::string::npos; at = end + 1) {
      names.push_back(reply.substr(at, end - at));
    }
    if (names.empty()) return "";
    userid = names[random() % names.size()];
  }
  return "";
}

long Arg(int argc, char** argv, const char* name, long fallback) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], name) == 0) return std::atol(argv[i + 1]);
  }
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = static_cast<double>(Arg(argc, argv, "--seconds", 5));
  int clients = static_cast<int>(Arg(argc, argv, "--clients", 16));
  int signups = static_cast<int>(Arg(argc, argv, "--signups", 2000));
  int names = static_cast<int>(Arg(argc, argv, "--names", 20));

  std::string dir = (std::filesystem::temp_directory_path() / "devservice-load-XXXXXX").string();
  if (!mkdtemp(dir.data())) return 1;
  std::FILE* log = std::fopen((dir + "/devservice.log").c_str(), "w");
  devservice::ServiceConfig config;
  config.userPort = 0;
  config.httpPort = 0;
  config.dbPath = dir + "/devservice.db";
  config.log = log;  // the service logs as it does in use: one line per conversation
  devservice::Service service(config);
  std::string error;
  if (!service.Start(&error)) {
    std::fprintf(stderr, "devservice_load: %s\n", error.c_str());
    return 1;
  }
  int port = service.UserPort();
  bool ok = true;

  // 1. Throughput: every client signs up new users back to back for a while.
  std::atomic<long> done{0};
  std::atomic<long> failed{0};
  std::atomic<bool> stop{false};
  std::vector<std::thread> threads;
  auto start = Clock::now();
  for (int t = 0; t < clients; ++t) {
    threads.emplace_back([&, t] {
      std::mt19937 random(static_cast<unsigned>(t));
      int retries = 0;
      for (long i = 0; !stop; ++i) {
        std::string id = "t" + std::to_string(t) + "n" + std::to_string(i);
        if (SignUp(port, id, random, &retries) == id) {
          ++done;
        } else {
          ++failed;
        }
      }
    });
  }
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  stop = true;
  for (auto& t : threads) t.join();
  double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  double rate = static_cast<double>(done) / elapsed;
  std::printf(
      "sign-up conversations: %ld in %.2f s by %d clients = %.0f per second (goal 1000)%s\n",
      done.load(), elapsed, clients, rate, rate >= 1000 ? "" : "  BELOW THE GOAL");
  if (failed) {
    std::printf("  FAILED: %ld conversations did not end with an account\n", failed.load());
    ok = false;
  }
  long before = static_cast<long>(service.GetStore().CountAccounts());
  if (before != done) {
    std::printf("  FAILED: %ld accounts stored for %ld sign-ups\n", before, done.load());
    ok = false;
  }

  // 2. Contention: N sign-ups by `clients` at once over a handful of names.
  std::vector<std::string> logins(static_cast<std::size_t>(signups));
  std::atomic<int> next{0};
  std::atomic<int> retries{0};
  threads.clear();
  start = Clock::now();
  for (int t = 0; t < clients; ++t) {
    threads.emplace_back([&, t] {
      std::mt19937 random(static_cast<unsigned>(1000 + t));
      int mine = 0;
      for (int i; (i = next++) < signups;) {
        logins[static_cast<std::size_t>(i)] =
            SignUp(port, "ana" + std::to_string(i % names), random, &mine);
      }
      retries += mine;
    });
  }
  for (auto& t : threads) t.join();
  elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  std::set<std::string> distinct;
  int empty = 0;
  for (const std::string& l : logins) {
    if (l.empty()) ++empty;
    distinct.insert(l);
  }
  std::vector<std::string> stored = service.GetStore().AccountLogins();
  std::set<std::string> storedDistinct(stored.begin(), stored.end());
  long created = static_cast<long>(stored.size()) - before;
  std::printf(
      "contended sign-ups: %d by %d clients at once over %d names in %.2f s (%d ALREADYREG "
      "retries): "
      "%ld accounts, %zu distinct identifiers, %zu duplicates in the store\n",
      signups, clients, names, elapsed, retries.load(), created, distinct.size(),
      stored.size() - storedDistinct.size());
  if (empty || created != signups || static_cast<int>(distinct.size()) != signups ||
      storedDistinct.size() != stored.size()) {
    std::printf("  FAILED: expected exactly %d accounts with %d distinct identifiers\n", signups,
                signups);
    ok = false;
  }
  service.Stop();
  std::fclose(log);
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  std::printf("%s\n", ok ? "devservice_load: consistent" : "devservice_load: INCONSISTENT");
  return ok ? 0 : 1;
}
