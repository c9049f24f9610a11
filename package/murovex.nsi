; The per-user installer. makensis is given on its command line:
;   /DVERSION=1.2.3        the program's version (from CMake)
;   /DSTAGE=<folder>       what is installed: murovex.exe, README.txt, help\, licences\
;   /DICON=<file>          the program's icon
;   /DOUTFILE=<file>       the installer to write
; It installs into the user's own programs folder without elevation; the
; program keeps its settings file and Images folder beside itself there.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Murovex"
!define PUBLISHER "Kestrane Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Murovex"
!define STARTUP_LINK "Murovex Tray Icon.lnk"
; The program's single-instance mutex and its private shutdown message.
!define INSTANCE_MUTEX "Murovex"
!define SHUTDOWN_MESSAGE "ShutdownMurovex"

Name "${PRODUCT} ${VERSION}"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${PRODUCT} ${VERSION} for you alone, in your own programs folder; it needs no administrator rights.$\r$\n$\r$\nIf ${PRODUCT} is running, Setup closes it first. The settings and pictures of an earlier installation are kept.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\murovex.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks a running Murovex to end, as any program may, and waits until its
; single-instance mutex is gone (about ten seconds at most); $0 is "ended"
; or "running".
!macro CloseMurovex un
Function ${un}CloseMurovex
  StrCpy $0 "ended"
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r1'
  ${If} $1 P= 0
    Return
  ${EndIf}
  System::Call 'kernel32::CloseHandle(p r1)'
  System::Call 'user32::RegisterWindowMessageW(w "${SHUTDOWN_MESSAGE}") i .r2'
  ; HWND_BROADCAST, SMTO_ABORTIFHUNG, 5 s
  System::Call 'user32::SendMessageTimeoutW(p 0xffff, i r2, p 0, p 0, i 2, i 5000, *p .r3)'
  StrCpy $4 0
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r1'
    ${If} $1 P= 0
      Return
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r1)'
    Sleep 200
    IntOp $4 $4 + 1
  ${LoopUntil} $4 >= 50
  StrCpy $0 "running"
FunctionEnd
!macroend
!insertmacro CloseMurovex ""
!insertmacro CloseMurovex "un."

!macro EnsureMurovexClosed un
  ${Do}
    Call ${un}CloseMurovex
    ${If} $0 == "ended"
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is still running. Close it from its tray menu, then choose Retry." /SD IDCANCEL IDRETRY +2
    Abort "${PRODUCT} is still running."
  ${Loop}
!macroend

Section "${PRODUCT}" SecProgram
  SectionIn RO
  !insertmacro EnsureMurovexClosed ""
  SetOutPath "$INSTDIR"
  ; The settings file and the Images folder of an earlier install stay as they are.
  File "${STAGE}\murovex.exe"
  File "${STAGE}\README.txt"
  File /r "${STAGE}\help"
  File /r "${STAGE}\licences"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\murovex.exe" "" "$INSTDIR\murovex.exe" 0

  SectionGetSize ${SecProgram} $5
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\murovex.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $5
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !insertmacro EnsureMurovexClosed "un."
  Delete "$INSTDIR\murovex.exe"
  Delete "$INSTDIR\README.txt"
  RMDir /r "$INSTDIR\help"
  RMDir /r "$INSTDIR\licences"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ; The program's "Start with Windows" shortcut, in whichever Startup folder it is.
  Delete "$SMSTARTUP\${STARTUP_LINK}"
  SetShellVarContext all
  Delete "$SMSTARTUP\${STARTUP_LINK}"
  SetShellVarContext current
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Also remove your pictures and settings?$\r$\n$\r$\nThe Images folder and the settings file in $INSTDIR are kept unless you choose Yes." \
    /SD IDNO IDNO keep
  RMDir /r "$INSTDIR\Images"
  Delete "$INSTDIR\murovex.INI"
  Delete "$INSTDIR\murovex.bmp"
keep:
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
