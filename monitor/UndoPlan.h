// The uninstall: every step the installation record names, taken back in order, each
// failure reported by what it concerns. What the user has changed since stays.
#pragma once

#include "monitor/InstallRecord.h"

namespace marvella {

// What the uninstall changes: phonebook, files, shell and registry on Windows; a fake in
// tests. Each answers whether the thing is gone (or put back) afterwards.
class UninstallPlatform {
 public:
  virtual ~UninstallPlatform() = default;
  // Deletes the dial-up entry of exactly this name; one already gone counts as deleted.
  virtual bool DeleteDialEntry(const char* name) = 0;
  virtual bool FileExists(const char* path) = 0;
  // Deletes the file now; one already gone counts as deleted.
  virtual bool DeleteFileNow(const char* path) = 0;
  // Has the file deleted when Windows next starts (a file in use cannot go now).
  virtual bool DeleteAtRestart(const char* path) = 0;
  // The start-page value; false when absent. `out` has kRecordTextSize bytes.
  virtual bool ReadPage(BrowserRoot root, const char* value, char* out) = 0;
  virtual bool WritePage(BrowserRoot root, const char* value, const char* text) = 0;
  virtual bool DeletePage(BrowserRoot root, const char* value) = 0;
  // The library's own unregistration, run as the installation ran its registration, and
  // waited for; true when it reported success.
  virtual bool UnregisterLibrary(const char* path) = 0;
  // The record's key (and its parent when nothing else is left there).
  virtual bool RemoveRecord() = 0;
  virtual bool RemoveUninstallEntry() = 0;
};

enum class UndoFailure {
  kEntry,           // subject: the entry name
  kShortcut,        // the .LNK path
  kStartPage,       // the key and value ("HKCU Start Page")
  kToolbar,         // the library's path (not unregistered, so kept)
  kFile,            // a path neither deleted nor scheduled
  kRecord,          // no subject
  kUninstallEntry,  // no subject
};

class UndoReport {
 public:
  virtual ~UndoReport() = default;
  virtual void Failed(UndoFailure what, const char* subject) = 0;
};

struct UndoOutcome {
  int failures = 0;
  int pagesKept = 0;           // start pages the user had changed since, left as they are
  bool restartNeeded = false;  // a file is deleted only when Windows starts again
};

// In order: the dial-up entry, the shortcut, the start pages (only where the value is still
// the one written), the toolbar (unregistered, then its file), and when all that is done,
// marvella.exe, the log, the record and the Add/Remove entry last. After a failure those
// four stay, and what was undone is gone from the record, so the uninstall can run again
// for what is left.
UndoOutcome Uninstall(RecordStore& record, UninstallPlatform& platform, UndoReport& report);

}  // namespace marvella
