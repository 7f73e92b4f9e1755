// Registration as tables: the values written, in order, and the removals, in order, each
// named by root, key and value, with the class id text standing in for "%s".
#include "toolbar/win32/Registration.h"

#include "common/BoundedText.h"
#include "common/win32/Owned.h"
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

enum class Step { Tree, Value, Category };

struct Removal {
  Step kind;
  HKEY root;
  const char* key;
  const char* value;
  REGSAM access;
};

// Each step runs whatever became of the one before. The machine's keys (HKLM, HKCR) must
// go for the removal to count as done; the category (through the system's manager) and the
// user's logon entry are tidied as far as they go.
const Removal kRemovals[] = {
    {Step::Tree, HKEY_LOCAL_MACHINE, kHelperKey, nullptr, 0},
    {Step::Category, nullptr, nullptr, nullptr, 0},
    {Step::Value, HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer\\Toolbar", "%s",
     KEY_WRITE},
    {Step::Tree, HKEY_CLASSES_ROOT, "CLSID\\%s", nullptr, 0},
    {Step::Value, HKEY_CURRENT_USER, kRunKey, kRunValue, KEY_ALL_ACCESS},
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

LONG StoreText(HKEY key, const char* value, const char* text) {
  return RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(std::strlen(text) + 1));
}

// ERROR_SUCCESS, or why the registry refused.
LONG Write(const Setting& setting) {
  char text[MAX_PATH] = "";
  switch (setting.data) {
    case Data::Text:
      CopyBounded(text, setting.text);
      break;
    case Data::LibraryPath:
      if (!LibraryPath(text, sizeof text)) return ERROR_BAD_PATHNAME;
      break;
    case Data::ProductName:
      LoadText(IDS_AGENT, text, sizeof text);
      break;
  }
  char name[kNameCapacity];
  Expand(name, setting.key);
  HKEY made;
  DWORD disposition;
  LONG created = RegCreateKeyExA(setting.root, name, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 setting.access, nullptr, &made, &disposition);
  if (created != ERROR_SUCCESS) return created;
  OwnedKey key(made);
  return StoreText(key.Get(), setting.value, text);
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
  HKEY opened;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_WRITE, &opened) != ERROR_SUCCESS) return;
  OwnedKey run(opened);
  StoreText(run.Get(), kRunValue, command);
}

// What is already absent needs no removing.
LONG Removed(LONG result) { return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result; }

// Deletes a key with everything below it (Windows NT's RegDeleteKey leaves keys that have
// subkeys alone). ERROR_SUCCESS when the key is gone, or was not there.
LONG DeleteTree(HKEY root, const char* name) {
  HKEY handle;
  LONG opened = RegOpenKeyExA(root, name, 0, KEY_ALL_ACCESS, &handle);
  if (opened != ERROR_SUCCESS) return Removed(opened);
  OwnedKey key(handle);
  LONG result = ERROR_SUCCESS;
  char child[256];
  char last[256] = "";
  for (;;) {
    DWORD size = sizeof child;
    if (RegEnumKeyExA(key.Get(), 0, child, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    // A child that would not go (one that cannot even be opened reads as absent) would come
    // back at index 0 for ever.
    if (std::strcmp(child, last) == 0) {
      result = ERROR_ACCESS_DENIED;
      break;
    }
    CopyBounded(last, child);
    result = DeleteTree(key.Get(), child);
    if (result != ERROR_SUCCESS) break;
  }
  key.Reset();  // closed before the key itself is deleted
  return result != ERROR_SUCCESS ? result : Removed(RegDeleteKeyA(root, name));
}

LONG DeleteValue(const Removal& removed) {
  char name[kNameCapacity];
  char value[kNameCapacity];
  Expand(name, removed.key);
  Expand(value, removed.value);
  HKEY handle;
  LONG opened = RegOpenKeyExA(removed.root, name, 0, removed.access, &handle);
  if (opened != ERROR_SUCCESS) return Removed(opened);
  OwnedKey key(handle);
  return Removed(RegDeleteValueA(key.Get(), value));
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

void Tell(unsigned textId, UINT icon) {
  char caption[kNameCapacity];
  char text[512];
  LoadText(IDS_AGENT, caption, sizeof caption);
  LoadText(textId, text, sizeof text);
  MessageBoxA(nullptr, text, caption, MB_OK | icon);
}

}  // namespace

HRESULT RegisterServer() {
  LONG failed = ERROR_SUCCESS;
  for (const Setting& setting : kClassSettings)
    if ((failed = Write(setting)) != ERROR_SUCCESS) break;
  LONG helper = Write(kHelperSetting);
  if (failed == ERROR_SUCCESS) failed = helper;
  ShellVersion shell = CurrentShellVersion();
  if (NeedsLogonRegistration(shell.major, shell.minor)) WriteLogonRegistration();
  // A refusal is told whoever asked (the installer runs the registration tool silently);
  // success: regsvr32 has its own way of reporting.
  if (failed != ERROR_SUCCESS) {
    Tell(IDS_INSTALL_FAILED, MB_ICONWARNING);
    return HRESULT_FROM_WIN32(failed);
  }
  if (!HostPathContains("regsvr")) Tell(IDS_INSTALLED, MB_ICONINFORMATION);
  return S_OK;
}

HRESULT RemoveRegistration() {
  LONG failed = ERROR_SUCCESS;
  for (const Removal& removed : kRemovals) {
    char name[kNameCapacity];
    LONG result = ERROR_SUCCESS;
    switch (removed.kind) {
      case Step::Tree:
        Expand(name, removed.key);
        result = DeleteTree(removed.root, name);
        break;
      case Step::Value:
        result = DeleteValue(removed);
        break;
      case Step::Category:
        RemoveCommBandCategory();
        break;
    }
    if (failed == ERROR_SUCCESS && removed.root != HKEY_CURRENT_USER) failed = result;
  }
  return failed == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(failed);
}

void TellUnregistered(HRESULT result) {
  if (SUCCEEDED(result))
    Tell(IDS_UNINSTALLED, MB_ICONINFORMATION);
  else
    Tell(IDS_UNINSTALL_FAILED, MB_ICONWARNING);
}

HRESULT UnregisterServer() {
  HRESULT result = RemoveRegistration();
  TellUnregistered(result);
  return result;
}

}  // namespace marvella
