// The page flow of the installer wizard: the nine pages as records (Init, Show, Next, Back,
// Finish) over one table, as the sheet's notifications reach them. Where Back and Next lead
// and which buttons show is decided here; each page's own rules are asked through its seam.
#pragma once

#include "installer/WizardFrame.h"
#include "installer/WizardRunFlags.h"
#include "installer/WizardSeams.h"

namespace marvella {

// What a Next or Back handler answers: move one page in that direction (from whichever
// page is current by then), or stay.
enum class PageMove { kMove, kStay };

class WizardFlow {
 public:
  // All three are borrowed for the flow's life; every seam pointer must be set.
  WizardFlow(WizardFrame& frame, WizardRunFlags& flags, const WizardSeams& seams);

  // The page window was created (once per page and run).
  void Init(int page);
  // The page is being activated (every time it is shown).
  void Show(int page);
  // Next or Back was pressed on `page`.
  PageMove Next(int page);
  PageMove Back(int page);
  // Finish was pressed on `page`. True lets the wizard close.
  bool Finish(int page);
  // A click on one of the contract radios.
  void LicenseChoiceChanged();
  // The results page's "&Crear cuenta" was pressed: the page (or its script) decides.
  void CreateAccount();

 private:
  WizardFrame& frame_;
  WizardRunFlags& flags_;
  const WizardSeams& seams_;
};

}  // namespace marvella
