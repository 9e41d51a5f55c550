; Installer for the program, the engine, the help file and the display font LurTahoma.ttf.
;
; makensis -DINPUT_DIR=<folder with Lurb.exe, lurcore.dll, lurhelp.chm, lurconv.exe>
;          -DFONT_FILE=<.ttf> -DFONT_LICENSE=<licence text> -DNAMES=<product.nsh> [-DOUTFILE=<path>] lurb.nsi
;
; Silent: LurbSetup.exe /S [/D=C:\Folder]   (/D= last, unquoted)
; Uninstall silently: uninstall.exe /S      (keeps the user's settings)

Unicode true
; The product's installer is 32-bit. A 64-bit one, carrying the 64-bit build, is made for the tests
; on hosts that cannot run 32-bit programs: makensis -DTARGET=amd64-unicode.
!ifdef TARGET
  Target ${TARGET}
!endif

;--- Names shared with the program and the engine, and the version, made by the build from ------
; engine/product_names.h and the top CMakeLists.txt: PRODUCT_NAME, PROGRAM_FILE, ENGINE_FILE, HELP_FILE,
; STARTUP_ENTRY, SETTINGS_FOLDER, WINDOW_CLASS, VERSION and WINDOWS_VERSION.
!ifndef NAMES
  !error "define NAMES (the build's product.nsh)"
!endif
!include "${NAMES}"
!define DESKTOP_LINK   "${PRODUCT_NAME}.lnk"  ; desktop shortcut the program makes
!define FONT_NAME      "LurTahoma.ttf"
!define FONT_VALUE     "LurTahoma (TrueType)"
!define LICENSE_NAME   "LurTahoma-license.txt"
!define UNINSTALLER    "uninstall.exe"
!define UNINST_KEY     "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT_NAME}"
!define RUN_KEY        "Software\Microsoft\Windows\CurrentVersion\Run"
!define FONTS_KEY      "Software\Microsoft\Windows NT\CurrentVersion\Fonts"

!if "${SETTINGS_FOLDER}" == ""
  !error "SETTINGS_FOLDER must name a folder of its own: removing the settings deletes it whole"
!endif
!ifndef INPUT_DIR
  !error "define INPUT_DIR (the folder holding ${PROGRAM_FILE}, ${ENGINE_FILE} and ${HELP_FILE})"
!endif
!ifndef FONT_FILE
  !error "define FONT_FILE (the TrueType file installed as ${FONT_NAME})"
!endif
!ifndef FONT_LICENSE
  !error "define FONT_LICENSE (the font's licence text)"
!endif
!ifndef OUTFILE
  !define OUTFILE "LurbSetup.exe"
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"
!include "FileFunc.nsh"

Name "${PRODUCT_NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT_NAME}"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${WINDOWS_VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT_NAME} - cài đặt"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PRODUCT_NAME}"

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN ""
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgramAsUser
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_UNCOMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Vietnamese"

!addincludedir "${__FILEDIR__}"

!include "each_user.nsh"

Var WasRunning

; The installer runs elevated; the program must run as the signed-in user, with that user's settings
; and start-up entry: the user's own shell starts it (start_as_user.nsh). Without a shell to ask, it
; is not started with the installer's rights; the user starts it.
!include "start_as_user.nsh"
Function StartProgramAsUser
  Call ShellExecuteAsUser
  ${If} $R9 != 0
    DetailPrint "Không nhờ được Windows chạy ${PRODUCT_NAME} (bước $R9); hãy chạy nó từ menu Start."
  ${EndIf}
FunctionEnd

; Closes a running copy the way a user would (WM_CLOSE to its window), then waits until its
; process has ended, so that its files can be replaced. Sets $WasRunning to 1 if one ran.
!macro DEFINE_CLOSE_RUNNING_COPY PREFIX
Function ${PREFIX}CloseRunningCopy
  StrCpy $WasRunning 0
  Push $0
  Push $1
  Push $2
  Push $3
  FindWindow $0 "${WINDOW_CLASS}"
  ${If} $0 <> 0
    StrCpy $WasRunning 1
    DetailPrint "Đang đóng ${PRODUCT_NAME}..."
    System::Call "user32::GetWindowThreadProcessId(p r0, *i 0 r1) i"
    ; SYNCHRONIZE: enough to wait for the process to end.
    System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2"
    System::Call "user32::PostMessage(p r0, i ${WM_CLOSE}, p 0, p 0) i"
    ${If} $2 P<> 0
      System::Call "kernel32::WaitForSingleObject(p r2, i 15000) i .r3"
      System::Call "kernel32::CloseHandle(p r2) i"
    ${EndIf}
    ; Without a process handle, at least wait for the window to go.
    StrCpy $3 0
    ${Do}
      FindWindow $0 "${WINDOW_CLASS}"
      ${IfThen} $0 = 0 ${|} ${ExitDo} ${|}
      ${If} $3 >= 150
        Pop $3
        Pop $2
        Pop $1
        Pop $0
        MessageBox MB_ICONSTOP|MB_OK "Không đóng được ${PRODUCT_NAME}. Hãy thoát chương trình rồi chạy lại." /SD IDOK
        Abort "${PRODUCT_NAME} is still running"
      ${EndIf}
      IntOp $3 $3 + 1
      Sleep 100
    ${Loop}
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_RUNNING_COPY ""
!insertmacro DEFINE_CLOSE_RUNNING_COPY "un."

Section "-Program" SecProgram
  ; Program files and the Start-menu entry are for all users; the settings stay per user.
  SetShellVarContext all
  Call CloseRunningCopy

  SetOutPath "$INSTDIR"
  SetOverwrite on
  ; A copy in another user's session is not closed by CloseRunningCopy and holds its files.
  !insertmacro INSTALL_HELD_FILE "${PROGRAM_FILE}"
  !insertmacro INSTALL_HELD_FILE "${ENGINE_FILE}"
  !insertmacro INSTALL_HELD_FILE "${HELP_FILE}"
  File "/oname=${LICENSE_NAME}" "${FONT_LICENSE}"

  ; The system may hold the font open from an earlier install; the file does not change between
  ; versions, so a locked one is left as it is.
  SetOverwrite try
  File "/oname=$FONTS\${FONT_NAME}" "${FONT_FILE}"
  SetOverwrite on
  WriteRegStr HKLM "${FONTS_KEY}" "${FONT_VALUE}" "${FONT_NAME}"
  System::Call "gdi32::AddFontResource(t '$FONTS\${FONT_NAME}') i"
  SendMessage ${HWND_BROADCAST} ${WM_FONTCHANGE} 0 0 /TIMEOUT=5000

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT_NAME}.lnk" "$INSTDIR\${PROGRAM_FILE}" "" "$INSTDIR\${PROGRAM_FILE}" 0

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_FILE},0"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PRODUCT_NAME}"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" "$0"

  ; An upgrade over a running copy starts the new version again, as the user it ran for.
  ${If} $WasRunning = 1
    Call StartProgramAsUser
  ${EndIf}
  !insertmacro TELL_IF_RESTART_NEEDED "Việc cài đặt"
