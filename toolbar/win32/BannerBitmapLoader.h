// The converted banner loaded by the system's bitmap loader, scaled to the banner's size.
#pragma once

#include "toolbar/BannerFeed.h"

namespace marvella {

class BannerBitmapLoader : public BitmapLoader {
 public:
  // An HBITMAP, or null.
  BitmapHandle LoadBitmapFile(const char* path, int width, int height) override;
};

}  // namespace marvella
