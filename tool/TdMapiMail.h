#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A mail handed to the system's mail client through Simple MAPI.
class TMAPIMail {
 public:
  std::vector<std::string> To, Cc, Bcc;
  std::vector<std::string> Attachments;  // full paths
  std::string Subject;
  std::vector<std::string> Body;         // lines
  bool ShowDialog = false;

  // The MAPI result; -1 when the mail library cannot be loaded.
  ULONG Send(HWND window) const;
  static std::string ErrorText(ULONG result);

  // The library that provides MAPISendMail, loaded at each send.
  static std::string LibraryName;
};
