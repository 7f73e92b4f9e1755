# Build-wide settings and the helpers every subsystem uses to add libraries and tests.
include_guard(GLOBAL)

option(MARVELLA_WERROR "Treat warnings as errors" OFF)
set(MARVELLA_SANITIZE "" CACHE STRING "Native sanitizers for the unit tests (address,undefined / thread)")
option(MARVELLA_FUZZ "Build only the libFuzzer targets (clang), run briefly as tests" OFF)
set(MARVELLA_FUZZ_SECONDS 15 CACHE STRING "How long each fuzzer runs as a test")

# GoogleTest: the Debian package natively, its source package for the Windows and 32-bit
# trees (the package's library is 64-bit).
option(MARVELLA_NATIVE32 "The portable core built as 32-bit code (preset native32)" OFF)
if(MARVELLA_WINDOWS OR MARVELLA_NATIVE32)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Our own flags come after GoogleTest so that they apply to our code only.
# Narrow texts are the system's own, in code page 1252, in both trees.
# (clang cannot convert; only the fuzz tree uses it, and fuzzers do not compare texts.)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(
    $<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8>
    $<$<COMPILE_LANGUAGE:C,CXX>:-fexec-charset=CP1252>)
endif()
add_compile_options(
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wall>
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wextra>)
# No build paths in the Windows binaries (__FILE__, debug information): the kit is the
# same bytes wherever the tree stands.
if(MARVELLA_WINDOWS)
  add_compile_options(
    $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>
    $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>)
endif()
if(MARVELLA_WERROR)
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-Werror>)
endif()

