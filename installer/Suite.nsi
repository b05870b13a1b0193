; The suite's setup: Brisvane's program folder with every module below it.
!define PRODUCT "Quorvexsoft Brisvane"
!define PRODUCT_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvexsoft Brisvane"
!define MAIN_EXE "Brisvane.exe"
!define UNINSTALLER "Uninstall.exe"
!define ICON "${ICONS}\brisvane\Brisvane.ico"

; The Varnholt setup may have been installed into this suite's Varnholt folder:
; its files and Start menu entry then stay for it.
!macro RemoveSuiteFolder NAME DEST
  !if "${NAME}" == "Varnholt"
    ReadRegStr $0 HKLM "${VARNHOLT_KEY}" "InstallLocation"
    ${If} $0 == "${DEST}"
    ${AndIf} ${FileExists} "${DEST}\${VARNHOLT_UNINSTALLER}"
      StrCpy $KeepVarnholt 1
    ${Else}
      !insertmacro Remove_${NAME} "${DEST}"
      Delete "${STARTMENU}\Quorvexsoft Varnholt.lnk"
    ${EndIf}
  !else
    !insertmacro Remove_${NAME} "${DEST}"
  !endif
!macroend

!macro RemovePrograms
  Delete "${STARTMENU}\Quorvexsoft Brisvane.lnk"
  !insertmacro Remove_Suite "$INSTDIR"
!macroend

!macro RemoveSettings
  !insertmacro RemoveUserFolder 0020
  !insertmacro RemoveUserFolder 0021
  !insertmacro RemoveUserFolder 0022
  !insertmacro RemoveUserFolder 0023
  !insertmacro RemoveUserFolder 0024
  ${If} $KeepVarnholt == ""
    !insertmacro RemoveUserFolder 0026
  ${EndIf}
  !insertmacro RemoveUserFolder 0027
  !insertmacro RemoveUserFolder 0041
  DeleteRegKey HKCU "${USER_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Quorvex"
!macroend

!include Common.nsh

!if "${ARCH}" == "x64"
  InstallDir "$PROGRAMFILES64\Quorvexsoft"
!else
  InstallDir "$PROGRAMFILES32\Quorvexsoft"
!endif

Function .onInit
  !insertmacro NativeRegView
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Section
  SetShellVarContext all
  !insertmacro WriteUninstallEntry
  ClearErrors
  !insertmacro Install_Suite "$INSTDIR"
  !insertmacro FailOnErrors
  CreateDirectory "${STARTMENU}"
  CreateShortcut "${STARTMENU}\Quorvexsoft Brisvane.lnk" "$INSTDIR\Brisvane.exe" "" "$INSTDIR\Brisvane.exe" 0 \
    SW_SHOWNORMAL "" "Quorvexsoft Brisvane"
  CreateShortcut "${STARTMENU}\Quorvexsoft Varnholt.lnk" "$INSTDIR\Varnholt\Varnholt.exe" "" \
    "$INSTDIR\Varnholt\Varnholt.exe" 0 SW_SHOWNORMAL "" "Quorvexsoft Varnholt"
  !insertmacro WriteEstimatedSize
SectionEnd

!insertmacro UninstallSections
