// What every fetcher of the toolbar works with (bookmarks file, banner feed, page fetchers,
// mail checker): the queue that downloads for it, the agent its Internet session announces,
// the library's texts, the files of the temporary directory and the process-wide bookmarks
// tables. The library hands its process-wide ones to each toolbar (BarServices); unit tests
// their own.
#pragma once

namespace marvella {

class BookmarkTables;
class DownloadQueue;
class FileAccess;
class StringTable;

struct FetchContext {
  DownloadQueue& queue;
  const char* agent;  // string 1 of the library
  StringTable& strings;
  FileAccess& files;
  BookmarkTables& tables;
};

}  // namespace marvella
