# The portable core as 32-bit x86 Linux code (preset native32): the shipped kit's widths
# and its x87 floating point (operands held at 80 bits in registers, stored at 64), which
# 64-bit code never shows. Debian's multilib compilers; libraries from its i386 packages.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(MARVELLA_NATIVE32 ON CACHE BOOL "The portable core built as 32-bit code" FORCE)
