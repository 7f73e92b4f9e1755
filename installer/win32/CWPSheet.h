// The installer wizard: a property sheet in wizard mode with an empty caption, no Help
// anywhere and icon 128 as its small and large icon. The pages decide where Back and Next
// lead and which buttons show; the sheet carries out what they ask.
#pragma once

#include <windows.h>
#include <prsht.h>

#include "installer/WizardFrame.h"

namespace marvella {

class CWizardPage;
class WizardFlow;

class CWPSheet : public WizardFrame {
 public:
  explicit CWPSheet(HMODULE resources) : resources_(resources) {}
  CWPSheet(const CWPSheet&) = delete;
  CWPSheet& operator=(const CWPSheet&) = delete;

  // Adds the next page; pages are added in the wizard's order, all nine before the run.
  void AddPage(CWizardPage& page, WizardFlow& flow);

  // Runs the wizard modally until Finish or Cancel. Returns false when the sheet could not
  // be shown.
  bool DoModal(HWND owner);
  // Whether the last run ended by Finish (otherwise by Cancel or not at all).
  bool Finished() const { return finished_; }

  // The running wizard window, owner of the installer's message boxes and dialogs while
  // the wizard runs; null before and after the run.
  HWND Window() const { return window_; }

  // Called by the first page window created: the sheet's window is now known.
  void AttachWindow(HWND sheet);
  // Called by a page whose Finish was accepted.
  void NoteFinished() { finished_ = true; }

  // While busy every page refuses Back, Next, Finish and Cancel: work that pumps messages
  // (progress lines, message boxes) runs inside a press and must not be re-entered, whichever
  // page the sheet still counts as current.
  bool Busy() const { return busy_; }
  class BusyScope {
   public:
    explicit BusyScope(CWPSheet& sheet) : sheet_(sheet), was_(sheet.busy_) { sheet.busy_ = true; }
    ~BusyScope() { sheet_.busy_ = was_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

   private:
    CWPSheet& sheet_;
    bool was_;
  };

  // WizardFrame. PostButtons may also be called from a page's worker thread while the
  // wizard runs; the others belong to the user-interface thread.
  void PostButtons(WizardButtons buttons) override;
  void MakeCurrent(WizardPage page) override;
  void EnableCancel(bool enabled) override;

 private:
  HMODULE resources_;
  CWizardPage* pages_[kWizardPageCount] = {};
  int pageCount_ = 0;
  HWND window_ = nullptr;
  bool finished_ = false;
  bool busy_ = false;
};

}  // namespace marvella
