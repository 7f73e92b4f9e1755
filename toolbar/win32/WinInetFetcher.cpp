// WinINet downloads.
#include "toolbar/win32/WinInetFetcher.h"

#include "common/MonotonicClock.h"
#include "common/win32/Owned.h"
#include "toolbar/HttpBody.h"
#include "toolbar/PageText.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace marvella {

namespace {

// One worker serves every window's downloads: no wait of it may be long. WinINet's own
// time-outs are minutes (or none), so each step is bounded here: connecting, sending, each
// wait for data; and a server that trickles its body within those waits is dropped once
// the whole transfer has taken kTransferSeconds.
constexpr DWORD kConnectSeconds = 20;
constexpr DWORD kSendSeconds = 20;
constexpr DWORD kReceiveSeconds = 20;
constexpr std::uint32_t kTransferSeconds = 120;

void SetTimeOuts(HINTERNET handle) {
  const struct {
    DWORD option;
    DWORD seconds;
  } timeOuts[] = {{INTERNET_OPTION_CONNECT_TIMEOUT, kConnectSeconds},
                  {INTERNET_OPTION_SEND_TIMEOUT, kSendSeconds},
                  {INTERNET_OPTION_RECEIVE_TIMEOUT, kReceiveSeconds},
                  {INTERNET_OPTION_DATA_SEND_TIMEOUT, kSendSeconds},
                  {INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, kReceiveSeconds}};
  for (const auto& t : timeOuts) {
    DWORD milliseconds = t.seconds * 1000;
    // A system that knows fewer options keeps its own for those.
    InternetSetOptionA(handle, t.option, &milliseconds, sizeof milliseconds);
  }
}

// Sessions and requests.
using OwnedInternet = Owned<HINTERNET, &InternetCloseHandle>;

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

bool Abandoned(const DownloadTerms& terms) {
  return terms.abandoned && terms.abandoned->load(std::memory_order_acquire);
}

// Reads only what has arrived, so that each read waits for data at most one receive
// time-out (a read of more waits until it is all there), and stops between reads once the
// client has gone or the transfer has taken too long.
class RequestBody : public BodySource {
 public:
  RequestBody(HINTERNET request, const DownloadTerms& terms, std::uint32_t started)
      : request_(request), terms_(terms), started_(started) {}
  bool Read(char* buffer, std::size_t size, std::size_t* got) override {
    *got = 0;
    if (Abandoned(terms_) || MonotonicMs() - started_ > kTransferSeconds * 1000) return false;
    DWORD available = 0;
    if (!InternetQueryDataAvailable(request_, &available, 0, 0)) return false;
    if (available == 0) return true;  // the end of the data
    if (available < size) size = available;
    DWORD read = 0;
    if (!InternetReadFile(request_, buffer, static_cast<DWORD>(size), &read)) return false;
    *got = read;
    return true;
  }

 private:
  HINTERNET request_;
  const DownloadTerms& terms_;
  std::uint32_t started_;
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

bool DownloadToMemory(HINTERNET internet, const char* url, const DownloadTerms& terms, char** bytes,
                      DWORD* size) {
  *bytes = nullptr;
  *size = 0;
  std::uint32_t started = MonotonicMs();
  if (!internet || !OnLine(url) || Abandoned(terms)) return false;
  OwnedInternet request(InternetOpenUrlA(
      internet, url, nullptr, 0,
      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, 0));
  if (!request.Get()) return false;
  SetTimeOuts(request.Get());  // for the body too, whatever the session passed on

  char text[32];
  if (QueryHeader(request.Get(), HTTP_QUERY_STATUS_CODE, text) != 1 || Number(text) >= 300)
    return false;
  int lengthHeader = QueryHeader(request.Get(), HTTP_QUERY_CONTENT_LENGTH, text);
  std::size_t expected;
  if (lengthHeader < 0 || !ExpectedBodySize(lengthHeader == 1, text, terms.largestBody, &expected))
    return false;
  RequestBody body(request.Get(), terms, started);
  std::size_t got;
  if (!ReadBody(body, expected, lengthHeader == 1, bytes, &got)) return false;
  *size = static_cast<DWORD>(got);
  return true;
}

void FreeDownload(char* bytes) { std::free(bytes); }

bool DownloadToFile(HINTERNET internet, const char* url, const char* destination,
                    const DownloadTerms& terms) {
  char* bytes;
  DWORD size;
  if (!DownloadToMemory(internet, url, terms, &bytes, &size)) return false;

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
  HINTERNET session = InternetOpenA(
      agent, proxy ? INTERNET_OPEN_TYPE_PROXY : INTERNET_OPEN_TYPE_PRECONFIG, proxy, nullptr, 0);
  if (session) SetTimeOuts(session);  // passed on to the connections made with it
  return session;
}

void WinInetFetcher::CloseInternet(InternetHandle handle) {
  OwnedInternet session(static_cast<HINTERNET>(handle));  // the queue's last user has gone
}

bool WinInetFetcher::DownloadToFile(InternetHandle handle, const char* url, const char* destination,
                                    const DownloadTerms& terms) {
  return marvella::DownloadToFile(static_cast<HINTERNET>(handle), url, destination, terms);
}

}  // namespace marvella
