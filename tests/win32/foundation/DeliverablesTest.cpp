// The installer carries the monitor byte for byte as its resource OURDATA 156, and the
// toolbar library exports the COM server entry points by name.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/win32/support/TestPrograms.h"

namespace {

using marvella::test::BinDir;

std::vector<char> ReadFile(const std::string& path) {
  std::vector<char> data;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return data;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
  std::fclose(f);
  return data;
}

}  // namespace

TEST(Deliverables, InstallerEmbedsTheMonitorByteForByte) {
  HMODULE install =
      LoadLibraryExA((BinDir() + "install.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, install);
  HRSRC res = FindResourceA(install, MAKEINTRESOURCEA(156), "OURDATA");
  ASSERT_NE(nullptr, res);
  DWORD size = SizeofResource(install, res);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(install, res)));
  ASSERT_NE(nullptr, bytes);
  std::vector<char> monitor = ReadFile(BinDir() + "marvella.exe");
  ASSERT_FALSE(monitor.empty());
  EXPECT_EQ(monitor.size(), size);
  EXPECT_TRUE(std::vector<char>(bytes, bytes + size) == monitor);
  FreeLibrary(install);
}

TEST(Deliverables, ToolbarLibraryExportsTheServerEntryPoints) {
  HMODULE tandem = LoadLibraryA((BinDir() + "tandem.dll").c_str());
  ASSERT_NE(nullptr, tandem);
  for (const char* name :
       {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer", "DllUnregisterServer"})
    EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(tandem, name))) << name;
  FreeLibrary(tandem);
}
