// The offer of a newer toolbar: once per announced version and user, as recorded in the
// settings value "LastAskedVersion", and never twice at the same time in one process (the
// question box lets further documents complete while it is open).
#pragma once

#include <cstddef>

namespace marvella {

// The toolbar's per-user settings (the registry key of the library on Windows).
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // True only when the value was there and was read into buffer (cut to capacity).
  virtual bool Read(const char* name, char* buffer, std::size_t capacity) = 0;
  virtual void Write(const char* name, const char* text) = 0;
};

class VersionPromptHost {
 public:
  virtual ~VersionPromptHost() = default;
  // Asks whether to go to the download page; true for yes.
  virtual bool AskToDownload() = 0;
  virtual void Navigate(const char* url) = 0;
};

constexpr std::size_t kVersionTextCapacity = 64;

// The toolbar's own version, compared against the one the bookmarks file announces.
constexpr const char* kToolbarVersion = "1.01";

// Orders two version texts by the decimal number each begins with (after blanks, an
// optional sign, digits, an optional point and more digits; 0 when a text does not begin
// with one): -1, 0 or 1. Exact: digits are compared as digits, never as floating point,
// whose rounding differs between builds ("1.02" equals "1.020", "1.1" is newer than
// "1.02", "1.0100000000000001" newer than "1.01"). A null text counts as 0.
int CompareVersions(const char* a, const char* b);

// True when lastVersion is newer than this toolbar and differs from the one last asked
// about (lastAsked null when none was recorded).
bool ShouldOfferVersion(const char* lastVersion, const char* lastAsked);

// Runs the offer for lastVersion (the bookmarks file's LastVersion) and its download page.
void RunVersionPrompt(const char* lastVersion, const char* lastVersionUrl,
                      SettingsStore& settings, VersionPromptHost& host);

}  // namespace marvella
