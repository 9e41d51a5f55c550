; What the program makes for each user of the machine, removed for every one of them, and program files
; that another user's running copy holds, replaced or removed at the next restart. Included by lurb.nsi
; after the names (RUN_KEY, STARTUP_ENTRY, DESKTOP_LINK, SETTINGS_FOLDER, PROGRAM_FILE) are defined.

!include "x64.nsh"

!define PROFILE_LIST   "Software\Microsoft\Windows NT\CurrentVersion\ProfileList"
!define SHELL_FOLDERS  "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"
!define CLSID_SHELLLINK "{00021401-0000-0000-C000-000000000046}"
!define IID_SHELLLINKW  "{000214F9-0000-0000-C000-000000000046}"
!define IID_PERSISTFILE "{0000010b-0000-0000-C000-000000000046}"
; What a setup program reports when it needs a restart to finish (ERROR_SUCCESS_REBOOT_REQUIRED).
!define EXIT_RESTART_NEEDED 3010

;--- Files held by a copy running in another user's session ------------------------------------------

; Puts a program file in place. When a copy of the program in another session holds the old one (the
; copy in this session was closed first), the new file goes beside it and takes its place at the next
; restart.
!macro INSTALL_HELD_FILE NAME
  StrCpy $1 0 ; testing the error flag clears it: the answer is kept here
  ${If} ${FileExists} "$INSTDIR\${NAME}"
    ClearErrors
    FileOpen $0 "$INSTDIR\${NAME}" a
    ${If} ${Errors}
      StrCpy $1 1
    ${Else}
      FileClose $0
    ${EndIf}
  ${EndIf}
  ${If} $1 = 1
    DetailPrint "${NAME} đang được dùng; sẽ được thay khi khởi động lại máy."
    File "/oname=$INSTDIR\${NAME}.new" "${INPUT_DIR}\${NAME}"
    Rename /REBOOTOK "$INSTDIR\${NAME}.new" "$INSTDIR\${NAME}"
  ${Else}
    File "${INPUT_DIR}\${NAME}"
  ${EndIf}
!macroend

; Tells the user (and, through the exit code, a script) that a restart finishes the work.
!macro TELL_IF_RESTART_NEEDED WHAT
  ${If} ${RebootFlag}
    DetailPrint "Một số tệp đang được dùng trong phiên của người dùng khác; ${WHAT} xong khi khởi động lại máy."
    MessageBox MB_ICONINFORMATION|MB_OK "Một số tệp của ${PRODUCT_NAME} đang được dùng (có thể trong phiên của người dùng khác). ${WHAT} sẽ xong khi khởi động lại máy." /SD IDOK
    SetErrorLevel ${EXIT_RESTART_NEEDED}
  ${EndIf}
!macroend

;--- Every user's start-up entry, desktop shortcut and settings --------------------------------------

; $R0: "1" when the text on the stack (a path, quoted or not) names this installation's program.
Function un.IsOurProgram
  Exch $0
  StrCpy $R0 0
  StrCpy $1 $0 1
  ${If} $1 == '"'
    StrCpy $0 $0 "" 1
    StrCpy $1 $0 1 -1
    ${IfThen} $1 == '"' ${|} StrCpy $0 $0 -1 ${|}
  ${EndIf}
  ; StrCmp ignores case, as Windows does in paths.
  ${IfThen} $0 == "$INSTDIR\${PROGRAM_FILE}" ${|} StrCpy $R0 1 ${|}
  Pop $0
FunctionEnd

; $R0: "1" when the shortcut file on the stack points at this installation's program.
Function un.IsOurShortcut
  Exch $2
  Push $3
  Push $4
  Push $5
  StrCpy $R0 0
  StrCpy $5 ""
  ${If} ${FileExists} $2
    System::Call "ole32::CoCreateInstance(g '${CLSID_SHELLLINK}', p 0, i 1, g '${IID_SHELLLINKW}', *p .r3) i .r4"
    ${If} $4 = 0
      System::Call "$3->0(g '${IID_PERSISTFILE}', *p .r4) i .r1"
      ${If} $1 = 0
        System::Call "$4->5(w r2, i 0) i .r1"
        ${If} $1 = 0
          System::Call "$3->3(w .r5, i ${NSIS_MAX_STRLEN}, p 0, i 0) i"
        ${EndIf}
        System::Call "$4->2()"
      ${EndIf}
      System::Call "$3->2()"
    ${EndIf}
  ${EndIf}
  ${If} $5 != ""
    Push $5
    Call un.IsOurProgram
  ${EndIf}
  Pop $5
  Pop $4
  Pop $3
  Pop $2
