#include "tests/plugin/entry/foreign_exports.h"

namespace {
int g_Keywords = 0;
}

extern "C" {
int GetTamskLibVersion(void) { return 1300; }
void RegisterPCommandName(const char* /*keyword*/, unsigned /*type*/) { ++g_Keywords; }
int ForeignKeywordCount(void) { return g_Keywords; }
}
