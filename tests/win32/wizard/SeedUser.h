// Users signed up on the reference service's user server as another machine would have
// left them, for the walks of returning users.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace marvella::test {

// HELLO and USERINFO with `items` (a new user's, "alta=1" added); with `withAccount`,
// ACCOUNTINFO too, which gives the user an access account. The server is the fixture's
// (MARVELLA_DEVSERVICE_USER_PORT).
inline void SeedUser(const std::string& items, bool withAccount) {
  const char* port = std::getenv("MARVELLA_DEVSERVICE_USER_PORT");
  ASSERT_NE(nullptr, port) << "the devservice fixture did not run";
  WSADATA wsa;
  ASSERT_EQ(0, WSAStartup(MAKEWORD(1, 1), &wsa));
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<u_short>(std::atoi(port)));
  addr.sin_addr.s_addr = inet_addr("127.0.0.1");
  EXPECT_EQ(0, connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr));
  std::vector<std::string> lines = {"HELLO", "USERINFO alta=1;" + items};
  if (withAccount) lines.push_back("ACCOUNTINFO");
  for (std::string line : lines) {
    line += "\r\n";
    send(s, line.data(), static_cast<int>(line.size()), 0);
    char reply[4096] = {};
    EXPECT_GT(recv(s, reply, sizeof reply - 1, 0), 0);
    EXPECT_EQ(nullptr, std::strstr(reply, "ERROR")) << line << reply;
  }
  closesocket(s);
  WSACleanup();
}

}  // namespace marvella::test
