#pragma once
// Shared libraries: open one by path, look up a symbol, close it; and the folder of
// the running program, where the plug-ins are found.

#include <string>

namespace platform {

using LibraryHandle = void*;

// Opens the library at path with every symbol bound at once and kept local. Null on
// failure; error then holds the loader's reason.
LibraryHandle OpenLibrary(const std::string& path, std::string* error);

// The address of a symbol of the library; null when it has none.
void* FindLibrarySymbol(LibraryHandle library, const char* name);

// The address of a symbol as a plug-in would find it in the running program (the
// program and the libraries it was started with); null when there is none.
void* FindProgramSymbol(const char* name);

void CloseLibrary(LibraryHandle library);

// The absolute folder of the running program's file; empty when it cannot be read.
std::string GetProgramFolder();

}  // namespace platform
