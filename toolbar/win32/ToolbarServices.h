// The toolbar's process-wide objects in tandem.dll: the download queue with its WinINet
// fetcher, the bookmarks tables and the temporary-directory files. They live from the library's load to its unload.
#pragma once

#include "toolbar/BookmarkTables.h"
#include "toolbar/DownloadQueue.h"
#include "toolbar/FileAccess.h"
#include "toolbar/MailChecker.h"
#include "toolbar/StringTable.h"

#include <cstddef>

namespace marvella {

DownloadQueue& ProcessDownloadQueue();
BookmarkTables& ProcessBookmarkTables();
FileAccess& ProcessFiles();

// String 1, the agent every client announces.
constexpr std::size_t kAgentCapacity = 260;
void LoadAgent(StringTable& strings, char (&agent)[kAgentCapacity]);

}  // namespace marvella
