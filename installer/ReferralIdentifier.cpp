// Referral identifier from the program's file name.
#include "installer/ReferralIdentifier.h"

#include <algorithm>

#include "common/PathText.h"

namespace marvella {

std::string FirstCommandLineToken(std::string_view commandLine) {
  size_t i = 0;
  while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
  if (i < commandLine.size() && commandLine[i] == '"') {
    size_t close = commandLine.find('"', i + 1);
    return std::string(commandLine.substr(
        i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1));
  }
  size_t end = commandLine.find_first_of(" \t", i);
  return std::string(commandLine.substr(i, end == std::string_view::npos ? end : end - i));
}

std::string ReferralIdentifierOf(std::string_view programPath) {
  if (programPath.empty()) return std::string();
  std::string name = FileNameOf(programPath);
  size_t dash = name.find('-');
  size_t dot = name.rfind('.');
  if (dash == std::string::npos || dot == std::string::npos || dash > dot) return std::string();
  return name.substr(dash + 1, std::min(dot - dash - 1, kMaxReferralIdentifier));
}

}  // namespace marvella
