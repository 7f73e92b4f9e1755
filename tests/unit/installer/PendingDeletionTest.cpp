// Taking a reinstalled file off the lists of deletions that wait for a restart: only its
// deletions go; other lines, other files' deletions and renames stay whole.
#include <gtest/gtest.h>

#include <string>

#include "installer/PendingDeletion.h"

namespace marvella {
namespace {

using Drop = std::size_t (*)(char*, std::size_t, const char*);

std::string Filtered(Drop drop, std::string list, const char* path) {
  return list.substr(0, drop(&list[0], list.size(), path));
}

TEST(PendingDeletion, OnlyTheReinstalledFilesDeletionsLeaveTheLists) {
  using namespace std::string_literals;
  const struct {
    Drop drop;
    std::string list, path, kept;
  } cases[] = {
      {DropWininitDeletion, "NUL=C:\\WINDOWS\\MARVELLA.EXE\0"s, "C:\\WINDOWS\\MARVELLA.EXE", ""s},
      {DropWininitDeletion,
       "NUL=C:\\WINDOWS\\SYSTEM\\OTRO.DLL\0nul=c:\\windows\\marvella.exe\0"
       "C:\\NUEVO.TXT=C:\\VIEJO.TXT\0NUL=C:\\WINDOWS\\MARVELLA.EXE\0"s,
       "C:\\WINDOWS\\MARVELLA.EXE",
       "NUL=C:\\WINDOWS\\SYSTEM\\OTRO.DLL\0C:\\NUEVO.TXT=C:\\VIEJO.TXT\0"s},
      // A longer name that starts with the file's is another file; a last line without its
      // zero is still read.
      {DropWininitDeletion, "NUL=C:\\WINDOWS\\MARVELLA.EXE.BAK\0NUL=C:\\WINDOWS\\MARVELLA.EXE"s,
       "C:\\WINDOWS\\MARVELLA.EXE", "NUL=C:\\WINDOWS\\MARVELLA.EXE.BAK\0"s},
      {DropPendingDeletion,
       "\\??\\C:\\WINNT\\marvella.exe\0\0\\??\\C:\\a.tmp\0\\??\\C:\\b.tmp\0"
       "\\??\\C:\\WINNT\\system32\\otro.dll\0\0"s,
       "C:\\WINNT\\Marvella.exe",
       "\\??\\C:\\a.tmp\0\\??\\C:\\b.tmp\0\\??\\C:\\WINNT\\system32\\otro.dll\0\0"s},
      // Renamed onto or from the file: not a deletion, left alone.
      {DropPendingDeletion, "\\??\\C:\\WINNT\\marvella.exe\0\\??\\C:\\WINNT\\m.old\0"s,
       "C:\\WINNT\\marvella.exe", "\\??\\C:\\WINNT\\marvella.exe\0\\??\\C:\\WINNT\\m.old\0"s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    EXPECT_EQ(c.kept, Filtered(c.drop, c.list, c.path.c_str()));
  }
}

}  // namespace
}  // namespace marvella
