// The toolbar's layout arithmetic.
#include "toolbar/BarLayout.h"

#include "common/BoundedText.h"
#include "toolbar/VersionPrompt.h"

#include <cstring>

namespace marvella {

namespace {
// The controls that stand side by side, left to right.
constexpr BarSlot kRow[] = {kBannerSlot, kHomeSlot, kToolsSlot, kSearchSlot, kMailSlot, kMenuSlot};

const char kLayoutValue[] = "Layout";
constexpr std::size_t kLayoutTextCapacity = 64;
// No control is wider or taller: a bigger number is no layout of ours.
constexpr int kMostPixels = 32767;
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

bool ReadStoredLayout(SettingsStore& settings, BarLayout* layout) {
  char text[kLayoutTextCapacity];
  if (!settings.Read(kLayoutValue, text, sizeof text)) return false;
  int fields[5];
  const char* at = text;
  for (int& field : fields) {
    while (*at == ' ') ++at;
    if (*at < '1' || *at > '9') return false;  // no sign, no leading zero, never 0
    field = 0;
    while (*at >= '0' && *at <= '9') {
      field = field * 10 + (*at++ - '0');
      if (field > kMostPixels) return false;
    }
  }
  if (*at) return false;
  *layout = BarLayout();
  layout->leftWidth = fields[0];
  layout->bandHeight = fields[1];
  layout->fullWidth = fields[2];
  layout->collapsedSize = {fields[3], fields[4]};
  return true;
}

void StoreLayout(SettingsStore& settings, const BarLayout& layout) {
  char text[kLayoutTextCapacity];
  FormatBounded(text, sizeof text, "%d %d %d %d %d", layout.leftWidth, layout.bandHeight,
                layout.fullWidth, layout.collapsedSize.width, layout.collapsedSize.height);
  char stored[kLayoutTextCapacity];
  if (settings.Read(kLayoutValue, stored, sizeof stored) && std::strcmp(stored, text) == 0) return;
  settings.Write(kLayoutValue, text);
}

}  // namespace marvella
