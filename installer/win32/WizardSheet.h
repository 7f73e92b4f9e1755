// The installer wizard as start-up builds and runs it: the sheet, its nine pages in the
// wizard's order, and the page flow between them.
//
// Each page answers the flow through its seam (see installer/WizardSeams.h); a caller may
// script pages 2 to 7 instead.
#pragma once

#include <windows.h>

#include "installer/InstallerApp.h"
#include "installer/WizardFlow.h"
#include "installer/win32/CWPFinal.h"
#include "installer/win32/CWPHardWare.h"
#include "installer/win32/CWPLicense.h"
#include "installer/win32/CWPResults.h"
#include "installer/win32/CWPSheet.h"
#include "installer/win32/CWPUserInfo.h"
#include "installer/win32/CWPUserInfo2.h"
#include "installer/win32/CWPUserInfo25.h"
#include "installer/win32/CWPUserInfo3.h"
#include "installer/win32/CWPWelcome.h"

namespace marvella {

enum class WizardEnd { kFinished, kCancelled, kNotShown };

class WizardSheet {
 public:
  // Builds the sheet and adds the nine pages; nothing is shown yet. Dialogs, icons and
  // texts come from `resources`. `app` (whose run-wide values the pages read and write)
  // and `toolbar` are borrowed for the wizard's life (Finish runs `toolbar`). Members of
  // `pageSeams` that are set answer for pages 2 to 7 instead of their page objects (the
  // flow tests script them); the welcome and contract pages always answer for themselves.
  WizardSheet(HMODULE resources, InstallerApp& app, ToolbarLibraryInstaller& toolbar,
              const WizardSeams& pageSeams = WizardSeams());
  WizardSheet(const WizardSheet&) = delete;
  WizardSheet& operator=(const WizardSheet&) = delete;

  // The sheet, to be recorded as the owner of the installer's message boxes.
  CWPSheet& Sheet() { return sheet_; }

  // Runs the wizard modally until Finish or Cancel.
  WizardEnd RunModal(HWND owner = nullptr);

 private:
  InstallerApp& app_;
  CWPSheet sheet_;
  WizardSeams seams_;
  WizardFlow flow_;
  CWPWelcome welcome_;
  CWPLicense license_;
  CWPHardWare hardware_{app_};
  CWPUserInfo25 userType_{app_};
  CWPUserInfo userInfo_;
  CWPUserInfo2 userInfo2_;
  CWPUserInfo3 userInfo3_;
  CWPResults results_;
  CWPFinal final_;
};

}  // namespace marvella