SectionEnd

; The converter on the command line, beside the program.
!define CONVERTER_FILE "lurconv.exe"
Section "-Converter" SecConverter
  SetOutPath "$INSTDIR"
  SetOverwrite on
  File "${INPUT_DIR}\${CONVERTER_FILE}"
SectionEnd

; The converter goes before the program's section removes the folder.
Section "-un.Converter" UnSecConverter
  Delete "$INSTDIR\${CONVERTER_FILE}"
SectionEnd

Section "-un.Program" UnSecProgram
  SetShellVarContext current
  Call un.CloseRunningCopy

  ; Files a copy in another user's session holds go at the next restart.
  Delete /REBOOTOK "$INSTDIR\${PROGRAM_FILE}"
  Delete /REBOOTOK "$INSTDIR\${ENGINE_FILE}"
  Delete /REBOOTOK "$INSTDIR\${HELP_FILE}"
  ; New files an install left to take their place at a restart that has not come yet.
  Delete /REBOOTOK "$INSTDIR\${PROGRAM_FILE}.new"
  Delete /REBOOTOK "$INSTDIR\${ENGINE_FILE}.new"
  Delete /REBOOTOK "$INSTDIR\${HELP_FILE}.new"
  Delete "$INSTDIR\${LICENSE_NAME}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir /REBOOTOK "$INSTDIR"

  ; What the program made for each user: the start-up entry and the desktop shortcut, where they
  ; point at this installation.
  Call un.RemoveEveryStartupEntry
  Call un.RemoveEveryDesktopShortcut

  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT_NAME}.lnk"

  System::Call "gdi32::RemoveFontResource(t '$FONTS\${FONT_NAME}') i"
  DeleteRegValue HKLM "${FONTS_KEY}" "${FONT_VALUE}"
  Delete /REBOOTOK "$FONTS\${FONT_NAME}"
  SendMessage ${HWND_BROADCAST} ${WM_FONTCHANGE} 0 0 /TIMEOUT=5000

  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd

; Off unless the user ticks it, so a silent uninstall keeps the settings.
Section /o "un.Xoá các thiết lập của mọi người dùng" UnSecSettings
  Call un.RemoveEverySettingsFolder
SectionEnd

Section "-un.Finish" UnSecFinish
  !insertmacro TELL_IF_RESTART_NEEDED "Việc gỡ bỏ"
SectionEnd
