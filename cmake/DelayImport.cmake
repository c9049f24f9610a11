# System libraries that the program loads on their first call rather than at
# its start: the common controls serve only windows the user opens, and a
# program that sits in the notification area need not map them.
# murovex_delay_import(<dll base name> <variable>) sets <variable> to what to
# link instead of the library itself.
function(murovex_delay_import name out)
  if(NOT MINGW)
    # MSVC: the linker's own delay loading.
    set(${out} ${name} delayimp "-DELAYLOAD:${name}.dll" PARENT_SCOPE)
    return()
  endif()
  find_library(MUROVEX_IMPORT_${name} NAMES lib${name}.a REQUIRED)
  find_program(MUROVEX_DLLTOOL NAMES ${CMAKE_CXX_COMPILER_TARGET}-dlltool x86_64-w64-mingw32-dlltool dlltool REQUIRED)
  set(lib ${CMAKE_BINARY_DIR}/delay/lib${name}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay
    COMMAND bash ${CMAKE_SOURCE_DIR}/cmake/delay-import.sh ${CMAKE_NM} ${MUROVEX_DLLTOOL}
            ${MUROVEX_IMPORT_${name}} ${name}.dll ${lib}
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/delay-import.sh ${MUROVEX_IMPORT_${name}}
    VERBATIM)
  add_custom_target(${name}_delay DEPENDS ${lib})
  set(${out} ${lib} delayimp PARENT_SCOPE)
endfunction()
