// A Windows program under Wine reaches the devservice of its CTest fixture: a sign-up over
// Winsock and the configuration page, a fault and a missing length over WinINet.
#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

int EnvPort(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::atoi(value) : 0;
}

class Winsock {
 public:
  Winsock() { ok_ = WSAStartup(MAKEWORD(1, 1), &data_) == 0; }
  ~Winsock() {
    if (ok_) WSACleanup();
  }
  bool ok_;
  WSADATA data_;
};

// One send per command and one receive per reply, like the kit's conversation.
std::string Exchange(SOCKET s, const std::string& line) {
  std::string out = line + "\r\n";
  send(s, out.data(), static_cast<int>(out.size()), 0);
  char reply[64000] = {};
  int n = recv(s, reply, sizeof reply - 1, 0);
  return n > 0 ? std::string(reply, static_cast<std::size_t>(n)) : std::string();
}

struct Fetched {
  DWORD status = 0;
  bool hasLength = false;
  std::string body;
};

Fetched Fetch(const std::string& url) {
  Fetched f;
  HINTERNET net = InternetOpenA("devservice test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  HINTERNET req =
      net ? InternetOpenUrlA(
                net, url.c_str(), nullptr, 0,
                INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, 0)
          : nullptr;
  if (req) {
    char text[32] = {};
    DWORD size = sizeof text;
    if (HttpQueryInfoA(req, HTTP_QUERY_STATUS_CODE, text, &size, nullptr))
      f.status = std::atoi(text);
    size = sizeof text;
    f.hasLength = HttpQueryInfoA(req, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr) != FALSE;
    char chunk[4096];
    DWORD got = 0;
    while (InternetReadFile(req, chunk, sizeof chunk, &got) && got > 0) f.body.append(chunk, got);
    InternetCloseHandle(req);
  }
  if (net) InternetCloseHandle(net);
  return f;
}

TEST(DevServiceUnderWine, SignUpOverWinsock) {
  int port = EnvPort("MARVELLA_DEVSERVICE_USER_PORT");
  ASSERT_GT(port, 0) << "the devservice fixture did not run";
  Winsock winsock;
  ASSERT_TRUE(winsock.ok_);
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<u_short>(port));
  addr.sin_addr.s_addr = inet_addr("127.0.0.1");
  ASSERT_EQ(connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  EXPECT_EQ(Exchange(s, "HELLO").substr(0, 2), "OK");
  EXPECT_EQ(Exchange(s, "USERINFO alta=1;userid=wine;password=pw;name=Jesús;"), "OK\r\n");
  std::string account = Exchange(s, "ACCOUNTINFO");
  EXPECT_EQ(account.rfind("userid=wine;pass=", 0), 0u) << account;
  EXPECT_NE(account.find("idwebmail=wine@"), std::string::npos);
  std::string fetched = Exchange(s, "GETUSER userid=wine;password=pw");
  EXPECT_NE(fetched.find("name=Jesús;"), std::string::npos);  // code page 1252 both ways
  send(s, "QUIT\r\n", 6, 0);
  closesocket(s);
}

TEST(DevServiceUnderWine, PortalOverWinInet) {
  const char* base = std::getenv("MARVELLA_DEVSERVICE_URL");
  ASSERT_NE(base, nullptr);
  // The first banner, whichever page the service has served before.
  ASSERT_EQ(Fetch(std::string(base) + "/admin/set?banner=1").status, 200u);
  Fetched page = Fetch(std::string(base) + "/cgi-bin/mailtand");
  EXPECT_EQ(page.status, 200u);
  EXPECT_TRUE(page.hasLength);
  EXPECT_NE(page.body.find("<INPUT TYPE=HIDDEN NAME=\"WEBMAIL\" VALUE=\"0\">"), std::string::npos)
      << page.body;
  EXPECT_NE(page.body.find("consúltalo"), std::string::npos);
  EXPECT_EQ(Fetch(std::string(base) + "/cgi-bin/mailtand?fault=404").status, 404u);
  Fetched unbounded =
      Fetch(std::string(base) + "/cgi-bin/mailtand?fault=nolength&fault_size=70000");
  EXPECT_EQ(unbounded.status, 200u);
  EXPECT_FALSE(unbounded.hasLength);
  EXPECT_EQ(unbounded.body.size(), 70000u);
}

}  // namespace
