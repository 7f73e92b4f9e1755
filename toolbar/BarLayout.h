// The toolbar's arithmetic that needs no window: where each control stands, the sizes the
// band reports to the rebar, and whether a newer version is still to be offered.
#pragma once

namespace marvella {

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

// The numeric value of a version text: its leading decimal number ("1.02", " 2", "-1.5"),
// 0 when the text does not begin with one.
double VersionValue(const char* text);

// The toolbar's own version, compared against the one the bookmarks file announces.
constexpr const char* kToolbarVersion = "1.01";

// True when lastVersion is newer than this toolbar and differs from the one last asked
// about (lastAsked null when none was recorded).
bool ShouldOfferVersion(const char* lastVersion, const char* lastAsked);

}  // namespace marvella
