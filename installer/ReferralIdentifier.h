// The identifier of a recommending friend, carried in the installer's own file name
// ("install-juan.exe" sends "juan").
#pragma once

#include <string>
#include <string_view>

namespace marvella {

// The referral identifier keeps at most this many characters.
constexpr size_t kMaxReferralIdentifier = 127;

// The program's path as the command line gives it: its first token, quoted or not.
std::string FirstCommandLineToken(std::string_view commandLine);

// The text between the first "-" and the last "." of the file name of `programPath`; empty
// when either is missing or the "-" comes after the ".". Cut to kMaxReferralIdentifier.
std::string ReferralIdentifierOf(std::string_view programPath);

}  // namespace marvella
