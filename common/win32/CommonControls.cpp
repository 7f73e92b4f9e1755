// comctl32.dll by full path.
#include "common/win32/CommonControls.h"

#include <commctrl.h>

#include "common/win32/SystemLibrary.h"

namespace marvella {
namespace {

std::atomic<HMODULE> g_commonControls{nullptr};

template <typename Fn>
Fn Entry(const char* name) {
  return SystemEntry<Fn>(SharedSystemLibrary(g_commonControls, "comctl32.dll"), name);
}

}  // namespace

bool InitSystemCommonControls() {
  auto fn = Entry<decltype(&::InitCommonControls)>("InitCommonControls");
  if (!fn) return false;
  fn();
  return true;
}

HPROPSHEETPAGE CreateSystemPropertySheetPage(const PROPSHEETPAGEA& page) {
  auto fn = Entry<decltype(&::CreatePropertySheetPageA)>("CreatePropertySheetPageA");
  return fn ? fn(&page) : nullptr;
}

BOOL DestroySystemPropertySheetPage(HPROPSHEETPAGE page) {
  auto fn = Entry<decltype(&::DestroyPropertySheetPage)>("DestroyPropertySheetPage");
  return fn ? fn(page) : FALSE;
}

INT_PTR RunSystemPropertySheet(const PROPSHEETHEADERA& header) {
  auto fn = Entry<decltype(&::PropertySheetA)>("PropertySheetA");
  return fn ? fn(&header) : -1;
}

}  // namespace marvella
