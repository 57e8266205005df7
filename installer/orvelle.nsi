; The Orvelle setup program: a 64-bit Unicode installer that puts the pair
; where the system's screen saver list finds 64-bit savers (the 64-bit system
; folder; this stub is 64-bit, so no redirection applies), may make Orvelle
; the current saver, and registers an uninstaller.
;   makensis -DVERSION=1.0.0 -DPROGRAMS=dir -DREADME=file -DICON=file -DOUTFILE=file orvelle.nsi

Unicode true
Target amd64-unicode
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvelle"
!define SETUP_KEY "Software\Orvelle\Setup"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "Orvelle"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Orvelle"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Orvelle"
VIAddVersionKey /LANG=0 "FileDescription" "Orvelle setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "(C) 2026 Orvelle"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first language is the fallback; the system's language picks between them.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString NameMain ${LANG_ENGLISH} "Orvelle screen saver"
LangString NameMain ${LANG_JAPANESE} "Orvelle スクリーンセーバー"
LangString NameCurrent ${LANG_ENGLISH} "Make Orvelle the current screen saver"
LangString NameCurrent ${LANG_JAPANESE} "Orvelle を現在のスクリーン セーバーにする"

Section "!$(NameMain)" SecMain
    SectionIn RO
    ; Side by side in the 64-bit system folder, where the list looks.
    SetOutPath "$SYSDIR"
    File "${PROGRAMS}/Orvelle.scr"
    File "${PROGRAMS}/Orvelle.dll"
    SetOutPath "$INSTDIR"
    File /oname=readme.txt "${README}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Orvelle"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Orvelle"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\Orvelle.scr,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; Kilobytes: the two programs, the read-me and the uninstaller.
    SectionGetSize ${SecMain} $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(NameCurrent)" SecCurrent
    ; Remember what the user had, once: an upgrade keeps the first memory.
    ReadRegStr $0 HKCU "${SETUP_KEY}" "MadeCurrent"
    ${If} $0 != "1"
        ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ReadRegStr $2 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
        WriteRegStr HKCU "${SETUP_KEY}" "PreviousSaver" "$1"
        WriteRegStr HKCU "${SETUP_KEY}" "PreviousActive" "$2"
        WriteRegStr HKCU "${SETUP_KEY}" "MadeCurrent" "1"
    ${EndIf}
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\Orvelle.scr"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
    ; SPI_SETSCREENSAVEACTIVE, with the change announced.
    System::Call 'user32::SystemParametersInfoW(i 17, i 1, p 0, i 2)'
SectionEnd

Section "Uninstall"
    Delete "$SYSDIR\Orvelle.scr"
    Delete "$SYSDIR\Orvelle.dll"
    ; The previous saver comes back if this setup replaced it and it is still ours.
    ReadRegStr $0 HKCU "${SETUP_KEY}" "MadeCurrent"
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == "1"
    ${AndIf} $1 == "$SYSDIR\Orvelle.scr"
        ReadRegStr $2 HKCU "${SETUP_KEY}" "PreviousSaver"
        ReadRegStr $3 HKCU "${SETUP_KEY}" "PreviousActive"
        ${If} $2 == ""
            DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ${Else}
            WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$2"
        ${EndIf}
        ${If} $3 == ""
            DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
        ${Else}
            WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "$3"
        ${EndIf}
    ${EndIf}
    DeleteRegKey HKCU "${SETUP_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Orvelle"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; The user's settings file and its folder are theirs: they stay.
    Delete "$INSTDIR\readme.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
