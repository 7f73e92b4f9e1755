// Stand-ins for the toolbar's platform services in unit tests: files in memory, a string
// table, an INI source, a recording fetcher and thread starters that tests control.
#pragma once

#include "common/ProfileSource.h"
#include "toolbar/Fetcher.h"
#include "toolbar/FileAccess.h"
#include "toolbar/StringTable.h"
#include "toolbar/Threads.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace marvella {
namespace testing {

// Files by path; the temporary directory is "T:\". Map hands out a copy that ASan watches
// for reads past its end.
class MemoryFiles : public FileAccess {
 public:
  bool TempDirectory(char* buffer, std::size_t capacity) override;
  bool Exists(const char* path) override;
  void Delete(const char* path) override;
  bool Map(const char* path, FileView* view) override;
  void Unmap(FileView* view) override;

  void Put(const std::string& path, const std::string& bytes);
  bool Has(const std::string& path);
  std::string Get(const std::string& path);
  int MapCount() const { return maps_.load(); }
  std::vector<std::string> Deleted();
  // Called inside Map, on the mapping thread, before the file is looked up.
  std::function<void()> onMap;

 private:
  std::mutex mutex_;
  std::map<std::string, std::string> files_;
  std::vector<std::string> deleted_;
  std::atomic<int> maps_{0};
};

class TableStrings : public StringTable {
 public:
  TableStrings();  // the addresses and names the shipped table uses, on host "test"
  std::size_t Load(unsigned id, char* buffer, std::size_t capacity) override;
  std::map<unsigned, std::string> texts;
};

// INI data as the private-profile functions see it: sections and keys found whatever their
// case, an empty value is a missing key, values cut to the capacity.
class MemoryProfile : public ProfileSource {
 public:
  MemoryProfile& Section(const std::string& name);
  MemoryProfile& Key(const std::string& key, const std::string& value);
  size_t ReadString(const char* section, const char* key, const char* fallback, char* buffer,
                    size_t capacity) override;
  size_t ReadSectionNames(char* buffer, size_t capacity) override;
  int reads = 0;

 private:
  std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections_;
};

// Records every call; DownloadToFile answers with `result` (by URL when listed) and may be
// made to wait inside the download until released.
class RecordingFetcher : public Fetcher {
 public:
  InternetHandle OpenInternet(const char* agent, const char* proxy) override;
  void CloseInternet(InternetHandle handle) override;
  bool DownloadToFile(InternetHandle handle, const char* url, const char* destination,
                      const DownloadTerms& terms) override;

  struct Download {
    InternetHandle handle;
    std::string url;
    std::string destination;
    std::size_t largestBody;
    const std::atomic<bool>* abandoned;
  };
  std::vector<Download> Downloads();
  std::vector<InternetHandle> Closed();
  int Opened();

  bool result = true;
  std::map<std::string, bool> resultByUrl;
  // Runs inside DownloadToFile on the worker, before it answers.
  std::function<void(const Download&)> during;

 private:
  std::mutex mutex_;
  std::vector<Download> downloads_;
  std::vector<InternetHandle> closed_;
  int opened_ = 0;
};

// Keeps the worker's start requests; the test runs them when it likes (RunAll, on the
// test's thread) or refuses them.
class ManualStarter : public ThreadStarter {
 public:
  bool StartThread(void (*run)(void*), void* argument) override;
  void RunAll();
  int starts = 0;
  bool refuse = false;

 private:
  std::vector<std::pair<void (*)(void*), void*>> pending_;
};

// Real threads, joined by JoinAll (so tests see everything the worker did).
class JoiningStarter : public ThreadStarter {
 public:
  ~JoiningStarter() override { JoinAll(); }
  bool StartThread(void (*run)(void*), void* argument) override;
  void JoinAll();
  std::atomic<int> starts{0};

 private:
  std::mutex mutex_;
  std::vector<std::unique_ptr<Thread>> threads_;
};

}  // namespace testing
}  // namespace marvella
