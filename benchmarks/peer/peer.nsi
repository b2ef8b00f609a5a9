; A peer of Setup.exe for the whole-program figures: the same install work and the same
; content, with the packager's stock pages. It carries the five files and Setup's three page
; pictures, and shows the pictures on a full-screen background window as Setup's backdrop
; does. run.sh passes PAYLOAD (folder of the five files), PICTURES (folder of the bitmaps),
; CONFIG_NSH (the configuration lines as FileWrite calls) and OUTFILE, and chooses the
; compressor.

!ifndef PAYLOAD
  !error "build through benchmarks/run.sh"
!endif

Name "Palvorne Lumivary"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Palvorne Lumivary"
RequestExecutionLevel admin
ShowInstDetails show

Page directory
Page instfiles

; The backdrop: a full-screen window with the pictures, from start to end.
Function .onGUIInit
  InitPluginsDir
  File "/oname=$PLUGINSDIR\backdrop.bmp" "${PICTURES}\BACKDROP.bmp"
  File "/oname=$PLUGINSDIR\logo.bmp" "${PICTURES}\LOGO.bmp"
  File "/oname=$PLUGINSDIR\side.bmp" "${PICTURES}\SIDEPICTURE.bmp"
  BgImage::SetBg /FILLSCREEN "$PLUGINSDIR\backdrop.bmp"
  Pop $0
  BgImage::AddImage "$PLUGINSDIR\logo.bmp" 146 66
  Pop $0
  BgImage::AddImage "$PLUGINSDIR\side.bmp" 16 66
  Pop $0
  BgImage::Redraw
FunctionEnd

Function .onGUIEnd
  BgImage::Destroy
FunctionEnd

Section
  SetOutPath "$INSTDIR"
  File "${PAYLOAD}\PalvorneLV.exe"
  File "${PAYLOAD}\Uninstall.exe"
  File "${PAYLOAD}\Mpegdll.dll"
  File "${PAYLOAD}\Run.exe"
  SetOutPath "$WINDIR\system"
  File "${PAYLOAD}\PLVCPL.cpl"

  FileOpen $0 "$INSTDIR\config.ini" w
  !include "${CONFIG_NSH}"
  FileClose $0

  WriteRegStr HKLM "Software\palvorne" "Palvorne Lumivary" "$INSTDIR\PalvorneLV.exe"
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\runServices" \
      "PalvorneLumivary" '"$INSTDIR\run.exe" /P'
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\PalvorneLumivary" \
      "DisplayName" "Palvorne Lumivary 2000 Tessaline"
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\PalvorneLumivary" \
      "UninstallString" '"$INSTDIR\Uninstall.exe"'

  ; The first backups hold the user's own boot screens: never overwrite them.
  IfFileExists "$WINDIR\logos.old" +2
    CopyFiles /SILENT "$WINDIR\logos.sys" "$WINDIR\logos.old"
  IfFileExists "$WINDIR\logow.old" +2
    CopyFiles /SILENT "$WINDIR\logow.sys" "$WINDIR\logow.old"

  ; A shortcut's working directory is the output folder at the time it is made.
  SetOutPath "$INSTDIR"
  CreateDirectory "$SMPROGRAMS\Palvorne\Lumivary"
  CreateShortcut "$SMPROGRAMS\Palvorne\Lumivary\PalvorneLV.lnk" \
      "$INSTDIR\PalvorneLV.exe" "$INSTDIR\PalvorneLV.exe"
  CreateShortcut "$SMPROGRAMS\Palvorne\Lumivary\Uninstall.lnk" \
      "$INSTDIR\Uninstall.exe" "$INSTDIR\Uninstall.exe"

  ExecShell "open" "$INSTDIR\Run.exe" "" SW_HIDE
SectionEnd
