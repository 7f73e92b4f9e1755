// The toolbar's process-wide objects.
#include "toolbar/win32/ToolbarServices.h"

#include "toolbar/ToolbarTexts.h"
#include "toolbar/win32/WinInetFetcher.h"
#include "toolbar/win32/Win32FileAccess.h"

namespace marvella {

namespace {
// Constructed in this order when the library loads; nothing here starts a thread.
WinInetFetcher g_fetcher;
DetachedThreadStarter g_threads;
DownloadQueue g_queue(g_fetcher, g_threads);
BookmarkTables g_tables;
Win32FileAccess g_files;
}  // namespace

DownloadQueue& ProcessDownloadQueue() { return g_queue; }
BookmarkTables& ProcessBookmarkTables() { return g_tables; }
FileAccess& ProcessFiles() { return g_files; }

void LoadAgent(StringTable& strings, char (&agent)[kAgentCapacity]) {
  strings.Load(IDS_AGENT, agent, sizeof agent);
}

}  // namespace marvella
