# The Portelle program's units; Main.cpp is added by the program target.
# The library's rules that the program follows too are compiled in from
# their one source.
set(PORTELLE_SOURCES
  lib/foundation/files/FileNaming.cpp
  lib/foundation/threads/InstanceMutex.cpp
  tool/Application.cpp
  tool/ErrorLog.cpp
  tool/Flags.cpp
  tool/Form.cpp
  tool/FormLanguage.cpp
  tool/FormMainPortelle.cpp
  tool/FormRTLIError.cpp
  tool/LineTable.cpp
  tool/MessageForm.cpp
  tool/OSInfo.cpp
  tool/Portelle.cpp
  tool/PortelleList.cpp
  tool/RegistryKey.cpp
  tool/StackCapture.cpp
  tool/TdCPU.cpp
  tool/TdConsts.cpp
  tool/TdLang.cpp
  tool/TdMapiMail.cpp
  tool/TdMsgBox.cpp
  tool/TdParserTools.cpp
  tool/TdProgInfo.cpp
  tool/TdRegistry.cpp
  tool/TdRTLI.cpp
  tool/TdShell.cpp
  tool/TdStrings.cpp
  tool/TdUtils.cpp
  tool/TdWinAPI.cpp
)
