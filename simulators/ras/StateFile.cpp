// The state file's lock is the file itself, opened without sharing: a second opener waits.
#include "simulators/ras/StateFile.h"

namespace marvella::rassim {

namespace {

class LockedFile {
 public:
  explicit LockedFile(const std::string& path) {
    for (DWORD waited = 0; waited < 20000; waited += 2) {
      handle_ = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle_ != INVALID_HANDLE_VALUE) return;
      DWORD error = GetLastError();
      if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
          error != ERROR_LOCK_VIOLATION)
        return;
      Sleep(2);
    }
  }
  ~LockedFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }

  std::string Read() {
    std::string text;
    DWORD size = GetFileSize(handle_, nullptr);
    if (size == INVALID_FILE_SIZE || size == 0) return text;
    text.resize(size);
    DWORD got = 0;
    if (!ReadFile(handle_, &text[0], size, &got, nullptr)) got = 0;
    text.resize(got);
    return text;
  }

  void Write(const std::string& text) {
    SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    DWORD written = 0;
    WriteFile(handle_, text.data(), DWORD(text.size()), &written, nullptr);
    SetEndOfFile(handle_);
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

std::string StatePath() {
  char path[MAX_PATH];
  DWORD n = GetEnvironmentVariableA(kStateVariable, path, sizeof path);
  if (n > 0 && n < sizeof path) return path;
  UINT w = GetWindowsDirectoryA(path, MAX_PATH);
  if (w == 0 || w >= MAX_PATH) return "C:\\marvella-ras-state.txt";
  return std::string(path, w) + "\\marvella-ras-state.txt";
}

bool UpdateState(const std::function<void(SimState&)>& change) {
  LockedFile file(StatePath());
  if (!file.ok()) return false;
  SimState state = ParseState(file.Read());
  change(state);
  file.Write(FormatState(state));
  return true;
}

bool ReadState(SimState& state) {
  LockedFile file(StatePath());
  if (!file.ok()) return false;
  state = ParseState(file.Read());
  return true;
}

bool WriteStateText(const std::string& text) {
  LockedFile file(StatePath());
  if (!file.ok()) return false;
  file.Write(text);
  return true;
}

}  // namespace marvella::rassim
