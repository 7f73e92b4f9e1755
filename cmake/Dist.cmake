# The kit as it ships: install.exe, install.ini and tandem.dll side by side.
# (The 64-bit test tree's copy, for machines that run no 32-bit code, stays in its tree.)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(MARVELLA_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
else()
  set(MARVELLA_DIST_DIR ${CMAKE_SOURCE_DIR}/dist CACHE PATH "Where the dist target puts the kit")
endif()
if(MARVELLA_WINDOWS)
  add_custom_target(dist
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MARVELLA_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:installer_exe> $<TARGET_FILE:tandem>
            ${CMAKE_BINARY_DIR}/dist-files/install.ini ${MARVELLA_DIST_DIR}
    DEPENDS installer_exe tandem install_ini
    COMMENT "Putting the kit together in ${MARVELLA_DIST_DIR}" VERBATIM)
endif()
