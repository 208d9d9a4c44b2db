#pragma once
#include <windows.h>

// The host's five entry points into the module.
extern "C" {
int __stdcall ModulCreate(int Left, int Top, int Width, int Height, int OsCode, int LanguageCode,
                          const char* Caption, const char* PageHint, int ValidOsMask, int HelpId);
int __stdcall ModulFree();
int __stdcall ModulSaveChanges();
int __stdcall ModulChanged();
int __stdcall ModulNr();
}

namespace wendrik {
// Library start-up: registers the host message.
void LibraryStartup();
}  // namespace wendrik
