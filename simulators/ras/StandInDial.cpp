// The common part of the rasphone.exe and rundll32.exe stand-ins.
#include "simulators/ras/StandInDial.h"

#include <windows.h>
#include <ras.h>

#include <cstring>

#include "simulators/ras/StateFile.h"

namespace marvella::rassim {

void RunStandInDialler(const char* program, const char* commandLine, const std::string& entry) {
  UpdateState([&](SimState& state) {
    JournalRecord record;
    record.function = program;
    record.Add("cmdline", commandLine).Add("entry", entry);
    state.journal.push_back(record.Format());
  });
  if (entry.empty() || entry.size() > RAS_MaxEntryName) return;

  RASDIALPARAMSA params{};
  params.dwSize = kDialParamsSize;
  std::memcpy(params.szEntryName, entry.data(), entry.size());
  BOOL password = FALSE;
  if (RasGetEntryDialParamsA(nullptr, &params, &password) != 0) return;
  HRASCONN connection = nullptr;
  if (RasDialA(nullptr, nullptr, &params, 0, nullptr, &connection) != 0 && connection)
    RasHangUpA(connection);
}

}  // namespace marvella::rassim
