// Stand-ins for the toolbar's platform services in unit tests.
#include "tests/unit/toolbar/ToolbarFakes.h"

#include "toolbar/ToolbarTexts.h"

#include <algorithm>
#include <cstring>
#include <cctype>
#include <cstdint>

namespace marvella {
namespace testing {

namespace {
bool SameText(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}
}  // namespace

bool MemoryFiles::TempDirectory(char* buffer, std::size_t capacity) {
  if (capacity < 4) return false;
  std::strcpy(buffer, "T:\\");
  return true;
}

bool MemoryFiles::Exists(const char* path) { return Has(path); }

void MemoryFiles::Delete(const char* path) {
  std::lock_guard<std::mutex> lock(mutex_);
  files_.erase(path);
  deleted_.push_back(path);
}

bool MemoryFiles::Map(const char* path, FileView* view) {
  ++maps_;
  if (onMap) onMap();
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = files_.find(path);
  if (it == files_.end() || it->second.empty()) return false;  // empty files do not map
  char* copy = new char[it->second.size()];
  std::memcpy(copy, it->second.data(), it->second.size());
  view->bytes = copy;
  view->size = it->second.size();
  view->token = copy;
  return true;
}

void MemoryFiles::Unmap(FileView* view) {
  delete[] static_cast<char*>(view->token);
  *view = FileView();
}

void MemoryFiles::Put(const std::string& path, const std::string& bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  files_[path] = bytes;
}

bool MemoryFiles::Has(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  return files_.count(path) != 0;
}

std::string MemoryFiles::Get(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = files_.find(path);
  return it == files_.end() ? std::string() : it->second;
}

std::vector<std::string> MemoryFiles::Deleted() {
  std::lock_guard<std::mutex> lock(mutex_);
  return deleted_;
}

TableStrings::TableStrings() {
  texts[IDS_AGENT] = "Tandem Marvella";
  texts[IDS_MAIL_NOT_CONNECTED] = "not connected";
  texts[IDS_MAIL_MANY] = "%d new";
  texts[IDS_MAIL_NONE] = "none";
  texts[IDS_MAIL_ONE] = "one";
  texts[IDS_BANNER_TOOLTIP] = "portal label";
  texts[IDS_URL_TOKENS] = "http://test/cgi-bin/mailtand";
  texts[IDS_URL_MAIL] = "http://test/cgi-bin/mailtand";
  texts[IDS_URL_BOOKMARKS] = "http://test/tandem/tnbbookm.ini";
  texts[IDS_URL_CONFIG] = "http://test/cgi-bin/mailtand";
  texts[IDS_URL_PERSONAL_PAGE] = "http://test/cgi-bin/mailtand";
  texts[IDS_FILE_TOKENS] = "tandtok.htm";
  texts[IDS_FILE_CONFIG] = "tandcfg.htm";
  texts[IDS_FILE_BOOKMARKS] = "tandbkmk.ini";
  texts[IDS_FILE_MAIL] = "tandmail.htm";
  texts[IDS_FILE_PERSONAL_PAGE] = "tandpage.htm";
  texts[IDS_URL_PORTAL_HOME] = "http://test/";
}

std::size_t TableStrings::Load(unsigned id, char* buffer, std::size_t capacity) {
  auto it = texts.find(id);
  std::string text = it == texts.end() ? std::string() : it->second;
  std::size_t n = std::min(text.size(), capacity - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return n;
}

MemoryProfile& MemoryProfile::Section(const std::string& name) {
  sections_.push_back({name, {}});
  return *this;
}

MemoryProfile& MemoryProfile::Key(const std::string& key, const std::string& value) {
  sections_.back().second.push_back({key, value});
  return *this;
}

size_t MemoryProfile::ReadString(const char* section, const char* key, const char* fallback,
                                 char* buffer, size_t capacity) {
  ++reads;
  std::string value;
  for (auto& s : sections_) {
    if (!SameText(s.first, section)) continue;
    for (auto& kv : s.second)
      if (SameText(kv.first, key)) {
        value = kv.second;
        break;
      }
    break;
  }
  if (value.empty()) value = fallback;
  std::size_t n = std::min(value.size(), capacity - 1);
  std::memcpy(buffer, value.data(), n);
  buffer[n] = '\0';
  return n;
}

size_t MemoryProfile::ReadSectionNames(char* buffer, size_t capacity) {
  std::size_t at = 0;
  for (auto& s : sections_) {
    if (at + s.first.size() + 2 > capacity) break;
    std::memcpy(buffer + at, s.first.c_str(), s.first.size() + 1);
    at += s.first.size() + 1;
  }
  buffer[at] = '\0';
  return at;
}

InternetHandle RecordingFetcher::OpenInternet(const char*, const char*) {
  std::lock_guard<std::mutex> lock(mutex_);
  ++opened_;
  return reinterpret_cast<InternetHandle>(static_cast<std::intptr_t>(0x1000 + opened_));
}

void RecordingFetcher::CloseInternet(InternetHandle handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  closed_.push_back(handle);
}

bool RecordingFetcher::DownloadToFile(InternetHandle handle, const char* url,
                                      const char* destination, const DownloadTerms& terms) {
  Download d{handle, url, destination, terms.largestBody, terms.abandoned};
  bool answer;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    downloads_.push_back(d);
    auto it = resultByUrl.find(url);
    answer = it == resultByUrl.end() ? result : it->second;
  }
  if (during) during(d);
  return answer;
}

std::vector<RecordingFetcher::Download> RecordingFetcher::Downloads() {
  std::lock_guard<std::mutex> lock(mutex_);
  return downloads_;
}

std::vector<InternetHandle> RecordingFetcher::Closed() {
  std::lock_guard<std::mutex> lock(mutex_);
  return closed_;
}

int RecordingFetcher::Opened() {
  std::lock_guard<std::mutex> lock(mutex_);
  return opened_;
}

bool ManualStarter::StartThread(void (*run)(void*), void* argument) {
  ++starts;
  if (refuse) return false;
  pending_.push_back({run, argument});
  return true;
}

void ManualStarter::RunAll() {
  while (!pending_.empty()) {
    auto job = pending_.front();
    pending_.erase(pending_.begin());
    job.first(job.second);
  }
}

bool JoiningStarter::StartThread(void (*run)(void*), void* argument) {
  auto thread = std::make_unique<Thread>();
  if (!thread->Start(run, argument)) return false;
  ++starts;
  std::lock_guard<std::mutex> lock(mutex_);
  threads_.push_back(std::move(thread));
  return true;
}

void JoiningStarter::JoinAll() {
  for (;;) {
    std::unique_ptr<Thread> thread;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (threads_.empty()) return;
      thread = std::move(threads_.front());
      threads_.erase(threads_.begin());
    }
    thread->Join();
  }
}

}  // namespace testing
}  // namespace marvella
