// The banner feed behind the banner control: at each completed document it shows the banner
// fetched since the last one (converted from JPEG, with its tooltip and link), parses the
// banner anchor of the configuration page fetched last time, queues the anchor's image and
// one hit at the log address, and fetches the configuration page again. An anchor thus takes
// effect, image, tooltip and link together, in a later refresh, once its image is here; an
// anchor whose image never arrives changes nothing. A converted image is shown once: the
// JPEG goes when it has been converted. An image that fails to convert is not fetched
// again while the page keeps naming it.
//
// Each feed has an image file and a bitmap file of its own, so that no window shows,
// deletes or adopts the image another one queued. The configuration page is one for the
// process (its page fetchers and mail checker read it too): the first feed clears an old
// one and the last one deletes it.
#pragma once

#include "toolbar/BannerAnchor.h"
#include "toolbar/BookmarkTables.h"
#include "toolbar/DownloadClient.h"
#include "toolbar/FileAccess.h"
#include "toolbar/StringTable.h"

namespace marvella {

using BitmapHandle = void*;

// Loads a BMP file as a bitmap scaled to width x height (LoadImageA on Windows).
class BitmapLoader {
 public:
  virtual ~BitmapLoader() = default;
  virtual BitmapHandle LoadBitmapFile(const char* path, int width, int height) = 0;
};

// The JPEG conversion: JPEGtoBMP, or a stand-in in tests. 0 means success.
using JpegConverter = int (*)(const char* jpegPath, const char* bmpPath);

class BannerFeed : public DownloadClient {
 public:
  // Names its own files, "tnb<process>-<feed>.jpg" and ".bmp", in the temporary directory
  // and deletes them; the process's first feed deletes "tandcfg.htm" too.
  BannerFeed(const FetchContext& context, BitmapLoader& loader, JpegConverter convert,
             unsigned long processId = 0);
  // Deletes its own files, and the configuration page when it is the process's last feed.
  ~BannerFeed();

  // The refresh of a completed document; returns the new banner bitmap (the caller owns it),
  // or null when there is none (a download of the feed is running, or no new banner
  // arrived since the last one shown).
  BitmapHandle Refresh(int width, int height);

  const char* Tooltip() const { return tooltip_; }
  const char* Link() const { return link_; }

 private:
  StringTable& strings_;
  FileAccess& files_;
  BookmarkTables& tables_;
  BitmapLoader& loader_;
  JpegConverter convert_;
  char tooltip_[kBannerTextCapacity] = "";
  char link_[kBannerTextCapacity] = "";
  BannerAnchor parsed_;
  BannerAnchor queued_;  // the anchor whose image was queued last
  char failedImage_[kBannerTextCapacity] = "";  // the last image that did not convert
  char configUrl_[kRequestUrlCapacity] = "";
  char configPage_[kRequestPathCapacity] = "";
  char jpegPath_[kRequestPathCapacity] = "";
  char bmpPath_[kRequestPathCapacity] = "";
  char hitPath_[kRequestPathCapacity] = "";
};

}  // namespace marvella
