// Run-wide flags of the wizard that the page flow itself reads or writes. The application
// object owns one instance for the whole run; all start false.
#pragma once

namespace marvella {

struct WizardRunFlags {
  // The machine is already on line: no call is placed. Written only by the welcome page
  // (at its Next); read by the user-type and results pages and sent to the portal.
  bool alreadyConnected = false;
  // The server reported that the user already has an access account and its settings were
  // fetched (user-type page). From then on the wizard goes to the end and the results page
  // cannot be left backwards.
  bool accountFetched = false;
  // "&Obtener datos" has been pressed at least once (a failed fetch counts too).
  bool fetchPressed = false;
  // The server reported an access account for the user: an existing user for the rest of
  // the run, whatever the user-type page shows.
  bool existingAccount = false;
  // The user-type page asks the personal-data page to start from empty boxes (set on
  // "Nuevo usuario", cleared on "Usuario actual" and once the page has done it).
  bool cleanStartRequested = false;
  // The personal-data page has shown its province list; it stays shown for the run.
  bool provinceListShown = false;
};

}  // namespace marvella
