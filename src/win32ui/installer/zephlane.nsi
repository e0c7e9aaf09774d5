; The Windows installer: per-user or per-machine, a Start-menu entry, an entry in Apps &
; Features and an uninstaller that leaves the user's settings file alone.
;   makensis -DVERSION=2.1.0.0 -DSTAGE=<folder with the program> -DOUTFILE=<setup.exe> -DICON=<.ico>
;            zephlane.nsi
; Silent: Setup.exe /S [/CurrentUser | /AllUsers], Uninstall.exe /S.

Unicode true
; 64-bit stubs: the installer runs where the program runs, without a 32-bit subsystem.
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP "Zephlane"
!define PUBLISHER "Brevik"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define PUBLISHER_KEY "Software\${PUBLISHER}"
!define SETTINGS_KEY "${PUBLISHER_KEY}\${APP}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${SETTINGS_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${SETTINGS_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallDir"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include x64.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${APP} ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Zephlane.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${APP} needs 64-bit Windows."
    Abort
  ${EndIf}
  SetRegView 64
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Program"
  ; A per-user installation goes into %LOCALAPPDATA%\Programs, which a fresh profile lacks; a
  ; folder made for it here is noted, so that the uninstaller takes it away again when empty.
  ${GetParent} "$INSTDIR" $R0
  StrCpy $R1 ""
  ${IfNot} ${FileExists} "$R0\*.*"
    StrCpy $R1 "$R0"
  ${EndIf}
  SetOutPath "$INSTDIR"
  File "${STAGE}/Zephlane.exe"
  File "${STAGE}/zephlane-calc.exe"
  File "${STAGE}/ZephlaneHelp.pdf"
  File "${STAGE}/ZephlaneTheory.pdf"
  File "${STAGE}/README.txt"
  SetOutPath "$INSTDIR\WebHelp\Content"
  File "${STAGE}/WebHelp/Content/*"
  SetOutPath "$INSTDIR"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\Zephlane.exe"

  WriteRegStr SHCTX "${SETTINGS_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  ${If} $R1 != ""
    WriteRegStr SHCTX "${SETTINGS_KEY}" "CreatedParentDir" "$R1"
  ${EndIf}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zephlane.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
    '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; Only what the installer put there goes: the user's settings file lives in the user's profile
; folder and stays, as does anything else the user keeps in the program's folder, and the
; publisher's key and the folder above the program's only go when nothing else is in them.
Section "Uninstall"
  ReadRegStr $R0 SHCTX "${SETTINGS_KEY}" "CreatedParentDir"
  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$INSTDIR\Zephlane.exe"
  Delete "$INSTDIR\zephlane-calc.exe"
  Delete "$INSTDIR\ZephlaneHelp.pdf"
  Delete "$INSTDIR\ZephlaneTheory.pdf"
  Delete "$INSTDIR\README.txt"
  RMDir /r "$INSTDIR\WebHelp"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ${If} $R0 != ""
    RMDir "$R0"
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegKey SHCTX "${SETTINGS_KEY}"
  DeleteRegKey /ifempty SHCTX "${PUBLISHER_KEY}"
SectionEnd
