// The toolbar's arithmetic that needs no window: where each control stands and the sizes
// the band reports to the rebar.
#pragma once

namespace marvella {

class SettingsStore;

// The controls in the order the host window routes and broadcasts to them.
enum BarSlot { kShowSlot, kBannerSlot, kToolsSlot, kHomeSlot, kSearchSlot, kMailSlot, kMenuSlot,
               kBarSlots };

struct BarSize {
  int width = 0;
  int height = 0;
};

// What the host window keeps once its controls exist.
struct BarLayout {
  int leftWidth = 0;   // the banner's width: what the band keeps when the rebar squeezes it
  int bandHeight = 0;  // the tallest control
  int fullWidth = 0;
  bool collapsed = false;
  BarSize collapsedSize;  // the show button's
};

// Left to right: banner, home, tools, search, mail, menu bar; the show button shares x 0
// with the banner (only one of them shows at a time). x[] is indexed by BarSlot.
void PlaceControls(const BarSize (&sizes)[kBarSlots], int (&x)[kBarSlots]);

// The layout of freshly created controls: left part, full width, band height and the
// collapsed size; starts expanded.
BarLayout MeasureBar(const BarSize (&sizes)[kBarSlots]);

// The band's minimum and maximum size for the rebar: the show button alone while collapsed.
struct BandSizes {
  BarSize minimum;
  BarSize maximum;
};
BandSizes BandSizesOf(const BarLayout& layout);

// The measured layout kept in the settings value "Layout" between browser sessions, so
// that a session's first window puts its band into the rebar at its size before its
// controls exist, as later windows do. Five numbers: left part, band height, full width,
// collapsed width and height. Read gives false for anything else (a value from another
// build, edited or cut), and the controls are then built before the band goes in.
bool ReadStoredLayout(SettingsStore& settings, BarLayout* layout);
// Writes the value only when it says something else.
void StoreLayout(SettingsStore& settings, const BarLayout& layout);

}  // namespace marvella
