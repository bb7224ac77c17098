/* Loads TdLib.dll as a host does and lists the names in its export table. */
#include <windows.h>
#include <stdio.h>

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "TdLib.dll";
  HMODULE dll = LoadLibraryA(path);
  if (!dll) {
    fprintf(stderr, "cannot load %s (error %lu)\n", path, (unsigned long)GetLastError());
    return 1;
  }
  const BYTE* base = (const BYTE*)dll;
  const IMAGE_NT_HEADERS* nt = (const IMAGE_NT_HEADERS*)(base + ((const IMAGE_DOS_HEADER*)base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY* dir = &nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  const IMAGE_EXPORT_DIRECTORY* exports = (const IMAGE_EXPORT_DIRECTORY*)(base + dir->VirtualAddress);
  const DWORD* names = (const DWORD*)(base + exports->AddressOfNames);
  printf("%s exports %lu functions:\n", path, (unsigned long)exports->NumberOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) printf("  %s\n", (const char*)(base + names[i]));
  FreeLibrary(dll);
  return 0;
}
