// Hyperlink painting and click.
#include "installer/win32/CStaticLink.h"

#include "installer/win32/PrivacyPolicyDialog.h"

namespace marvella {
namespace {

const char kLinkProperty[] = "MarvellaStaticLink";

}  // namespace

CStaticLink::~CStaticLink() {
  if (control_ && IsWindow(control_) && GetPropA(control_, kLinkProperty) == this) {
    RemovePropA(control_, kLinkProperty);
    if (underlined_) SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(original_), FALSE);
  }
}

void CStaticLink::Attach(HWND control) {
  if (!control) return;
  control_ = control;
  SetPropA(control, kLinkProperty, this);
}

CStaticLink* CStaticLink::FromWindow(HWND control) {
  if (!control) return nullptr;
  return static_cast<CStaticLink*>(GetPropA(control, kLinkProperty));
}

HBRUSH CStaticLink::OnCtlColor(HDC dc) {
  // A static reports clicks only with the notify bit.
  LONG style = GetWindowLongA(control_, GWL_STYLE);
  if (!(style & SS_NOTIFY)) SetWindowLongA(control_, GWL_STYLE, style | SS_NOTIFY);
  // Only left, centred and right text look like links; pictures and frames keep their look.
  if ((style & 0xFF) > SS_RIGHT) return nullptr;

  if (!underlined_) {
    HFONT current = reinterpret_cast<HFONT>(SendMessageA(control_, WM_GETFONT, 0, 0));
    if (!current) current = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    LOGFONTA face = {};
    if (GetObjectA(current, sizeof face, &face) == 0) return nullptr;
    face.lfUnderline = TRUE;
    underlined_.Reset(CreateFontIndirectA(&face));
    if (!underlined_) return nullptr;
    // Some static controls select their own font only after asking for colours, which
    // would undo the selection below; the control is given the underlined font as well.
    original_ = reinterpret_cast<HFONT>(SendMessageA(control_, WM_GETFONT, 0, 0));
    SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(underlined_.Get()), FALSE);
  }
  SelectObject(dc, underlined_.Get());
  SetTextColor(dc, kLinkColour);
  SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CStaticLink::OnClicked() {
  PrivacyPolicyDialog dialog(resources_);
  dialog.DoModal(GetActiveWindow());
}

}  // namespace marvella
