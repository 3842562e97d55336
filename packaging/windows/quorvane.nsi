; The Windows installer of Quorvane, built on Linux by scripts/windows_installer.sh:
;   makensis -DVERSION=0.1.0 -DVERSION4=0.1.0.0 -DSTAGING=<folder> -DSTAGED_LIST=<list.nsh>
;            -DOUTFILE=<setup.exe>
; STAGING is the installation folder as windeployqt lays it out; everything in it is packed.
; STAGED_LIST defines the macro RemoveStagedFiles that deletes exactly those files again: the
; uninstaller removes what it brought, never a folder wholesale, so that an installation into a
; folder holding other things (C:\, Program Files itself) cannot take them along.
; The programs read Multi.lang from, and keep their Data folder in, the folder they are started
; in, which the read-only installation folder cannot be: the shortcuts start them in the user's
; working folder, Documents\Quorvane, which the uninstaller leaves alone since the casts live
; there.

!macro Required NAME
  !ifndef ${NAME}
    !error "${NAME} must be given with -D${NAME}=..."
  !endif
!macroend
!insertmacro Required VERSION
!insertmacro Required VERSION4
!insertmacro Required STAGING
!insertmacro Required STAGED_LIST
!insertmacro Required OUTFILE

; The programs are 64-bit, and so is the installer: it needs no 32-bit Windows layer to run.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "${STAGED_LIST}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane"
!define WORK_FOLDER "$DOCUMENTS\Quorvane"
!define MENU_FOLDER "$SMPROGRAMS\Quorvane"

Name "Quorvane ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Quorvane ${VERSION}"
InstallDir "$PROGRAMFILES64\Quorvane"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

!define MUI_ICON "${STAGING}/quorvane.ico"
!define MUI_UNICON "${STAGING}/quorvane.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the fallback; Windows in Chinese gets the Chinese pages.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

; Windows names the program in its elevation prompt by the file description, not the file name.
; makensis insists on a copyright line besides the keys the programs carry.
VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Quorvane"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Quorvane Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) Quorvane"

; The shortcuts and the working folder are the installing user's (NSIS's default context): a
; shortcut in every user's menu would start the others in a working folder they do not have.
Section "Quorvane"
  ; An earlier installation goes first, by its own uninstaller, which knows its own files: a
  ; library this version no longer ships would otherwise stay behind for good. The copy runs
  ; with _?= so that ExecWait waits for it instead of for a launcher that returns at once.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\Uninstall.exe"
    InitPluginsDir
    CopyFiles /SILENT "$0\Uninstall.exe" "$PLUGINSDIR\previous-uninstall.exe"
    ExecWait '"$PLUGINSDIR\previous-uninstall.exe" /S _?=$0'
  ${EndIf}

  SetOutPath "$INSTDIR"
  File /r "${STAGING}/*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The user's own Multi.lang (their language choice) is kept over any new template.
  CreateDirectory "${WORK_FOLDER}"
  ${IfNot} ${FileExists} "${WORK_FOLDER}\Multi.lang"
    CopyFiles /SILENT "$INSTDIR\Multi.lang" "${WORK_FOLDER}"
  ${EndIf}

  ; A shortcut's "Start in" is the output folder at the time it is made.
  CreateDirectory "${MENU_FOLDER}"
  SetOutPath "${WORK_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Quorvane.lnk" "$INSTDIR\Quorvane.exe" "" "$INSTDIR\quorvane.ico" 0
  CreateShortcut "${MENU_FOLDER}\QuorvaneFile.lnk" "$INSTDIR\QuorvaneFile.exe" "" \
    "$INSTDIR\quorvanefile.ico" 0
  CreateShortcut "${MENU_FOLDER}\QuorvaneDevice.lnk" "$INSTDIR\QuorvaneDevice.exe" "" \
    "$INSTDIR\quorvanedevice.ico" 0
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quorvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quorvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorvane.ico"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "${MENU_FOLDER}\Quorvane.lnk"
  Delete "${MENU_FOLDER}\QuorvaneFile.lnk"
  Delete "${MENU_FOLDER}\QuorvaneDevice.lnk"
  RMDir "${MENU_FOLDER}"

  !insertmacro RemoveStagedFiles
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
