// The system's private-profile reader under Wine, on a file the test writes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string TempIni(const char* text) {
  char dir[MAX_PATH], path[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  GetTempFileNameA(dir, "ini", 0, path);
  FILE* f = std::fopen(path, "wb");
  std::fputs(text, f);
  std::fclose(f);
  return path;
}

}  // namespace

TEST(ProfileApi, ReadsKeysCaseInsensitivelyWithDefaults) {
  std::string ini = TempIni("[UserServer]\r\nProfileName = Alta Marvella \r\nServer_Port=6667\r\n");
  char buf[255];
  GetPrivateProfileStringA("userserver", "profilename", "", buf, sizeof buf, ini.c_str());
  EXPECT_STREQ("Alta Marvella", buf);
  GetPrivateProfileStringA("UserServer", "Server_IP", "10.0.0.1", buf, sizeof buf, ini.c_str());
  EXPECT_STREQ("10.0.0.1", buf);
  DeleteFileA(ini.c_str());
}

TEST(ProfileApi, ValuesAreCutToTheBuffer) {
  std::string text = "[A]\r\nK=" + std::string(300, 'v') + "\r\n";
  std::string ini = TempIni(text.c_str());
  char buf[255];
  DWORD n = GetPrivateProfileStringA("A", "K", "", buf, sizeof buf, ini.c_str());
  EXPECT_EQ(254u, n);
  EXPECT_EQ(std::string(254, 'v'), buf);
  DeleteFileA(ini.c_str());
}
