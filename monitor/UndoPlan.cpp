// The uninstall's order and its rules.
#include "monitor/UndoPlan.h"

#include <cstring>


namespace marvella {
namespace {

class Undo {
 public:
  Undo(RecordStore& record, UninstallPlatform& platform, UndoReport& report)
      : record_(record), platform_(platform), report_(report) {}

  void Fail(UndoFailure what, const char* subject) {
    ++outcome_.failures;
    report_.Failed(what, subject);
  }

  // The recorded thing is gone when `done`; it leaves the record then.
  void Settle(const char* name, bool done, UndoFailure what, const char* subject) {
    if (done)
      record_.Remove(name);
    else
      Fail(what, subject);
  }

  bool RemoveFile(const char* path) {
    if (platform_.DeleteFileNow(path)) return true;
    if (!platform_.DeleteAtRestart(path)) return false;
    outcome_.restartNeeded = true;
    return true;
  }

  void StartPage(const StartPageSlot& slot) {
    char written[kRecordTextSize];
    if (!record_.Read(slot.written, written)) return;
    char now[kRecordTextSize];
    bool done = true;
    if (platform_.ReadPage(slot.root, slot.value, now) && std::strcmp(now, written) == 0) {
      char before[kRecordTextSize];
      done = record_.Read(slot.before, before) ? platform_.WritePage(slot.root, slot.value, before)
                                               : platform_.DeletePage(slot.root, slot.value);
    } else {
      ++outcome_.pagesKept;  // the user's own choice since
    }
    if (done) record_.Remove(slot.before);
    Settle(slot.written, done, UndoFailure::kStartPage, slot.written);
  }

  void Library() {
    char path[kRecordTextSize];
    if (!record_.Read(kRecordLibrary, path)) return;
    // A library still registered but gone from disk would leave the browser a dead entry.
    if (platform_.FileExists(path) && !platform_.UnregisterLibrary(path)) {
      Fail(UndoFailure::kToolbar, path);
      return;
    }
    Settle(kRecordLibrary, RemoveFile(path), UndoFailure::kFile, path);
  }

  UndoOutcome Run() {
    char text[kRecordTextSize];
    if (record_.Read(kRecordEntry, text))
      Settle(kRecordEntry, platform_.DeleteDialEntry(text), UndoFailure::kEntry, text);
    if (record_.Read(kRecordShortcut, text))
      Settle(kRecordShortcut, platform_.DeleteFileNow(text), UndoFailure::kShortcut, text);
    for (const StartPageSlot& slot : kStartPageSlots) StartPage(slot);
    Library();
    if (outcome_.failures > 0) return outcome_;
    static const char* const kLast[] = {kRecordMonitor, kRecordLog};
    for (const char* name : kLast) {
      if (record_.Read(name, text) && !RemoveFile(text)) Fail(UndoFailure::kFile, text);
    }
    if (!platform_.RemoveRecord()) Fail(UndoFailure::kRecord, "");
    // Last: while anything is left, the entry is the way back to it.
    if (outcome_.failures == 0 && !platform_.RemoveUninstallEntry())
      Fail(UndoFailure::kUninstallEntry, "");
    return outcome_;
  }

 private:
  RecordStore& record_;
  UninstallPlatform& platform_;
  UndoReport& report_;
  UndoOutcome outcome_;
};

}  // namespace

UndoOutcome Uninstall(RecordStore& record, UninstallPlatform& platform, UndoReport& report) {
  return Undo(record, platform, report).Run();
}

}  // namespace marvella
