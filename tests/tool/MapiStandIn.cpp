// A stand-in for the system's mail library: records the message that
// MAPISendMail receives in the file named by PORTELLE_MAPI_RECORD and returns
// the number in PORTELLE_MAPI_RESULT.
#include <windows.h>
#include <mapi.h>

#include <cstdlib>
#include <fstream>

extern "C" __declspec(dllexport) ULONG WINAPI MAPISendMail(LHANDLE, ULONG_PTR,
                                                           lpMapiMessage message,
                                                           FLAGS flags, ULONG) {
  char path[MAX_PATH] = "", result[16] = "0";
  GetEnvironmentVariableA("PORTELLE_MAPI_RECORD", path, sizeof path);
  GetEnvironmentVariableA("PORTELLE_MAPI_RESULT", result, sizeof result);
  std::ofstream out(path, std::ios::binary);
  out << "flags=" << flags << "\n";
  out << "subject=" << message->lpszSubject << "\n";
  for (ULONG i = 0; i < message->nRecipCount; ++i) {
    const MapiRecipDesc& r = message->lpRecips[i];
    out << "recipient=" << r.ulRecipClass << "," << r.lpszName << "," << r.lpszAddress << "\n";
  }
  for (ULONG i = 0; i < message->nFileCount; ++i) {
    const MapiFileDesc& f = message->lpFiles[i];
    out << "file=" << static_cast<long>(f.nPosition) << "," << f.lpszPathName << ","
        << f.lpszFileName << "\n";
  }
  out << "body=" << message->lpszNoteText;
  return static_cast<ULONG>(std::atoi(result));
}
