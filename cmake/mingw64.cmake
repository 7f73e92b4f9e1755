# Cross toolchain: 64-bit Windows. Only the test tree (preset win64) uses it, on machines
# that run no 32-bit code; the kit ships 32-bit.
set(MARVELLA_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
