// Test helpers for devservice: a service started in-process on free loopback ports with
// its data in a fresh folder, a line client that talks like the kit's sign-up code, and a
// raw HTTP client that shows exactly how a response ended.
#pragma once

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "devservice/Service.h"

namespace devservice_test {

// A fresh, empty folder under the system's temporary directory, removed afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// A service on free loopback ports with its data in a fresh folder; the test fails if it
// cannot start.
class TestService {
 public:
  TestService();
  ~TestService();
  devservice::Service* operator->() { return service_.get(); }

 private:
  TempDir dir_;
  std::FILE* log_ = nullptr;
  std::unique_ptr<devservice::Service> service_;
};

enum class Ended { Open, Eof, Reset, Timeout };

// A blocking TCP client of our own: one send per command, like the kit.
class LineClient {
 public:
  explicit LineClient(int port);
  ~LineClient();
  bool Send(const std::string& bytes);
  // One receive call, as the kit makes it: whatever arrives first (up to 64000 bytes).
  std::string ReceiveOnce(std::chrono::milliseconds wait = std::chrono::milliseconds(3000));
  // Everything up to and including the next LF.
  std::string ReceiveLine(std::chrono::milliseconds wait = std::chrono::milliseconds(3000));
  // Sends a command line (CR LF added) and returns the reply line.
  std::string Ask(const std::string& line);
  Ended LastEnd() const { return ended_; }  // how the last receive ended, if it did

 private:
  int fd_ = -1;
  std::string buffered_;
  Ended ended_ = Ended::Open;
};

// A sign-up as the kit does it: HELLO, USERINFO, ACCOUNTINFO, QUIT. Returns the
// ACCOUNTINFO reply, or the USERINFO reply when it was not an acceptance.
std::string SignUp(int port, const std::string& userid, const std::string& password,
                   const std::string& alias = std::string(),
                   const std::string& extra = std::string());

struct HttpResult {
  std::string head;  // status line and headers
  std::string body;
  Ended ended = Ended::Open;
  int status = 0;
  long contentLength = -1;  // -1: no Content-Length header
};

// GET over a raw socket. By default it asks the server to close after the response and
// reads until it does. With keepAlive it does not ask, and stops reading 300 ms after the
// announced body is complete (anything sent beyond it is kept in body), so a response that
// only the connection's end can delimit shows whether the server really ends it.
HttpResult RawGet(int port, const std::string& target, bool keepAlive = false,
                  std::chrono::milliseconds wait = std::chrono::milliseconds(5000));

// The value of <INPUT TYPE=HIDDEN NAME="field" VALUE="..."> read the way the toolbar
// reads it; "<absent>" when the field is not in that exact form.
std::string HiddenField(const std::string& page, const std::string& field);

}  // namespace devservice_test
