; The per-user installer of Scrivlet, built by cmake/package.cmake:
;
;   makensis -INPUTCHARSET UTF8 -DSTAGE=<folder> -DOUTFILE=<exe> -DARCH=x64|x86
;            -DVERSIONS=<generated/version.nsh> packaging/scrivlet.nsi
;
; STAGE holds what the portable zip holds: scrivlet.exe, sample.ini,
; LIESMICH.txt and hilfe/ (a build for the tests may lack the help pages and
; passes -DNO_HELP). The program goes into a folder the user can write
; (the snippet file lives beside it), so no administrator rights are asked for;
; everything it registers lies under HKEY_CURRENT_USER.

Unicode true
!include "${VERSIONS}"   ; VERSION (2.3.338), VERSION_SHORT (2.3c), VERSION_MAJOR, VERSION_MINOR
!include "MUI2.nsh"
!include "LogicLib.nsh"

!if "${ARCH}" == "x64"
    Target amd64-unicode
!else
    Target x86-unicode
!endif

!define PRODUCT "Scrivlet"
!define PUBLISHER "Morwick Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Scrivlet"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The main window: its class and its caption ("• Scrivlet 2.3c").
!define MAIN_CLASS "ScrivletForm"
!define MAIN_CAPTION "• Scrivlet ${VERSION_SHORT}"

Name "${PRODUCT} ${VERSION_SHORT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Scrivlet"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1031 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1031 "FileDescription" "Installation von ${PRODUCT} ${VERSION_SHORT}"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION_SHORT}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "${PUBLISHER}"

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\scrivlet.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Scrivlet jetzt starten"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\LIESMICH.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "LIESMICH.txt anzeigen"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; Ends a running Scrivlet as the task manager would, with WM_CLOSE: it
; writes the text being edited and ends. Its files could not be replaced or
; removed while it runs. Waits up to ten seconds.
!macro EndRunningScrivlet
    FindWindow $0 "${MAIN_CLASS}" "${MAIN_CAPTION}"
    ${If} $0 <> 0
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        StrCpy $1 0
        ${Do}
            Sleep 100
            IntOp $1 $1 + 1
            FindWindow $0 "${MAIN_CLASS}" "${MAIN_CAPTION}"
            ${If} $0 = 0
            ${OrIf} $1 >= 100
                ${ExitDo}
            ${EndIf}
        ${Loop}
    ${EndIf}
!macroend

Section "Scrivlet" SecProgram
    SectionIn RO
    !insertmacro EndRunningScrivlet
    SetOutPath "$INSTDIR"
    File "${STAGE}\scrivlet.exe"
    File "${STAGE}\sample.ini"
    File "${STAGE}\LIESMICH.txt"
!ifndef NO_HELP
    File /r "${STAGE}\hilfe"
!endif
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Scrivlet.lnk" "$INSTDIR\scrivlet.exe" "" "$INSTDIR\scrivlet.exe" 0 \
        SW_SHOWNORMAL "" "Textbausteine in andere Programme schreiben"

    ; The user's list of installed programs.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\scrivlet.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMajor" ${VERSION_MAJOR}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMinor" ${VERSION_MINOR}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize ${SecProgram} $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The same value the options dialog writes for "start with Windows".
Section "Mit Windows starten" SecAutostart
    WriteRegStr HKCU "${RUN_KEY}" "Scrivlet" '"$INSTDIR\scrivlet.exe" /AUTOSTART'
SectionEnd

Section "Uninstall"
    !insertmacro EndRunningScrivlet
    Delete "$INSTDIR\scrivlet.exe"
    Delete "$INSTDIR\sample.ini"
    Delete "$INSTDIR\LIESMICH.txt"
    RMDir /r "$INSTDIR\hilfe"
    Delete "$SMPROGRAMS\Scrivlet.lnk"
    DeleteRegValue HKCU "${RUN_KEY}" "Scrivlet"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ; The user's snippets and their daily backups (the folder "Sicherung"
    ; the program keeps beside the file) are asked about; a silent uninstall
    ; keeps them.
    ${If} ${FileExists} "$INSTDIR\Scrivlet.ini"
    ${OrIf} ${FileExists} "$INSTDIR\Sicherung\*.*"
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
            "Sollen auch Ihre Textbausteine und deren Sicherungen gelöscht werden?$\r$\n$\r$\n$INSTDIR\Scrivlet.ini$\r$\n$INSTDIR\Sicherung" \
            /SD IDNO IDNO keepSnippets
        Delete "$INSTDIR\Scrivlet.ini"
        RMDir /r "$INSTDIR\Sicherung"
        ; The place of the snippet file and of the main window go with it.
        DeleteRegKey HKCU "Software\Morwick Software\Scrivlet"
        DeleteRegKey /ifempty HKCU "Software\Morwick Software"
        keepSnippets:
    ${EndIf}

    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
