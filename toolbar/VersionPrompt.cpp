// The offer of a newer toolbar.
#include "toolbar/VersionPrompt.h"

#include <atomic>

namespace marvella {

namespace {
// Process-wide: browser windows on other threads complete documents too.
std::atomic<bool> g_promptRunning{false};
// The decimal number a version text begins with, as digit runs: the whole part without
// its leading zeros and the fraction without its trailing ones, so equal numbers have
// equal runs.
struct DecimalText {
  bool negative = false;
  const char* whole = "";
  std::size_t wholeLength = 0;
  const char* fraction = "";
  std::size_t fractionLength = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

DecimalText ReadDecimal(const char* text) {
  DecimalText number;
  if (!text) return number;
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  const char* whole = p;
  while (IsDigit(*p)) ++p;
  const char* wholeEnd = p;
  const char* fraction = p;
  const char* fractionEnd = p;
  if (*p == '.' && (wholeEnd > whole || IsDigit(p[1]))) {
    fraction = ++p;
    while (IsDigit(*p)) ++p;
    fractionEnd = p;
  }
  if (wholeEnd == whole && fractionEnd == fraction) return number;  // no number at all
  while (whole < wholeEnd && *whole == '0') ++whole;
  while (fractionEnd > fraction && fractionEnd[-1] == '0') --fractionEnd;
  number.whole = whole;
  number.wholeLength = static_cast<std::size_t>(wholeEnd - whole);
  number.fraction = fraction;
  number.fractionLength = static_cast<std::size_t>(fractionEnd - fraction);
  // Minus zero is zero.
  number.negative = negative && (number.wholeLength > 0 || number.fractionLength > 0);
  return number;
}

// Orders the sizes of two numbers, signs aside.
int CompareMagnitudes(const DecimalText& a, const DecimalText& b) {
  if (a.wholeLength != b.wholeLength) return a.wholeLength < b.wholeLength ? -1 : 1;
  for (std::size_t i = 0; i < a.wholeLength; ++i) {
    if (a.whole[i] != b.whole[i]) return a.whole[i] < b.whole[i] ? -1 : 1;
  }
  std::size_t common = a.fractionLength < b.fractionLength ? a.fractionLength : b.fractionLength;
  for (std::size_t i = 0; i < common; ++i) {
    if (a.fraction[i] != b.fraction[i]) return a.fraction[i] < b.fraction[i] ? -1 : 1;
  }
  // The longer fraction ends in a digit other than zero, so it is the larger.
  if (a.fractionLength != b.fractionLength) return a.fractionLength < b.fractionLength ? -1 : 1;
  return 0;
}

}  // namespace

int CompareVersions(const char* a, const char* b) {
  DecimalText x = ReadDecimal(a);
  DecimalText y = ReadDecimal(b);
  if (x.negative != y.negative) return x.negative ? -1 : 1;
  int magnitude = CompareMagnitudes(x, y);
  return x.negative ? -magnitude : magnitude;
}

bool ShouldOfferVersion(const char* lastVersion, const char* lastAsked) {
  if (CompareVersions(lastVersion, kToolbarVersion) <= 0) return false;
  return CompareVersions(lastAsked, lastVersion) != 0;
}

void RunVersionPrompt(const char* lastVersion, const char* lastVersionUrl,
                      SettingsStore& settings, VersionPromptHost& host) {
  // No download page (none given, or refused as no web page): nothing to offer.
  if (!lastVersionUrl || !*lastVersionUrl) return;
  if (g_promptRunning.exchange(true)) return;
  char asked[kVersionTextCapacity] = "";
  bool wasAsked = settings.Read("LastAskedVersion", asked, sizeof asked);
  if (ShouldOfferVersion(lastVersion, wasAsked ? asked : nullptr)) {
    if (host.AskToDownload()) host.Navigate(lastVersionUrl);
    settings.Write("LastAskedVersion", lastVersion);
  }
  g_promptRunning.store(false);
}

}  // namespace marvella
