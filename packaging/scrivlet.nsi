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
; The main window has a class of its own; every window of older versions had
; the common class, and their main window is the one without owner and with a
; menu bar. Never the caption: it carries the version.
!define MAIN_CLASS "ScrivletMainForm"
!define COMMON_CLASS "ScrivletForm"

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

; 1 when a running Scrivlet was ended, so the new one is started afterwards.
Var WasRunning

; The main window of a running Scrivlet of any version in $R0, 0 when none runs.
!macro FindRunningScrivlet
    FindWindow $R0 "${MAIN_CLASS}"
    ${If} $R0 = 0
        StrCpy $R1 0
        ${Do}
            FindWindow $R0 "${COMMON_CLASS}" "" 0 $R1
            ${If} $R0 = 0
                ${ExitDo}
            ${EndIf}
            System::Call "user32::GetWindow(p R0, i 4) p .R2"   ; GW_OWNER
            System::Call "user32::GetMenu(p R0) p .R3"
            ${If} $R2 = 0
            ${AndIf} $R3 <> 0
                ${ExitDo}
            ${EndIf}
            StrCpy $R1 $R0
        ${Loop}
    ${EndIf}
!macroend

; Ends every running Scrivlet as its own "Beenden" does: a plain WM_CLOSE
; from another program makes it write the text being edited and end. Its
; files could not be replaced or removed while it runs. Waits for each
; process to end (up to 30 seconds; the program may first ask the user about
; a text changed in it and in the file at once).
!macro EndRunningScrivlet
    StrCpy $WasRunning 0
    StrCpy $R7 0
    ${Do}
        !insertmacro FindRunningScrivlet
        ${If} $R0 = 0
            ${ExitDo}
        ${EndIf}
        StrCpy $WasRunning 1
        System::Call "user32::GetWindowThreadProcessId(p R0, *i .R4)"
        System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i R4) p .R5"   ; SYNCHRONIZE
        SendMessage $R0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        ${If} $R5 <> 0
            System::Call "kernel32::WaitForSingleObject(p R5, i 30000) i .R6"
            System::Call "kernel32::CloseHandle(p R5)"
        ${Else}
            ; Its process cannot be waited for: its window going is the sign.
            StrCpy $R6 0
            ${Do}
                Sleep 100
                IntOp $R6 $R6 + 1
                System::Call "user32::IsWindow(p R0) i .R3"
                ${If} $R3 = 0
                ${OrIf} $R6 >= 300
                    ${ExitDo}
                ${EndIf}
            ${Loop}
        ${EndIf}
        ; A copy that stays (run as administrator, or the user kept it open)
        ; is not asked again; several copies of older versions are each ended.
        System::Call "user32::IsWindow(p R0) i .R3"
        IntOp $R7 $R7 + 1
        ${If} $R3 <> 0
        ${OrIf} $R7 >= 10
            ${ExitDo}
        ${EndIf}
    ${Loop}
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

; Scrivlet ran when the installation began: the new one runs in its place,
; with the snippet file and the settings it had (the installer writes neither).
Section "-Restart"
    ${If} $WasRunning = 1
        Exec '"$INSTDIR\scrivlet.exe"'
    ${EndIf}
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
