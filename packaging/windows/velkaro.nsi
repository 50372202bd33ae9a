; The Velkaro installer: puts the Velkaro.scr of the machine's word size into
; its system folder, can make it the current user's screen saver, and
; registers an uninstaller in the installed-programs list.
;
; packaging/make-installer.sh runs makensis with these defines:
;   VERSION, PUBLISHER, COPYRIGHT   from the project (CMakeLists.txt)
;   SCR64, SCR32, ICON              the two Velkaro.scr files and the icon
;   OUTFILE                         the setup program to write
;   TARGET                          x86-unicode (default) or amd64-unicode
;
; The installer that ships is x86, so that it runs on 32-bit Windows too; on
; 64-bit Windows it turns the file-system redirection off to reach the real
; System32 and writes its registry keys to the 64-bit view. The same script
; built for amd64-unicode (nothing else differs) is what the tests install
; under wine64 where no 32-bit program can start.
;
; Command line: /S installs or uninstalls silently; /ACTIVATE also makes
; Velkaro the active screen saver (a silent install leaves the active saver
; alone without it).

!ifndef TARGET
  !define TARGET x86-unicode
!endif
Target ${TARGET}
; In the amd64 build ${RunningX64} is known when the script compiles, and
; LogicLib leaves the label of the branch never taken.
!pragma warning disable 6012

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velkaro"
; Per user: what the active saver was before the installer made Velkaro it.
!define SETUP_KEY "Software\Velkaro\Setup"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SPI_SETSCREENSAVEACTIVE 17

Name "Velkaro"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
ManifestSupportedOS all
SetCompressor /SOLID lzma
BrandingText "Velkaro ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductName "Velkaro"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileDescription "Velkaro screen saver setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} LegalCopyright "${COPYRIGHT}"

; The 64-bit system folder and registry view on 64-bit Windows, whatever the
; word size of the installer itself.
!macro NativeView
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    SetRegView 64
  ${EndIf}
!macroend

; Copies a value of the current user's desktop settings into the setup key,
; or removes the copy where the value does not exist.
!macro KeepDesktopValue NAME COPY
  ClearErrors
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "${NAME}"
  ${If} ${Errors}
    DeleteRegValue HKCU "${SETUP_KEY}" "${COPY}"
  ${Else}
    WriteRegStr HKCU "${SETUP_KEY}" "${COPY}" $0
  ${EndIf}
!macroend

; The reverse: the kept value goes back, or the value goes if none was kept.
!macro RestoreDesktopValue NAME COPY
  ClearErrors
  ReadRegStr $0 HKCU "${SETUP_KEY}" "${COPY}"
  ${If} ${Errors}
    DeleteRegValue HKCU "${DESKTOP_KEY}" "${NAME}"
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" "${NAME}" $0
  ${EndIf}
!macroend

; Sets $0 to 1 when SCRNSAVE.EXE names the installed Velkaro.scr (in its long
; or its short form, which the Display control panel writes), else to 0.
!macro ActiveSaverIsOurs
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $2 "$SYSDIR\Velkaro.scr"
  StrCpy $0 0
  ${If} $1 == "$SYSDIR\Velkaro.scr"
    StrCpy $0 1
  ${ElseIf} $2 != ""
  ${AndIf} $1 == $2
    StrCpy $0 1
  ${EndIf}
!macroend

; The size of a file in bytes, in OUT.
!macro FileSize PATH OUT
  FileOpen $9 "${PATH}" r
  FileSeek $9 0 END ${OUT}
  FileClose $9
!macroend

Section "Velkaro screen saver" SecSaver
  SectionIn RO
  !insertmacro NativeView
  SetOutPath $SYSDIR
  ${If} ${RunningX64}
    File "/oname=Velkaro.scr" "${SCR64}"
  ${Else}
    File "/oname=Velkaro.scr" "${SCR32}"
  ${EndIf}
  SetOutPath $INSTDIR
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  !insertmacro FileSize "$SYSDIR\Velkaro.scr" $3
  !insertmacro FileSize "$INSTDIR\Uninstall.exe" $4
  IntOp $3 $3 + $4
  IntOp $3 $3 + 1023
  IntOp $3 $3 / 1024
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Velkaro screen saver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\Velkaro.scr,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${EnableX64FSRedirection}
SectionEnd

Section "Make Velkaro the active screen saver" SecActivate
  !insertmacro NativeView
  ; Installing again over an active Velkaro keeps what was active before it.
  !insertmacro ActiveSaverIsOurs
  ${If} $0 == 0
    !insertmacro KeepDesktopValue "SCRNSAVE.EXE" "PreviousSaver"
    !insertmacro KeepDesktopValue "ScreenSaveActive" "PreviousActive"
    WriteRegDWORD HKCU "${SETUP_KEY}" "Activated" 1
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\Velkaro.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; Tells the running session, not only the next logon (SPIF_SENDCHANGE).
  System::Call "user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i 2)"
  ${EnableX64FSRedirection}
SectionEnd

Function .onInit
  ${If} ${RunningX64}
    StrCpy $INSTDIR "$PROGRAMFILES64\Velkaro"
  ${Else}
    StrCpy $INSTDIR "$PROGRAMFILES\Velkaro"
  ${EndIf}
  ; Offered ticked on the components page; a silent install activates only
  ; when /ACTIVATE asks.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ACTIVATE" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecActivate}
  ${ElseIf} ${Silent}
    !insertmacro UnselectSection ${SecActivate}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !insertmacro NativeView
  ; The active saver goes back to what it was when it still names Velkaro;
  ; one that names Velkaro but was chosen by hand is cleared, since its file
  ; goes. A saver chosen since then is left as it is.
  !insertmacro ActiveSaverIsOurs
  ${If} $0 == 1
    ReadRegDWORD $3 HKCU "${SETUP_KEY}" "Activated"
    ${If} $3 == 1
      !insertmacro RestoreDesktopValue "SCRNSAVE.EXE" "PreviousSaver"
      !insertmacro RestoreDesktopValue "ScreenSaveActive" "PreviousActive"
      ReadRegStr $3 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
      ${If} $3 != 1
        StrCpy $3 0
      ${EndIf}
      System::Call "user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i $3, p 0, i 2)"
    ${Else}
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKCU "${SETUP_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Velkaro"

  ; Velkaro.ini (each user's settings, beside the program or in the user's
  ; VirtualStore) is the user's and stays.
  Delete /REBOOTOK "$SYSDIR\Velkaro.scr"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EnableX64FSRedirection}
SectionEnd
