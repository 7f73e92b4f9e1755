// The mail checker and its polling thread.
#include "toolbar/MailChecker.h"

#include "common/BoundedText.h"
#include "toolbar/FieldSearch.h"
#include "toolbar/PageFetchers.h"
#include "toolbar/ToolbarTexts.h"

namespace marvella {

int ParseMailCount(const char* bytes, std::size_t size) {
  return ReadHiddenNumber(bytes, size, "WEBMAIL");
}

void FormatCount(char* destination, std::size_t capacity, const char* format, int n) {
  if (capacity == 0) return;
  char digits[12];
  int count = 0;
  unsigned magnitude = n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (n < 0) digits[count++] = '-';

  std::size_t at = 0;
  for (const char* p = format; *p && at + 1 < capacity; ++p) {
    if (p[0] == '%' && p[1] == 'd') {
      for (int i = count; i > 0 && at + 1 < capacity; --i) destination[at++] = digits[i - 1];
      ++p;
    } else if (p[0] == '%' && p[1] == '%') {
      destination[at++] = '%';
      ++p;
    } else {
      destination[at++] = *p;
    }
  }
  destination[at] = '\0';
}

MailChecker::MailChecker(const FetchContext& context, unsigned pollMilliseconds)
    : DownloadClient(context), files_(context.files), pollMilliseconds_(pollMilliseconds) {
  StringTable& strings = context.strings;
  shared_ = !ChoosePageFile(strings, files_, IDS_URL_MAIL, IDS_FILE_MAIL, url_, pageFile_);
  if (!shared_ && pageFile_[0]) files_.Delete(pageFile_);
  TakeWebMail(context.tables);
  strings.Load(IDS_MAIL_NOT_CONNECTED, tooltip_, sizeof tooltip_);
  strings.Load(IDS_MAIL_NONE, textNone_, sizeof textNone_);
  strings.Load(IDS_MAIL_ONE, textOne_, sizeof textOne_);
  strings.Load(IDS_MAIL_MANY, textMany_, sizeof textMany_);
  thread_.Start(&MailChecker::Poll, this);  // no thread: the checker still checks on demand
}

void MailChecker::TakeWebMail(BookmarkTables& tables) {
  InternalSettings internal;
  tables.CopyInternalSettings(&internal);
  CopyBounded(webMail_, internal.webMail);
}

MailChecker::~MailChecker() {
  going_.store(true);
  wake_.Set();
  thread_.Join();
  Close();
  if (!shared_ && pageFile_[0]) files_.Delete(pageFile_);
}

void MailChecker::Poll(void* p) {
  MailChecker* checker = static_cast<MailChecker*>(p);
  for (;;) {
    checker->Check();
    if (!checker->wake_.WaitFor(checker->pollMilliseconds_)) continue;
    // Lowered before looking, so that the destructor's wake cannot be lost.
    checker->wake_.Reset();
    if (checker->going_.load()) break;
  }
}

void MailChecker::RequestCheck() {
  if (thread_.Started())
    wake_.Set();
  else
    Check();
}

void MailChecker::Check() {
  if (BusyCount() > 0) return;
  {
    MutexLock lock(mutex_);
    int count = -1;
    ReadMapped(files_, pageFile_, [&count](const char* bytes, std::size_t size) {
      count = ParseMailCount(bytes, size);
      return true;
    });
    Update(count);
  }
  if (!shared_ && pageFile_[0]) QueueDownload(url_, pageFile_);
}

void MailChecker::Update(int count) {
  if (count == -1) return;
  if (count == 0)
    CopyBounded(tooltip_, textNone_);
  else if (count == 1)
    CopyBounded(tooltip_, textOne_);
  else
    FormatCount(tooltip_, sizeof tooltip_, textMany_, count);
  if ((count == 0) == (lastCount_ == 0)) return;
  lastCount_ = count;
  if (!view_) return;
  view_->ShowMailImage(count != 0 ? 1 : 0);
  if (count != 0) view_->Beep();
}

void MailChecker::SetView(MailIndicatorView* view) {
  MutexLock lock(mutex_);
  view_ = view;
  // A count read before the window existed changed no image: show it now (no beep, the
  // news is not new).
  if (view_ && lastCount_ != 0) view_->ShowMailImage(1);
}

void MailChecker::CopyTooltip(char* buffer, std::size_t capacity) {
  MutexLock lock(mutex_);
  CopyBounded(buffer, capacity, tooltip_);
}

}  // namespace marvella