FunctionEnd

; The start-up entry in every hive loaded under HKEY_USERS (each signed-in user's, this one's among
; them), when it starts this installation's program; an entry of another installation stays.
Function un.RemoveEveryStartupEntry
  Push $6
  Push $7
  Push $8
  StrCpy $6 0
  ${Do}
    EnumRegKey $7 HKU "" $6
    ${IfThen} $7 == "" ${|} ${ExitDo} ${|}
    IntOp $6 $6 + 1
    ReadRegStr $8 HKU "$7\${RUN_KEY}" "${STARTUP_ENTRY}"
    ${If} $8 != ""
      Push $8
      Call un.IsOurProgram
      ${If} $R0 = 1
        DeleteRegValue HKU "$7\${RUN_KEY}" "${STARTUP_ENTRY}"
        DetailPrint "Đã xoá mục khởi động cùng Windows của $7"
      ${EndIf}
    ${EndIf}
  ${Loop}
  Pop $8
  Pop $7
  Pop $6
FunctionEnd

; $R1: the folder a user keeps `$R2` in ("Desktop" or "AppData", as the shell names them), for the
; profile whose SID is $7 and whose folder is $8: where the user's loaded hive says, else where the
; profile keeps it by default (`$R3`, below the profile's folder).
Function un.UserFolder
  ReadRegStr $R1 HKU "$7\${SHELL_FOLDERS}" $R2
  ${If} $R1 == ""
    StrCpy $R1 "$8\$R3"
  ${EndIf}
FunctionEnd

; Calls the function whose address is on the stack for every user profile of the machine, with the
; profile's SID in $7 and its folder in $8.
Function un.ForEachProfile
  Exch $9
  Push $6
  Push $7
  Push $8
  StrCpy $6 0
  ${Do}
    ; The machine's own list of profiles, not the 32-bit programs' view of it (a 64-bit installer
    ; sees it as it is).
!ifndef TARGET
    ${If} ${RunningX64}
      SetRegView 64
    ${EndIf}
!endif
    EnumRegKey $7 HKLM "${PROFILE_LIST}" $6
    ReadRegStr $8 HKLM "${PROFILE_LIST}\$7" "ProfileImagePath"
    SetRegView default
    ${IfThen} $7 == "" ${|} ${ExitDo} ${|}
    IntOp $6 $6 + 1
    ${If} $8 != ""
      ExpandEnvStrings $8 $8
      Call $9
    ${EndIf}
  ${Loop}
  Pop $8
  Pop $7
  Pop $6
  Pop $9
FunctionEnd

Function un.RemoveProfileShortcut
  StrCpy $R2 "Desktop"
  StrCpy $R3 "Desktop"
  Call un.UserFolder
  Push "$R1\${DESKTOP_LINK}"
  Call un.IsOurShortcut
  ${If} $R0 = 1
    Delete "$R1\${DESKTOP_LINK}"
    DetailPrint "Đã xoá lối tắt $R1\${DESKTOP_LINK}"
  ${EndIf}
FunctionEnd

; The desktop shortcut in every profile, when it points at this installation's program; a shortcut of
; the same name to something else stays.
Function un.RemoveEveryDesktopShortcut
  GetFunctionAddress $0 un.RemoveProfileShortcut
  Push $0
  Call un.ForEachProfile
  ; This user's own desktop, wherever the profile list puts it.
  SetShellVarContext current
  Push "$DESKTOP\${DESKTOP_LINK}"
  Call un.IsOurShortcut
  ${IfThen} $R0 = 1 ${|} Delete "$DESKTOP\${DESKTOP_LINK}" ${|}
FunctionEnd

Function un.RemoveProfileSettings
  StrCpy $R2 "AppData"
  StrCpy $R3 "AppData\Roaming"
  Call un.UserFolder
  ${If} ${FileExists} "$R1\${SETTINGS_FOLDER}\*.*"
    RMDir /r /REBOOTOK "$R1\${SETTINGS_FOLDER}"
    DetailPrint "Đã xoá thiết lập trong $R1"
  ${EndIf}
FunctionEnd

; Every user's settings folder (only when the user ticked the box).
Function un.RemoveEverySettingsFolder
  GetFunctionAddress $0 un.RemoveProfileSettings
  Push $0
  Call un.ForEachProfile
  SetShellVarContext current
  RMDir /r /REBOOTOK "$APPDATA\${SETTINGS_FOLDER}"
FunctionEnd
