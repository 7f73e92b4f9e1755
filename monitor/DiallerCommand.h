// Which system dialler the monitor starts for the user's entry.
#pragma once

namespace marvella {

// The program and its parameters. The parameters hold at most 199 characters; a longer
// entry name is cut (181 characters fit on the Windows 9x path, 199 on NT).
struct DiallerCommand {
  const char* program;
  char parameters[200];
};

// NT dials with "rasphone.exe <entry>"; Windows 9x (and an unknown system) with
// "rundll32.exe rnaui.dll,RnaDial <entry>". commandLine is the entry name as the shortcut
// passes it, unparsed.
void ChooseDiallerCommand(bool isNt, const char* commandLine, DiallerCommand& command);

}  // namespace marvella
