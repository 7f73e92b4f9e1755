// What install.exe leaves on the machine, recorded as it goes, so that the uninstall
// (marvella.exe with kUninstallSwitch) takes back exactly that and nothing else. Both
// programs read and write it through RecordStore: the registry in the kit, a table in tests.
#pragma once

#include <cstddef>

namespace marvella {

// Keys under HKEY_LOCAL_MACHINE, where Add/Remove Programs looks on every system.
constexpr char kInstallRecordKey[] = "Software\\Marvella\\Instalacion";
constexpr char kInstallRecordParent[] = "Software\\Marvella";
constexpr char kUninstallEntryKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Marvella";
constexpr char kUninstallDisplayName[] = "Marvella acceso gratuito";
// marvella.exe's command line is otherwise a dial-up entry name, and the system refuses
// entry names with a "/" in them, so no connection can be taken for this switch.
constexpr char kUninstallSwitch[] = "/desinstalar";
// The installation log, in the Windows directory beside marvella.exe.
constexpr char kInstallLogName[] = "marvella.log";
constexpr char kBrowserMainKeyName[] = "Software\\Microsoft\\Internet Explorer\\Main";

// Value names of the record: each holds what one step created (a name or a full path).
constexpr char kRecordEntry[] = "Conexion";
constexpr char kRecordMonitor[] = "Monitor";
constexpr char kRecordShortcut[] = "Icono";
constexpr char kRecordLibrary[] = "Barra";
constexpr char kRecordLog[] = "Registro";

enum class BrowserRoot { kMachine, kUser };

// One start-page value the installation writes, and the two record values about it.
struct StartPageSlot {
  BrowserRoot root;
  const char* value;    // under the browser's Main key
  const char* written;  // record: the address install.exe wrote there
  const char* before;   // record: what the value held before; absent when it held nothing
};
constexpr StartPageSlot kStartPageSlots[] = {
    {BrowserRoot::kMachine, "Start Page", "HKLM Start Page", "HKLM Start Page antes"},
    {BrowserRoot::kMachine, "Default_Page_URL", "HKLM Default_Page_URL",
     "HKLM Default_Page_URL antes"},
    {BrowserRoot::kUser, "Start Page", "HKCU Start Page", "HKCU Start Page antes"},
    {BrowserRoot::kUser, "Default_Page_URL", "HKCU Default_Page_URL",
     "HKCU Default_Page_URL antes"},
};
constexpr int kStartPageSlotCount = sizeof kStartPageSlots / sizeof kStartPageSlots[0];

// A recorded text with its zero: paths (259) and start pages fit; longer is not recorded.
constexpr std::size_t kRecordTextSize = 1024;

class RecordStore {
 public:
  virtual ~RecordStore() = default;
  // Copies the value into `out` (kRecordTextSize bytes); false when absent or too long.
  virtual bool Read(const char* name, char* out) = 0;
  virtual bool Write(const char* name, const char* value) = 0;
  // True when the value is absent afterwards.
  virtual bool Remove(const char* name) = 0;
};

// Before install.exe writes a start page: what the slot held (`present` false: nothing;
// `value` null: something that could not be read). A slot an earlier installation already
// wrote keeps what was there before that one: the page now there is the kit's own, not the
// user's. True when the record knows what to put back, so the write may be recorded.
bool RecordPageBefore(RecordStore& record, const StartPageSlot& slot, bool present,
                      const char* value);

}  // namespace marvella
