; Varnholt alone, by default into the folder the suite gives it.
!define PRODUCT "Quorvexsoft Varnholt"
!define PRODUCT_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvexsoft Varnholt"
!define MAIN_EXE "Varnholt.exe"
!define UNINSTALLER "Uninstall Varnholt.exe"
!define ICON "${ICONS}\varnholt\Varnholt.ico"

; When the suite installed into the parent folder, Varnholt's files and Start
; menu entry stay for it.
!macro RemovePrograms
  ReadRegStr $0 HKLM "${SUITE_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} "$0\Varnholt" == "$INSTDIR"
  ${AndIf} ${FileExists} "$0\${SUITE_UNINSTALLER}"
    StrCpy $KeepVarnholt 1
  ${Else}
    Delete "${STARTMENU}\Quorvexsoft Varnholt.lnk"
    !insertmacro Remove_Varnholt "$INSTDIR"
  ${EndIf}
!macroend

!macro RemoveSettings
  ${If} $KeepVarnholt == ""
    !insertmacro RemoveUserFolder 0026
  ${EndIf}
!macroend

; The company folder above the default one, when nothing else is left in it.
!macro RemoveParent
  ${GetParent} "$INSTDIR" $0
  ${GetFileName} $0 $1
  ${If} $1 == "Quorvexsoft"
    RMDir "$0"
  ${EndIf}
!macroend

!include Common.nsh

InstallDir "$PROGRAMFILES32\Quorvexsoft\Varnholt"

Function .onInit
  !insertmacro NativeRegView
  !insertmacro MUI_LANGDLL_DISPLAY
  ; Not installed before, and no folder asked for: next to the suite's programs, if it is there.
  ReadRegStr $0 HKLM "${PRODUCT_KEY}" "InstallLocation"
  ReadRegStr $1 HKLM "${SUITE_KEY}" "InstallLocation"
  ${If} $0 == ""
  ${AndIf} $1 != ""
  ${AndIf} $INSTDIR == "$PROGRAMFILES32\Quorvexsoft\Varnholt"
    StrCpy $INSTDIR "$1\Varnholt"
  ${EndIf}
FunctionEnd

Section
  SetShellVarContext all
  !insertmacro WriteUninstallEntry
  ClearErrors
  !insertmacro Install_Varnholt "$INSTDIR"
  !insertmacro FailOnErrors
  CreateDirectory "${STARTMENU}"
  CreateShortcut "${STARTMENU}\Quorvexsoft Varnholt.lnk" "$INSTDIR\Varnholt.exe" "" "$INSTDIR\Varnholt.exe" 0 \
    SW_SHOWNORMAL "" "Quorvexsoft Varnholt"
  !insertmacro WriteEstimatedSize
SectionEnd

!insertmacro UninstallSections
