// The conversations wired to Winsock, the wait cursor and the retry dialogs.
#include "installer/win32/UserServerCalls.h"

#include "installer/win32/WaitCursor.h"
#include "signup/win32/DialogRetryPrompt.h"
#include "signup/win32/WinsockLineChannel.h"

namespace marvella {

SignUpResult RegisterNewUser(InstallerApp& app, HWND wizardWindow, std::string& errorText) {
  WinsockLineChannel channel;
  WaitCursor wait;
  DialogRetryPrompt prompt(wizardWindow);
  UserServerSession session(channel, wait, app.config.serverAddress, app.config.serverPort);
  return session.RegisterNewUser(errorText, app.user, app.account, prompt);
}

SignUpResult FetchExistingUser(InstallerApp& app, std::string& errorText) {
  WinsockLineChannel channel;
  WaitCursor wait;
  UserServerSession session(channel, wait, app.config.serverAddress, app.config.serverPort);
  return session.FetchExistingUser(errorText, app.user, app.account);
}

}  // namespace marvella
