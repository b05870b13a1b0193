# Help files: each program's help.chm is compiled by chmcmd (Debian's fp-utils)
# from the HTML sources in data/<program>/help/ (project help.hhp) and the
# shared style sheet data/help.css. The target
# help_files builds every one of them.
find_program(CHMCMD chmcmd REQUIRED)
add_custom_target(help_files ALL)

function(suite_help target folder source)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${source}/*)
  # Every help shares one style sheet.
  set(style ${CMAKE_SOURCE_DIR}/data/help.css)
  set(work ${CMAKE_BINARY_DIR}/help/${target})
  set(chm ${SUITE_DIR}/${folder}/help.chm)
  # chmcmd writes beside its project: it works on a fresh copy, so the source
  # tree stays clean and a page removed from the sources leaves the help too.
  add_custom_command(OUTPUT ${chm}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${work}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${source} ${work}
    COMMAND ${CMAKE_COMMAND} -E copy ${style} ${work}/help.css
    COMMAND ${CMAKE_COMMAND} -E chdir ${work} ${CHMCMD} --verbosity 0 help.hhp
    COMMAND ${CMAKE_COMMAND} -E copy ${work}/help.chm ${chm}
    DEPENDS ${sources} ${style}
    COMMENT "Compiling the help of ${target}")
  add_custom_target(${target}_help DEPENDS ${chm})
  add_dependencies(help_files ${target}_help)
  add_dependencies(${target} ${target}_help)
  set_property(GLOBAL APPEND PROPERTY SUITE_FILES ${folder}/help.chm)
endfunction()
