// A browser window inside a test program for the toolbar's band: the services a band
// works with (the library's strings with the portal moved to the reference service, a
// temporary directory of the test's, settings in memory), a frame with a rebar and a
// recording browser, and the pumps and clicks of window walks.
#pragma once

#include "tests/win32/toolbar/FakeBrowser.h"
#include "tests/win32/toolbar/ToolbarWin32Support.h"
#include "toolbar/JPEGtoBMP.h"
#include "toolbar/ToolbarTexts.h"
#include "toolbar/win32/BannerBitmapLoader.h"
#include "toolbar/win32/ModuleStringTable.h"
#include "toolbar/win32/TandemBand.h"
#include "toolbar/win32/ToolbarServices.h"
#include "toolbar/win32/WinInetFetcher.h"

#include <atomic>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

namespace marvella::test {

class MemorySettings : public SettingsStore {
 public:
  bool Read(const char* name, char* buffer, std::size_t capacity) override {
    auto it = values.find(name);
    if (it == values.end()) return false;
    lstrcpynA(buffer, it->second.c_str(), static_cast<int>(capacity));
    return true;
  }
  void Write(const char* name, const char* text) override { values[name] = text; }
  std::map<std::string, std::string> values;
};

// The library's table with the portal's addresses moved to loopback: the reference
// service when there is one, else a port where nothing answers.
class ServiceStrings : public StringTable {
 public:
  std::size_t Load(unsigned id, char* buffer, std::size_t capacity) override {
    module_.Load(id, buffer, capacity);
    lstrcpynA(buffer, Local(buffer).c_str(), static_cast<int>(capacity));
    return lstrlenA(buffer);
  }
  std::string Local(const std::string& text) const {
    std::string portal = std::string("http://") + MARVELLA_PORTAL_HOST;
    if (text.compare(0, portal.size(), portal) != 0) return text;
    return base + text.substr(portal.size());
  }
  std::string base = std::getenv("MARVELLA_DEVSERVICE_URL") ? std::getenv("MARVELLA_DEVSERVICE_URL")
                                                            : "http://127.0.0.1:1";

 private:
  ModuleStringTable module_{GetModuleHandleA(nullptr)};
};

// The download queue's worker threads, counted from their start to their end: the queue
// has one exactly while a request waits or runs, so none running means every download
// asked for has been served.
class CountedWorkers : public ThreadStarter {
 public:
  bool StartThread(void (*run)(void*), void* argument) override;
  bool Idle() const { return running_.load() == 0; }

 private:
  struct Start {
    void (*run)(void*);
    void* argument;
    CountedWorkers* workers;
  };
  static void Run(void* start);
  std::atomic<int> running_{0};
};

// WinINet downloads, counting those of the configuration page ("tandcfg.htm"), which the
// banner feed asks for last at every completed document.
class CountingFetcher : public WinInetFetcher {
 public:
  bool DownloadToFile(InternetHandle handle, const char* url, const char* destination,
                      const DownloadTerms& terms) override;
  int ConfigFetches() const { return configFetches_.load(); }

 private:
  std::atomic<int> configFetches_{0};
};

struct Frame;

// Everything a band of these tests works with; the files in a directory of the test's, the
// downloads through a queue of its own.
struct Services {
  explicit Services(const char* directory)
      : files(marvella::testing::FreshDirectory(directory)),
        services{{queue, "Tandem Marvella", strings, files, tables},
                 GetModuleHandleA(nullptr),
                 bitmaps,
                 &JPEGtoBMP,
                 settings,
                 kMailPollMilliseconds} {}
  // The queue goes with its last downloads served.
  ~Services();
  // Pumps this thread's messages until every download asked for has been served.
  void WaitForDownloads();
  // Completes a document in f's browser and pumps until what it asked for has been
  // fetched: the configuration page (the banner feed's last request) and all before it.
  void CompleteAndFetch(Frame& f);
  ServiceStrings strings;
  marvella::testing::DirectoryFiles files;
  CountingFetcher fetcher;
  CountedWorkers workers;
  DownloadQueue queue{fetcher, workers};
  BookmarkTables tables;
  BannerBitmapLoader bitmaps;
  MemorySettings settings;
  BarServices services;
};

// A browser frame: the rebar sits in a child window of the frame, with the address band.
struct Frame {
  HWND frame = nullptr;
  HWND rebar = nullptr;
  FakeBrowser* browser = nullptr;
};

void InsertPlainBand(HWND rebar, const char* text);
// A frame with a rebar inside a child window, an address band and a recording browser.
Frame MakeFrame(const char* title);
void CloseFrame(Frame& f);
// Runs this thread's messages until done() holds, for about a minute at most.
bool PumpUntil(const std::function<bool()>& done);
void Pump();
// A real click on button `index` of a control's toolbar.
void Click(HWND toolbar, int index);
std::string NavigationAfterClick(Frame& f, HWND toolbar, int index);
std::string String(unsigned id);  // from the program's string table
bool Visible(HWND window);
// The addresses the bookmarks file gave the tables, moved to loopback too.
void LocalTables(Services& s);
TandemBand* Sited(Services& s, Frame& f);
void Unsite(TandemBand* band);

}  // namespace marvella::test
