// LoadImageA of the converted banner.
#include "toolbar/win32/BannerBitmapLoader.h"

#include <windows.h>

namespace marvella {

BitmapHandle BannerBitmapLoader::LoadBitmapFile(const char* path, int width, int height) {
  return LoadImageA(nullptr, path, IMAGE_BITMAP, width, height, LR_LOADFROMFILE);
}

}  // namespace marvella
