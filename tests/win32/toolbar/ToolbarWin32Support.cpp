// Shared pieces of the toolbar's Win32 tests.
#include "tests/win32/toolbar/ToolbarWin32Support.h"

#include "toolbar/win32/ServerTexts.h"

#include <algorithm>
#include <cstdio>
#include <vector>
#include <cstring>

namespace marvella {
namespace testing {

HMODULE LoadToolbarResources() {
  return LoadLibraryExA((BinDir() + "tandem.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

std::string FreshDirectory(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string dir =
      std::string(temp) + "marvella-" + name + "-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((dir + "*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA((dir + found.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((dir + found.cFileName).c_str());
      }
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
  return dir;
}

std::string ListFiles(const std::string& directory) {
  std::vector<std::string> found;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((directory + "*").c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found.push_back(data.cFileName);
    } while (FindNextFileA(h, &data));
    FindClose(h);
  }
  std::sort(found.begin(), found.end());
  std::string names;
  for (const std::string& name : found) names += (names.empty() ? "" : " ") + name;
  return names;
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

bool DirectoryFiles::TempDirectory(char* buffer, std::size_t capacity) {
  if (directory_.size() + 1 > capacity) return false;
  std::memcpy(buffer, directory_.c_str(), directory_.size() + 1);
  return true;
}

namespace {
const char kBlockingKey[] = "CLSID\\" TANDEM_CLSID_TEXT "\\Bloqueada";
}  // namespace

bool BlockClassKeyRemoval() {
  HKEY link;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, kBlockingKey, 0, nullptr,
                      REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                      KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link, nullptr) != ERROR_SUCCESS)
    return false;
  const wchar_t target[] = L"\\Registry\\Machine\\Software\\MarvellaNoExiste";
  LONG set = RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                            reinterpret_cast<const BYTE*>(target), sizeof target - sizeof(wchar_t));
  RegCloseKey(link);
  return set == ERROR_SUCCESS;
}

void UnblockClassKeyRemoval() {
  HKEY link;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kBlockingKey, REG_OPTION_OPEN_LINK, KEY_ALL_ACCESS,
                    &link) != ERROR_SUCCESS)
    return;
  RegDeleteKeyA(link, "");  // the link itself
  RegCloseKey(link);
}

}  // namespace testing
}  // namespace marvella
