// The banner feed.
#include "toolbar/BannerFeed.h"

#include "common/BoundedText.h"
#include "toolbar/ToolbarTexts.h"

#include <atomic>
#include <cstring>
#include <initializer_list>

namespace marvella {

namespace {
// Process-wide by design: feeds number their files, and the configuration page, which
// every feed of the process fetches and its readers share, lives while one feed does.
std::atomic<unsigned> g_feedSerial{0};
std::atomic<unsigned> g_liveFeeds{0};
}  // namespace

BannerFeed::BannerFeed(const FetchContext& context, BitmapLoader& loader, JpegConverter convert,
                       unsigned long processId)
    : DownloadClient(context),
      strings_(context.strings),
      files_(context.files),
      tables_(context.tables),
      loader_(loader),
      convert_(convert) {
  strings_.Load(IDS_BANNER_TOOLTIP, tooltip_, sizeof tooltip_);
  strings_.Load(IDS_URL_PORTAL_HOME, link_, sizeof link_);
  strings_.Load(IDS_URL_CONFIG, configUrl_, sizeof configUrl_);
  char name[kRequestPathCapacity];
  strings_.Load(IDS_FILE_CONFIG, name, sizeof name);
  TempFilePath(files_, name, configPage_, sizeof configPage_);
  unsigned serial = g_feedSerial.fetch_add(1, std::memory_order_relaxed);
  char own[32];
  FormatBounded(own, sizeof own, "tnb%lx-%x.jpg", processId, serial);
  TempFilePath(files_, own, jpegPath_, sizeof jpegPath_);
  FormatBounded(own, sizeof own, "tnb%lx-%x.bmp", processId, serial);
  TempFilePath(files_, own, bmpPath_, sizeof bmpPath_);
  TempFilePath(files_, "stats.bin", hitPath_, sizeof hitPath_);
  bool first = g_liveFeeds.fetch_add(1, std::memory_order_acq_rel) == 0;
  for (const char* path :
       std::initializer_list<const char*>{first ? configPage_ : "", jpegPath_, bmpPath_})
    if (path[0]) files_.Delete(path);
}

BannerFeed::~BannerFeed() {
  Close();
  bool last = g_liveFeeds.fetch_sub(1, std::memory_order_acq_rel) == 1;
  for (const char* path :
       std::initializer_list<const char*>{last ? configPage_ : "", jpegPath_, bmpPath_})
    if (path[0]) files_.Delete(path);
}

BitmapHandle BannerFeed::Refresh(int width, int height) {
  if (BusyCount() > 0) return nullptr;
  if (!jpegPath_[0]) return nullptr;  // no temporary directory: nothing to work with

  // The JPEG on disk, if any, is the image of the anchor queued last (queued_), and only
  // once no download of it is still waiting: a new image is queued only after the last
  // one has been served, and only after the file of the one before is gone.
  bool imagePending = Queue().HasRequest(*this, jpegPath_);
  BitmapHandle bitmap = nullptr;
  if (!imagePending && files_.Exists(jpegPath_)) {
    if (convert_(jpegPath_, bmpPath_) == 0) {
      bitmap = loader_.LoadBitmapFile(bmpPath_, width, height);
      // The image is here: its tooltip and link go with it, and with no other image.
      CopyBounded(tooltip_, queued_.alt);
      CopyBounded(link_, queued_.link);
      failedImage_[0] = '\0';
    } else {
      // Converting it again would cost as much for the same failure (a hostile file may
      // take seconds within its bounds).
      CopyBounded(failedImage_, queued_.image);
    }
    files_.Delete(jpegPath_);
  }

  bool parsed = ReadMapped(files_, configPage_, [this](const char* bytes, std::size_t size) {
    return ParseBannerAnchor(bytes, size, &parsed_);
  });
  if (parsed) {
    if (!imagePending && std::strcmp(parsed_.image, failedImage_) != 0) {
      files_.Delete(jpegPath_);
      queued_ = parsed_;
      QueueDownload(parsed_.image, jpegPath_);
    }
    InternalSettings internal;
    tables_.CopyInternalSettings(&internal);
    if (internal.log[0]) QueueDownload(internal.log, hitPath_);
  }
  QueueDownload(configUrl_, configPage_);
  return bitmap;
}

}  // namespace marvella
