// The user-type page's own rules, without windows: the two modes, "&Obtener datos" (going on
// line, the existing-user conversation, hanging up) and the checks of Next, over the user
// record and the run-wide flags. The Win32 page reads its controls into UserTypeEntries.
#pragma once

#include <string>

#include "common/MessageSink.h"
#include "common/ProgressSink.h"
#include "common/Sleeper.h"
#include "dialup/RasOperations.h"
#include "installer/InstallerApp.h"
#include "signup/UserServerSession.h"

namespace marvella {

// What the page's controls hold when they are read.
struct UserTypeEntries {
  bool existingUser = false;  // "Usuario actual de Marvella" selected
  std::string identifier;     // "Identificador (ID):"
  std::string password;       // "Contraseña:"
};

// The existing-user conversation with the user server for app.user's identifier and
// password (sockets on Windows, a script in tests).
class ExistingUserFetcher {
 public:
  virtual ~ExistingUserFetcher() = default;
  virtual SignUpResult FetchExistingUser(std::string& errorText) = 0;
};

// What "&Obtener datos" works with besides the records.
struct FetchServices {
  RasOperations& ras;
  ProgressSink& progress;  // the page's progress box
  Sleeper& sleeper;        // the waits after hanging up
  MessageSink& messages;
  ExistingUserFetcher& fetcher;
};

class UserTypePageModel {
 public:
  // `app` (records, settings, run-wide flags) is borrowed for the model's life.
  explicit UserTypePageModel(InstallerApp& app) : app_(app) {}

  // "Nuevo usuario de Marvella" chosen (also the first state): a new registration, so the
  // personal-data page is asked to start from empty identity boxes.
  void ChooseNewUser();
  // "Usuario actual de Marvella" chosen.
  void ChooseExistingUser();
  // False once the record says existing user ("alta" "0").
  bool IsNewUser() const;

  // "&Obtener datos": checks the identifier and password, goes on line, fetches the user's
  // data (and account) into the records and hangs up. Every outcome is shown to the user.
  void Fetch(const UserTypeEntries& entries, FetchServices& services);

  // Next: true lets the wizard move on (the flow makes the redirect of a fetched account).
  bool Next(const UserTypeEntries& entries, MessageSink& messages);

  // The page is left forward or destroyed: a line still held is hung up.
  void Release(RasOperations& ras, Sleeper& sleeper);
  RasConnHandle Connection() const { return connection_; }

 private:
  InstallerApp& app_;
  RasConnHandle connection_ = 0;  // 0 when not on line
};

}  // namespace marvella
