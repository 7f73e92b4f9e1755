// The wizard sheet: creation, modal run and the page requests.
#include "installer/win32/CWPSheet.h"

#include "common/win32/CommonControls.h"

#include "installer/win32/CWizardPage.h"
#include "installer/win32/WizardResource.h"

namespace marvella {

void CWPSheet::AddPage(CWizardPage& page, WizardFlow& flow) {
  if (pageCount_ >= kWizardPageCount) return;
  page.Bind(*this, flow, resources_);
  pages_[pageCount_++] = &page;
}

bool CWPSheet::DoModal(HWND owner) {
  HPROPSHEETPAGE handles[kWizardPageCount] = {};
  for (int i = 0; i < pageCount_; ++i) {
    handles[i] = pages_[i]->CreatePage();
    if (!handles[i]) {
      for (int j = 0; j < i; ++j) DestroySystemPropertySheetPage(handles[j]);
      return false;
    }
  }
  PROPSHEETHEADERA header = {};
  header.dwSize = PROPSHEETHEADERA_V1_SIZE;
  header.dwFlags = PSH_WIZARD;  // no PSH_HASHELP: no Help button
  header.hwndParent = owner;
  header.hInstance = resources_;
  header.pszCaption = "";
  header.nPages = static_cast<UINT>(pageCount_);
  header.nStartPage = 0;
  header.phpage = handles;

  finished_ = false;
  window_ = nullptr;
  InitSystemCommonControls();
  INT_PTR result = RunSystemPropertySheet(header);  // destroys the pages' handles when it ends
  window_ = nullptr;
  return result >= 0;
}

void CWPSheet::AttachWindow(HWND sheet) {
  if (window_ || !sheet) return;
  window_ = sheet;
  HICON icon = LoadIconA(resources_, MAKEINTRESOURCEA(IDI_INSTALLER));
  SendMessageA(sheet, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SendMessageA(sheet, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void CWPSheet::PostButtons(WizardButtons buttons) {
  // Posted on purpose: a page may post several sets during one step; the last one wins.
  if (window_) PostMessageA(window_, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

void CWPSheet::MakeCurrent(WizardPage page) {
  if (window_) SendMessageA(window_, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
}

void CWPSheet::EnableCancel(bool enabled) {
  if (window_) EnableWindow(GetDlgItem(window_, IDCANCEL), enabled ? TRUE : FALSE);
}

}  // namespace marvella
