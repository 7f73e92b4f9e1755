// Fault modes: rules that make the service misbehave on purpose so tests can prove the kit
// copes. A rule is written "kind[,key=value...]", given on the command line for a whole run
// or through the admin endpoint for the next few requests.
//
// User server (--user-fault), each applies to one reply:
//   split      the reply in `pieces` parts (default 2), `delay` ms apart (default 200)
//   delay      the whole reply after `delay` ms
//   silence    no reply at all (the connection stays open)
//   close      the connection is closed instead of replying
//   oversize   the reply padded with blanks to `size` bytes (default 70000)
//   garbage    binary bytes (zero bytes included) instead of the reply
//   busy       "BUSY" instead of the reply to USERINFO
//   oklater    "OK-LATER" instead of "OK" when USERINFO is accepted
// Web server (--http-fault), each applies to one response:
//   404, 500 or status,code=N   that status with a short page
//   nolength   no Content-Length: the body ends when the connection closes
//   longlength Content-Length larger than the body, then the connection closes
//   shortlength Content-Length smaller than the body that follows
//   slow       the body in `pieces` parts (default 10), `delay` ms apart (default 100)
//   reset      headers and half the body, then a TCP reset
//   drop       a TCP reset before anything is sent
//   pad        the normal response, its body padded to `size` bytes
// Common keys: count=N (uses before the rule expires; default: every time), command=WORD
// (user) or path=/p (web; exact path, default: any), delay, pieces, size, code.
// `size` on any web rule pads the body first (nolength,size=70000 tests the 65000 cut).
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace devservice {

enum class FaultKind {
  None,
  // user server
  Split,
  Delay,
  Silence,
  Close,
  Oversize,
  Garbage,
  Busy,
  OkLater,
  // web server
  Status,
  NoLength,
  LongLength,
  ShortLength,
  Slow,
  Reset,
  Drop,
  Pad,
};

enum class FaultScope { User, Http };

struct Fault {
  FaultKind kind = FaultKind::None;
  std::string match;  // command word or path; empty matches all
  int count = -1;     // uses left; -1 is unlimited
  int delayMs = 0;
  int pieces = 0;
  std::size_t size = 0;
  int status = 0;

  explicit operator bool() const { return kind != FaultKind::None; }
};

const char* FaultKindName(FaultKind kind);

// Parses "kind,key=value,..." for the scope. On failure returns false and explains why.
bool ParseFault(FaultScope scope, std::string_view rule, Fault* fault, std::string* error);
// Same from separate key/value pairs ("kind" names the kind).
bool ParseFault(FaultScope scope, const std::vector<std::pair<std::string, std::string>>& params,
                Fault* fault, std::string* error);

// The active rules of both scopes; safe to use from every thread.
class Faults {
 public:
  void Add(FaultScope scope, const Fault& fault);
  void Clear(FaultScope scope);
  // The first rule matching the command word or path, with one use taken; None if none.
  Fault Take(FaultScope scope, std::string_view match);
  // "user split command=USERINFO count=1" lines, for the admin status.
  std::string Describe();

 private:
  std::mutex mutex_;
  std::vector<Fault> user_;
  std::vector<Fault> http_;
};

}  // namespace devservice
