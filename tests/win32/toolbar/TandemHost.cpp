// A stand-in for the programs that load tandem.dll: copied under the name of the host it
// plays (iexplore.exe, explorer.exe) and run as
//   host.exe OUTPUT LIBRARY COMMAND...
// load: "loaded" or "refused"; register / unregister: the export's result in hex.
// Each answer is a line of OUTPUT.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  FILE* out = std::fopen(argv[1], "w");
  if (!out) return 2;
  HMODULE library = nullptr;
  for (int i = 3; i < argc; ++i) {
    const char* command = argv[i];
    if (std::strcmp(command, "load") == 0) {
      library = LoadLibraryA(argv[2]);
      std::fprintf(out, "%s\n", library ? "loaded" : "refused");
    } else {
      const char* exportName = std::strcmp(command, "register") == 0     ? "DllRegisterServer"
                               : std::strcmp(command, "unregister") == 0 ? "DllUnregisterServer"
                                                                         : nullptr;
      FARPROC entry = library && exportName ? GetProcAddress(library, exportName) : nullptr;
      if (!entry) {
        std::fprintf(out, "%s: no entry\n", command);
        continue;
      }
      HRESULT result = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(entry))();
      std::fprintf(out, "%s %08lx\n", command, static_cast<unsigned long>(result));
    }
    std::fflush(out);
  }
  std::fclose(out);
  return 0;
}
