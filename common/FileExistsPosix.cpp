// FileExists for the native build: an existing regular file that opens for reading.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/PathText.h"

namespace marvella {

bool FileExists(const char* path) {
  int fd = open(path, O_RDONLY);
  if (fd < 0) return false;
  struct stat st;
  bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  close(fd);
  return regular;
}

}  // namespace marvella
