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

// The address of a symbol that the program's own file defines and exports; null
// when only one of the libraries it was started with has that name, or none does.
void* FindProgramOwnSymbol(const char* name);

// The file name (with its folder, as the loader opened it) of the program or
// library that holds the address; empty when no loaded file holds it.
std::string GetLibraryPathOf(const void* address);

void CloseLibrary(LibraryHandle library);

// The absolute folder of the running program's file; empty when it cannot be read.
std::string GetProgramFolder();

}  // namespace platform
