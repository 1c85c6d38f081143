; The type of the parameter files (*.VSK) for the NSIS installer, with the same names and values as the MSI package
; (OrvaConfigurator.wxs): "ORVA parameter file", the program's icon, opened by the program with the file. Written for
; every user, as the program is installed for every user; removed by the uninstaller, .vsk only while it still
; names this type.

!macro OrvaRegisterFileType
  WriteRegStr HKLM "Software\Classes\.vsk" "" "OrvaConfigurator.ParameterFile"
  WriteRegStr HKLM "Software\Classes\OrvaConfigurator.ParameterFile" "" "ORVA parameter file"
  WriteRegStr HKLM "Software\Classes\OrvaConfigurator.ParameterFile\DefaultIcon" "" '"$INSTDIR\bin\OrvaConfigurator.exe",0'
  WriteRegStr HKLM "Software\Classes\OrvaConfigurator.ParameterFile\shell\open\command" "" '"$INSTDIR\bin\OrvaConfigurator.exe" "%1"'
  ; Explorer shows the new icon without a restart (SHCNE_ASSOCCHANGED).
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

!macro OrvaRemoveFileType
  ReadRegStr $0 HKLM "Software\Classes\.vsk" ""
  StrCmp $0 "OrvaConfigurator.ParameterFile" 0 +2
    DeleteRegKey HKLM "Software\Classes\.vsk"
  DeleteRegKey HKLM "Software\Classes\OrvaConfigurator.ParameterFile"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend
