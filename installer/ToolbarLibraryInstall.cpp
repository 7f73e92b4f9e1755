// Copy and silent registration of the toolbar library.
#include "installer/ToolbarLibraryInstall.h"

#include "common/PathText.h"

namespace marvella {
namespace {

constexpr char kLibraryName[] = "tandem.dll";
constexpr size_t kMaxPath = 259;  // what the system's file calls take

}  // namespace

bool InstallToolbarLibrary(ToolbarLibraryPlatform& platform) {
  std::string program = platform.ProgramPath();
  std::string source = DirectoryOf(program);
  if (source == program) source.clear();  // no folder: the current one
  source += kLibraryName;
  std::string system = platform.SystemDirectory();
  if (system.empty()) return false;
  std::string destination = system + "\\" + kLibraryName;
  std::string registrar = system + "\\regsvr32.exe";
  if (destination.size() > kMaxPath || registrar.size() > kMaxPath) return false;
  if (platform.CopyReplacing(source, destination)) platform.SetArchiveOnly(destination);
  if (!platform.CanRead(destination) || !platform.CanRead(registrar)) return false;
  // The tool by its full path, not whichever "regsvr32.exe" a search finds first; the
  // library's path quoted, so a folder with blanks stays one argument.
  return platform.Start(registrar, "\"" + destination + "\" /s");
}

}  // namespace marvella
