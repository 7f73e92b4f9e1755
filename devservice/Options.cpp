// Options of the devservice program.
#include "devservice/Options.h"

#include <cstdlib>
#include <cstring>

namespace devservice {

namespace {

const char kUsage[] =
    "Usage: devservice [OPTION...]                   start the service (foreground)\n"
    "       devservice --background [OPTION...]      start it detached, once it is ready\n"
    "       devservice --stop [--data-dir DIR]       stop the instance using DIR\n"
    "       devservice [--data-dir DIR] --ctl COMMAND [KEY=VALUE...]\n"
    "                                                use a running instance's admin endpoint\n"
    "\n"
    "The Marvella reference service for development, demos and tests: the user server\n"
    "(the sign-up line protocol) and the portal web server, on loopback. It prints its\n"
    "addresses, keeps its data in DATA-DIR across restarts and stops cleanly on SIGINT or\n"
    "SIGTERM. One log line per conversation and per request goes to standard error.\n"
    "\n";

struct OptionHelp {
  const char* name;
  const char* argument;
  const char* help;
};

const OptionHelp kOptions[] = {
    {"--listen", "ADDR", "IPv4 address to serve on (default 127.0.0.1)"},
    {"--user-port", "PORT", "user-server port (default 6667; 0: any free port)"},
    {"--http-port", "PORT", "web-server port (default 8080; 0: any free port)"},
    {"--public-host", "HOST[:PORT]", "host the pages and accounts link to (default: as addressed)"},
    {"--data-dir", "DIR",
     "where data, lock, pid, info and background log live\n"
     "(default $XDG_DATA_HOME/marvella-devservice or\n"
     "~/.local/share/marvella-devservice)"},
    {"--db", "FILE", "the SQLite data file (default DATA-DIR/devservice.db)"},
    {"--info-file", "FILE",
     "where the addresses are written as KEY=VALUE lines for tests\n"
     "and --ctl (default DATA-DIR/devservice.env)"},
    {"--log", "FILE",
     "append the log to FILE instead of standard error\n"
     "(--background: default DATA-DIR/devservice.log)"},
    {"--background", "", "detach once both servers are ready; print the addresses and exit"},
    {"--replace", "", "stop an instance already using DATA-DIR first"},
    {"--fresh", "", "start with empty data (deletes the data file)"},
    {"--max-lifetime", "SECONDS", "stop by itself after this long (default 0: never)"},
    {"--stop", "",
     "stop the instance using DATA-DIR; exit 0 when it stopped cleanly,\n"
     "3 when none was running"},
    {"--stop-timeout", "SECONDS", "how long --stop and --replace wait (default 10)"},
    {"--ctl", "COMMAND [K=V...]",
     "send COMMAND to the admin endpoint of the instance in\n"
     "DATA-DIR and print the answer (must come last):\n"
     "  status                      figures, values and faults\n"
     "  set mail=N tokens=N pagpers=URL lastversion=V banner=N\n"
     "  fault scope=user|http kind=KIND [count=N ...]\n"
     "  fault scope=user|http clear=1\n"
     "  visits | accounts | user userid=ID | reset"},
    {"--threads", "N", "user-server threads (default: one per core)"},
    {"--http-threads", "N", "web requests served at once (default 32)"},
    {"--max-connections", "N", "user-server connections at once; more are closed (default 1024)"},
    {"--idle-timeout", "SECONDS", "close a user-server connection idle this long (default 60)"},
    {"--max-line", "BYTES", "longest command line accepted (default 16384)"},
    {"--mail-domain", "DOMAIN", "mail domain of new accounts (default marvella.es)"},
    {"--access-number", "NUMBER", "access number given to new accounts (default 908000000)"},
    {"--dns1", "ADDR", "first name server of new accounts (default 192.0.2.53)"},
    {"--dns2", "ADDR", "second name server of new accounts (default 192.0.2.54)"},
    {"--smtp", "HOST", "outgoing mail server of new accounts (default smtp.MAIL-DOMAIN)"},
    {"--mail-count", "N", "new mails shown in the WEBMAIL field (default 0)"},
    {"--tokens", "N", "tokens shown in the TOKENS field (default 100)"},
    {"--pagpers", "URL", "PAGPERS field (default: the visiting user's personal page)"},
    {"--last-version", "V", "LastVersion of the bookmarks file (default 1.01)"},
    {"--banner", "N", "always serve banner N (default 0: rotate)"},
    {"--bookmarks", "FILE", "serve FILE as /tandem/tnbbookm.ini instead of the built-in one"},
    {"--busy", "", "answer BUSY to every USERINFO (same as --user-fault busy)"},
    {"--user-fault", "RULE", "a user-server fault rule for the whole run (repeatable)"},
    {"--http-fault", "RULE", "a web-server fault rule for the whole run (repeatable)"},
    {"--help", "", "show this text"},
    {"--version", "", "show the version"},
};

const char kTail[] =
    "\n"
    "Fault rules (RULE is KIND[,KEY=VALUE...]; KEY: count, command (user) or path (web),\n"
    "delay (ms), pieces, size (bytes), code):\n"
    "  user: split delay silence close oversize garbage busy oklater\n"
    "  web:  404 500 status nolength longlength shortlength slow reset drop pad\n"
    "  e.g. --user-fault split,command=USERINFO,delay=300  --http-fault nolength,size=70000\n"
    "A single web request can name its own fault: ?fault=KIND[&fault_delay=MS...].\n"
    "\n"
    "Web pages: /cgi-bin/mailtand (banner and TOKENS, PAGPERS, WEBMAIL), /tandem/tnbbookm.ini,\n"
    "/banners/bannerN.jpg, /cgi-bin/hitlog, /cgi-bin/logon, /cgi-bin/gohome, /webmail/,\n"
    "/usuarios/ID/, / and the portal sections; /admin/... (loopback only) as for --ctl.\n";

bool Number(const std::string& text, long min, long max, long* out) {
  if (text.empty()) return false;
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || value < min || value > max) return false;
  *out = value;
  return true;
}

bool Seconds(const std::string& text, double* out) {
  if (text.empty()) return false;
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !(value >= 0) || value > 1e7) return false;
  *out = value;
  return true;
}

}  // namespace

