// Dialler choice and its bounded parameters.
#include "monitor/DiallerCommand.h"

#include "common/BoundedText.h"

namespace marvella {

void ChooseDiallerCommand(bool isNt, const char* commandLine, DiallerCommand& command) {
  const char* entry = commandLine ? commandLine : "";
  if (isNt) {
    command.program = "rasphone.exe";
    CopyBounded(command.parameters, entry);
  } else {
    command.program = "rundll32.exe";
    CopyBounded(command.parameters, "rnaui.dll,RnaDial ");
    AppendBounded(command.parameters, entry);
  }
}

}  // namespace marvella