if(MARVELLA_WINDOWS)
  # Windows 95/NT 4 era headers; the legacy structure layouts are declared by hand where needed.
  add_compile_definitions(WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400 WIN32_LEAN_AND_MEAN NOMINMAX)
  # The 64-bit test tree (preset win64) may relax what holds only for the 32-bit kit.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_compile_definitions(MARVELLA_TEST_TREE_64=1)
  else()
    add_compile_definitions(MARVELLA_TEST_TREE_64=0)
  endif()
  # Library assertions on (bounds of operator[] and friends abort). It also makes std::string
  # instantiate in our own objects, built without exceptions, instead of coming from the
  # library's copy, which would pull in the exception runtime (see LeanRuntime.cpp).
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  # Static runtime: the kit must run on a bare Windows 95 with nothing but system DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # .rc sources are UTF-8 like the C++ ones: their preprocessor output is turned into CP1252.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --preprocessor=${CMAKE_SOURCE_DIR}/scripts/rc-preprocess")
  set(MARVELLA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  # The tree's programs run under the Wine of their width. Debian's 32-bit Wine loader is a
  # 32-bit Linux program, and some machines run none: there the 32-bit tree builds and
  # checks the deliverables, and the same tests run in the 64-bit tree (preset win64).
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(MARVELLA_WINE_ARCH win64)
    set(MARVELLA_WINE_TESTS ON)
  else()
    set(MARVELLA_WINE_ARCH win32)
    execute_process(COMMAND /lib/ld-linux.so.2 --version RESULT_VARIABLE runs32
                    OUTPUT_QUIET ERROR_QUIET)
    if(runs32 EQUAL 0)
      set(MARVELLA_WINE_TESTS ON)
    else()
      set(MARVELLA_WINE_TESTS OFF)
      message(STATUS "This machine runs no 32-bit programs: the Wine tests of this tree are "
                     "built but not registered; run them in the win64 tree")
    endif()
  endif()
  # Per-tree wrappers: test discovery starts programs before any test property applies,
  # so the prefix is written into the wrapper itself.
  foreach(kind wine-run wine-run-gui)
    file(WRITE ${CMAKE_BINARY_DIR}/${kind}
      "#!/bin/sh\n: \"\${WINEPREFIX:=${MARVELLA_WINEPREFIX}}\"\nMARVELLA_WINE_ARCH=${MARVELLA_WINE_ARCH}\nexport WINEPREFIX MARVELLA_WINE_ARCH\nexec ${CMAKE_SOURCE_DIR}/scripts/${kind} \"$@\"\n")
    file(CHMOD ${CMAKE_BINARY_DIR}/${kind} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endforeach()
  set(MARVELLA_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
  set(MARVELLA_WINE_RUN_GUI ${CMAKE_BINARY_DIR}/wine-run-gui)
  # The prefix is made by the build, never by a test: the first Wine start is slow.
  add_custom_command(OUTPUT ${MARVELLA_WINEPREFIX}/.marvella-ready
    COMMAND ${CMAKE_COMMAND} -E env MARVELLA_WINE_ARCH=${MARVELLA_WINE_ARCH}
            ${CMAKE_SOURCE_DIR}/scripts/wine-prefix ${MARVELLA_WINEPREFIX}
    COMMENT "Preparing the Wine prefix" VERBATIM)
  add_custom_target(wineprefix ALL DEPENDS ${MARVELLA_WINEPREFIX}/.marvella-ready)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MARVELLA_WINE_RUN})
  # Every binary the tests start lands in one folder, so the Wine tests find their peers.
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
elseif(MARVELLA_FUZZ)
  # Everything is instrumented for coverage; only the fuzzers link libFuzzer's main.
  # Product code has no RTTI, which UBSan's vptr check needs: that one check is off.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize=vptr
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(MARVELLA_SANITIZE)
  add_compile_options(-fsanitize=${MARVELLA_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${MARVELLA_SANITIZE})
  if(MARVELLA_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize=vptr)  # product code has no RTTI for it to check
  endif()
endif()

set(MARVELLA_SCREENSHOT_DIR ${CMAKE_BINARY_DIR}/screenshots)

# The 32-bit tree's tests run as they are where the machine runs 32-bit programs, and
# under qemu's user-mode emulator where it does not (MARVELLA_NATIVE32_EMULATE=ON forces
# the emulator, to try that path on any machine).
set(MARVELLA_NATIVE32_RUNNER "")
if(MARVELLA_NATIVE32)
  option(MARVELLA_NATIVE32_EMULATE "Run the 32-bit tree's tests under qemu-i386" OFF)
  execute_process(COMMAND /lib/ld-linux.so.2 --version RESULT_VARIABLE runs32
                  OUTPUT_QUIET ERROR_QUIET)
  if(MARVELLA_NATIVE32_EMULATE OR NOT runs32 EQUAL 0)
    find_program(MARVELLA_QEMU_I386 qemu-i386 REQUIRED)
    set(MARVELLA_NATIVE32_RUNNER ${MARVELLA_QEMU_I386})
    message(STATUS "The 32-bit tests run under ${MARVELLA_QEMU_I386}")
  endif()
endif()

# Sections per function, so the linker drops what nothing calls. Not per variable with
# MinGW: its GCC gives a zero-filled variable of its own section a ".data$" name, so every
# such array would take its size in the file instead of living in .bss.
# The 32-bit kit also leaves out unwind tables: nothing in it throws, and its setjmp and
# longjmp go by the stack's own frames, not by these tables (the 64-bit tree keeps them:
# longjmp there unwinds through them).
if(MARVELLA_WINDOWS)
  set(MARVELLA_SECTION_FLAGS -ffunction-sections)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    list(APPEND MARVELLA_SECTION_FLAGS -fno-asynchronous-unwind-tables -fno-unwind-tables)
  endif()
else()
  set(MARVELLA_SECTION_FLAGS -ffunction-sections -fdata-sections)
endif()

# The 32-bit kit's link script: the linker's own, with the unwind tables that the MinGW
# runtime's objects still bring (a few KB, kept whole by the default script) discarded.
# Nothing reads them: there are no exceptions, and the runtime's start-up code, which hands
# them to a libgcc DLL should the process have one, passes none when there are none, which
# libgcc ignores. Made from the installed linker's script, so it follows the toolchain.
if(MARVELLA_WINDOWS AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  execute_process(COMMAND ${CMAKE_LINKER} --verbose OUTPUT_VARIABLE _ld_verbose)
  string(REGEX MATCH "\n=+\n(.*)\n=+\n" _ld_found "${_ld_verbose}")
  set(_ld_script "${CMAKE_MATCH_1}")
  set(_eh_block "  .eh_frame BLOCK(__section_alignment__) :\n  {\n    KEEP(*(.eh_frame*))\n  }\n")
  string(FIND "${_ld_script}" "${_eh_block}" _eh_at)
  string(FIND "${_ld_script}" "  /DISCARD/ :\n  {\n" _discard_at)
  if(_eh_at GREATER -1 AND _discard_at GREATER -1)
    string(REPLACE "${_eh_block}" "" _ld_script "${_ld_script}")
    string(REPLACE "  /DISCARD/ :\n  {\n" "  /DISCARD/ :\n  {\n    *(.eh_frame*)\n"
           _ld_script "${_ld_script}")
    # The runtime's initialiser tables (.CRT, 48 bytes) and TLS template (.tls, 8 bytes) go
    # into .data, each in a 512-byte block of its own otherwise: 1 KB of every binary. The
    # template stays first, where section-relative TLS references expect it (the kit has
    # no thread-local variables; the runtime's template is its two markers). The TLS
    # support's own table markers (.CRT$XD*), which the script does not name, go with them.
    string(REGEX MATCH "  \\.CRT BLOCK\\(__section_alignment__\\) :\n  {\n([^}]*)  }\n" _crt "${_ld_script}")
    set(_crt_body "${CMAKE_MATCH_1}")
    string(REGEX MATCH "  \\.tls BLOCK\\(__section_alignment__\\) :\n  {\n([^}]*)  }\n" _tls "${_ld_script}")
    set(_tls_body "${CMAKE_MATCH_1}")
    set(_data_head "  .data BLOCK(__section_alignment__) :\n  {\n    __data_start__ = . ;\n")
    string(FIND "${_ld_script}" "${_data_head}" _data_at)
    if(_crt AND _tls AND _data_at GREATER -1)
      string(REPLACE "${_crt}" "" _ld_script "${_ld_script}")
      string(REPLACE "${_tls}" "" _ld_script "${_ld_script}")
      string(REPLACE "${_data_head}"
             "  .data BLOCK(__section_alignment__) :\n  {\n${_tls_body}${_crt_body}    KEEP (*(SORT(.CRT$XD*)))\n    __data_start__ = . ;\n"
             _ld_script "${_ld_script}")
    else()
      message(WARNING "The linker's script has no .CRT, .tls or .data block as expected: "
                      "they stay sections of their own")
    endif()
    set(MARVELLA_KIT_LINK_SCRIPT ${CMAKE_BINARY_DIR}/kit.ld)
    # Written only when it changes: the kit depends on it, and a new time on the same
    # script would relink all three at every configure.
    set(_ld_old "")
    if(EXISTS ${MARVELLA_KIT_LINK_SCRIPT})
      file(READ ${MARVELLA_KIT_LINK_SCRIPT} _ld_old)
    endif()
    if(NOT _ld_old STREQUAL "${_ld_script}\n")
      file(WRITE ${MARVELLA_KIT_LINK_SCRIPT} "${_ld_script}\n")
    endif()
  else()
    message(WARNING "The linker's script has no .eh_frame block as expected: the kit keeps "
                    "the runtime's unwind tables")
  endif()
endif()

# Flags of the shipped binaries: small, no exceptions or RTTI in product code.
# The shipped binaries link the lean runtime (cmake/runtime/LeanRuntime.cpp): no exception
# or threads runtime, so no imports that old Windows lacks. Function-local statics are not
# guarded (-fno-threadsafe-statics) for the same reason: threads in the kit never race to
# initialise one.
function(marvella_product_target target)
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti -fno-threadsafe-statics>
    $<$<COMPILE_LANGUAGE:C,CXX>:${MARVELLA_SECTION_FLAGS}>)
  if(MARVELLA_WINDOWS)
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/runtime/LeanRuntime.cpp)
    # No link time stamp: two builds of one commit give the same bytes.
    target_link_options(${target} PRIVATE -Wl,--gc-sections -s -Wl,--no-insert-timestamp
                        -Wl,-Map=${CMAKE_BINARY_DIR}/maps/${target}.map)
    if(MARVELLA_KIT_LINK_SCRIPT)
      target_link_options(${target} PRIVATE -Wl,-T,${MARVELLA_KIT_LINK_SCRIPT})
      set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${MARVELLA_KIT_LINK_SCRIPT})
    endif()
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/maps)
    # A program is always loaded at its preferred base (Windows 95 and NT 4 know no other
    # way), so its relocations are dead weight: some 6 KB of install.exe, 1 KB of
    # marvella.exe. A DLL keeps them: another module may hold its base.
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_link_options(${target} PRIVATE -Wl,--disable-dynamicbase -Wl,--disable-reloc-section)
    endif()
  endif()
