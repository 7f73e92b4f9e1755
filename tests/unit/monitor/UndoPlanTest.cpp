// The installation record and the uninstall's plan over a machine in memory: what is undone
// and in which order, what stays because the user changed it since, and what a failure
// leaves for the next run.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/BoundedText.h"
#include "monitor/UndoPlan.h"

namespace marvella {
namespace {

const char kHome[] = "http://portal/";

class TableRecord final : public RecordStore {
 public:
  bool Read(const char* name, char* out) override {
    auto it = values.find(name);
    if (it == values.end()) return false;
    return CopyBounded(out, kRecordTextSize, it->second.c_str());
  }
  bool Write(const char* name, const char* value) override {
    values[name] = value;
    return true;
  }
  bool Remove(const char* name) override {
    values.erase(name);
    return true;
  }
  std::map<std::string, std::string> values;
};

std::string Slot(BrowserRoot root, const char* value) {
  return std::string(root == BrowserRoot::kMachine ? "HKLM " : "HKCU ") + value;
}

class Machine final : public UninstallPlatform {
 public:
  bool DeleteDialEntry(const char* name) override {
    calls.push_back(std::string("entry ") + name);
    if (failEntry) return false;
    entries.erase(name);
    return true;
  }
  bool FileExists(const char* path) override { return files.count(path) > 0; }
  bool DeleteFileNow(const char* path) override {
    calls.push_back(std::string("delete ") + path);
    if (inUse.count(path)) return false;
    files.erase(path);
    return true;
  }
  bool DeleteAtRestart(const char* path) override {
    calls.push_back(std::string("at restart ") + path);
    return true;
  }
  bool ReadPage(BrowserRoot root, const char* value, char* out) override {
    auto it = pages.find(Slot(root, value));
    return it != pages.end() && CopyBounded(out, kRecordTextSize, it->second.c_str());
  }
  bool WritePage(BrowserRoot root, const char* value, const char* text) override {
    calls.push_back("page " + Slot(root, value) + " = " + text);
    pages[Slot(root, value)] = text;
    return true;
  }
  bool DeletePage(BrowserRoot root, const char* value) override {
    calls.push_back("page " + Slot(root, value) + " deleted");
    if (failPages) return false;
    pages.erase(Slot(root, value));
    return true;
  }
  bool UnregisterLibrary(const char* path) override {
    calls.push_back(std::string("unregister ") + path);
    return !failUnregister;
  }
  bool RemoveRecord() override {
    calls.push_back("record removed");
    record->values.clear();
    return true;
  }
  bool RemoveUninstallEntry() override {
    calls.push_back("entry key removed");
    return true;
  }

