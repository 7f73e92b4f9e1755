// The banner feed.
#include "toolbar/BannerFeed.h"

#include "common/BoundedText.h"
#include "toolbar/ToolbarTexts.h"

#include <initializer_list>

namespace marvella {

BannerFeed::BannerFeed(DownloadQueue& queue, const char* agent, StringTable& strings,
                       FileAccess& files, BookmarkTables& tables, BitmapLoader& loader,
                       JpegConverter convert)
    : DownloadClient(queue, agent),
      strings_(strings),
      files_(files),
      tables_(tables),
      loader_(loader),
      convert_(convert) {
  strings_.Load(IDS_BANNER_TOOLTIP, tooltip_, sizeof tooltip_);
  strings_.Load(IDS_URL_PORTAL_HOME, link_, sizeof link_);
  strings_.Load(IDS_URL_CONFIG, configUrl_, sizeof configUrl_);
  char name[kRequestPathCapacity];
  strings_.Load(IDS_FILE_CONFIG, name, sizeof name);
  TempFilePath(files_, name, configPage_, sizeof configPage_);
  TempFilePath(files_, "tnbbannr.jpg", jpegPath_, sizeof jpegPath_);
  TempFilePath(files_, "tnbbannr.bmp", bmpPath_, sizeof bmpPath_);
  TempFilePath(files_, "stats.bin", hitPath_, sizeof hitPath_);
  for (const char* path : {configPage_, jpegPath_, bmpPath_})
    if (path[0]) files_.Delete(path);
}

BannerFeed::~BannerFeed() {
  Close();
  for (const char* path : {configPage_, jpegPath_, bmpPath_})
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
  if (!imagePending && convert_(jpegPath_, bmpPath_) == 0) {
    bitmap = loader_.LoadBitmapFile(bmpPath_, width, height);
    // The image is here: its tooltip and link go with it, and with no other image.
    CopyBounded(tooltip_, queued_.alt);
    CopyBounded(link_, queued_.link);
    files_.Delete(jpegPath_);
  }

  bool parsed = ReadMapped(files_, configPage_, [this](const char* bytes, std::size_t size) {
    return ParseBannerAnchor(bytes, size, &parsed_);
  });
  if (parsed) {
    if (!imagePending) {
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
