// WinINet downloads.
#include "toolbar/win32/WinInetFetcher.h"

#include "toolbar/HttpBody.h"
#include "toolbar/PageText.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace marvella {

namespace {

// A request handle closed on every way out.
class Request {
 public:
  explicit Request(HINTERNET handle) : handle_(handle) {}
  ~Request() {
    if (handle_) InternetCloseHandle(handle_);
  }
  Request(const Request&) = delete;
  Request& operator=(const Request&) = delete;
  HINTERNET get() const { return handle_; }

 private:
  HINTERNET handle_;
};

// A header as text, in the 32-byte buffer the toolbar has always used. 1: read; 0: the
// header is absent; -1: any other failure (for example a value too long for the buffer).
int QueryHeader(HINTERNET request, DWORD which, char (&text)[32]) {
  DWORD length = sizeof text;
  DWORD index = 0;
  std::memset(text, 0, sizeof text);
  if (HttpQueryInfoA(request, which, text, &length, &index)) {
    text[sizeof text - 1] = '\0';
    return 1;
  }
  return GetLastError() == ERROR_HTTP_HEADER_NOT_FOUND ? 0 : -1;
}

int Number(const char* text) { return LeadingNumber(text, text + std::strlen(text)); }

class RequestBody : public BodySource {
 public:
  explicit RequestBody(HINTERNET request) : request_(request) {}
  bool Read(char* buffer, std::size_t size, std::size_t* got) override {
    DWORD read = 0;
    if (!InternetReadFile(request_, buffer, static_cast<DWORD>(size), &read)) return false;
    *got = read;
    return true;
  }

 private:
  HINTERNET request_;
};

bool OnLine(const char* url) {
  DWORD flags = 0;
  if (!InternetGetConnectedState(&flags, 0)) return false;
  if (InternetCheckConnectionA(url, 0, 0)) return true;
  // The plain check pings the host; a host that drops pings is not off line, and Wine's
  // check cannot succeed at all. Asking for a connection settles it.
  return InternetCheckConnectionA(url, FLAG_ICC_FORCE_CONNECTION, 0) != FALSE;
}

}  // namespace

bool DownloadToMemory(HINTERNET internet, const char* url, char** bytes, DWORD* size) {
  *bytes = nullptr;
  *size = 0;
  if (!internet || !OnLine(url)) return false;
  Request request(InternetOpenUrlA(
      internet, url, nullptr, 0,
      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, 0));
  if (!request.get()) return false;

  char text[32];
  if (QueryHeader(request.get(), HTTP_QUERY_STATUS_CODE, text) != 1 || Number(text) >= 300)
    return false;
  int lengthHeader = QueryHeader(request.get(), HTTP_QUERY_CONTENT_LENGTH, text);
  std::size_t expected;
  if (lengthHeader < 0 || !ExpectedBodySize(lengthHeader == 1, text, &expected)) return false;
  RequestBody body(request.get());
  std::size_t got;
  if (!ReadBody(body, expected, lengthHeader == 1, bytes, &got)) return false;
  *size = static_cast<DWORD>(got);
  return true;
}

void FreeDownload(char* bytes) { std::free(bytes); }

bool DownloadToFile(HINTERNET internet, const char* url, const char* destination) {
  char* bytes;
  DWORD size;
  if (!DownloadToMemory(internet, url, &bytes, &size)) return false;

  char directory[MAX_PATH];
  char temporary[MAX_PATH];
  DWORD length = GetTempPathA(sizeof directory, directory);
  if (length == 0 || length >= sizeof directory ||
      GetTempFileNameA(directory, "TNB", 0, temporary) == 0) {
    FreeDownload(bytes);
    return false;
  }
  bool written = false;
  if (std::FILE* file = std::fopen(temporary, "w+b")) {
    written = size > 0 && std::fwrite(bytes, 1, size, file) == size;
    if (std::fclose(file) != 0) written = false;
  }
  FreeDownload(bytes);

  bool replaced = false;
  if (written) {
    replaced = CopyFileA(temporary, destination, FALSE) != FALSE;
    if (!replaced) {
      // A destination the copy will not overwrite (a hidden file, say) is deleted and
      // copied anew.
      DeleteFileA(destination);
      replaced = CopyFileA(temporary, destination, FALSE) != FALSE;
    }
  }
  DeleteFileA(temporary);
  return replaced;
}

InternetHandle WinInetFetcher::OpenInternet(const char* agent, const char* proxy) {
  return InternetOpenA(agent, proxy ? INTERNET_OPEN_TYPE_PROXY : INTERNET_OPEN_TYPE_PRECONFIG,
                       proxy, nullptr, 0);
}

void WinInetFetcher::CloseInternet(InternetHandle handle) {
  InternetCloseHandle(static_cast<HINTERNET>(handle));
}

bool WinInetFetcher::DownloadToFile(InternetHandle handle, const char* url,
                                    const char* destination) {
  return marvella::DownloadToFile(static_cast<HINTERNET>(handle), url, destination);
}

}  // namespace marvella
