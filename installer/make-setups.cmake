# Run by the build: writes the file lists of the setups from the layout, makes
# both setups with makensis and names what they contain in a depfile.
file(STRINGS ${LISTING} listed)
# Help files also come from targets that write them straight into the layout.
file(GLOB help RELATIVE ${SUITE_DIR} ${SUITE_DIR}/help.chm ${SUITE_DIR}/*/help.chm)
set(files)
foreach(f ${listed} ${help})
  string(REGEX REPLACE "^(\\.?/)+" "" f "${f}")
  if(NOT EXISTS ${SUITE_DIR}/${f})
    message(FATAL_ERROR "${SUITE_DIR}/${f} is missing from the layout")
  endif()
  list(APPEND files ${f})
endforeach()
list(REMOVE_DUPLICATES files)
list(SORT files)

# Per folder of the layout: a macro that installs its files into DEST and one
# that deletes them there, named one by one.
set(folders)
foreach(f ${files})
  get_filename_component(dir ${f} DIRECTORY)
  if(dir STREQUAL "")
    set(dir Top)
  endif()
  list(APPEND folders ${dir})
  get_filename_component(name ${f} NAME)
  string(APPEND install_${dir} "  File \"${SUITE_DIR}/${f}\"\n")
  string(APPEND remove_${dir} "  !insertmacro RemoveFile \"\${DEST}\\${name}\"\n")
endforeach()
list(REMOVE_DUPLICATES folders)
set(nsh "; Made by the build from the layout in ${SUITE_DIR}.\n")
foreach(dir ${folders})
  string(APPEND nsh "!macro Install_${dir} DEST\n  SetOutPath \"\${DEST}\"\n${install_${dir}}!macroend\n")
  string(APPEND nsh "!macro Remove_${dir} DEST\n${remove_${dir}}  RMDir \"\${DEST}\"\n!macroend\n")
endforeach()
# The whole layout below ROOT; RemoveSuiteFolder (the script's own) decides per
# sub-folder, Top is removed last.
list(REMOVE_ITEM folders Top)
set(install "!macro Install_Suite ROOT\n  !insertmacro Install_Top \"\${ROOT}\"\n")
set(remove "!macro Remove_Suite ROOT\n")
foreach(dir ${folders})
  string(APPEND install "  !insertmacro Install_${dir} \"\${ROOT}\\${dir}\"\n")
  string(APPEND remove "  !insertmacro RemoveSuiteFolder ${dir} \"\${ROOT}\\${dir}\"\n")
endforeach()
string(APPEND nsh "${install}!macroend\n${remove}  !insertmacro Remove_Top \"\${ROOT}\"\n!macroend\n")
file(WRITE ${WORK}/SuiteFiles.nsh.new "${nsh}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${WORK}/SuiteFiles.nsh.new ${WORK}/SuiteFiles.nsh)

file(MAKE_DIRECTORY ${SETUP_DIR})
foreach(pair "Suite.nsi;QuorvexsoftSetup.exe" "Varnholt.nsi;VarnholtSetup.exe")
  list(GET pair 0 script)
  list(GET pair 1 out)
  execute_process(COMMAND ${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8
      "-DFILES_NSH=${WORK}/SuiteFiles.nsh" "-DICONS=${ICONS}" "-DOUTFILE=${SETUP_DIR}/${out}"
      ${SCRIPTS}/${script}
    RESULT_VARIABLE failed)
  if(failed)
    file(REMOVE ${SETUP_DIR}/${out})
    message(FATAL_ERROR "makensis failed on ${script}")
  endif()
endforeach()

set(deps)
foreach(f ${files})
  string(REPLACE " " "\\ " f "${SUITE_DIR}/${f}")
  string(APPEND deps " ${f}")
endforeach()
file(WRITE ${DEPFILE} "${SETUP_DIR}/QuorvexsoftSetup.exe ${SETUP_DIR}/VarnholtSetup.exe:${deps}\n")
