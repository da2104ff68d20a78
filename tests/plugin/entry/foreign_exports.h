#pragma once
// A library beside the test program that defines names of the plug-in interface,
// as an unrelated library of a program might.

extern "C" {
__attribute__((visibility("default"))) int GetTamskLibVersion(void);
__attribute__((visibility("default"))) void RegisterPCommandName(const char* keyword, unsigned type);
// How many keywords were registered with this library.
__attribute__((visibility("default"))) int ForeignKeywordCount(void);
}
