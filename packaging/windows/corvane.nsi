; Corvane's installer for Windows: a per-user install, without administrator rights, into a folder the
; user can write (the traffic tools and their scratch files live beside the program). Made on Linux
; with makensis from the folder that `cmake --install` fills:
;   makensis -DVERSION=1.0.0 -DSTAGE=<install folder> -DUNFILES=<uninstall list> -DOUTFILE=<setup.exe>
;            -DICON=<corvane.ico> corvane.nsi
; Silent: /S, with /TOOLS=FOLDER (/TOOLS="C:\My Tools" when it has blanks) for the folder that holds
; the real TCompiler.exe and TDecompiler.exe, and /D=FOLDER for the program folder.
;
; The traffic tools: the ones the user names are copied in; without them Corvane's stand-ins are
; installed. An upgrade keeps the tools of the user's own (those not put there as stand-ins by an
; earlier install), and the uninstaller removes only the tools it put there itself: the size and time
; of each tool file it installs are recorded under the installer's key.

; A 64-bit installer for a 64-bit program (it then runs where 32-bit programs cannot, as under a
; 64-bit-only Wine).
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!ifndef VERSION | STAGE | UNFILES | OUTFILE | ICON
  !error "VERSION, STAGE, UNFILES, OUTFILE and ICON must be defined"
!endif

!include "MUI2.nsh"
!include "nsDialogs.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane"
!define INSTALLER_KEY "Software\Corvane\Installer"
!define CLASSES_KEY "Software\Classes"
!define PROJECT_TYPE "Corvane.Project"

Name "Corvane"
Caption "Corvane ${VERSION} Setup"
UninstallCaption "Corvane ${VERSION} Uninstall"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Corvane"
InstallDirRegKey HKCU "${INSTALLER_KEY}" "InstallDir"
BrandingText "Corvane ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Corvane"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Corvane ${VERSION} Setup"
VIAddVersionKey "CompanyName" "Corvane"
VIAddVersionKey "LegalCopyright" "Corvane"

Var ToolsFolder
Var ToolsField
Var ToolsKept

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This installs Corvane ${VERSION}, the editor of the AI traffic of Microsoft Flight Simulator 2002, for you alone: it needs no administrator rights.$\r$\n$\r$\nCorvane must be able to write into its own folder, where the traffic tools and their scratch files live, so it goes into a folder of yours."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom ToolsPage ToolsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\corvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Corvane"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The stamp of a file: its size and the time of its last change, "" when it is missing.
!macro FileStamp FILE RESULT
  ; Its own registers, so that RESULT may be any of $0-$9 (before, the result was popped over).
  Push $R6
  Push $R7
  Push $R8
  StrCpy $R8 ""
  ClearErrors
  FileOpen $R6 "${FILE}" r
  ${IfNot} ${Errors}
    FileSeek $R6 0 END $R7
    FileClose $R6
    GetFileTime "${FILE}" $R6 $R8
    StrCpy $R8 "$R7:$R6:$R8"
  ${EndIf}
  StrCpy ${RESULT} $R8
  Pop $R8
  Pop $R7
  Pop $R6
!macroend

; True (1 in RESULT) when both tools in the program folder are the ones the installer put there.
!macro ToolsAreOurs RESULT
  Push $3
  Push $4
  StrCpy ${RESULT} 0
  !insertmacro FileStamp "$INSTDIR\TCompiler.exe" $3
  ReadRegStr $4 HKCU "${INSTALLER_KEY}" "CompilerStamp"
  ${If} $3 != ""
  ${AndIf} $3 == $4
    !insertmacro FileStamp "$INSTDIR\TDecompiler.exe" $3
    ReadRegStr $4 HKCU "${INSTALLER_KEY}" "DecompilerStamp"
    ${If} $3 != ""
    ${AndIf} $3 == $4
      StrCpy ${RESULT} 1
    ${EndIf}
  ${EndIf}
  Pop $4
  Pop $3
