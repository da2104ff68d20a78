#include "platform/files/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/files/replacement_file.h"
#include "platform/files/staging_files.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(FilesTest, SplitPathLikeTheWindowsSplitter) {
  auto p = platform::SplitPath("C:\\game\\Data/Common.ini");
  EXPECT_EQ(p.drive, "C:");
  EXPECT_EQ(p.dir, "\\game\\Data/");
  EXPECT_EQ(p.name, "Common");
  EXPECT_EQ(p.ext, ".ini");

  p = platform::SplitPath("Data/a.b/file");
  EXPECT_EQ(p.dir, "Data/a.b/");
  EXPECT_EQ(p.name, "file");
  EXPECT_EQ(p.ext, "") << "a dot in a folder name is no extension";

  p = platform::SplitPath("x.tar.INI");
  EXPECT_EQ(p.name, "x.tar");
  EXPECT_EQ(p.ext, ".INI");

  // "表" (0x95 0x5C) ends in a backslash byte that is no separator.
  p = platform::SplitPath("d\\\x95\x5C.txt");
  EXPECT_EQ(p.dir, "d\\");
  EXPECT_EQ(p.name, "\x95\x5C");
  EXPECT_EQ(p.ext, ".txt");
}

TEST(FilesTest, NamesAreConvertedBetweenCp932AndTheFileSystem) {
  vesk_test::ScopedWorkingDir dir;
  // "表.txt" in a folder "sub", named with a Windows separator.
  EXPECT_EQ(platform::ToFileSystemPath("sub\\\x95\x5C.txt"), "sub/\xE8\xA1\xA8.txt");
  vesk_test::WriteFile("sub/\xE8\xA1\xA8.txt", "abc");
  vesk_test::WriteFile("sub/inner/x.bin", "");
  std::FILE* f = platform::OpenFile("sub\\\x95\x5C.txt", "rb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);

  std::vector<platform::FolderEntry> entries;
  ASSERT_TRUE(platform::ListFolder("sub", entries));
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "inner");
  EXPECT_TRUE(entries[0].isDirectory);
  EXPECT_EQ(entries[1].name, "\x95\x5C.txt");
  EXPECT_FALSE(entries[1].isDirectory);
  EXPECT_EQ(entries[1].size, 3u);
  EXPECT_FALSE(platform::ListFolder("missing", entries));

  EXPECT_TRUE(platform::IsDirectory("sub"));
  EXPECT_FALSE(platform::IsDirectory("sub/inner/x.bin"));
  EXPECT_TRUE(platform::RenameFile("sub/inner/x.bin", "sub/y.bin"));
  EXPECT_TRUE(platform::FileExists("sub/y.bin"));
  EXPECT_TRUE(platform::RemoveFile("sub/y.bin"));
  EXPECT_FALSE(platform::FileExists("sub/y.bin"));
}

TEST(FilesTest, AFolderHasOneIdWhateverPathReachesIt) {
  vesk_test::ScopedWorkingDir dir;
  vesk_test::WriteFile("a/b/x.txt", "");
  std::filesystem::create_directory_symlink("..", "a/b/back");
  platform::FolderId a, b, back;
  ASSERT_TRUE(platform::GetFolderId("a", a));
  ASSERT_TRUE(platform::GetFolderId("a\\b", b));
  ASSERT_TRUE(platform::GetFolderId("a/b/back", back));
  EXPECT_EQ(a, back);
  EXPECT_FALSE(a == b);
  EXPECT_FALSE(platform::GetFolderId("missing", a));
}

// New contents wait beside their file, each under a name of its own that marks it
// as a staging leftover, until put in place with the file's permissions; those
// never put in place are removed, also after the objects moved.
TEST(FilesTest, AReplacementWaitsBesideItsFileUntilPutInPlace) {
  vesk_test::ScopedWorkingDir dir;
  vesk_test::WriteFile("sub/a.ini", "old");
  std::filesystem::permissions("sub/a.ini", std::filesystem::perms(0640));
  std::vector<platform::ReplacementFile> files(2);
  ASSERT_TRUE(files[0].Write("sub\\a.ini", "new"));
  ASSERT_TRUE(files[1].Write("sub/a.ini", "other"));
  EXPECT_FALSE(platform::ReplacementFile().Write("missing/a.ini", "x"));
  files.resize(8);  // moves the waiting files
  std::vector<platform::FolderEntry> entries;
  ASSERT_TRUE(platform::ListFolder("sub", entries));
  platform::FolderEntry target;
  target.fileSystemName = "a.ini";
  EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [&](auto& e) { return IsWaitingFileOf(e, target); }), 2);
  EXPECT_TRUE(files[0].PutInPlace());
  EXPECT_FALSE(files[0].PutInPlace());
  EXPECT_EQ(vesk_test::ReadFile("sub/a.ini"), "new");
  EXPECT_EQ(std::filesystem::status("sub/a.ini").permissions(), std::filesystem::perms(0640));
  files.clear();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("sub"), {}), 1);
}

}  // namespace
