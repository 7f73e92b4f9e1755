// Property-page plumbing of the wizard pages.
#include "installer/win32/CWizardPage.h"

#include "common/win32/CommonControls.h"
#include "installer/win32/CStaticLink.h"
#include "installer/win32/CWPSheet.h"

namespace marvella {

void CWizardPage::Bind(CWPSheet& sheet, WizardFlow& flow, HMODULE resources) {
  sheet_ = &sheet;
  flow_ = &flow;
  resources_ = resources;
}

HPROPSHEETPAGE CWizardPage::CreatePage() {
  PROPSHEETPAGEA page = {};
  // The first layout of the structure: every comctl32 since Windows 95 reads it.
  page.dwSize = PROPSHEETPAGEA_V1_SIZE;
  page.dwFlags = PSP_DEFAULT;  // no PSP_HASHELP: no Help on any page
  page.hInstance = resources_;
  page.pszTemplate = MAKEINTRESOURCEA(templateId_);
  page.pfnDlgProc = DialogProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return CreateSystemPropertySheetPage(page);
}

void CWizardPage::OnInitDialog() { flow_->Init(index_); }
void CWizardPage::OnSetActive() { flow_->Show(index_); }
PageMove CWizardPage::OnWizardNext() { return flow_->Next(index_); }
PageMove CWizardPage::OnWizardBack() { return flow_->Back(index_); }
bool CWizardPage::OnWizardFinish() { return flow_->Finish(index_); }

INT_PTR CWizardPage::OnNotify(HWND window, const NMHDR& header) {
  LONG_PTR result = 0;
  if (sheet_->Busy()) {
    switch (header.code) {
      case PSN_WIZNEXT:
      case PSN_WIZBACK:
        SetWindowLongPtrA(window, DWLP_MSGRESULT, -1);
        return TRUE;
      case PSN_WIZFINISH:
      case PSN_QUERYCANCEL:
        SetWindowLongPtrA(window, DWLP_MSGRESULT, TRUE);
        return TRUE;
      default:
        break;
    }
  }
  switch (header.code) {
    case PSN_SETACTIVE:
      OnSetActive();
      result = 0;  // accept the activation
      break;
    case PSN_WIZNEXT:
      result = OnWizardNext() == PageMove::kMove ? 0 : -1;
      break;
    case PSN_WIZBACK:
      result = OnWizardBack() == PageMove::kMove ? 0 : -1;
      break;
    case PSN_WIZFINISH:
      if (OnWizardFinish()) {
        sheet_->NoteFinished();
        result = FALSE;
      } else {
        result = TRUE;  // keep the wizard open
      }
      break;
    default:
      return FALSE;  // the sheet's defaults, Cancel included: it closes at once
  }
  SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR CALLBACK CWizardPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    // The sheet hands over its copy of the page description; lParam is ours.
    auto* self = reinterpret_cast<CWizardPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
    self->sheet_->AttachWindow(GetParent(window));
    self->OnInitDialog();
    return TRUE;
  }
  auto* self = reinterpret_cast<CWizardPage*>(GetWindowLongPtrA(window, DWLP_USER));
  if (!self) return FALSE;
  if (self->OnPageMessage(message, wParam, lParam)) return TRUE;
  switch (message) {
    case WM_NOTIFY:
      return self->OnNotify(window, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
      if (CStaticLink* link = CStaticLink::FromWindow(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = link->OnCtlColor(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<INT_PTR>(brush);
      }
      return FALSE;
    case WM_COMMAND:
      if (lParam) {
        HWND control = reinterpret_cast<HWND>(lParam);
        CStaticLink* link = CStaticLink::FromWindow(control);
        if (link && HIWORD(wParam) == STN_CLICKED) {
          link->OnClicked();
          return TRUE;
        }
        self->OnCommand(LOWORD(wParam), HIWORD(wParam));
      }
      return FALSE;
    case WM_DESTROY:
      self->window_ = nullptr;
      return FALSE;
  }
  return FALSE;
}

}  // namespace marvella
