; What both setups share: version, pages, languages, version information, the
; uninstall entry, and the uninstaller's choice to keep or remove the user's
; settings. A script defines PRODUCT, PRODUCT_KEY, MAIN_EXE, UNINSTALLER and
; ICON, and the macros RemovePrograms and RemoveSettings, before it includes this.
; ARCH (x86 or x64) is the architecture of the programs it installs: a 64-bit
; suite gets a 64-bit setup, which writes its entry in the 64-bit registry view.
!if "${ARCH}" == "x64"
  Target amd64-unicode
!else
  Unicode true
!endif
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include "${FILES_NSH}"

!define VERSION "7.0"
!define COMPANY "Quorvexsoft"
!define UNINSTALL_ROOT "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define SUITE_KEY "${UNINSTALL_ROOT}\Quorvexsoft Brisvane"
!define SUITE_UNINSTALLER "Uninstall.exe"
!define VARNHOLT_KEY "${UNINSTALL_ROOT}\Quorvexsoft Varnholt"
!define VARNHOLT_UNINSTALLER "Uninstall Varnholt.exe"
; All users' Start menu, since the programs are installed for all users.
!define STARTMENU "$SMPROGRAMS\Quorvexsoft"
; Below the current user's %APPDATA%: <product id>\<version> per product.
!define USER_DATA "Quorvex"
!define USER_KEY "Software\Quorvex\Quorvexsoft Brisvane"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
InstallDirRegKey HKLM "${PRODUCT_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_LANGDLL_REGISTRY_ROOT HKLM
!define MUI_LANGDLL_REGISTRY_KEY "${PRODUCT_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "Installer Language"
!define MUI_LANGDLL_ALLLANGUAGES

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "$(UnComponentsTop)"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The suite's six languages; the first is the default.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Dutch"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_RESERVEFILE_LANGDLL

LangString UnComponentsTop ${LANG_ENGLISH} "Check what you want to uninstall. Your own settings of these programs stay unless you check Your settings."
LangString UnComponentsTop ${LANG_GERMAN} "Wählen Sie aus, was entfernt werden soll. Ihre eigenen Einstellungen dieser Programme bleiben erhalten, solange Sie Ihre Einstellungen nicht ankreuzen."
LangString UnComponentsTop ${LANG_FRENCH} "Cochez ce que vous voulez désinstaller. Vos propres paramètres de ces programmes sont conservés si vous ne cochez pas Vos paramètres."
LangString UnComponentsTop ${LANG_SPANISH} "Marque lo que desea desinstalar. Su propia configuración de estos programas se conserva si no marca Su configuración."
LangString UnComponentsTop ${LANG_DUTCH} "Vink aan wat u wilt verwijderen. Uw eigen instellingen van deze programma's blijven bewaard als u Uw instellingen niet aanvinkt."
LangString UnComponentsTop ${LANG_PORTUGUESEBR} "Marque o que deseja desinstalar. Suas próprias configurações destes programas são mantidas se você não marcar Suas configurações."
LangString UnProgramsName ${LANG_ENGLISH} "Program files"
LangString UnProgramsName ${LANG_GERMAN} "Programmdateien"
LangString UnProgramsName ${LANG_FRENCH} "Fichiers du programme"
LangString UnProgramsName ${LANG_SPANISH} "Archivos del programa"
LangString UnProgramsName ${LANG_DUTCH} "Programmabestanden"
LangString UnProgramsName ${LANG_PORTUGUESEBR} "Arquivos do programa"
LangString UnProgramsText ${LANG_ENGLISH} "Removes the programs, the Start menu entries and the uninstall entry. Files you added to the program folder are kept."
LangString UnProgramsText ${LANG_GERMAN} "Entfernt die Programme, die Einträge im Startmenü und den Eintrag zur Deinstallation. Dateien, die Sie in den Programmordner gelegt haben, bleiben erhalten."
LangString UnProgramsText ${LANG_FRENCH} "Supprime les programmes, les raccourcis du menu Démarrer et l'entrée de désinstallation. Les fichiers que vous avez ajoutés au dossier du programme sont conservés."
LangString UnProgramsText ${LANG_SPANISH} "Quita los programas, las entradas del menú Inicio y la entrada de desinstalación. Los archivos que usted añadió a la carpeta del programa se conservan."
LangString UnProgramsText ${LANG_DUTCH} "Verwijdert de programma's, de snelkoppelingen in het menu Start en de verwijderingsvermelding. Bestanden die u zelf in de programmamap hebt gezet, blijven bewaard."
LangString UnProgramsText ${LANG_PORTUGUESEBR} "Remove os programas, os atalhos do menu Iniciar e a entrada de desinstalação. Os arquivos que você colocou na pasta do programa são mantidos."
LangString UnSettingsName ${LANG_ENGLISH} "Your settings"
LangString UnSettingsName ${LANG_GERMAN} "Ihre Einstellungen"
LangString UnSettingsName ${LANG_FRENCH} "Vos paramètres"
LangString UnSettingsName ${LANG_SPANISH} "Su configuración"
LangString UnSettingsName ${LANG_DUTCH} "Uw instellingen"
LangString UnSettingsName ${LANG_PORTUGUESEBR} "Suas configurações"
LangString UnSettingsText ${LANG_ENGLISH} "Also removes your own settings of these programs. Leave it unchecked to keep them for a later installation."
LangString UnSettingsText ${LANG_GERMAN} "Entfernt auch Ihre eigenen Einstellungen dieser Programme. Lassen Sie es frei, um sie für eine spätere Installation zu behalten."
LangString UnSettingsText ${LANG_FRENCH} "Supprime aussi vos propres paramètres de ces programmes. Laissez la case décochée pour les conserver pour une installation ultérieure."
LangString UnSettingsText ${LANG_SPANISH} "Quita también su propia configuración de estos programas. Déjelo sin marcar para conservarla para una instalación posterior."
LangString UnSettingsText ${LANG_DUTCH} "Verwijdert ook uw eigen instellingen van deze programma's. Laat dit leeg om ze te bewaren voor een latere installatie."
LangString UnSettingsText ${LANG_PORTUGUESEBR} "Remove também suas próprias configurações destes programas. Deixe desmarcado para mantê-las para uma instalação posterior."

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "© ${COMPANY}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"

