// devservice: the Marvella reference service as a program. Starts on loopback, prints its
// addresses, keeps its data across restarts, stops cleanly on SIGINT/SIGTERM; can detach
// (--background) once ready, stop an instance (--stop) and drive its admin endpoint (--ctl).
#include <httplib.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "devservice/Options.h"
#include "devservice/Service.h"

namespace {

using devservice::Options;

// Creates DIR and its parents.
bool MakeDirs(const std::string& dir) {
  std::string path;
  std::size_t start = 0;
  while (start <= dir.size()) {
    std::size_t slash = dir.find('/', start);
    path = dir.substr(0, slash);
    if (!path.empty() && mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  struct stat st;
  return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Absolute(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char cwd[4096];
  if (!getcwd(cwd, sizeof cwd)) return path;
  return std::string(cwd) + "/" + path;
}

bool WriteFileAtomically(const std::string& path, const std::string& text) {
  std::string temp = path + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  ok = std::fclose(f) == 0 && ok;
  return ok && std::rename(temp.c_str(), path.c_str()) == 0;
}

std::string ReadFile(const std::string& path) {
  std::string text;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return text;
  char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
  std::fclose(f);
  return text;
}

// Value of KEY=VALUE in an info file.
std::string InfoValue(const std::string& info, const std::string& key) {
  std::size_t at = 0;
  while (at < info.size()) {
    std::size_t nl = info.find('\n', at);
    std::string line = info.substr(at, nl == std::string::npos ? std::string::npos : nl - at);
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    if (nl == std::string::npos) break;
    at = nl + 1;
  }
  return std::string();
}

// The data directory's lock: held by the running instance for its whole life, so it is
// also how --stop knows whether one runs, whatever the pid file says.
int OpenLock(const Options& o) {
  return open((o.dataDir + "/devservice.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
}

bool TryLock(int fd) { return flock(fd, LOCK_EX | LOCK_NB) == 0; }

// 0: stopped cleanly; 1: had to be killed or would not stop; 3: none was running.
int StopInstance(const Options& o, bool quiet) {
  if (!MakeDirs(o.dataDir)) {
    std::fprintf(stderr, "devservice: no data directory %s\n", o.dataDir.c_str());
    return 3;
  }
  int fd = OpenLock(o);
  if (fd < 0) {
    std::fprintf(stderr, "devservice: cannot open the lock in %s: %s\n", o.dataDir.c_str(),
                 std::strerror(errno));
    return 1;
  }
  if (TryLock(fd)) {
    close(fd);
    if (!quiet) std::fprintf(stderr, "devservice: no instance running on %s\n", o.dataDir.c_str());
    return 3;
  }
  long pid = std::atol(ReadFile(o.dataDir + "/devservice.pid").c_str());
  if (pid <= 1 || kill(static_cast<pid_t>(pid), SIGTERM) != 0) {
    std::fprintf(stderr, "devservice: the instance on %s left no usable pid file\n",
                 o.dataDir.c_str());
    close(fd);
    return 1;
  }
  auto deadline = std::chrono::steady_clock::now() +
                  std::chrono::milliseconds(static_cast<long>(o.stopTimeout * 1000));
  while (!TryLock(fd)) {
    if (std::chrono::steady_clock::now() > deadline) {
      std::fprintf(stderr, "devservice: pid %ld did not stop in time; killing it\n", pid);
      kill(static_cast<pid_t>(pid), SIGKILL);
      while (!TryLock(fd)) std::this_thread::sleep_for(std::chrono::milliseconds(20));
      close(fd);
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  close(fd);
  if (!quiet)
    std::printf("devservice: stopped the instance on %s (pid %ld)\n", o.dataDir.c_str(), pid);
  return 0;
}

// "set mail=3 tokens=5" -> GET /admin/set?mail=3&tokens=5 on the instance's web server.
int Ctl(const Options& o) {
  std::string info = ReadFile(o.infoFile);
  long port = std::atol(InfoValue(info, "MARVELLA_DEVSERVICE_HTTP_PORT").c_str());
  std::string host = InfoValue(info, "MARVELLA_DEVSERVICE_HOST");
  if (port <= 0 || host.empty()) {
    std::fprintf(stderr, "devservice: no running instance described in %s\n", o.infoFile.c_str());
    return 1;
  }
  std::string command;
  std::string query;
  std::size_t at = 0;
  while (at <= o.ctl.size()) {
    std::size_t blank = o.ctl.find(' ', at);
    std::string word =
        o.ctl.substr(at, blank == std::string::npos ? std::string::npos : blank - at);
    if (command.empty()) {
      command = word;
    } else if (!word.empty()) {
      std::size_t eq = word.find('=');
      std::string key = word.substr(0, eq);
      std::string value = eq == std::string::npos ? "1" : word.substr(eq + 1);
      query += (query.empty() ? "?" : "&") + httplib::detail::encode_query_param(key) + "=" +
               httplib::detail::encode_query_param(value);
    }
    if (blank == std::string::npos) break;
    at = blank + 1;
  }
  httplib::Client client(host, static_cast<int>(port));
  client.set_connection_timeout(5);
  client.set_read_timeout(10);
  auto res = client.Get(("/admin/" + command + query).c_str());
  if (!res) {
    std::fprintf(stderr, "devservice: no answer from %s:%ld\n", host.c_str(), port);
    return 1;
  }
  std::fwrite(res->body.data(), 1, res->body.size(), stdout);
  return res->status == 200 ? 0 : 1;
}

// Closes every descriptor above standard error except the two kept.
void CloseInheritedFiles(int keep1, int keep2) {
  std::vector<int> open;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (dirent* entry = readdir(dir)) {
      int fd = std::atoi(entry->d_name);
      if (fd > 2 && fd != keep1 && fd != keep2 && fd != dirfd(dir)) open.push_back(fd);
    }
    closedir(dir);
  } else {
    for (int fd = 3; fd < 1024; ++fd) {
      if (fd != keep1 && fd != keep2) open.push_back(fd);
    }
  }
  for (int fd : open) close(fd);
}

// Tells the waiting parent how the start went (background mode), then lets it go.
void Report(int pipeFd, const std::string& text) {
  if (pipeFd < 0) return;
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(pipeFd, text.data() + done, text.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
}

int Run(Options o) {
  o.dataDir = Absolute(o.dataDir);
  if (!MakeDirs(o.dataDir)) {
    std::fprintf(stderr, "devservice: cannot create %s: %s\n", o.dataDir.c_str(),
                 std::strerror(errno));
    return 1;
  }
  int lock = OpenLock(o);
  if (lock < 0) {
    std::fprintf(stderr, "devservice: cannot open the lock in %s: %s\n", o.dataDir.c_str(),
                 std::strerror(errno));
    return 1;
  }
  if (!TryLock(lock)) {
    if (!o.replace) {
      std::fprintf(stderr, "devservice: another instance is using %s (--replace stops it)\n",
                   o.dataDir.c_str());
      return 1;
    }
    StopInstance(o, true);
    if (!TryLock(lock)) {
      std::fprintf(stderr, "devservice: the instance on %s would not stop\n", o.dataDir.c_str());
      return 1;
    }
  }
  // From here on the pid file is ours: one left by an earlier instance must not lead a
  // --stop that comes before ours is written to some unrelated process.
  std::remove((o.dataDir + "/devservice.pid").c_str());
  if (o.fresh) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
      std::remove((o.service.dbPath + suffix).c_str());
    }
  }

  // Background: the parent waits on a pipe until the child has both ports (or failed),
  // so whoever started us can use the addresses as soon as we return.
  int readyFd = -1;
  if (o.background) {
    int fds[2];
    if (pipe(fds) != 0) {
      std::perror("devservice: pipe");
      return 1;
    }
    std::fflush(nullptr);
    pid_t child = fork();
    if (child < 0) {
      std::perror("devservice: fork");
      return 1;
    }
    if (child > 0) {
      close(fds[1]);
      std::string answer;
      char chunk[512];
      ssize_t n;
      while ((n = read(fds[0], chunk, sizeof chunk)) > 0)
        answer.append(chunk, static_cast<std::size_t>(n));
      close(fds[0]);
      if (answer.rfind("OK\n", 0) == 0) {
        std::fputs(answer.c_str() + 3, stdout);
        return 0;
      }
      std::fprintf(
          stderr, "%s",
          answer.empty() ? "devservice: the service ended during start-up\n" : answer.c_str());
      int status = 0;
      waitpid(child, &status, WNOHANG);
      return 1;
    }
    close(fds[0]);
    readyFd = fds[1];
    setsid();
    // Nobody reads our terminal any more: standard output and error go to the log file,
    // and nothing inherited may keep the starter's pipes open (ctest waits for them).
    int devnull = open("/dev/null", O_RDWR);
    int logFd = open(o.logFile == "-" ? (o.dataDir + "/devservice.log").c_str() : o.logFile.c_str(),
                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (devnull >= 0) dup2(devnull, 0);
    if (logFd >= 0) {
      dup2(logFd, 1);
      dup2(logFd, 2);
    } else if (devnull >= 0) {
      dup2(devnull, 1);
      dup2(devnull, 2);
    }
    CloseInheritedFiles(readyFd, lock);
    o.logFile = "-";
  }

  std::FILE* logFile = stderr;
  if (o.logFile != "-") {
    logFile = std::fopen(o.logFile.c_str(), "a");
    if (!logFile) {
      std::string why =
          "devservice: cannot open log " + o.logFile + ": " + std::strerror(errno) + "\n";
      std::fputs(why.c_str(), stderr);
      Report(readyFd, why);
      return 1;
    }
  }
  o.service.log = logFile;

  // Signals are taken by this thread alone (sigtimedwait below): block them before the
  // service starts its threads, which inherit the mask.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  devservice::Service service(o.service);
  std::string error;
  if (!service.Start(&error)) {
    std::string why = "devservice: " + error + "\n";
    std::fputs(why.c_str(), stderr);
    Report(readyFd, why);
    return 1;
  }
  const std::string& host = o.service.listenAddress;
  std::string url = "http://" + host + ":" + std::to_string(service.HttpPort());
  std::string info;
  info += "MARVELLA_DEVSERVICE_HOST=" + host + "\n";
  info += "MARVELLA_DEVSERVICE_USER_PORT=" + std::to_string(service.UserPort()) + "\n";
  info += "MARVELLA_DEVSERVICE_HTTP_PORT=" + std::to_string(service.HttpPort()) + "\n";
  info += "MARVELLA_DEVSERVICE_URL=" + url + "\n";
  info += "MARVELLA_DEVSERVICE_DATA=" + o.dataDir + "\n";
  info += "MARVELLA_DEVSERVICE_PID=" + std::to_string(getpid()) + "\n";
  std::string pidFile = o.dataDir + "/devservice.pid";
  if (!WriteFileAtomically(pidFile, std::to_string(getpid()) + "\n") ||
      !WriteFileAtomically(o.infoFile, info)) {
    std::string why = "devservice: cannot write " + o.infoFile + " or " + pidFile + "\n";
    std::fputs(why.c_str(), stderr);
    Report(readyFd, why);
    service.Stop();
    return 1;
  }
  std::string banner =
      "devservice: user server " + host + ":" + std::to_string(service.UserPort()) + "\n" +
      "devservice: web server  " + url + "/\n" + "devservice: data        " + o.service.dbPath +
      "\n" + "devservice: info        " + o.infoFile + " (pid " + std::to_string(getpid()) + ")\n";
  std::fputs(banner.c_str(), stdout);
  std::fflush(stdout);
  Report(readyFd, "OK\n" + banner);
  if (readyFd >= 0) close(readyFd);

  int signalNumber = 0;
  if (o.maxLifetime > 0) {
    auto seconds = static_cast<long>(o.maxLifetime);
    timespec limit{seconds, static_cast<long>((o.maxLifetime - seconds) * 1e9)};
    while ((signalNumber = sigtimedwait(&stopSignals, nullptr, &limit)) < 0 && errno == EINTR) {
    }
  } else {
    while (sigwait(&stopSignals, &signalNumber) != 0) {
    }
  }
  service.Stop();
  std::remove(pidFile.c_str());
  std::remove(o.infoFile.c_str());
  std::fprintf(stdout, "devservice: stopped (%s)\n",
               signalNumber > 0 ? strsignal(signalNumber) : "maximum lifetime reached");
  std::fflush(stdout);
  if (logFile != stderr) std::fclose(logFile);
  close(lock);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string error;
  if (!devservice::ParseOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "devservice: %s\n", error.c_str());
    return 2;
  }
  switch (options.action) {
    case devservice::Action::Help:
      std::fputs(devservice::HelpText().c_str(), stdout);
      return 0;
    case devservice::Action::Version:
      std::puts("devservice 1.0 (Marvella reference service)");
      return 0;
    case devservice::Action::Stop:
      return StopInstance(options, false);
    case devservice::Action::Ctl:
      return Ctl(options);
    case devservice::Action::Run:
      break;
  }
  return Run(options);
}
