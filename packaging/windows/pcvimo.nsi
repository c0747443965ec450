; The PC Vimo 2 installer. scripts/windows.sh makes it with
;   makensis -DPROGRAM=<program folder> -DOUTFILE=<setup.exe> -DVERSION=1.00 pcvimo.nsi
; where the program folder is `cmake --install` of the Windows build.
; Silent use: setup.exe /S /D=C:\folder (the folder last and unquoted, as NSIS wants it);
; uninstall.exe /S. An uninstall keeps VimoLog\ and Setup\: the farm's records and settings.
Unicode true
; Debian's Wine and current Windows run 64-bit programs; NSIS's default 32-bit stub would not
; start under a 64-bit-only Wine.
Target amd64-unicode
; zlib: made in 8 s on a 2-core build machine and 18 MB; solid LZMA would take 49 s for 13 MB.
SetCompressor zlib
ManifestDPIAware true

!define PRODUCT "PC Vimo 2"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\PCVimo2"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
Icon "${PROGRAM}\pcvimo.ico"
UninstallIcon "${PROGRAM}\pcvimo.ico"
; Program Files keeps the program itself safe from change by users; the two data folders are
; opened to every local user below. The install is for all users of the PC, so it needs an
; administrator.
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "LegalCopyright" "${PRODUCT}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Program"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${PROGRAM}\pcvimo.exe"
  File "${PROGRAM}\pcvimo.ico"
  File "${PROGRAM}\*.dll"
  File "${PROGRAM}\ViMoText.txt"
  ; The default setup: the program copies it into Setup\ at start-up while that holds none.
  File "${PROGRAM}\FarSetup-default.txt"
  SetOutPath "$INSTDIR\platforms"
  File "${PROGRAM}\platforms\*.dll"
  SetOutPath "$INSTDIR\styles"
  File "${PROGRAM}\styles\*.dll"
  SetOutPath "$INSTDIR\imageformats"
  File "${PROGRAM}\imageformats\*.dll"

  ; The farm's own: made empty, never filled by an install, kept by an uninstall.
  CreateDirectory "$INSTDIR\Setup"
  CreateDirectory "$INSTDIR\VimoLog"
  ; Every local user records into the one set of files (Users, by its well-known id: any
  ; language of Windows): modify rights, inherited by the files the program makes.
  nsExec::ExecToLog 'icacls "$INSTDIR\VimoLog" /grant *S-1-5-32-545:(OI)(CI)M'
  Pop $0
  nsExec::ExecToLog 'icacls "$INSTDIR\Setup" /grant *S-1-5-32-545:(OI)(CI)M'
  Pop $0

  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\pcvimo.exe" "" "$INSTDIR\pcvimo.ico"
  CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\pcvimo.exe" "" "$INSTDIR\pcvimo.ico"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  SetRegView 64
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pcvimo.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put there; VimoLog\ and Setup\ stay, and with them the folder.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  Delete "$INSTDIR\pcvimo.exe"
  Delete "$INSTDIR\pcvimo.ico"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\ViMoText.txt"
  Delete "$INSTDIR\FarSetup-default.txt"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\imageformats"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  SetRegView 64
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
