; Lumenary's installer. package.py stages the files and calls makensis with
;   -DARCH=x86|amd64 -DVERSION=1.0.1 -DVERSION4=1.0.1.0
;   -DFILE_LIST=<generated macros> -DICON=<program icon> -DOUTFILE=<setup.exe>
; Silent installs (/S) take /NODESKTOP and /DEMOSAVERS; /D=<folder> last.

Unicode true
!if "${ARCH}" == "amd64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES"
!endif

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include "${FILE_LIST}"

!define PRODUCT "Lumenary"
!define PUBLISHER "Lumenary"
!define PROGRAM_EXE "Lumenary.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumenary"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\${PRODUCT}"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (C) ${PUBLISHER}"

LangString SecProgramName ${LANG_JAPANESE} "${PRODUCT} 本体"
LangString SecProgramText ${LANG_JAPANESE} "${PRODUCT} のプログラムと、スタート メニューの項目です。"
LangString SecDesktopName ${LANG_JAPANESE} "デスクトップのショートカット"
LangString SecDesktopText ${LANG_JAPANESE} "デスクトップに ${PRODUCT} のショートカットを作ります。"
LangString SecDemoName ${LANG_JAPANESE} "デモのスクリーンセーバー"
LangString SecDemoText ${LANG_JAPANESE} "サンプルのスクリーンセーバーを Windows のシステム フォルダーにも入れ、初めての検索で見つかるようにします。同じ名前のファイルがすでにあるときは、そのファイルには触れません。"
LangString DemoSaverKept ${LANG_JAPANESE} "同じ名前のファイルがあるため入れませんでした: "
LangString ProgramRunning ${LANG_JAPANESE} "${PRODUCT} が起動しています。${PRODUCT} を終了してから「再試行」を押してください。"

; Windows keeps a running program's file: replacing or removing the folder
; then would leave it half updated or half removed while saying it is done.
; The program must be closed first; a silent run stops with an error.
!macro LUM_WAIT_UNTIL_PROGRAM_CLOSED
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\${PROGRAM_EXE}"
      ${Break}
    ${EndIf}
    ClearErrors
    FileOpen $0 "$INSTDIR\${PROGRAM_EXE}" a
    ${IfNot} ${Errors}
      FileClose $0
      ${Break}
    ${EndIf}
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunning)" /SD IDCANCEL IDCANCEL`
      DetailPrint "$(ProgramRunning)"
      SetErrorLevel 2
      Abort
    ${EndIf}
  ${Loop}
!macroend

; The system folder may already hold a saver of the same name (Windows ships
; savers with common names): that file is left alone, and only savers this
; installer put there are recorded, so the uninstaller removes only those.
!macro LUM_INSTALL_DEMO_SAVER NAME
  ${If} ${FileExists} "$SYSDIR\${NAME}"
    DetailPrint "$(DemoSaverKept)$SYSDIR\${NAME}"
  ${Else}
    ClearErrors
    CopyFiles /SILENT "$INSTDIR\demo\${NAME}" "$SYSDIR"
    ${IfNot} ${Errors}
      WriteRegDWORD HKLM "${UNINST_KEY}" "DemoSaver ${NAME}" 1
    ${EndIf}
  ${EndIf}
!macroend

!macro LUM_UNINSTALL_DEMO_SAVER NAME
  ClearErrors
  ReadRegDWORD $0 HKLM "${UNINST_KEY}" "DemoSaver ${NAME}"
  ${If} $0 = 1
    Delete "$SYSDIR\${NAME}"
  ${EndIf}
!macroend

Section "!$(SecProgramName)" SecProgram
  SectionIn RO
  SetShellVarContext all
  !insertmacro LUM_WAIT_UNTIL_PROGRAM_CLOSED
  !insertmacro LUM_INSTALL_FILES
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM_EXE}"

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_EXE},0"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(SecDesktopName)" SecDesktop
  SetShellVarContext all
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM_EXE}"
SectionEnd

Section /o "$(SecDemoName)" SecDemo
  !insertmacro LUM_INSTALL_DEMO_SAVERS
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(SecProgramText)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} $(SecDesktopText)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDemo} $(SecDemoText)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/NODESKTOP" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecDesktop} 0
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/DEMOSAVERS" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecDemo} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

; Removes what the installer put there and nothing else: the collection in
; Documents, and any file the user added to the program folder, stay.
Section "Uninstall"
  !insertmacro LUM_WAIT_UNTIL_PROGRAM_CLOSED
  SetShellVarContext all
  Delete "$DESKTOP\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  !insertmacro LUM_UNINSTALL_DEMO_SAVERS
  !insertmacro LUM_UNINSTALL_FILES
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
