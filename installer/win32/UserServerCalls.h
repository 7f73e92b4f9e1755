// The two user-server conversations as the wizard pages call them: over Windows Sockets, to
// the server named in install.ini, with the wait cursor, and with the retry dialogs owned
// by the wizard window. They read and update the application's records.
#pragma once

#include <windows.h>

#include <string>

#include "installer/InstallerApp.h"
#include "signup/UserServerSession.h"

namespace marvella {

// The results page's "&Crear cuenta": signs app.user up and fills app.account.
SignUpResult RegisterNewUser(InstallerApp& app, HWND wizardWindow, std::string& errorText);

// The user-type page's "&Obtener datos": fills app.user (and app.account when the user
// already has one) for app.user.userid and app.user.password.
SignUpResult FetchExistingUser(InstallerApp& app, std::string& errorText);

}  // namespace marvella
