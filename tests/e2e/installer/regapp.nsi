; A small installer of the kind users run: a program folder, a settings key with values of several types,
; a value added to a key that was there before, an uninstall entry and a file association. Built by the
; e2e fixture with makensis; run silently (/S) by the registry test.
Target amd64-unicode
Name "RvxRegApp"
OutFile "${OUT}"
RequestExecutionLevel admin
InstallDir "C:\RvxRegApp"
SilentInstall silent

Section
  SetOutPath "$INSTDIR"
  File "/oname=readme.txt" "${__FILE__}"
  WriteRegStr HKLM "Software\RvxRegApp" "Path" "$INSTDIR"
  WriteRegDWORD HKLM "Software\RvxRegApp" "Count" 7
  WriteRegBin HKLM "Software\RvxRegApp\Data" "Blob" 0102AB
  WriteRegExpandStr HKCU "Software\RvxRegApp" "Home" "%USERPROFILE%\rvx"
  WriteRegStr HKCU "Software\RvxRegApp" "" 'default "quoted" \ back'
  WriteRegStr HKCU "Software\RvxShared" "Added" "by the installer"
  ; The uninstall entry in the 32-bit view, as a 32-bit installer writes it.
  SetRegView 32
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\RvxRegApp" "DisplayName" "RvxRegApp"
  WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\RvxRegApp" "UninstallString" '"$INSTDIR\readme.txt"'
  SetRegView 64
  WriteRegStr HKCR ".rvxdoc" "" "RvxRegApp.Document"
  WriteRegStr HKCR "RvxRegApp.Document\shell\open\command" "" '"$INSTDIR\readme.txt" "%1"'
SectionEnd
