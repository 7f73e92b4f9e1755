# Cross toolchain: 32-bit Windows, the kit as it ships (preset windows).
set(MARVELLA_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
