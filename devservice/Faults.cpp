// Fault rules of the reference service.
#include "devservice/Faults.h"

#include <cstdlib>

namespace devservice {

namespace {

struct KindName {
  FaultKind kind;
  FaultScope scope;
  const char* name;
};

const KindName kKinds[] = {
    {FaultKind::Split, FaultScope::User, "split"},
    {FaultKind::Delay, FaultScope::User, "delay"},
    {FaultKind::Silence, FaultScope::User, "silence"},
    {FaultKind::Close, FaultScope::User, "close"},
    {FaultKind::Oversize, FaultScope::User, "oversize"},
    {FaultKind::Garbage, FaultScope::User, "garbage"},
    {FaultKind::Busy, FaultScope::User, "busy"},
    {FaultKind::OkLater, FaultScope::User, "oklater"},
    {FaultKind::Status, FaultScope::Http, "status"},
    {FaultKind::NoLength, FaultScope::Http, "nolength"},
    {FaultKind::LongLength, FaultScope::Http, "longlength"},
    {FaultKind::ShortLength, FaultScope::Http, "shortlength"},
    {FaultKind::Slow, FaultScope::Http, "slow"},
    {FaultKind::Reset, FaultScope::Http, "reset"},
    {FaultKind::Drop, FaultScope::Http, "drop"},
    {FaultKind::Pad, FaultScope::Http, "pad"},
};

// A whole decimal number in [min, max].
bool ParseNumber(const std::string& text, long min, long max, long* out) {
  std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
  if (i == text.size() || text.size() > 10) return false;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  long value = std::strtol(text.c_str(), nullptr, 10);
  if (value < min || value > max) return false;
  *out = value;
  return true;
}

void Defaults(Fault* f) {
  switch (f->kind) {
    case FaultKind::Split:
      f->pieces = 2;
      f->delayMs = 200;
      break;
    case FaultKind::Delay:
      f->delayMs = 500;
      break;
    case FaultKind::Oversize:
      f->size = 70000;
      break;
    case FaultKind::Slow:
      f->pieces = 10;
      f->delayMs = 100;
      break;
    default:
      break;
  }
}

}  // namespace

const char* FaultKindName(FaultKind kind) {
  for (const KindName& k : kKinds) {
    if (k.kind == kind) return k.name;
  }
  return "none";
}

bool ParseFault(FaultScope scope, const std::vector<std::pair<std::string, std::string>>& params,
                Fault* fault, std::string* error) {
  Fault f;
  bool sawKind = false;
  for (const auto& [key, value] : params) {
    if (key != "kind") continue;
    sawKind = true;
    long code = 0;
    if (scope == FaultScope::Http && ParseNumber(value, 100, 599, &code)) {
      f.kind = FaultKind::Status;
      f.status = static_cast<int>(code);
      break;
    }
    for (const KindName& k : kKinds) {
      if (k.scope == scope && value == k.name) f.kind = k.kind;
    }
    if (f.kind == FaultKind::None) {
      *error = "unknown fault kind '" + value + "'";
      return false;
    }
  }
  if (!sawKind) {
    *error = "no fault kind given";
    return false;
  }
  int status = f.status;
  Defaults(&f);
  f.status = status;
  if (f.kind == FaultKind::Status && f.status == 0) f.status = 500;
  for (const auto& [key, value] : params) {
    long n = 0;
    if (key == "kind") {
      continue;
    } else if (key == "count") {
      if (!ParseNumber(value, -1, 1000000, &n) || n == 0) {
        *error = "count must be a positive number or -1";
        return false;
      }
      f.count = static_cast<int>(n);
    } else if (key == "command" && scope == FaultScope::User) {
      f.match = value;
    } else if (key == "path" && scope == FaultScope::Http) {
      f.match = value;
    } else if (key == "delay") {
      if (!ParseNumber(value, 0, 600000, &n)) {
        *error = "delay must be 0 to 600000 ms";
        return false;
      }
      f.delayMs = static_cast<int>(n);
    } else if (key == "pieces") {
      if (!ParseNumber(value, 1, 1000, &n)) {
        *error = "pieces must be 1 to 1000";
        return false;
      }
      f.pieces = static_cast<int>(n);
    } else if (key == "size") {
      if (!ParseNumber(value, 0, 16 * 1024 * 1024, &n)) {
        *error = "size must be 0 to 16777216 bytes";
        return false;
      }
      f.size = static_cast<std::size_t>(n);
    } else if (key == "code" && f.kind == FaultKind::Status) {
      if (!ParseNumber(value, 100, 599, &n)) {
        *error = "code must be an HTTP status";
        return false;
      }
      f.status = static_cast<int>(n);
    } else {
      *error = "unknown fault key '" + key + "'";
      return false;
    }
  }
  // BUSY and OK-LATER only mean something as answers to USERINFO.
  if ((f.kind == FaultKind::Busy || f.kind == FaultKind::OkLater) && f.match.empty()) {
    f.match = "USERINFO";
  }
  *fault = f;
  return true;
}

bool ParseFault(FaultScope scope, std::string_view rule, Fault* fault, std::string* error) {
  std::vector<std::pair<std::string, std::string>> params;
  std::size_t start = 0;
  bool first = true;
  while (start <= rule.size()) {
    std::size_t comma = rule.find(',', start);
    std::string_view part = rule.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (first) {
      params.emplace_back("kind", std::string(part));
      first = false;
    } else {
      std::size_t eq = part.find('=');
      if (eq == std::string_view::npos || eq == 0) {
        *error = "expected key=value, got '" + std::string(part) + "'";
        return false;
      }
      params.emplace_back(std::string(part.substr(0, eq)), std::string(part.substr(eq + 1)));
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return ParseFault(scope, params, fault, error);
}

void Faults::Add(FaultScope scope, const Fault& fault) {
  std::lock_guard<std::mutex> lock(mutex_);
  (scope == FaultScope::User ? user_ : http_).push_back(fault);
}

void Faults::Clear(FaultScope scope) {
  std::lock_guard<std::mutex> lock(mutex_);
  (scope == FaultScope::User ? user_ : http_).clear();
}

Fault Faults::Take(FaultScope scope, std::string_view match) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<Fault>& rules = scope == FaultScope::User ? user_ : http_;
  for (auto it = rules.begin(); it != rules.end(); ++it) {
    if (!it->match.empty() && it->match != match) continue;
    Fault taken = *it;
    if (it->count > 0 && --it->count == 0) rules.erase(it);
    return taken;
  }
  return Fault();
}

std::string Faults::Describe() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string text;
  for (int s = 0; s < 2; ++s) {
    for (const Fault& f : s == 0 ? user_ : http_) {
      text += s == 0 ? "fault user " : "fault http ";
      text += FaultKindName(f.kind);
      if (f.kind == FaultKind::Status) text += " code=" + std::to_string(f.status);
      if (!f.match.empty()) text += (s == 0 ? " command=" : " path=") + f.match;
      text += " count=" + std::to_string(f.count);
      if (f.delayMs) text += " delay=" + std::to_string(f.delayMs);
      if (f.pieces) text += " pieces=" + std::to_string(f.pieces);
      if (f.size) text += " size=" + std::to_string(f.size);
      text += "\n";
    }
  }
  return text;
}

}  // namespace devservice
