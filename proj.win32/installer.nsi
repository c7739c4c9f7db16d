; The Windows installer: a per-user install (no administrator rights) into
; %LOCALAPPDATA%\Programs\Solvane, a Start-menu shortcut and an uninstaller. The player's store
; lives in %APPDATA%\Solvane and is never touched by either.
; Built by proj.win32/package.sh: makensis -DVERSION=.. -DSTAGE=.. -DOUTFILE=.. -DICON=.. installer.nsi
; 64-bit like the game (and so it also runs under a 64-bit-only Wine).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"

Name "Solvane"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Solvane"
InstallDirRegKey HKCU "Software\Solvane" "InstallDir"
BrandingText "Solvane ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Solvane"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\solvane.exe"

!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Solvane"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Solvane installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Code MIT; art, music, sounds and writing CC BY 4.0; font SIL OFL 1.1"

Section "Solvane"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Solvane.lnk" "$INSTDIR\solvane.exe" "" "$INSTDIR\solvane.exe" 0
  WriteRegStr HKCU "Software\Solvane" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Solvane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\solvane.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put down and nothing else: the store in %APPDATA%\Solvane stays.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Solvane.lnk"
  RMDir /r "$INSTDIR\Resources"
  Delete "$INSTDIR\*.exe"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Solvane"
SectionEnd
