// Command line of the devservice program: every option, its help text and its parsing.
#pragma once

#include <string>
#include <vector>

#include "devservice/Service.h"

namespace devservice {

enum class Action { Run, Stop, Ctl, Help, Version };

struct Options {
  Action action = Action::Run;
  ServiceConfig service;  // dbPath filled from dataDir unless --db
  std::string dataDir;    // holds the data file, lock, pid, info and background log
  std::string infoFile;   // addresses for tests and --ctl; default DATA-DIR/devservice.env
  std::string logFile;    // "-" (default): standard error
  bool background = false;
  bool replace = false;
  bool fresh = false;
  double maxLifetime = 0;  // seconds; 0: until stopped
  double stopTimeout = 10;
  std::string ctl;  // --ctl COMMAND [key=value...]
};

// Parses argv; on failure returns false with a one-line reason.
bool ParseOptions(int argc, char** argv, Options* options, std::string* error);

// The --help text, every option with its default.
std::string HelpText();

// DATA-DIR default: $XDG_DATA_HOME/marvella-devservice, else ~/.local/share/...
std::string DefaultDataDir();

}  // namespace devservice
