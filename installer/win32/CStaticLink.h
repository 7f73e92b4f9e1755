// A static text control that acts as a hyperlink: drawn blue and underlined on its parent's
// background; a click opens the privacy-policy dialog. It reacts only to the two
// notifications its parent page passes back to it: the colour query and the click.
#pragma once

#include <windows.h>

#include "common/win32/Owned.h"

namespace marvella {

class CStaticLink {
 public:
  explicit CStaticLink(HMODULE resources) : resources_(resources) {}
  ~CStaticLink();
  CStaticLink(const CStaticLink&) = delete;
  CStaticLink& operator=(const CStaticLink&) = delete;

  // Makes the static control `control` this link. The parent passes its notifications on
  // through FromWindow.
  void Attach(HWND control);
  HWND Control() const { return control_; }

  // The link attached to `control`, or null.
  static CStaticLink* FromWindow(HWND control);

  // The colour query for the control, painting into `dc`. Returns the brush to paint the
  // background with, or null to let the parent's default colours apply.
  HBRUSH OnCtlColor(HDC dc);
  // The control was clicked.
  void OnClicked();

  static constexpr COLORREF kLinkColour = RGB(0, 0, 255);

 private:
  HMODULE resources_;
  HWND control_ = nullptr;
  OwnedGdi<HFONT> underlined_;  // made on the first colour query, released with the link
  HFONT original_ = nullptr;    // the control's own font, given back on release
};

}  // namespace marvella
