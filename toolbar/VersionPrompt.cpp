// The offer of a newer toolbar.
#include "toolbar/VersionPrompt.h"

#include "toolbar/BarLayout.h"

#include <atomic>

namespace marvella {

namespace {
// Process-wide: browser windows on other threads complete documents too.
std::atomic<bool> g_promptRunning{false};
}  // namespace

void RunVersionPrompt(const char* lastVersion, const char* lastVersionUrl,
                      SettingsStore& settings, VersionPromptHost& host) {
  if (g_promptRunning.exchange(true)) return;
  char asked[kVersionTextCapacity] = "";
  bool wasAsked = settings.Read("LastAskedVersion", asked, sizeof asked);
  if (ShouldOfferVersion(lastVersion, wasAsked ? asked : nullptr)) {
    if (host.AskToDownload()) host.Navigate(lastVersionUrl);
    settings.Write("LastAskedVersion", lastVersion);
  }
  g_promptRunning.store(false);
}

}  // namespace marvella
