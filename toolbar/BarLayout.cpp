// The toolbar's layout arithmetic.
#include "toolbar/BarLayout.h"

namespace marvella {

namespace {
// The controls that stand side by side, left to right.
constexpr BarSlot kRow[] = {kBannerSlot, kHomeSlot, kToolsSlot, kSearchSlot, kMailSlot, kMenuSlot};
}  // namespace

void PlaceControls(const BarSize (&sizes)[kBarSlots], int (&x)[kBarSlots]) {
  x[kShowSlot] = 0;
  int at = 0;
  for (BarSlot slot : kRow) {
    x[slot] = at;
    at += sizes[slot].width;
  }
}

BarLayout MeasureBar(const BarSize (&sizes)[kBarSlots]) {
  BarLayout layout;
  layout.collapsedSize = sizes[kShowSlot];
  layout.leftWidth = sizes[kBannerSlot].width;
  for (BarSlot slot : kRow) {
    layout.fullWidth += sizes[slot].width;
    if (sizes[slot].height > layout.bandHeight) layout.bandHeight = sizes[slot].height;
  }
  return layout;
}

BandSizes BandSizesOf(const BarLayout& layout) {
  BandSizes sizes;
  if (layout.collapsed) {
    sizes.minimum = sizes.maximum = layout.collapsedSize;
  } else {
    sizes.minimum = {layout.leftWidth, layout.bandHeight};
    sizes.maximum = {layout.fullWidth, layout.bandHeight};
  }
  return sizes;
}

}  // namespace marvella
