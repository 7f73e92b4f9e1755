// The library's services for its toolbars.
#include "toolbar/win32/BandServices.h"

#include "toolbar/JPEGtoBMP.h"
#include "toolbar/win32/BannerBitmapLoader.h"
#include "toolbar/win32/ModuleStringTable.h"
#include "toolbar/win32/ServerState.h"
#include "toolbar/win32/ToolbarSettings.h"
#include "toolbar/win32/ToolbarServices.h"

namespace marvella {

bool RegistrySettings::Read(const char* name, char* buffer, std::size_t capacity) {
  return ReadSetting(name, buffer, capacity);
}

void RegistrySettings::Write(const char* name, const char* text) { WriteSetting(name, text); }

namespace {
// Made when the library loads, after the process-wide objects they refer to.
ModuleStringTable g_strings(ModuleHandle());
BannerBitmapLoader g_bitmaps;
RegistrySettings g_settings;
char g_agent[kAgentCapacity] = "";

struct AgentLoader {
  AgentLoader() { LoadAgent(g_strings, g_agent); }
} g_agentLoader;

BarServices g_services{
    {ProcessDownloadQueue(), g_agent, g_strings, ProcessFiles(), ProcessBookmarkTables()},
    ModuleHandle(),
    g_bitmaps,
    &JPEGtoBMP,
    g_settings,
    kMailPollMilliseconds};
}  // namespace

BarServices& ProcessBarServices() { return g_services; }

}  // namespace marvella
