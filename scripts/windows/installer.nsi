; The per-user installer of Pemu. scripts/windows/package.sh passes the version, the folder
; of files to install (STAGE), the generated file lists and the output path; see there.
; Pemu is a 64-bit program, and its installer one too (it also runs where no 32-bit
; subsystem is installed).
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pemu"

Name "Pemu ${VERSION}"
OutFile "${OUTFILE}"
; No administrator rights: the user's own program folder.
InstallDir "$LOCALAPPDATA\Programs\Pemu"
InstallDirRegKey HKCU "Software\Pemu" "InstallDir"

VIProductVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=1041 "ProductName" "Pemu"
VIAddVersionKey /LANG=1041 "FileDescription" "Pemu setup"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Pemu developers"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Pemu.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "Pemu"
  SetShellVarContext current
  !include "${INSTALL_LIST}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Pemu.lnk" "$INSTDIR\Pemu.exe"
  WriteRegStr HKCU "Software\Pemu" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Pemu"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Pemu developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pemu.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes only what the installer put there, file by file, and folders that are empty then:
; the user's data folder (in the application-data folder) and anything the user saved
; beside the program stay.
Section "Uninstall"
  SetShellVarContext current
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Pemu.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Pemu"
SectionEnd
