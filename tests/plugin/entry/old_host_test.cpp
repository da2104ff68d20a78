// The real library in a program that reports an older interface version: the
// attach refuses with the version warning naming the library's own file.

#include <cstdarg>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "engine/api/plugin_api.h"
#include "platform/library/library.h"

namespace {
std::string g_Warning;
int g_Warnings = 0;
}  // namespace

// This program's own exports: an old version and a warning that records its text.
extern "C" __attribute__((visibility("default"))) int GetTamskLibVersion(void) { return 1299; }

extern "C" __attribute__((visibility("default"))) void RuntimeWarning(void* /*owner*/,
                                                                      const char* format, ...) {
  char text[1100];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  g_Warning = text;
  ++g_Warnings;
}

namespace {

TEST(OldHostTest, TheAttachRefusesWithTheWarningNamingTheLibrary) {
  std::string error;
  platform::LibraryHandle library = platform::OpenLibrary(WENDRICK_LIBRARY, &error);
  ASSERT_NE(library, nullptr) << error;
  const auto attach = reinterpret_cast<nsTamskLib::TamskLibAttachFunc>(
      platform::FindLibrarySymbol(library, nsTamskLib::kPluginAttachSymbol));
  ASSERT_NE(attach, nullptr);
  EXPECT_EQ(attach(), 0);
  EXPECT_EQ(g_Warnings, 1);
  EXPECT_EQ(g_Warning,
            "プラグインのバージョンが本体を上回っています！\n（本体：Ver1.299　プラグイン（Wendrick.so）：Ver1.300）");
  platform::CloseLibrary(library);
}

}  // namespace