endfunction()

# A portable or Win32 library of product code.
#   marvella_library(<name> SOURCES ... [LIBS ...] [INCLUDE_DIR dir])
function(marvella_library name)
  cmake_parse_arguments(L "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(L_LIBS)
    target_link_libraries(${name} PUBLIC ${L_LIBS})
  endif()
  target_compile_options(${name} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>
    $<$<COMPILE_LANGUAGE:C,CXX>:${MARVELLA_SECTION_FLAGS}>)
endfunction()

# A GoogleTest program. Portable tests are built in both trees: natively they run as they
# are, on Windows builds under Wine through the cross-compiling emulator.
#   marvella_gtest(<name> SOURCES ... [LIBS ...] [NATIVE_ONLY] [WINDOWS_ONLY] [GUI]
#                  [ENV VAR=value ...] [LABELS ...] [TIMEOUT s] [DEPENDS target ...]
#                  [DEVSERVICE fixture])
# GUI tests run under their own Xvfb display. ENV lets a test pick a Windows version
# (MARVELLA_WINVER=win95|win98|winme|nt40|win2k) or DLL overrides (MARVELLA_DLLOVERRIDES).
# DEVSERVICE runs the tests with the reference service of that fixture (declared with
# marvella_devservice_fixture, devservice/DevServiceFixture.cmake) and its addresses in
# the environment (MARVELLA_DEVSERVICE_USER_PORT, MARVELLA_DEVSERVICE_HTTP_PORT, ...).
function(marvella_gtest name)
  cmake_parse_arguments(T "NATIVE_ONLY;WINDOWS_ONLY;GUI" "TIMEOUT;DEVSERVICE"
                        "SOURCES;LIBS;ENV;LABELS;DEPENDS" ${ARGN})
  if((T_NATIVE_ONLY AND MARVELLA_WINDOWS) OR (T_WINDOWS_ONLY AND NOT MARVELLA_WINDOWS))
    return()
  endif()
  if(MARVELLA_FUZZ)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest marvella_gtest_main)
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  if(MARVELLA_WINDOWS AND NOT MARVELLA_WINE_TESTS)
    return()
  endif()
  set(env "MARVELLA_SOURCE_DIR=${CMAKE_SOURCE_DIR}" "MARVELLA_BINARY_DIR=${CMAKE_BINARY_DIR}"
          "MARVELLA_SCREENSHOT_DIR=${MARVELLA_SCREENSHOT_DIR}" ${T_ENV})
  set(labels ${T_LABELS})
  set(extra)
  set(runner)
  if(MARVELLA_WINDOWS)
    target_link_options(${name} PRIVATE -mconsole)
    list(APPEND labels wine)
    set(runner ${MARVELLA_WINE_RUN})
    if(T_GUI)
      set(runner ${MARVELLA_WINE_RUN_GUI})
      list(APPEND labels gui)
      # Window tests share the prefix's one display and one window list: one at a time.
      set(extra FIXTURES_REQUIRED screenshots RESOURCE_LOCK wine-display)
    endif()
    list(APPEND env "WINEPREFIX=${MARVELLA_WINEPREFIX}" "MARVELLA_WINE_ARCH=${MARVELLA_WINE_ARCH}")
  else()
    list(APPEND labels native)
    set(runner ${MARVELLA_NATIVE32_RUNNER})
  endif()
  # The test environment travels in a small launcher: gtest_discover_tests passes each list
  # element of a property on its own, so an ENVIRONMENT list would keep only its first entry.
  # For the same reason the labels are joined into one ("wine-gui"); ctest -L takes a regex.
  list(JOIN labels "-" label)
  set(launcher ${CMAKE_CURRENT_BINARY_DIR}/${name}.run)
  set(script "#!/bin/sh\n")
  foreach(kv IN LISTS env)
    # Split at the first "=" only: values such as "rasapi32=n" carry their own.
    string(FIND "${kv}" "=" eq)
    string(SUBSTRING "${kv}" 0 ${eq} key)
    math(EXPR eq "${eq} + 1")
    string(SUBSTRING "${kv}" ${eq} -1 value)
    string(APPEND script "${key}='${value}'; export ${key}\n")
  endforeach()
  if(T_DEVSERVICE)
    marvella_devservice_launcher_lines(${T_DEVSERVICE} lines)
    string(APPEND script "${lines}")
  endif()
  string(APPEND script "exec ${runner} \"$@\"\n")
  file(WRITE ${launcher} "${script}")
  file(CHMOD ${launcher} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
       GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR ${launcher})
  # Discovery runs when ctest starts, under Wine for the Windows tree; the prefix is made
  # at build time (target wineprefix) so the first slow Wine start never lands here.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS "${label}" TIMEOUT ${T_TIMEOUT} ${extra})
  if(T_DEVSERVICE)
    # A list of fixtures cannot pass through gtest_discover_tests (it splits list values),
    # so it is set from an include file that runs after discovery, on the tests found.
    set(fixtures ${T_DEVSERVICE})
    if(T_GUI AND MARVELLA_WINDOWS)
      list(APPEND fixtures screenshots)
    endif()
    set(fixture_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_fixtures.cmake)
    file(WRITE ${fixture_file} "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES FIXTURES_REQUIRED \"${fixtures}\")\nendif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${fixture_file})
  endif()
endfunction()

# libjpeg (interface 62) as target marvella_jpeg: Debian's natively; for Windows the static
# library that scripts/setup cross-builds from Debian's libjpeg-turbo source.
set(MARVELLA_JPEG_PREFIX "/var/cache/marvella/libjpeg-turbo-lean-mingw32" CACHE PATH
    "Cross-built static libjpeg for the Windows tree")
add_library(marvella_jpeg INTERFACE)
if(MARVELLA_WINDOWS)
  if(NOT EXISTS ${MARVELLA_JPEG_PREFIX}/lib/libjpeg.a)
    message(FATAL_ERROR "No libjpeg for Windows in ${MARVELLA_JPEG_PREFIX}: run scripts/setup")
  endif()
  target_include_directories(marvella_jpeg SYSTEM INTERFACE ${MARVELLA_JPEG_PREFIX}/include)
  target_link_libraries(marvella_jpeg INTERFACE ${MARVELLA_JPEG_PREFIX}/lib/libjpeg.a)
else()
  find_package(JPEG REQUIRED)
  target_link_libraries(marvella_jpeg INTERFACE JPEG::JPEG)
endif()

# A libFuzzer target (native, fuzz tree only): marvella_fuzzer(name SOURCES ... LIBS ...
# [CORPUS dir]). It runs as a test for MARVELLA_FUZZ_SECONDS from a copy of its seed corpus;
# "scripts/fuzz name" runs it for longer.
function(marvella_fuzzer name)
  if(NOT MARVELLA_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  set(work ${CMAKE_BINARY_DIR}/fuzz/${name}-corpus)
  set(seed)
  if(F_CORPUS)
    set(seed ${F_CORPUS})
  endif()
  add_test(NAME fuzz_${name}
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/run-fuzzer $<TARGET_FILE:${name}> ${work}
            ${MARVELLA_FUZZ_SECONDS} ${seed})
  set_tests_properties(fuzz_${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()

# A benchmark (native only): an executable that prints its figures; scripts/bench runs them.
function(marvella_benchmark name)
  if(MARVELLA_WINDOWS OR MARVELLA_FUZZ OR MARVELLA_SANITIZE OR MARVELLA_NATIVE32)
    return()
  endif()
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${B_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# The headers an .rc file includes (its texts' #defines), followed through the headers
# they include: windres reaches them through our preprocessor, so the generator records
# no dependencies, and a changed text would otherwise leave the resources as they were.
#   marvella_rc_depends(<rc file> [TARGET_DIRECTORY target])
function(marvella_rc_depends rc)
  cmake_parse_arguments(R "" "TARGET_DIRECTORY" "" ${ARGN})
  get_filename_component(rc ${rc} ABSOLUTE)
  # A new include in the .rc itself is seen at the next build; one in a header, at the next
  # configure.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${rc})
  set(pending ${rc})
  set(found)
  while(pending)
    list(POP_FRONT pending file)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    get_filename_component(here ${file} DIRECTORY)
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" name "${line}")
      foreach(base ${here} ${CMAKE_SOURCE_DIR})
        if(EXISTS ${base}/${name})
          get_filename_component(header ${base}/${name} ABSOLUTE)
          if(NOT header IN_LIST found)
            list(APPEND found ${header})
            list(APPEND pending ${header})
          endif()
          break()
        endif()
      endforeach()
    endforeach()
  endwhile()
  if(R_TARGET_DIRECTORY)
    set_property(SOURCE ${rc} TARGET_DIRECTORY ${R_TARGET_DIRECTORY} APPEND PROPERTY OBJECT_DEPENDS ${found})
  else()
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${found})
  endif()
endfunction()
