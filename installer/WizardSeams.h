// What the page flow asks of each page. The flow decides where Back and Next lead and which
// buttons show; the pages answer from their controls and their own page models. The Win32
// pages implement these; the flow tests answer them from scripts.
#pragma once

#include "installer/WizardFrame.h"

namespace marvella {

// The welcome page's connection choice: radio 1069 (on line now) or 1070 (not on line).
class WelcomeView {
 public:
  virtual ~WelcomeView() = default;
  // Selects 1070 when notConnected is true, otherwise 1069.
  virtual void SelectConnectionChoice(bool notConnected) = 0;
  // True while 1070 is selected.
  virtual bool IsNotConnectedSelected() const = 0;
};

// The contract page's text box and its two radios 9049 (accept) and 9050 (do not accept).
class LicenseView {
 public:
  virtual ~LicenseView() = default;
  // Puts the contract text into the text box (empty when the text cannot be found).
  virtual void ShowContract() = 0;
  // True while 9049 is selected.
  virtual bool IsAccepted() const = 0;
};

// A page with rules of its own (pages 2 to 7); the page-specific seams below extend it
// virtually, so one object may answer for several pages. Each call is made on the user-interface
// thread from the sheet's notification of that page.
class PageSeam {
 public:
  virtual ~PageSeam() = default;
  // Once, when the page window is first created: fill lists, set up controls.
  virtual void Init() = 0;
  // On every activation, before the flow posts the page's buttons.
  virtual void Show() = 0;
  // Next was pressed. True lets the wizard move on; false keeps the page, and the page
  // has already told the user why. (The results page answers true once the account exists.)
  virtual bool ValidateNext() = 0;
  // Next was accepted and any redirect has been made; the page is about to be left
  // forward (a line the page holds is dropped here).
  virtual void LeaveForward() = 0;
};

// Page 2, hardware and access node.
class HardwarePageSeam : public virtual PageSeam {
 public:
  // False once the environment check found the machine unable to dial; Next then never
  // shows again in this run.
  virtual bool CanGoOn() const = 0;
};

// Page 3, user type. It owns the new-user value (USERINFO "alta").
class UserTypePageSeam : public virtual PageSeam {
 public:
  // True for a new user ("alta" "1"), false for an existing one ("alta" "0").
  virtual bool IsNewUser() const = 0;
};

// Page 7, results.
class ResultsPageSeam : public virtual PageSeam {
 public:
  // "&Crear cuenta" was pressed: go on line and sign the user up. Once the account exists
  // the page has shown it and set the sheet's buttons; otherwise it stays as it was (it
  // has said why).
  virtual void CreateAccount(WizardFrame& frame) = 0;
  // Runs the final actions for a fetched account, on the page's creation.
  virtual void StartFinalActions() = 0;
};

// The toolbar library installation: start-up runs it once before the wizard, and Finish
// on the final page runs it again. Nobody looks at the result.
class ToolbarLibraryInstaller {
 public:
  virtual ~ToolbarLibraryInstaller() = default;
  // True when the library was copied and its registration started.
  virtual bool InstallToolbarLibrary() = 0;
};

// Where the flow finds each page's answers. Every pointer must be set.
struct WizardSeams {
  WelcomeView* welcome = nullptr;
  LicenseView* license = nullptr;
  HardwarePageSeam* hardware = nullptr;
  UserTypePageSeam* userType = nullptr;
  PageSeam* personalData = nullptr;
  PageSeam* interests = nullptr;
  PageSeam* optionalData = nullptr;
  ResultsPageSeam* results = nullptr;
  ToolbarLibraryInstaller* toolbar = nullptr;
};

}  // namespace marvella
