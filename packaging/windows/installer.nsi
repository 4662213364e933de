; The Windows installer, in Hungarian: the program folder into Program
; Files, Start-menu shortcuts for the program and its README, an entry in
; "Programs and Features" with publisher and version. Uninstalling removes
; only what was installed: the user's files (the INI, journals, settings
; files) stay. scripts/package-windows defines VERSION, STAGE, SIZE_KB,
; UNINSTALL_FILES, ICON and OUTFILE.
Unicode true
; A 64-bit installer for a 64-bit program (and no 32-bit Wine needed to test it).
Target amd64-unicode
!include "MUI2.nsh"

!define PRODUCT "Velmar beállító program"
!define PUBLISHER "Velmar Kft."
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VelmarSetup"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Velmar\velmar-setup"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1038 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1038 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1038 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1038 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1038 "FileDescription" "${PRODUCT} telepítője"
VIAddVersionKey /LANG=1038 "LegalCopyright" "© ${PUBLISHER}; GNU GPL 3 vagy későbbi"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\velmar-setup.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Hungarian"

Section "Program"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Velmar"
  CreateShortcut "$SMPROGRAMS\Velmar\${PRODUCT}.lnk" "$INSTDIR\velmar-setup.exe"
  CreateShortcut "$SMPROGRAMS\Velmar\Olvass el (README).lnk" "$INSTDIR\README.txt"
  CreateShortcut "$SMPROGRAMS\Velmar\${PRODUCT} eltávolítása.lnk" "$INSTDIR\uninstall.exe"
  SetRegView 64
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmar-setup.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Velmar\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\Velmar\Olvass el (README).lnk"
  Delete "$SMPROGRAMS\Velmar\${PRODUCT} eltávolítása.lnk"
  RMDir "$SMPROGRAMS\Velmar"
!include "${UNINSTALL_FILES}"
  Delete "$INSTDIR\uninstall.exe"
  ; Not /r: a file the user left here (the INI) keeps the folder.
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES64\Velmar"
  SetRegView 64
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Function .onInit
  SetRegView 64
FunctionEnd
