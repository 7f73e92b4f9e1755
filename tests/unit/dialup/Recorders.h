// Test doubles of the page's progress box and waits: they keep what they are given; and
// the entries the dial tests write.
#pragma once

#include <string>
#include <vector>

#include "common/ProgressSink.h"
#include "common/Sleeper.h"
#include "dialup/DialEntry.h"
#include "dialup/SignUpDial.h"

namespace marvella::test {

class RecordingSleeper : public Sleeper {
 public:
  void Sleep(unsigned ms) override { waits.push_back(ms); }
  std::vector<unsigned> waits;
};

class RecordingProgress : public ProgressSink {
 public:
  void AppendProgressLine(const char* line) override { lines.push_back(line); }
  std::vector<std::string> lines;
};

// The sign-up entry of the dial tests; each test changes what it looks at.
inline SignUpEntrySettings AltaEntry() {
  SignUpEntrySettings s;
  s.entryName = "Marvella Alta";
  s.dialPrefix = "0";
  s.accessNumber = "909123456";
  s.userName = "alta";
  s.password = "alta";
  s.primaryDns = "10.0.0.1";
  s.secondaryDns = "10.0.0.2";
  s.deviceType = "modem";
  s.deviceName = "Módem estándar";
  return s;
}

// A user's entry with its own logon over the standard modem.
inline DialEntrySettings UserEntry(const char* name, const char* phone, const char* user,
                                   const char* password) {
  DialEntrySettings e;
  e.entryName = name;
  e.phoneNumber = phone;
  e.userName = user;
  e.password = password;
  e.primaryDns = "194.179.1.100";
  e.secondaryDns = "194.179.1.101";
  e.deviceType = "modem";
  e.deviceName = "Módem estándar";
  return e;
}

}  // namespace marvella::test