  std::set<std::string> entries{"Marvella Ana", "Trabajo"};
  std::set<std::string> files{"C:\\WINDOWS\\marvella.exe", "C:\\WINDOWS\\marvella.log",
                              "C:\\WINDOWS\\SYSTEM\\tandem.dll", "C:\\Escritorio\\Marvella Ana.LNK"};
  std::set<std::string> inUse;
  std::map<std::string, std::string> pages;
  bool failEntry = false, failPages = false, failUnregister = false;
  std::vector<std::string> calls;
  TableRecord* record = nullptr;
};

class Failures final : public UndoReport {
 public:
  void Failed(UndoFailure what, const char* subject) override {
    lines.push_back(std::to_string(static_cast<int>(what)) + " " + subject);
  }
  std::vector<std::string> lines;
};

// An installation as install.exe records it: the user had a page of their own under HKCU
// and none under HKLM; both are now the portal's.
void Install(TableRecord& record, Machine& machine) {
  machine.pages = {{"HKCU Start Page", "http://mia/"}, {"HKCU Default_Page_URL", "http://mia/"}};
  for (const StartPageSlot& slot : kStartPageSlots) {
    auto it = machine.pages.find(Slot(slot.root, slot.value));
    bool present = it != machine.pages.end();
    EXPECT_TRUE(RecordPageBefore(record, slot, present, present ? it->second.c_str() : nullptr));
  }
  for (const StartPageSlot& slot : kStartPageSlots) {
    machine.pages[Slot(slot.root, slot.value)] = kHome;
    record.Write(slot.written, kHome);
  }
  record.Write(kRecordEntry, "Marvella Ana");
  record.Write(kRecordMonitor, "C:\\WINDOWS\\marvella.exe");
  record.Write(kRecordShortcut, "C:\\Escritorio\\Marvella Ana.LNK");
  record.Write(kRecordLibrary, "C:\\WINDOWS\\SYSTEM\\tandem.dll");
  record.Write(kRecordLog, "C:\\WINDOWS\\marvella.log");
}

struct Case {
  const char* name;
  std::function<void(TableRecord&, Machine&)> since;  // what happened after installing
  std::vector<std::string> calls;
  std::vector<std::string> failures;
  std::set<std::string> recordLeft;  // record values after the run
  int pagesKept;
  bool restartNeeded;
};

const std::vector<std::string> kAllUndone = {
    "entry Marvella Ana",
    "delete C:\\Escritorio\\Marvella Ana.LNK",
    "page HKLM Start Page deleted",
    "page HKLM Default_Page_URL deleted",
    "page HKCU Start Page = http://mia/",
    "page HKCU Default_Page_URL = http://mia/",
    "unregister C:\\WINDOWS\\SYSTEM\\tandem.dll",
    "delete C:\\WINDOWS\\SYSTEM\\tandem.dll",
    "delete C:\\WINDOWS\\marvella.exe",
    "delete C:\\WINDOWS\\marvella.log",
    "record removed",
    "entry key removed",
};

// kAllUndone less the calls `dropped`, with a call inserted after those `after` names.
std::vector<std::string> AllUndoneBut(const std::set<std::string>& dropped,
                                      const std::map<std::string, std::string>& after = {}) {
  std::vector<std::string> calls;
  for (const std::string& call : kAllUndone) {
    if (!dropped.count(call)) calls.push_back(call);
    if (after.count(call)) calls.push_back(after.at(call));
  }
  return calls;
}

TEST(UndoPlan, UndoesWhatTheRecordNamesKeepsTheUsersChoicesAndLeavesFailuresForAnotherRun) {
  const std::string library = "C:\\WINDOWS\\SYSTEM\\tandem.dll", monitor = "C:\\WINDOWS\\marvella.exe";
  const Case cases[] = {
      {"nothing changed since", nullptr, kAllUndone, {}, {}, 0, false},
      {"pages the user chose since stay; one they removed is not put back",
       [](TableRecord&, Machine& m) {
         m.pages["HKCU Start Page"] = "http://elegida/";
         m.pages.erase("HKLM Default_Page_URL");
       },
       AllUndoneBut({"page HKLM Default_Page_URL deleted", "page HKCU Start Page = http://mia/"}),
       {}, {}, 2, false},
      {"files in use go at the next start",
       [&](TableRecord&, Machine& m) { m.inUse = {library, monitor}; },
       AllUndoneBut({}, {{"delete " + library, "at restart " + library},
                         {"delete " + monitor, "at restart " + monitor}}),
       {}, {}, 0, true},
      {"only the recorded entry is deleted; a library already gone is not unregistered",
       [&](TableRecord& r, Machine& m) {
         r.Remove(kRecordEntry);  // its creation had failed
         m.files.erase(library);
       },
       AllUndoneBut({"entry Marvella Ana", "unregister " + library}), {}, {}, 0, false},
      {"failures are named; the uninstaller, log, record and entry stay with what is left",
       [](TableRecord&, Machine& m) {
         m.failEntry = true;
         m.failPages = true;
         m.failUnregister = true;
       },
       {kAllUndone.begin(), kAllUndone.begin() + 7},
       {"0 Marvella Ana", "2 HKLM Start Page", "2 HKLM Default_Page_URL", "3 " + library},
       {kRecordEntry, kRecordMonitor, kRecordLibrary, kRecordLog, "HKLM Start Page",
        "HKLM Default_Page_URL"},
       0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TableRecord record;
    Machine machine;
    machine.record = &record;
    Install(record, machine);
    if (c.since) c.since(record, machine);
    Failures failures;
    UndoOutcome outcome = Uninstall(record, machine, failures);
    EXPECT_EQ(c.calls, machine.calls);
    EXPECT_EQ(c.failures, failures.lines);
    EXPECT_EQ(static_cast<int>(c.failures.size()), outcome.failures);
    EXPECT_EQ(c.pagesKept, outcome.pagesKept);
    EXPECT_EQ(c.restartNeeded, outcome.restartNeeded);
    std::set<std::string> left;
    for (const auto& v : record.values) left.insert(v.first);
    EXPECT_EQ(c.recordLeft, left);
    EXPECT_EQ(1u, machine.entries.count("Trabajo")) << "another entry was touched";
  }
}

TEST(InstallRecord, TheFirstInstallationsPageIsTheOneKept) {
  TableRecord record;
  const StartPageSlot& slot = kStartPageSlots[2];
  EXPECT_TRUE(RecordPageBefore(record, slot, true, "http://mia/"));
  record.Write(slot.written, kHome);
  // Installing again over it: the page now there is the kit's, not the user's.
  EXPECT_TRUE(RecordPageBefore(record, slot, true, kHome));
  EXPECT_EQ("http://mia/", record.values[slot.before]);

  // Nothing there before: no "before" (a stale one from a finished uninstall goes).
  TableRecord fresh;
  fresh.Write(slot.before, "http://vieja/");
  EXPECT_TRUE(RecordPageBefore(fresh, slot, false, nullptr));
  EXPECT_EQ(0u, fresh.values.count(slot.before));
  // A value that could not be read whole: its write is not to be recorded, so it stays.
  EXPECT_FALSE(RecordPageBefore(fresh, slot, true, nullptr));
}

}  // namespace
}  // namespace marvella
