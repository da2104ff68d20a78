// The plug-in binds only what the program itself exports: a library of the
// program's that happens to define the interface's names is not the host.

#include <string>

#include <gtest/gtest.h>

#include "engine/api/plugin_api.h"
#include "platform/library/library.h"
#include "tests/plugin/entry/foreign_exports.h"

namespace {

TEST(ForeignSymbolsTest, NamesFromAnotherLibraryAreNotTheProgramsExports) {
  ASSERT_NE(platform::FindProgramSymbol("GetTamskLibVersion"), nullptr);
  EXPECT_EQ(platform::FindProgramOwnSymbol("GetTamskLibVersion"), nullptr);
  EXPECT_EQ(platform::FindProgramOwnSymbol("NoSuchExportAnywhere"), nullptr);
  // The program's own definitions are found.
  EXPECT_NE(platform::FindProgramOwnSymbol("ProgramOwnExport"), nullptr);
}

TEST(ForeignSymbolsTest, WendrickRefusesAHostWhoseVersionComesFromALibrary) {
  std::string error;
  platform::LibraryHandle library = platform::OpenLibrary(WENDRICK_LIBRARY, &error);
  ASSERT_NE(library, nullptr) << error;
  const auto version = reinterpret_cast<nsTamskLib::GetTamskLibDllVersionFunc>(
      platform::FindLibrarySymbol(library, nsTamskLib::kPluginVersionSymbol));
  const auto attach = reinterpret_cast<nsTamskLib::TamskLibAttachFunc>(
      platform::FindLibrarySymbol(library, nsTamskLib::kPluginAttachSymbol));
  ASSERT_NE(version, nullptr);
  ASSERT_NE(attach, nullptr);
  EXPECT_EQ(version(), 1300);
  EXPECT_EQ(attach(), 0);
  EXPECT_EQ(ForeignKeywordCount(), 0);
  // Only the three entries are exported.
  EXPECT_EQ(platform::FindLibrarySymbol(library, "GetHostApi"), nullptr);
  platform::CloseLibrary(library);
}

}  // namespace

// Defined by the program itself and exported like an interface function.
extern "C" __attribute__((visibility("default"))) int ProgramOwnExport() { return 1; }
