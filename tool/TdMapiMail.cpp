#include "tool/TdMapiMail.h"

#include <mapi.h>

std::string TMAPIMail::LibraryName = "MAPI32.DLL";

namespace {

struct Recipients {
  std::vector<std::string> addresses;  // "SMTP:" + address, kept alive
  std::vector<MapiRecipDesc> descs;
};

void AddRecipients(Recipients& r, const std::vector<std::string>& list,
                   ULONG recipientClass) {
  for (const std::string& address : list) {
    r.addresses.push_back("SMTP:" + address);
    MapiRecipDesc desc{};
    desc.ulRecipClass = recipientClass;
    desc.lpszName = const_cast<char*>(address.c_str());
    r.descs.push_back(desc);
  }
}

std::string FileNamePart(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

ULONG TMAPIMail::Send(HWND window) const {
  Recipients recipients;
  recipients.addresses.reserve(To.size() + Cc.size() + Bcc.size());
  AddRecipients(recipients, To, MAPI_TO);
  AddRecipients(recipients, Cc, MAPI_CC);
  AddRecipients(recipients, Bcc, MAPI_BCC);
  for (size_t i = 0; i < recipients.descs.size(); ++i)
    recipients.descs[i].lpszAddress = recipients.addresses[i].data();

  std::vector<std::string> names;
  for (const std::string& path : Attachments) names.push_back(FileNamePart(path));
  std::vector<MapiFileDesc> files(Attachments.size());
  for (size_t i = 0; i < files.size(); ++i) {
    files[i].nPosition = static_cast<ULONG>(-1);
    files[i].lpszPathName = const_cast<char*>(Attachments[i].c_str());
    files[i].lpszFileName = names[i].data();
  }
  std::string body;
  for (const std::string& line : Body) body += line + "\r\n";

  MapiMessage message{};
  message.lpszSubject = const_cast<char*>(Subject.c_str());
  message.lpszNoteText = body.data();
  message.nRecipCount = static_cast<ULONG>(recipients.descs.size());
  message.lpRecips = recipients.descs.data();
  message.nFileCount = static_cast<ULONG>(files.size());
  message.lpFiles = files.data();

  HMODULE library = LoadLibraryA(LibraryName.c_str());
  if (library == nullptr) return static_cast<ULONG>(-1);
  auto send = reinterpret_cast<LPMAPISENDMAIL>(
      reinterpret_cast<void*>(GetProcAddress(library, "MAPISendMail")));
  ULONG result = MAPI_E_FAILURE;
  if (send != nullptr)
    result = send(0, reinterpret_cast<ULONG_PTR>(window), &message,
                  ShowDialog ? MAPI_LOGON_UI | MAPI_NEW_SESSION | MAPI_DIALOG : 0,
                  0);
  FreeLibrary(library);
  return result;
}

std::string TMAPIMail::ErrorText(ULONG result) {
  static const char* const kTexts[] = {
      "Success", "User abort", "General MAPI failure", "MAPI login failure",
      "Disk full", "Insufficient memory", "Access denied", "",
      "Too many sessions", "Too many files", "Too many recipients",
      "Attachment not found", "Attachment open failure",
      "Attachment write failure", "Unknown recipient", "Bad recipient type",
      "No messages", "Invalid message", "Text too large", "Invalid session",
      "Type not supported", "Ambiguous recipient", "Message in use",
      "Network failure", "Invalid edit fields", "Invalid recipients",
      "Not supported"};
  if (result == static_cast<ULONG>(-1)) return "The mail library cannot be loaded.";
  if (result < sizeof kTexts / sizeof kTexts[0] && kTexts[result][0] != '\0')
    return kTexts[result];
  return "Unknown MAPI error " + std::to_string(result);
}
