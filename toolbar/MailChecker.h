// The mail checker behind the mail indicator: reads the number of new messages from the
// service's page (hidden field "WEBMAIL"), turns it into the button's tooltip and image,
// beeps when new mail arrives, and polls in a thread of its own every three minutes.
//
// Checks run on the polling thread, also when the browser window asks for one (completed
// documents, "Refrescar"); one lock keeps them from mixing with a check on demand. The checker joins its thread when it goes:
// the thread sleeps on an event that the destructor sets, so destruction waits at most for a
// check in progress (a mapped read and a queued request), never for the three minutes.
#pragma once

#include "toolbar/BookmarkTables.h"
#include "toolbar/DownloadClient.h"
#include "toolbar/FileAccess.h"
#include "toolbar/StringTable.h"
#include "toolbar/Threads.h"

#include <atomic>
#include <cstddef>

namespace marvella {

constexpr std::size_t kMailTextCapacity = 260;
constexpr unsigned kMailPollMilliseconds = 180000;

// What the checker changes on screen: the mail button of the indicator's toolbar window.
// Called from the polling thread too, with the checker's lock held: it must not wait for
// the window's thread (post, do not send).
class MailIndicatorView {
 public:
  virtual ~MailIndicatorView() = default;
  // Image 1 (new mail) or 0 (none) on the mail button, then a repaint.
  virtual void ShowMailImage(int image) = 0;
  virtual void Beep() = 0;
};

// The count in page bytes: field "WEBMAIL" by the hidden-field rule, or -1.
int ParseMailCount(const char* bytes, std::size_t size);

// Formats a tooltip template holding one %d with n (%% is a percent sign).
void FormatCount(char* destination, std::size_t capacity, const char* format, int n);

class MailChecker final : public DownloadClient {
 public:
  // Fills the fields (the web mail address from the tables) and starts the polling thread.
  // pollMilliseconds is the pause between checks (three minutes; tests pass less).
  explicit MailChecker(const FetchContext& context,
                       unsigned pollMilliseconds = kMailPollMilliseconds);
  // Stops and joins the polling thread, then drops the checker's downloads and its own page
  // file. A toolbar that closes stops its own checker alone: the other browser windows of
  // the process keep polling.
  ~MailChecker();

  // One check: nothing while a download of the checker runs; else read the count from the
  // page file and update; then fetch the own page file, when there is one.
  void Check();
  // A check soon, on the polling thread, so the window's thread reads no file (at once,
  // here, when there is no polling thread).
  void RequestCheck();

  // The indicator's window once it exists (it then shows the current count's image); null
  // before it goes away.
  void SetView(MailIndicatorView* view);

  void CopyTooltip(char* buffer, std::size_t capacity);
  const char* WebMailUrl() const { return webMail_; }
  // Takes WebMail anew, once the toolbar's own read of the bookmarks file has filled the
  // tables (it runs in the background, after the checker was made).
  void TakeWebMail(BookmarkTables& tables);

 private:
  static void Poll(void* checker);
  void Update(int count);

  FileAccess& files_;
  unsigned pollMilliseconds_;
  bool shared_;
  char url_[kRequestUrlCapacity];
  char pageFile_[kRequestPathCapacity];
  char webMail_[kMailTextCapacity] = "";
  char textNone_[kMailTextCapacity];
  char textOne_[kMailTextCapacity];
  char textMany_[kMailTextCapacity];

  Mutex mutex_;  // guards what follows
  char tooltip_[kMailTextCapacity];
  int lastCount_ = 0;
  MailIndicatorView* view_ = nullptr;

  std::atomic<bool> going_{false};
  Event wake_;  // a check is asked for, or the checker is going
  Thread thread_;
};

}  // namespace marvella
