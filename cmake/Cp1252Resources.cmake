# Resource sources are UTF-8 like every other source; what lands in the binaries is code page
# 1252. The resource preprocessor converts .rc files; raw text resources, which windres
# copies as they are, are converted here first.
#   marvella_cp1252(<out_var> [CRLF] FILES file...)
# writes each file converted into ${CMAKE_CURRENT_BINARY_DIR}/cp1252/ (CRLF: with CR LF line
# ends, for texts shown as stored) and sets <out_var> to the converted paths.
include_guard(GLOBAL)

function(marvella_cp1252 out)
  cmake_parse_arguments(C "CRLF" "" "FILES" ${ARGN})
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/cp1252)
  set(tool ${CMAKE_SOURCE_DIR}/cmake/to-cp1252)
  set(flag)
  if(C_CRLF)
    set(flag --crlf)
  endif()
  set(result)
  foreach(f ${C_FILES})
    get_filename_component(src ${f} ABSOLUTE)
    get_filename_component(name ${f} NAME)
    set(dst ${dir}/${name})
    add_custom_command(OUTPUT ${dst}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${tool} ${flag} ${src} ${dst}
      DEPENDS ${src} ${tool}
      COMMENT "Converting ${name} to code page 1252" VERBATIM)
    list(APPEND result ${dst})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
