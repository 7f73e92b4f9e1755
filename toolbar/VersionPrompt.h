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

// Runs the offer for lastVersion (the bookmarks file's LastVersion) and its download page.
void RunVersionPrompt(const char* lastVersion, const char* lastVersionUrl,
                      SettingsStore& settings, VersionPromptHost& host);

}  // namespace marvella
