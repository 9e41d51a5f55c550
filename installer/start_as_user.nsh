; Starts the installed program as the user who is signed in, never with the installer's rights: the
; shell's own ShellExecute, reached through the documented way to the desktop's shell view
; (IShellWindows::FindWindowSW for the desktop, its top-level browser's active view, the view's
; background object, and that object's Application, IShellDispatch2). The shell runs unelevated as
; the user, so the program does too, in its own folder (the program finds its files from there).
; Included by lurb.nsi after PROGRAM_FILE is defined.

!define CLSID_SHELLWINDOWS       "{9BA05972-F6A8-11CF-A442-00A0C90A8F39}"
!define IID_ISHELLWINDOWS        "{85CB6900-4D95-11CF-960C-0080C7F4EE85}"
!define IID_ISERVICEPROVIDER     "{6D5140C1-7436-11CE-8034-00AA006009FA}"
!define SID_STOPLEVELBROWSER     "{4C96BE40-915C-11CF-99D3-00AA004AE837}"
!define IID_ISHELLBROWSER        "{000214E2-0000-0000-C000-000000000046}"
!define IID_IDISPATCH            "{00020400-0000-0000-C000-000000000046}"
!define IID_ISHELLFOLDERVIEWDUAL "{E7A1AF80-4D96-11CF-960C-0080C7F4EE85}"
!define IID_ISHELLDISPATCH2      "{A4C6892C-3BA9-11D2-9DEA-00C04FB16162}"
!define VT_I4   3
!define VT_BSTR 8
!define CSIDL_DESKTOP 0
!define SWC_DESKTOP 8
!define SWFO_NEEDDISPATCH 1
!define SVGIO_BACKGROUND 0
!ifndef SW_SHOWNORMAL
  !define SW_SHOWNORMAL 1
!endif
!ifdef TARGET
  !define VARIANT_SIZE 24
!else
  !define VARIANT_SIZE 16
!endif

; $R9: 0 when the shell took the program to start, else the step that failed.
Function ShellExecuteAsUser
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  Push $7
  Push $8
  StrCpy $R9 "shell windows"
  StrCpy $1 0
  StrCpy $2 0
  StrCpy $3 0
  StrCpy $4 0
  StrCpy $5 0
  StrCpy $6 0
  StrCpy $7 0
  ; Four VARIANTs, all empty (System::Alloc clears what it gives) until filled below.
  IntOp $0 ${VARIANT_SIZE} * 4
  System::Alloc $0
  Pop $8
  ; The first two: the desktop's place (VT_I4 CSIDL_DESKTOP) and an empty root.
  System::Call "*$8(&i2 ${VT_I4}, &i6 0, i ${CSIDL_DESKTOP})"
  System::Call "ole32::CoCreateInstance(g '${CLSID_SHELLWINDOWS}', p 0, i 4, g '${IID_ISHELLWINDOWS}', *p .r1) i .r0"
  ${If} $0 = 0
    StrCpy $R9 "desktop window"
    IntOp $0 $8 + ${VARIANT_SIZE}
    ; IShellWindows::FindWindowSW (after IUnknown's 3 and IDispatch's 4, the 9th of its own).
    System::Call "$1->15(p r8, p r0, i ${SWC_DESKTOP}, *i .r0, i ${SWFO_NEEDDISPATCH}, *p .r2) i .r0"
  ${EndIf}
  ${If} $0 = 0
  ${AndIf} $2 P<> 0
    StrCpy $R9 "top-level browser"
    System::Call "$2->0(g '${IID_ISERVICEPROVIDER}', *p .r3) i .r0"
    ${If} $0 = 0
      System::Call "$3->3(g '${SID_STOPLEVELBROWSER}', g '${IID_ISHELLBROWSER}', *p .r4) i .r0"
      System::Call "$3->2()"
      StrCpy $3 0
    ${EndIf}
  ${Else}
    StrCpy $0 1
  ${EndIf}
  ${If} $0 = 0
    StrCpy $R9 "active view"
    ; IShellBrowser::QueryActiveShellView
    System::Call "$4->15(*p .r5) i .r0"
  ${EndIf}
  ${If} $0 = 0
    StrCpy $R9 "view's background"
    ; IShellView::GetItemObject(SVGIO_BACKGROUND, IID_IDispatch)
    System::Call "$5->15(i ${SVGIO_BACKGROUND}, g '${IID_IDISPATCH}', *p .r6) i .r0"
  ${EndIf}
  ${If} $0 = 0
    StrCpy $R9 "shell application"
    System::Call "$6->0(g '${IID_ISHELLFOLDERVIEWDUAL}', *p .r7) i .r0"
    ${If} $0 = 0
      ; IShellFolderViewDual::get_Application
      System::Call "$7->7(*p .r3) i .r0"
      System::Call "$7->2()"
      StrCpy $7 $3
      StrCpy $3 0
    ${EndIf}
  ${EndIf}
  ${If} $0 = 0
    StrCpy $R9 "shell dispatch"
    System::Call "$7->0(g '${IID_ISHELLDISPATCH2}', *p .r3) i .r0"
    System::Call "$7->2()"
    StrCpy $7 $3
    StrCpy $3 0
  ${EndIf}
  ${If} $0 = 0
    StrCpy $R9 "shell execute"
    System::Call "oleaut32::SysAllocString(w '$INSTDIR\${PROGRAM_FILE}') p .R7"
    System::Call "oleaut32::SysAllocString(w '$INSTDIR') p .R8"
    ; Arguments none, the folder, the default verb, shown normally: the four VARIANTs written anew.
    IntOp $R4 $8 + ${VARIANT_SIZE}
    IntOp $R5 $R4 + ${VARIANT_SIZE}
    IntOp $R6 $R5 + ${VARIANT_SIZE}
    System::Call "*$8(&i2 0, &i6 0, p 0, p 0)"
    System::Call "*$R4(&i2 ${VT_BSTR}, &i6 0, p R8, p 0)"
    System::Call "*$R5(&i2 0, &i6 0, p 0, p 0)"
    System::Call "*$R6(&i2 ${VT_I4}, &i6 0, p ${SW_SHOWNORMAL}, p 0)"
    ; IShellDispatch2::ShellExecute(file, arguments, folder, verb, show). A VARIANT goes by value: on
    ; x86 its 16 bytes on the stack, on x64 a pointer to a copy.
!ifdef TARGET
    System::Call "$7->31(p R7, p r8, p R4, p R5, p R6) i .r0"
!else
    System::Call "*$R4(i .R0, i .R1, i .R2, i .R3)"
    System::Call "*$R6(i .R4, i .R5, i .R6, i .R8)"
    System::Call "$7->31(p R7, i 0, i 0, i 0, i 0, i R0, i R1, i R2, i R3, i 0, i 0, i 0, i 0, i R4, i R5, i R6, i R8) i .r0"
    StrCpy $R8 $R2
!endif
    System::Call "oleaut32::SysFreeString(p R7)"
    System::Call "oleaut32::SysFreeString(p R8)"
    ${If} $0 = 0
      StrCpy $R9 0
    ${EndIf}
  ${EndIf}
  ${IfThen} $7 P<> 0 ${|} System::Call "$7->2()" ${|}
  ${IfThen} $6 P<> 0 ${|} System::Call "$6->2()" ${|}
  ${IfThen} $5 P<> 0 ${|} System::Call "$5->2()" ${|}
  ${IfThen} $4 P<> 0 ${|} System::Call "$4->2()" ${|}
  ${IfThen} $3 P<> 0 ${|} System::Call "$3->2()" ${|}
  ${IfThen} $2 P<> 0 ${|} System::Call "$2->2()" ${|}
  ${IfThen} $1 P<> 0 ${|} System::Call "$1->2()" ${|}
  System::Free $8
  Pop $8
  Pop $7
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