!macroend

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/TOOLS=" $R1
  ${IfNot} ${Errors}
    StrCpy $ToolsFolder $R1
  ${EndIf}
  ${If} ${Silent}
  ${AndIf} $ToolsFolder != ""
    Call CheckToolsFolder
    ${If} $R9 != ""
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; $R9 := why $ToolsFolder does not hold the traffic tools, or "".
Function CheckToolsFolder
  StrCpy $R9 ""
  ${IfNot} ${FileExists} "$ToolsFolder\TCompiler.exe"
    StrCpy $R9 "The folder '$ToolsFolder' does not hold TCompiler.exe."
  ${ElseIfNot} ${FileExists} "$ToolsFolder\TDecompiler.exe"
    StrCpy $R9 "The folder '$ToolsFolder' does not hold TDecompiler.exe."
  ${EndIf}
FunctionEnd

Function ToolsPage
  !insertmacro MUI_HEADER_TEXT "Traffic tools" "Where are TCompiler.exe and TDecompiler.exe?"
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 34u "Corvane opens the simulator's traffic and compiles it back through two traffic tools of another party, TCompiler.exe and TDecompiler.exe. Choose the folder that holds them, and they are copied into Corvane's folder."
  Pop $0
  ${NSD_CreateDirRequest} 0 38u 78% 13u "$ToolsFolder"
  Pop $ToolsField
  ${NSD_CreateBrowseButton} 80% 37u 20% 15u "Browse..."
  Pop $0
  ${NSD_OnClick} $0 BrowseTools
  ${If} ${FileExists} "$INSTDIR\TCompiler.exe"
    !insertmacro ToolsAreOurs $1
    ReadRegStr $2 HKCU "${INSTALLER_KEY}" "Tools"
    ${If} $1 == 0
    ${OrIf} $2 == "user"
      StrCpy $ToolsKept 1
    ${EndIf}
  ${EndIf}
  ${If} $ToolsKept == 1
    ${NSD_CreateLabel} 0 58u 100% 40u "Corvane's folder already holds traffic tools of yours; leave the field empty to keep them."
  ${Else}
    ${NSD_CreateLabel} 0 58u 100% 56u "Leave the field empty to install Corvane's stand-in tools instead. They run every step of Corvane, but they cannot write a traffic file that the simulator reads: only the real tools can. Options shows $\"stand-in$\" while they are in use, and you can put the real tools into Corvane's folder at any time."
  ${EndIf}
  Pop $0
  nsDialogs::Show
FunctionEnd

Function BrowseTools
  ${NSD_GetText} $ToolsField $0
  nsDialogs::SelectFolderDialog "The folder that holds TCompiler.exe and TDecompiler.exe" $0
  Pop $0
  ${If} $0 != error
    ${NSD_SetText} $ToolsField $0
  ${EndIf}
FunctionEnd

Function ToolsPageLeave
  ${NSD_GetText} $ToolsField $ToolsFolder
  ${If} $ToolsFolder != ""
    Call CheckToolsFolder
    ${If} $R9 != ""
      MessageBox MB_ICONEXCLAMATION|MB_OK $R9
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

