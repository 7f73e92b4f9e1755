// A page of the installer wizard: one dialog template in the property sheet. It maps the
// sheet's notifications onto the page flow (Init on creation, Show on activation, Next,
// Back, Finish) and passes a hyperlink's colour query and click back to the link.
#pragma once

#include <windows.h>
#include <prsht.h>

#include "installer/WizardFlow.h"

namespace marvella {

class CWPSheet;

class CWizardPage {
 public:
  CWizardPage(WizardPage index, int templateId) : index_(index), templateId_(templateId) {}
  virtual ~CWizardPage() = default;
  CWizardPage(const CWizardPage&) = delete;
  CWizardPage& operator=(const CWizardPage&) = delete;

  // Called by the sheet as the page is added, before the run.
  void Bind(CWPSheet& sheet, WizardFlow& flow, HMODULE resources);
  // The sheet's page made from this object: its template, its dialog procedure, no help.
  HPROPSHEETPAGE CreatePage();

  WizardPage Index() const { return index_; }
  // The page window; null until the page is first shown and after the run.
  HWND Window() const { return window_; }

 protected:
  // The page window was created (once per run). The default runs the page's Init.
  virtual void OnInitDialog();
  // The page is being activated. The default runs the page's Show.
  virtual void OnSetActive();
  virtual PageMove OnWizardNext();
  virtual PageMove OnWizardBack();
  // True lets the wizard close.
  virtual bool OnWizardFinish();
  // A command from one of the page's controls.
  virtual void OnCommand(int /*controlId*/, int /*code*/) {}
  // Any message, before the page's own handling; true when it was handled here. (WM_DESTROY
  // is also seen by the page after this.)
  virtual bool OnPageMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return false;
  }

  WizardFlow& Flow() { return *flow_; }
  CWPSheet& Sheet() { return *sheet_; }
  HMODULE Resources() const { return resources_; }
  HWND Item(int controlId) const { return GetDlgItem(window_, controlId); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnNotify(HWND window, const NMHDR& header);

  WizardPage index_;
  int templateId_;
  CWPSheet* sheet_ = nullptr;
  WizardFlow* flow_ = nullptr;
  HMODULE resources_ = nullptr;
  HWND window_ = nullptr;
};

}  // namespace marvella