std::string DefaultDataDir() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg) return std::string(xdg) + "/marvella-devservice";
  const char* home = std::getenv("HOME");
  if (home && *home) return std::string(home) + "/.local/share/marvella-devservice";
  return "devservice-data";
}

std::string HelpText() {
  std::string text = kUsage;
  text += "Options:\n";
  for (const OptionHelp& o : kOptions) {
    std::string head =
        std::string("  ") + o.name + (*o.argument ? std::string(" ") + o.argument : "");
    text += head;
    // The help may run over several lines; each continues under the first.
    std::string help = o.help;
    std::size_t column = head.size();
    bool firstLine = true;
    std::size_t start = 0;
    while (start <= help.size()) {
      std::size_t nl = help.find('\n', start);
      std::string line =
          help.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
      if (firstLine && column < 30) {
        text.append(30 - column, ' ');
      } else {
        text += "\n";
        text.append(30, ' ');
      }
      text += line;
      firstLine = false;
      if (nl == std::string::npos) break;
      start = nl + 1;
    }
    text += "\n";
  }
  text += kTail;
  return text;
}

bool ParseOptions(int argc, char** argv, Options* options, std::string* error) {
  Options o;
  ServiceConfig& s = o.service;
  bool smtpGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::string value;
    bool hasValue = false;
    std::size_t eq = arg.find('=');
    if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
      hasValue = true;
    }
    const OptionHelp* option = nullptr;
    for (const OptionHelp& candidate : kOptions) {
      if (arg == candidate.name) option = &candidate;
    }
    if (!option) {
      *error = "unknown option '" + arg + "' (see --help)";
      return false;
    }
    if (arg == "--ctl") {
      o.action = Action::Ctl;
      if (hasValue) o.ctl = value;
      for (++i; i < argc; ++i) o.ctl += (o.ctl.empty() ? "" : " ") + std::string(argv[i]);
      if (o.ctl.empty()) {
        *error = "--ctl needs a command (see --help)";
        return false;
      }
      break;
    }
    bool takesValue = *option->argument != '\0';
    if (takesValue && !hasValue) {
      if (i + 1 >= argc) {
        *error = arg + " needs a value";
        return false;
      }
      value = argv[++i];
    } else if (!takesValue && hasValue) {
      *error = arg + " takes no value";
      return false;
    }
    long n = 0;
    bool ok = true;
    if (arg == "--listen") {
      s.listenAddress = value;
    } else if (arg == "--user-port") {
      ok = Number(value, 0, 65535, &n);
      s.userPort = static_cast<std::uint16_t>(n);
    } else if (arg == "--http-port") {
      ok = Number(value, 0, 65535, &n);
      s.httpPort = static_cast<std::uint16_t>(n);
    } else if (arg == "--public-host") {
      s.publicHost = value;
    } else if (arg == "--data-dir") {
      o.dataDir = value;
    } else if (arg == "--db") {
      s.dbPath = value;
    } else if (arg == "--info-file") {
      o.infoFile = value;
    } else if (arg == "--log") {
      o.logFile = value;
    } else if (arg == "--background") {
      o.background = true;
    } else if (arg == "--replace") {
      o.replace = true;
    } else if (arg == "--fresh") {
      o.fresh = true;
    } else if (arg == "--max-lifetime") {
      ok = Seconds(value, &o.maxLifetime);
    } else if (arg == "--stop") {
      o.action = Action::Stop;
    } else if (arg == "--stop-timeout") {
      ok = Seconds(value, &o.stopTimeout);
    } else if (arg == "--threads") {
      ok = Number(value, 1, 256, &n);
      s.threads = static_cast<int>(n);
    } else if (arg == "--http-threads") {
      ok = Number(value, 1, 1024, &n);
      s.httpThreads = static_cast<int>(n);
    } else if (arg == "--max-connections") {
      ok = Number(value, 1, 1000000, &n);
      s.limits.maxConnections = static_cast<std::size_t>(n);
    } else if (arg == "--idle-timeout") {
      double seconds = 0;
      ok = Seconds(value, &seconds) && seconds > 0;
      s.limits.idleTimeout = std::chrono::milliseconds(static_cast<long>(seconds * 1000));
    } else if (arg == "--max-line") {
      ok = Number(value, 64, 16 * 1024 * 1024, &n);
      s.limits.maxLine = static_cast<std::size_t>(n);
    } else if (arg == "--mail-domain") {
      s.account.mailDomain = value;
    } else if (arg == "--access-number") {
      s.account.accessNumber = value;
    } else if (arg == "--dns1") {
      s.account.dns1 = value;
    } else if (arg == "--dns2") {
      s.account.dns2 = value;
    } else if (arg == "--smtp") {
      s.account.smtp = value;
      smtpGiven = true;
    } else if (arg == "--mail-count" || arg == "--tokens" || arg == "--pagpers" ||
               arg == "--last-version" || arg == "--banner") {
      LiveSettings check;
      check.Put(s.live);
      std::string key = arg == "--mail-count"     ? "mail"
                        : arg == "--last-version" ? "lastversion"
                                                  : arg.substr(2);
      ok = check.Set(key, value, error);
      if (!ok) return false;
      s.live = check.Get();
    } else if (arg == "--bookmarks") {
      s.bookmarks = value;
    } else if (arg == "--busy") {
      Fault f;
      ParseFault(FaultScope::User, "busy", &f, error);
      s.faults.emplace_back(FaultScope::User, f);
    } else if (arg == "--user-fault" || arg == "--http-fault") {
      FaultScope scope = arg == "--user-fault" ? FaultScope::User : FaultScope::Http;
      Fault f;
      if (!ParseFault(scope, value, &f, error)) {
        *error = arg + ": " + *error;
        return false;
      }
      s.faults.emplace_back(scope, f);
    } else if (arg == "--help") {
      o.action = Action::Help;
    } else if (arg == "--version") {
      o.action = Action::Version;
    }
    if (!ok) {
      *error = "bad value '" + value + "' for " + arg;
      return false;
    }
  }
  if (!smtpGiven) s.account.smtp = "smtp." + s.account.mailDomain;
  if (o.dataDir.empty()) o.dataDir = DefaultDataDir();
  if (s.dbPath.empty()) s.dbPath = o.dataDir + "/devservice.db";
  if (o.infoFile.empty()) o.infoFile = o.dataDir + "/devservice.env";
  if (o.logFile.empty()) o.logFile = o.background ? o.dataDir + "/devservice.log" : "-";
  *options = o;
  return true;
}

}  // namespace devservice