; The traffic tools: the user's, copied in; the user's own already there, kept; else the stand-ins.
Function InstallTools
  ${If} $ToolsFolder != ""
    CopyFiles /SILENT "$ToolsFolder\TCompiler.exe" "$INSTDIR"
    CopyFiles /SILENT "$ToolsFolder\TDecompiler.exe" "$INSTDIR"
    ${IfNot} ${FileExists} "$INSTDIR\TCompiler.exe"
    ${OrIfNot} ${FileExists} "$INSTDIR\TDecompiler.exe"
      MessageBox MB_ICONEXCLAMATION|MB_OK "The traffic tools could not be copied from '$ToolsFolder'." /SD IDOK
      SetErrorLevel 2
      Abort
    ${EndIf}
    WriteRegStr HKCU "${INSTALLER_KEY}" "Tools" "user"
    DetailPrint "The traffic tools were copied from $ToolsFolder."
  ${Else}
    StrCpy $0 0
    ${If} ${FileExists} "$INSTDIR\TCompiler.exe"
      !insertmacro ToolsAreOurs $1
      ReadRegStr $2 HKCU "${INSTALLER_KEY}" "Tools"
      ${If} $1 == 0
      ${OrIf} $2 == "user"
        StrCpy $0 1
      ${EndIf}
    ${EndIf}
    ${If} $0 == 1
      DetailPrint "The traffic tools in $INSTDIR are kept."
      Return
    ${EndIf}
    File "${STAGE}/TCompiler.exe"
    File "${STAGE}/TDecompiler.exe"
    WriteRegStr HKCU "${INSTALLER_KEY}" "Tools" "stand-in"
    DetailPrint "Corvane's stand-in traffic tools are installed: the simulator cannot read what they compile."
  ${EndIf}
  !insertmacro FileStamp "$INSTDIR\TCompiler.exe" $0
  WriteRegStr HKCU "${INSTALLER_KEY}" "CompilerStamp" $0
  !insertmacro FileStamp "$INSTDIR\TDecompiler.exe" $0
  WriteRegStr HKCU "${INSTALLER_KEY}" "DecompilerStamp" $0
FunctionEnd

Section "Corvane" SectionMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r /x TCompiler.exe /x TDecompiler.exe "${STAGE}/*"
  Call InstallTools
  WriteRegStr HKCU "${INSTALLER_KEY}" "InstallDir" "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\Corvane.lnk" "$INSTDIR\corvane.exe" "" "$INSTDIR\corvane.exe" 0

  ; Projects open with Corvane on a double-click (in the running Corvane, when there is one).
  WriteRegStr HKCU "${CLASSES_KEY}\.cvp" "" "${PROJECT_TYPE}"
  WriteRegStr HKCU "${CLASSES_KEY}\.cvp" "Content Type" "application/x-corvane-project"
  WriteRegStr HKCU "${CLASSES_KEY}\${PROJECT_TYPE}" "" "Corvane Project"
  WriteRegStr HKCU "${CLASSES_KEY}\${PROJECT_TYPE}\DefaultIcon" "" "$INSTDIR\corvane.exe,0"
  WriteRegStr HKCU "${CLASSES_KEY}\${PROJECT_TYPE}\shell\open\command" "" '"$INSTDIR\corvane.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Corvane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Corvane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\corvane.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  ; What the installer put there, and nothing else: projects, the simulator's files and its traffic
  ; backups are never in this list.
  !include "${UNFILES}"
  ; The traffic tools, unless they are no longer the files the installer put there.
  !insertmacro ToolsAreOurs $0
  ${If} $0 == 1
    Delete "$INSTDIR\TCompiler.exe"
    Delete "$INSTDIR\TDecompiler.exe"
  ${EndIf}
  ; Corvane's scratch files: the decompiler's output, the compiler's input, unfinished writes.
  RMDir /r "$INSTDIR\TempData"
  Delete "$INSTDIR\Aircraft.txt"
  Delete "$INSTDIR\Airports.txt"
  Delete "$INSTDIR\FlightPlans.txt"
  Delete "$INSTDIR\temp.dat"
  Delete "$INSTDIR\.cvtmp-*"
  Delete "$INSTDIR\.cvset-pending"
  Delete "$INSTDIR\uninstall.exe"
  ; Removed only when nothing of the user's is left in it.
  RMDir "$INSTDIR"
  ; The single-instance lock's folder.
  RMDir /r "$LOCALAPPDATA\Corvane\Runtime"
  RMDir "$LOCALAPPDATA\Corvane"

  Delete "$SMPROGRAMS\Corvane.lnk"
  ReadRegStr $0 HKCU "${CLASSES_KEY}\.cvp" ""
  ${If} $0 == "${PROJECT_TYPE}"
    DeleteRegKey HKCU "${CLASSES_KEY}\.cvp"
  ${EndIf}
  DeleteRegKey HKCU "${CLASSES_KEY}\${PROJECT_TYPE}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${INSTALLER_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Corvane"
SectionEnd
