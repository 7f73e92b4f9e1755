# CTest fixtures that give a test group a running devservice.
#
#   marvella_devservice_fixture(<name> [ARGS devservice-option...])
#
# declares the fixture <name>: a setup test "devservice_start_<name>" that starts the
# service detached on free loopback ports with fresh data in <build>/devservice/<name>/,
# waits until both servers are ready and writes their addresses to
# <build>/devservice/<name>/devservice.env, and a cleanup test "devservice_stop_<name>"
# that stops it (and fails when it is no longer running, i.e. when it died). A test group
# then asks for it with
#
#   marvella_gtest(my_tests SOURCES ... DEVSERVICE <name>)
#
# and its programs find the addresses in their environment: MARVELLA_DEVSERVICE_HOST,
# MARVELLA_DEVSERVICE_USER_PORT, MARVELLA_DEVSERVICE_HTTP_PORT, MARVELLA_DEVSERVICE_URL,
# MARVELLA_DEVSERVICE_DATA, MARVELLA_DEVSERVICE_PID, plus MARVELLA_DEVSERVICE_ENV (the
# file itself) and MARVELLA_DEVSERVICE_EXE (the program, for --ctl). This works in every
# tree; in the Windows tree the service is a host program and the variables reach the
# programs under Wine through the environment.
include_guard(GLOBAL)

# Cache entries, so the test folders (siblings of devservice/) see them too.
if(MARVELLA_WINDOWS)
  set(MARVELLA_DEVSERVICE_HOST_DIR ${CMAKE_BINARY_DIR}/host/devservice CACHE INTERNAL "")
  set(MARVELLA_DEVSERVICE_EXE ${MARVELLA_DEVSERVICE_HOST_DIR}/devservice CACHE INTERNAL
      "The devservice program the tests start")
else()
  set(MARVELLA_DEVSERVICE_EXE ${CMAKE_BINARY_DIR}/bin/devservice CACHE INTERNAL
      "The devservice program the tests start")
endif()

function(marvella_devservice_fixture name)
  cmake_parse_arguments(F "" "" "ARGS" ${ARGN})
  if(MARVELLA_FUZZ OR MARVELLA_NATIVE32)  # trees without the service
    return()
  endif()
  get_property(known GLOBAL PROPERTY MARVELLA_DEVSERVICE_ENV_${name} SET)
  if(known)
    message(FATAL_ERROR "devservice fixture ${name} is declared twice")
  endif()
  set(dir ${CMAKE_BINARY_DIR}/devservice/${name})
  set_property(GLOBAL PROPERTY MARVELLA_DEVSERVICE_ENV_${name} ${dir}/devservice.env)
  # A fixture left running by an interrupted ctest is replaced; one forgotten entirely
  # still ends by itself after an hour.
  add_test(NAME devservice_start_${name}
    COMMAND ${MARVELLA_DEVSERVICE_EXE} --background --replace --fresh --data-dir ${dir}
            --user-port 0 --http-port 0 --max-lifetime 3600 ${F_ARGS})
  add_test(NAME devservice_stop_${name}
    COMMAND ${MARVELLA_DEVSERVICE_EXE} --stop --data-dir ${dir})
  set_tests_properties(devservice_start_${name} PROPERTIES
    FIXTURES_SETUP ${name} LABELS devservice TIMEOUT 60)
  set_tests_properties(devservice_stop_${name} PROPERTIES
    FIXTURES_CLEANUP ${name} LABELS devservice TIMEOUT 60)
endfunction()

# What marvella_gtest(... DEVSERVICE <name>) adds to a test launcher: the addresses of the
# fixture's service, read when the test starts (the file exists only while it runs).
function(marvella_devservice_launcher_lines name out)
  get_property(env GLOBAL PROPERTY MARVELLA_DEVSERVICE_ENV_${name})
  if(NOT env)
    message(FATAL_ERROR "no devservice fixture ${name}: declare it with marvella_devservice_fixture first")
  endif()
  set(${out}
    "MARVELLA_DEVSERVICE_ENV='${env}'; export MARVELLA_DEVSERVICE_ENV\nMARVELLA_DEVSERVICE_EXE='${MARVELLA_DEVSERVICE_EXE}'; export MARVELLA_DEVSERVICE_EXE\nif [ -f '${env}' ]; then set -a; . '${env}'; set +a; fi\n"
    PARENT_SCOPE)
endfunction()
