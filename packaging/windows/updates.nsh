; SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
; SPDX-License-Identifier: GPL-3.0-or-later
;
; Installing over an earlier version, and removing the program, safely:
; never while the program runs (its files would be half replaced), and an
; update first removes the earlier version with its own uninstaller, so that
; none of its files stays behind. install.cmake includes this file, with
; VI_PROGRAM, VI_DISPLAY_NAME and VI_UNINSTALL_KEY defined.

; The pages speak the language of Windows: Japanese or English here, English
; for the others.
LangString viRunning 1041 "${VI_DISPLAY_NAME} が実行中です。$\r$\n$\r$\n${VI_DISPLAY_NAME} を終了してから［再試行］をクリックしてください。［キャンセル］をクリックすると、セットアップを中止します。"
LangString viRunning 1033 "${VI_DISPLAY_NAME} is running.$\r$\n$\r$\nClose ${VI_DISPLAY_NAME}, then click Retry. Click Cancel to quit Setup."
LangString un.viRunning 1041 "${VI_DISPLAY_NAME} が実行中です。$\r$\n$\r$\n${VI_DISPLAY_NAME} を終了してから［再試行］をクリックしてください。［キャンセル］をクリックすると、アンインストールを中止します。"
LangString un.viRunning 1033 "${VI_DISPLAY_NAME} is running.$\r$\n$\r$\nClose ${VI_DISPLAY_NAME}, then click Retry. Click Cancel to stop uninstalling."
LangString viEarlierStays 1041 "以前のバージョンの ${VI_DISPLAY_NAME} をアンインストールできませんでした。セットアップを中止します。"
LangString viEarlierStays 1033 "The earlier version of ${VI_DISPLAY_NAME} could not be uninstalled. Setup will quit."

!define VI_UNINSTALL_REGKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${VI_UNINSTALL_KEY}"

; Windows does not let a running program's file be opened for writing: while
; that fails, the program runs. On the stack: the program's path. Cancel
; quits with exit code 2, before anything has changed.
!macro VI_WAIT_UNTIL_CLOSED UN
Function ${UN}viWaitUntilClosed
  Exch $0
  Push $1
  retry:
    IfFileExists "$0" 0 closed
    ClearErrors
    FileOpen $1 "$0" a
    IfErrors 0 writable
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(${UN}viRunning)" /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
  writable:
    FileClose $1
  closed:
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro VI_WAIT_UNTIL_CLOSED ""
!insertmacro VI_WAIT_UNTIL_CLOSED "un."

; The earlier version's uninstaller, from Settings > Apps' entry: $0 (empty
; when there is none) and its folder, $1.
Function viEarlierVersion
  StrCpy $1 ""
  ReadRegStr $0 SHCTX "${VI_UNINSTALL_REGKEY}" "UninstallString"
  StrCpy $2 $0 1
  StrCmp $2 '"' 0 +2
    StrCpy $0 $0 "" 1
  StrCpy $2 $0 1 -1
  StrCmp $2 '"' 0 +2
    StrCpy $0 $0 -1
  IfFileExists "$0" 0 none
  ${GetParent} "$0" $1
  Return
  none:
  StrCpy $0 ""
FunctionEnd

; Both copies the installer is about to replace: this folder's and the earlier
; version's, wherever it went.
Function viWaitUntilEveryCopyClosed
  Push "$INSTDIR\${VI_PROGRAM}.exe"
  Call viWaitUntilClosed
  Call viEarlierVersion
  StrCmp $0 "" done
  Push "$1\${VI_PROGRAM}.exe"
  Call viWaitUntilClosed
  done:
FunctionEnd

; Before the first page, so that the player is not asked at the end.
Function viInstallerShown
  Call viWaitUntilEveryCopyClosed
FunctionEnd

Function un.viUninstallerShown
  Push "$INSTDIR\${VI_PROGRAM}.exe"
  Call un.viWaitUntilClosed
FunctionEnd
!define MUI_CUSTOMFUNCTION_GUIINIT viInstallerShown
!define MUI_CUSTOMFUNCTION_UNGUIINIT un.viUninstallerShown

; Run first in the install section, silent installs included: the program
; may have been started since the first page.
!macro VI_BEFORE_INSTALL
  Call viWaitUntilEveryCopyClosed
  Call viEarlierVersion
  StrCmp $0 "" viNoEarlierVersion
  ClearErrors
  ; _?= runs it in place, and waits for it; it then stays, with its folder.
  ExecWait '"$0" /S _?=$1' $2
  IfErrors viEarlierStays
  StrCmp $2 0 0 viEarlierStays
  Delete "$0"
  RMDir "$1"
  Goto viNoEarlierVersion
  viEarlierStays:
    MessageBox MB_OK|MB_ICONSTOP "$(viEarlierStays)" /SD IDOK
    SetErrorLevel 2
    Quit
  viNoEarlierVersion:
!macroend

!macro VI_BEFORE_UNINSTALL
  Push "$INSTDIR\${VI_PROGRAM}.exe"
  Call un.viWaitUntilClosed
!macroend