; Set by the uninstaller when the other setup still uses Varnholt's folder.
Var KeepVarnholt
; Set by the uninstaller when an installed file could not be removed.
Var Unremoved

LangString InUse ${LANG_ENGLISH} "Some files could not be replaced or removed, most likely because a program of ${PRODUCT} is running. Close it and run this again."
LangString InUse ${LANG_GERMAN} "Einige Dateien konnten nicht ersetzt oder entfernt werden, wahrscheinlich weil ein Programm von ${PRODUCT} läuft. Schließen Sie es und starten Sie den Vorgang erneut."
LangString InUse ${LANG_FRENCH} "Certains fichiers n'ont pas pu être remplacés ou supprimés, sans doute parce qu'un programme de ${PRODUCT} est en cours d'exécution. Fermez-le et relancez l'opération."
LangString InUse ${LANG_SPANISH} "Algunos archivos no se pudieron reemplazar ni quitar, probablemente porque un programa de ${PRODUCT} está en ejecución. Ciérrelo y vuelva a ejecutar esto."
LangString InUse ${LANG_DUTCH} "Sommige bestanden konden niet worden vervangen of verwijderd, waarschijnlijk omdat een programma van ${PRODUCT} actief is. Sluit het en voer dit opnieuw uit."
LangString InUse ${LANG_PORTUGUESEBR} "Alguns arquivos não puderam ser substituídos ou removidos, provavelmente porque um programa de ${PRODUCT} está em execução. Feche-o e execute isto novamente."

; A file that stays although it should go (a running program) keeps the
; uninstaller and its entry, so the uninstall can be run again.
!macro RemoveFile PATH
  ClearErrors
  Delete "${PATH}"
  ${If} ${Errors}
    StrCpy $Unremoved 1
  ${EndIf}
!macroend

; A file the setup could not replace (a running program) fails the setup:
; silent runs end with exit code 2 instead of reporting success.
!macro FailOnErrors
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "$(InUse)" /SD IDOK
    Abort
  ${EndIf}
!macroend

; The uninstaller and its entry come first, so that a setup stopped half-way
; can still be uninstalled.
!macro WriteUninstallEntry
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKLM "${PRODUCT_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${PRODUCT_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${PRODUCT_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${PRODUCT_KEY}" "DisplayIcon" "$INSTDIR\${MAIN_EXE},0"
  WriteRegStr HKLM "${PRODUCT_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${PRODUCT_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${PRODUCT_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${PRODUCT_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${PRODUCT_KEY}" "NoRepair" 1
!macroend

; The registry view of the programs' own architecture, set before anything is
; read or written there.
!macro NativeRegView
  !if "${ARCH}" == "x64"
    SetRegView 64
  !endif
!macroend

!macro WriteEstimatedSize
  ${GetSize} "$INSTDIR" "/S=0K /G=1" $0 $1 $2
  WriteRegDWORD HKLM "${PRODUCT_KEY}" "EstimatedSize" $0
!macroend

; A product's settings of the current user: its folder for this version, its
; product folder and the Quorvex folder only when nothing else is left in them.
!macro RemoveUserFolder ID
  RMDir /r "$APPDATA\${USER_DATA}\${ID}\${VERSION}"
  RMDir "$APPDATA\${USER_DATA}\${ID}"
!macroend

!macro UninstallSections
  Section "un.$(UnProgramsName)" SecUnPrograms
    SectionIn RO
    SetShellVarContext all
    !insertmacro RemovePrograms
    RMDir "${STARTMENU}"
  SectionEnd

  Section /o "un.$(UnSettingsName)" SecUnSettings
    SetShellVarContext current
    !insertmacro RemoveSettings
    RMDir "$APPDATA\${USER_DATA}"
    SetShellVarContext all
  SectionEnd

  ; The entry goes last, when everything else has been done.
  Section "-un.Entry"
    ${If} $Unremoved != ""
      MessageBox MB_OK|MB_ICONSTOP "$(InUse)" /SD IDOK
      SetErrorLevel 2
      Return
    ${EndIf}
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    !ifmacrodef RemoveParent
      !insertmacro RemoveParent
    !endif
    DeleteRegKey HKLM "${PRODUCT_KEY}"
  SectionEnd

  !insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecUnPrograms} $(UnProgramsText)
    !insertmacro MUI_DESCRIPTION_TEXT ${SecUnSettings} $(UnSettingsText)
  !insertmacro MUI_UNFUNCTION_DESCRIPTION_END

  Function un.onInit
    !insertmacro NativeRegView
    !insertmacro MUI_UNGETLANGUAGE
    StrCpy $KeepVarnholt ""
    StrCpy $Unremoved ""
    ; Silent runs ask for the settings' removal on the command line.
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
      !insertmacro SelectSection ${SecUnSettings}
    ${EndIf}
  FunctionEnd
!macroend
