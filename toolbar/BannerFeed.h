// The banner feed behind the banner control: at each completed document it shows the banner
// fetched since the last one (converted from JPEG, with its tooltip and link), parses the
// banner anchor of the configuration page fetched last time, queues the anchor's image and
// one hit at the log address, and fetches the configuration page again. An anchor thus takes
// effect, image, tooltip and link together, in a later refresh, once its image is here; an
// anchor whose image never arrives changes nothing. A converted image is shown once: the
// JPEG goes when it has been converted.
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
  // Deletes "tandcfg.htm", "tnbbannr.jpg" and "tnbbannr.bmp" from the temporary directory.
  BannerFeed(DownloadQueue& queue, const char* agent, StringTable& strings, FileAccess& files,
             BookmarkTables& tables, BitmapLoader& loader, JpegConverter convert);
  // Deletes the same three files.
  ~BannerFeed();

  // The refresh of a completed document; returns the new banner bitmap (the caller owns it),
  // or null when there is none (a download of the feed is running, or no new banner
  // arrived since the last one shown).
  BitmapHandle Refresh(int width, int height);

  const char* Tooltip() const { return tooltip_; }
  const char* Link() const { return link_; }
  const BannerAnchor& LastParsed() const { return parsed_; }
  const char* ConfigPagePath() const { return configPage_; }

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
  char configUrl_[kRequestUrlCapacity] = "";
  char configPage_[kRequestPathCapacity] = "";
  char jpegPath_[kRequestPathCapacity] = "";
  char bmpPath_[kRequestPathCapacity] = "";
  char hitPath_[kRequestPathCapacity] = "";
};

}  // namespace marvella
