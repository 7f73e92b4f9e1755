// Registration as tables: the values written, in order, and the removals, in order, each
// named by root, key and value, with the class id text standing in for "%s".
#include "toolbar/win32/Registration.h"

#include "common/BoundedText.h"
#include "toolbar/ToolbarTexts.h"
#include "toolbar/win32/ModuleStringTable.h"
#include "toolbar/win32/ServerState.h"
#include "toolbar/win32/ServerTexts.h"
#include "toolbar/win32/ShellVersionQuery.h"

#include <objbase.h>
#include <comcat.h>

#include <cstring>

namespace marvella {

const CLSID kToolbarClassId = {
    0x00649EC0, 0xE572, 0x11D3, {0x8F, 0x5F, 0x00, 0xC0, 0xDF, 0xEF, 0x76, 0x0F}};

namespace {

// CATID_CommBand: the explorer bars' category, which other registrations of this class
// may have claimed.
const CATID kCommBand = {0x00021494, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

constexpr char kHelperKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\%s";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "Marvella";

enum class Data { Text, LibraryPath, ProductName };

struct Setting {
  HKEY root;
  const char* key;
  const char* value;  // null: the key's default value
  Data data;
  const char* text;
  REGSAM access;
};

// The class keys: written in this order, and the first failure ends the sequence.
const Setting kClassSettings[] = {
    {HKEY_CLASSES_ROOT, "CLSID\\%s", nullptr, Data::Text, "&Marvella", KEY_WRITE},
    {HKEY_CLASSES_ROOT, "CLSID\\%s\\InprocServer32", nullptr, Data::LibraryPath, nullptr,
     KEY_WRITE},
    {HKEY_CLASSES_ROOT, "CLSID\\%s\\InprocServer32", "ThreadingModel", Data::Text, "Apartment",
     KEY_WRITE},
};
// What makes every new browser window create the toolbar.
const Setting kHelperSetting = {HKEY_LOCAL_MACHINE, kHelperKey, nullptr, Data::ProductName,
                                nullptr, KEY_ALL_ACCESS};

enum class Removal { Tree, Value, Category };

struct Removed {
  Removal kind;
  HKEY root;
  const char* key;
  const char* value;
  REGSAM access;
};

// Each step runs whatever became of the one before.
const Removed kRemovals[] = {
    {Removal::Tree, HKEY_LOCAL_MACHINE, kHelperKey, nullptr, 0},
    {Removal::Category, nullptr, nullptr, nullptr, 0},
    {Removal::Value, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer\\Toolbar", "%s",
     KEY_WRITE},
    {Removal::Tree, HKEY_CLASSES_ROOT, "CLSID\\%s", nullptr, 0},
    {Removal::Value, HKEY_CURRENT_USER, kRunKey, kRunValue, KEY_ALL_ACCESS},
};

constexpr std::size_t kNameCapacity = 260;
constexpr std::size_t kCommandCapacity = 2 * MAX_PATH + 32;

// pattern with "%s" replaced by the class id text.
void Expand(char (&out)[kNameCapacity], const char* pattern) {
  out[0] = '\0';
  const char* at = std::strstr(pattern, "%s");
  if (!at) {
    CopyBounded(out, pattern);
    return;
  }
  CopyBounded(out, kNameCapacity, pattern, static_cast<std::size_t>(at - pattern));
  AppendBounded(out, TANDEM_CLSID_TEXT);
  AppendBounded(out, at + 2);
}

bool LibraryPath(char* path, std::size_t capacity) {
  DWORD n = GetModuleFileNameA(ModuleHandle(), path, static_cast<DWORD>(capacity));
  return n > 0 && n < capacity;
}

void LoadText(unsigned id, char* buffer, std::size_t capacity) {
  ModuleStringTable strings(ModuleHandle());
  strings.Load(id, buffer, capacity);
}

bool StoreText(HKEY key, const char* value, const char* text) {
  return RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

bool Write(const Setting& setting) {
  char text[MAX_PATH] = "";
  switch (setting.data) {
    case Data::Text:
      CopyBounded(text, setting.text);
      break;
    case Data::LibraryPath:
      if (!LibraryPath(text, sizeof text)) return false;
      break;
    case Data::ProductName:
      LoadText(IDS_AGENT, text, sizeof text);
      break;
  }
  char name[kNameCapacity];
  Expand(name, setting.key);
  HKEY key;
  DWORD disposition;
  if (RegCreateKeyExA(setting.root, name, 0, nullptr, REG_OPTION_NON_VOLATILE, setting.access,
                      nullptr, &key, &disposition) != ERROR_SUCCESS)
    return false;
  bool stored = StoreText(key, setting.value, text);
  RegCloseKey(key);
  return stored;
}

// The logon entry: the system's regsvr32 run silently on this library, only when the
// tool is there.
void WriteLogonRegistration() {
  char command[kCommandCapacity];
  UINT n = GetSystemDirectoryA(command, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  AppendBounded(command, "\\regsvr32.exe");
  DWORD attributes = GetFileAttributesA(command);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  char library[MAX_PATH];
  if (!LibraryPath(library, sizeof library)) return;
  AppendBounded(command, " /s \"");
  AppendBounded(command, library);
  AppendBounded(command, "\"");
  HKEY run;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_WRITE, &run) != ERROR_SUCCESS) return;
  StoreText(run, kRunValue, command);
  RegCloseKey(run);
}

// Deletes a key with everything below it (Windows NT's RegDeleteKey leaves keys that have
// subkeys alone).
void DeleteTree(HKEY root, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(root, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char child[256];
  for (;;) {
    DWORD size = sizeof child;
    if (RegEnumKeyExA(key, 0, child, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    DeleteTree(key, child);
    // A child that would not go would come back at index 0 for ever.
    HKEY still;
    if (RegOpenKeyExA(key, child, 0, KEY_READ, &still) == ERROR_SUCCESS) {
      RegCloseKey(still);
      break;
    }
  }
  RegCloseKey(key);
  RegDeleteKeyA(root, name);
}

void DeleteValue(const Removed& removed) {
  char name[kNameCapacity];
  char value[kNameCapacity];
  Expand(name, removed.key);
  Expand(value, removed.value);
  HKEY key;
  if (RegOpenKeyExA(removed.root, name, 0, removed.access, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, value);
  RegCloseKey(key);
}

void RemoveCommBandCategory() {
  HRESULT initialised = CoInitialize(nullptr);
  ICatRegister* categories = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_ICatRegister, reinterpret_cast<void**>(&categories)))) {
    CATID category = kCommBand;
    categories->UnRegisterClassImplCategories(kToolbarClassId, 1, &category);
    categories->Release();
  }
  if (SUCCEEDED(initialised)) CoUninitialize();
}

void Tell(unsigned textId) {
  char caption[kNameCapacity];
  char text[512];
  LoadText(IDS_AGENT, caption, sizeof caption);
  LoadText(textId, text, sizeof text);
  MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONINFORMATION);
}

}  // namespace

HRESULT RegisterServer() {
  for (const Setting& setting : kClassSettings)
    if (!Write(setting)) break;
  Write(kHelperSetting);
  ShellVersion shell = CurrentShellVersion();
  if (NeedsLogonRegistration(shell.major, shell.minor)) WriteLogonRegistration();
  // regsvr32 has its own way of reporting (and the installer runs it silently).
  if (!HostPathContains("regsvr")) Tell(IDS_INSTALLED);
  return S_OK;
}

HRESULT UnregisterServer() {
  for (const Removed& removed : kRemovals) {
    char name[kNameCapacity];
    switch (removed.kind) {
      case Removal::Tree:
        Expand(name, removed.key);
        DeleteTree(removed.root, name);
        break;
      case Removal::Value:
        DeleteValue(removed);
        break;
      case Removal::Category:
        RemoveCommBandCategory();
        break;
    }
  }
  Tell(IDS_UNINSTALLED);
  return S_OK;
}

}  // namespace marvella
