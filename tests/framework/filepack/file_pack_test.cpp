#include "framework/filepack/file_pack_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/filepack/file_pack_reader.h"
#include "framework/param/param_manager.h"
#include "platform/files/files.h"
#include "platform/work/load_quit.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsFile::nsFileReader::IFileReader;
using nsZarn::nsFile::nsFileWriter::CFileWriter;
using nsZarn::nsFramework::nsFilePack::FilePackManager;
using nsZarn::nsFramework::nsParam::ParamManager;

namespace {

std::string U32(std::uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return s;
}
std::string U64(std::uint64_t v) { return U32(static_cast<std::uint32_t>(v)) + U32(static_cast<std::uint32_t>(v >> 32)); }
std::string Z(const std::string& s) { return s + std::string(1, '\0'); }

// The names in the working folder, where "Data" and its archive lie.
std::vector<std::string> WorkingFolder() {
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::directory_iterator(".")) names.push_back(item.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
using Names = std::vector<std::string>;

// Every file of a folder tree with its bytes.
std::map<std::string, std::string> Tree(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& item : std::filesystem::recursive_directory_iterator(
           folder, std::filesystem::directory_options::follow_directory_symlink)) {
    if (item.is_regular_file()) files[item.path().string()] = vesk_test::ReadFile(item.path());
  }
  return files;
}

// "日本.txt" on disk (UTF-8) and in the archive (CP932).
const std::string kJapaneseUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC.txt";
const std::string kJapaneseSjis = "\x93\xFA\x96\x7B.txt";

// Where "Data" lies: in the working folder, or on another file system (tmpfs) that
// a link named "Data" reaches.
enum class DataFolder { kInPlace, kOnAnotherFileSystem };

class FilePackTest : public ::testing::TestWithParam<DataFolder> {
 protected:
  void SetUp() override {
    platform::FolderId shm, here;
    std::string elsewhere = "/dev/shm/vesk-pack-XXXXXX";
    if (GetParam() == DataFolder::kInPlace) {
      std::filesystem::create_directory("Data");
    } else if (!platform::GetFolderId("/dev/shm", shm) || !platform::GetFolderId(".", here) ||
               shm.device == here.device || ::mkdtemp(elsewhere.data()) == nullptr) {
      GTEST_SKIP() << "no writable /dev/shm on a file system other than the working folder's";
    } else {
      m_Elsewhere = elsewhere;
      std::filesystem::create_directory(m_Elsewhere + "/Data");
      std::filesystem::create_directory_symlink(m_Elsewhere + "/Data", "Data");
    }
  }
  void TearDown() override {
    std::error_code ec;
    if (!m_Elsewhere.empty()) std::filesystem::remove_all(m_Elsewhere, ec);
  }
  void MakeDataFolder() {
    vesk_test::WriteFile("Data/b.txt", "0123456789");
    vesk_test::WriteFile("Data/B.txt", "X");
    vesk_test::WriteFile("Data/lines.txt", "ab\ncd");
    vesk_test::WriteFile("Data/Common.ini", "[Common]\nAppTitle=\"X\"\n");
    vesk_test::WriteFile("Data/sub/c.bin", std::string("\0\1\2", 3));
    vesk_test::WriteFile("Data/sub/" + kJapaneseUtf8, "jp");
  }
  bool Convert() {
    FilePackManager packer(new CFileReader, new CFileWriter);
    ParamManager params(new CFileReader, new CFileWriter);
    return packer.ConvertToFilePack("Data", &params);
  }
  std::unique_ptr<IFileReader> Open(FilePackManager& manager, const char* entry) {
    std::unique_ptr<IFileReader> reader(manager.GetFileReader("Data.dat"));
    if (!reader || !reader->fopen(entry, "rb")) return nullptr;
    return reader;
  }
  // The bytes of an entry of "Data.dat", read by a fresh manager; empty when it has none.
  std::string Entry(const char* entry) {
    FilePackManager manager(new CFileReader, nullptr);
    auto reader = Open(manager, entry);
    std::string bytes(reader ? static_cast<std::size_t>(reader->GetSize()) : 0, '\0');
    if (!bytes.empty() && reader->fread(bytes.data(), bytes.size(), 1) != 1) bytes = "unreadable";
    return bytes;
  }

  vesk_test::ScopedWorkingDir m_Dir;
  std::string m_Elsewhere;  // the folder on tmpfs that holds "Data", if any
  FilePackManager m_Manager{new CFileReader, new CFileWriter};
};
INSTANTIATE_TEST_SUITE_P(DataFolder, FilePackTest,
                         ::testing::Values(DataFolder::kInPlace, DataFolder::kOnAnotherFileSystem),
                         [](const auto& param) { return param.param == DataFolder::kInPlace ? "InPlace" : "Linked"; });

// The converted form: magic, empty root name, one section with one key.
const std::string kConvertedCommon = std::string(".INIcDAT") + Z("") + U32(1) + Z("Common") + U32(1) + Z("AppTitle") + Z("\"X\"");

TEST_P(FilePackTest, PacksAFolderTreeToTheExactFormat) {
  MakeDataFolder();
  // Larger than the blocks the data is gathered in, and a file beside a folder
  // of the same name.
  std::string big(2 * 1024 * 1024 + 5, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 / 3);
  vesk_test::WriteFile("Data/big.bin", big);
  vesk_test::WriteFile("Data/sub.txt", "s");
  ASSERT_TRUE(Convert());
  EXPECT_EQ(vesk_test::ReadFile("Data/Common.ini"), kConvertedCommon)
      << "the .ini file now holds its converted form";

  // Sorted by unsigned bytes: upper case before lower case, CP932 after ASCII.
  const std::vector<std::pair<std::string, std::string>> files = {
      {"Data/B.txt", "X"},
      {"Data/Common.ini", vesk_test::ReadFile("Data/Common.ini")},
      {"Data/b.txt", "0123456789"},
      {"Data/big.bin", big},
      {"Data/lines.txt", "ab\ncd"},
      {"Data/sub.txt", "s"},
      {"Data/sub/c.bin", std::string("\0\1\2", 3)},
      {"Data/sub/" + kJapaneseSjis, "jp"},
  };
  std::uint64_t offset = 12;
  for (const auto& f : files) offset += f.first.size() + 13;
  std::string expected = ".Zarnpak" + U32(static_cast<std::uint32_t>(files.size()));
  std::string data;
  for (const auto& f : files) {
    expected += Z(f.first) + U64(offset) + U32(static_cast<std::uint32_t>(f.second.size()));
    offset += f.second.size();
    data += f.second;
  }
  EXPECT_EQ(vesk_test::ReadFile("Data.dat"), expected + data);
  // The first record by hand: "Data/B.txt", offset 12 + 104 name bytes + 8 x 13 = 220, size 1.
  EXPECT_EQ(vesk_test::ReadFile("Data.dat").substr(12, 23),
            Z("Data/B.txt") + std::string("\xDC\0\0\0\0\0\0\0\x01\0\0\0", 12));
  EXPECT_EQ(WorkingFolder(), (Names{"Data", "Data.dat"})) << "nothing staged is left";
}

// The packing writes nothing in the folder it packs: an author's file named as a
// staged file once was is packed as it is and left alone, whatever it holds.
TEST_P(FilePackTest, AFileNamedLikeAStagedOneIsPackedAndLeftAsItIs) {
  for (const std::string& bytes : {std::string("own\0bytes", 9), kConvertedCommon}) {
    for (const auto& item : std::filesystem::directory_iterator("Data")) std::filesystem::remove_all(item);
    std::filesystem::remove("Data.dat");
    MakeDataFolder();
    vesk_test::WriteFile("Data/Common.ini.tmp", bytes);
    ASSERT_TRUE(Convert());
    EXPECT_EQ(vesk_test::ReadFile("Data/Common.ini.tmp"), bytes);
    EXPECT_EQ(vesk_test::ReadFile("Data/Common.ini"), kConvertedCommon);
    EXPECT_EQ(Entry("Data/Common.ini.tmp"), bytes);
    EXPECT_EQ(Entry("Data/Common.ini"), kConvertedCommon);
    EXPECT_EQ(WorkingFolder(), (Names{"Data", "Data.dat"}));
  }
}

// A run killed before its renames leaves its staging folder beside the archive and
// its converted parameter files beside theirs; the next run removes them and nothing
// else: no link or author's folder of a staging name, no look-alike beside a file
// that is no parameter file, nothing in a folder reached through a link.
TEST_P(FilePackTest, WhatAKilledRunLeftIsRemovedBeforeThePacking) {
  MakeDataFolder();
  vesk_test::WriteFile("kept/x", "x");
  std::filesystem::create_directory_symlink("kept", "Data.dat.staging-L1nked");
  vesk_test::WriteFile("Data.dat.staging-Auth0r/0", "0");
  vesk_test::WriteFile("Data.dat.staging-Auth0r/mine.txt", "mine");
  vesk_test::WriteFile("Data/notes.txt", "notes");
  vesk_test::WriteFile("Data/notes.txt\xC2\xB7staging-abc123", "notes");
  vesk_test::WriteFile("outside/Common.ini", kConvertedCommon);
  vesk_test::WriteFile("outside/Common.ini\xC2\xB7staging-abc123", kConvertedCommon);
  std::filesystem::create_directory_symlink(std::filesystem::absolute("outside"), "Data/linked");
  std::map<std::string, std::string> expected = Tree(".");
  expected["./Data/Common.ini"] = kConvertedCommon;
  vesk_test::WriteFile("Data.dat.staging-k1LLed/0", kConvertedCommon.substr(0, 20));
  vesk_test::WriteFile("Data.dat.staging-k1LLed/Data.dat", ".Zarnpak");
  vesk_test::WriteFile("Data/Common.ini\xC2\xB7staging-0aZ9xy", kConvertedCommon);
  vesk_test::DebugCapture capture;
  ASSERT_TRUE(Convert());
  EXPECT_TRUE(capture.Contains("Failed : RemoveStagingFolders Holds Other Files, Kept : Data.dat.staging-Auth0r\n"));
  std::map<std::string, std::string> after = Tree(".");
  EXPECT_EQ(after.erase("./Data.dat"), 1u);
  EXPECT_EQ(after, expected);
  EXPECT_EQ(WorkingFolder(),
            (Names{"Data", "Data.dat", "Data.dat.staging-Auth0r", "Data.dat.staging-L1nked", "kept", "outside"}));
  EXPECT_EQ(vesk_test::ReadFile("Data.dat").substr(8, 4), U32(8)) << "the eight files of the data folder";
}

struct StoppingWriter : CFileWriter {  // once it wrote a mebibyte, it stops loads as a signal does
  std::size_t fwrite(const void* buffer, std::size_t size, std::size_t count) override {
    if ((written += size * count) >= (1u << 20)) platform::RequestLoadsStop();
    return CFileWriter::fwrite(buffer, size, count);
  }
  std::size_t written = 0;
};

// A termination signal stops the packing at the next block: no archive, every
// parameter file as it was, nothing staged left.
TEST_P(FilePackTest, ATerminationSignalStopsThePackingAtTheNextBlock) {
  MakeDataFolder();
  vesk_test::WriteFile("Data/big.bin", std::string(5u << 20, 'b'));
  const std::map<std::string, std::string> before = Tree(".");
  auto* writer = new StoppingWriter;
  FilePackManager packer(new CFileReader, writer);
  ParamManager params(new CFileReader, new CFileWriter);
  EXPECT_FALSE(packer.ConvertToFilePack("Data", &params));
  EXPECT_TRUE(platform::LoadsMustStop());
  platform::LetLoadsRun();
  EXPECT_LT(writer->written, 2u << 20);
  EXPECT_EQ(Tree("."), before) << "nothing staged or converted is left";
}

TEST_P(FilePackTest, EntryReaderKeepsToItsEntry) {
  MakeDataFolder();
  ASSERT_TRUE(Convert());
  auto reader = Open(m_Manager, "Data/b.txt");
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->GetSize(), 10);
  EXPECT_EQ(reader->ftell(), 0);
  EXPECT_TRUE(reader->fseek(-1, SEEK_END));
  EXPECT_EQ(reader->ftell(), 9);
  EXPECT_FALSE(reader->fseek(1, SEEK_END));
  EXPECT_FALSE(reader->fseek(-11, SEEK_END));
  EXPECT_FALSE(reader->fseek(11, SEEK_SET));
  EXPECT_FALSE(reader->fseek(-1, SEEK_SET));
  EXPECT_FALSE(reader->fseek(2, SEEK_CUR));
  EXPECT_TRUE(reader->fseek(1, SEEK_CUR));
  EXPECT_EQ(reader->ftell(), 10);
  EXPECT_FALSE(reader->fseek(-11, SEEK_CUR));
  EXPECT_FALSE(reader->fsetpos(11));
  ASSERT_TRUE(reader->fsetpos(3));
  std::int64_t pos = 0;
  ASSERT_TRUE(reader->fgetpos(pos));
  EXPECT_EQ(pos, 3);

  char buffer[16] = {};
  EXPECT_EQ(reader->fread(buffer, 3, 4), 2u) << "7 bytes left hold 2 whole elements";
  EXPECT_EQ(std::string(buffer, 6), "345678");
  EXPECT_EQ(reader->ftell(), 9);
  char c = 0;
  EXPECT_TRUE(reader->fgetc(c));
  EXPECT_EQ(c, '9');
  EXPECT_FALSE(reader->fgetc(c)) << "the entry ends although the archive goes on";
  EXPECT_EQ(reader->fread(buffer, 1, 1), 0u);
  ASSERT_TRUE(reader->fseek(0, SEEK_SET));
  EXPECT_EQ(reader->fread(buffer, 5, 2), 2u);
  EXPECT_EQ(reader->GetSize(), 10);
  EXPECT_EQ(reader->ftell(), 10) << "GetSize keeps the position";

  auto lines = Open(m_Manager, "Data/lines.txt");
  ASSERT_TRUE(lines);
  ASSERT_TRUE(lines->fgets(buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "ab") << "the line feed is not kept";
  ASSERT_TRUE(lines->fgets(buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "cd");
  EXPECT_FALSE(lines->fgets(buffer, sizeof buffer)) << "nothing left to read";
  ASSERT_TRUE(lines->fseek(0, SEEK_SET));
  ASSERT_TRUE(lines->fgets(buffer, 2));
  EXPECT_STREQ(buffer, "a") << "capacity - 1 bytes and the terminator";
}

TEST_P(FilePackTest, EntryReaderChecksNamesAndModes) {
  MakeDataFolder();
  ASSERT_TRUE(Convert());
  vesk_test::DebugCapture capture;
  std::unique_ptr<IFileReader> reader(m_Manager.GetFileReader("Data.dat"));
  ASSERT_TRUE(reader);
  EXPECT_FALSE(reader->fopen("data/b.txt", "rb"));
  EXPECT_TRUE(capture.Contains("Failed : CFilePackReader::fopen File Not Found\n"));
  EXPECT_FALSE(reader->fopen("Data/b.txt", "wb"));
  EXPECT_FALSE(reader->fopen("Data/b.txt", "r+"));
  EXPECT_TRUE(capture.Contains("Failed : CFilePackReader::fopen Invalid File Mode\n"));
  ASSERT_TRUE(reader->fopen("Data/sub/" "\x93\xFA\x96\x7B" ".txt", "rb"));
  EXPECT_FALSE(reader->fopen("Data/b.txt", "rb"));
  EXPECT_TRUE(capture.Contains("Failed : CFilePackReader::fopen Open Data Already Exists\n"));
  EXPECT_EQ(reader->GetSize(), 2);
  EXPECT_TRUE(reader->fclose());
  EXPECT_TRUE(reader->fopen("Data/B.txt", "rb"));
  EXPECT_EQ(reader->GetSize(), 1);
}

TEST_P(FilePackTest, TwoReadersReadDifferentEntriesAtOnce) {
  MakeDataFolder();
  ASSERT_TRUE(Convert());
  auto first = Open(m_Manager, "Data/b.txt");
  auto second = Open(m_Manager, "Data/lines.txt");
  ASSERT_TRUE(first && second);
  std::string a;
  std::string b;
  char c = 0;
  for (int i = 0; i < 5; ++i) {
    if (first->fgetc(c)) a += c;
    if (second->fgetc(c)) b += c;
  }
  EXPECT_EQ(a, "01234");
  EXPECT_EQ(b, "ab\ncd");
}

// Readers share the directory their manager read; a reader handed out (a sound
// keeps its reader for its whole life) still opens entries after the manager is gone.
TEST_P(FilePackTest, ReadersOutliveTheirManager) {
  MakeDataFolder();
  ASSERT_TRUE(Convert());
  auto manager = std::make_unique<FilePackManager>(new CFileReader, new CFileWriter);
  std::unique_ptr<IFileReader> first(manager->GetFileReader("Data.dat"));
  std::unique_ptr<IFileReader> second(manager->GetFileReader("Data.dat"));
  ASSERT_TRUE(first && second);
  manager.reset();
  ASSERT_TRUE(first->fopen("Data/b.txt", "rb"));
  EXPECT_EQ(first->GetSize(), 10);
  ASSERT_TRUE(first->fclose());
  ASSERT_TRUE(first->fopen(("Data/sub/" + kJapaneseSjis).c_str(), "rb"));
  char bytes[2] = {};
  EXPECT_EQ(first->fread(bytes, 1, 2), 2u);
  EXPECT_EQ(std::string(bytes, 2), "jp");
  ASSERT_TRUE(second->fopen("Data/lines.txt", "rb"));
  EXPECT_EQ(second->GetSize(), 5);
}

TEST_P(FilePackTest, AnEmptyArchiveOpensAndHasNoEntries) {
  std::filesystem::create_directory("Data");
  ASSERT_TRUE(Convert());
  EXPECT_EQ(vesk_test::ReadFile("Data.dat"), ".Zarnpak" + U32(0));
  vesk_test::DebugCapture capture;
  std::unique_ptr<IFileReader> reader(m_Manager.GetFileReader("Data.dat"));
  ASSERT_TRUE(reader);
  EXPECT_FALSE(reader->fopen("Data/b.txt", "rb"));
  EXPECT_TRUE(capture.Contains("Failed : CFilePackReader::fopen File Not Found\n"));
  EXPECT_EQ(m_Manager.GetFileReader("Missing.dat"), nullptr);
}

TEST_P(FilePackTest, ASecondConversionKeepsTheConvertedParameterFiles) {
  MakeDataFolder();
  vesk_test::WriteFile("Data/upper.INI", "[S]\nk=1\n");  // only ".ini" exactly is converted
  ASSERT_TRUE(Convert());
  const std::string archive = vesk_test::ReadFile("Data.dat");
  std::filesystem::remove("Data.dat");
  ASSERT_TRUE(Convert());
  EXPECT_EQ(vesk_test::ReadFile("Data.dat"), archive);
  EXPECT_EQ(vesk_test::ReadFile("Data/upper.INI"), "[S]\nk=1\n");

  ParamManager params(m_Manager.GetFileReader("Data.dat"), nullptr);
  EXPECT_EQ(params.GetString("Data/Common.ini", "Common", "AppTitle", ""), "X");
}

// Two links from a folder back to itself would make the walk branch at every level
// without end; a link to a folder the walk is already inside ends the conversion.
TEST_P(FilePackTest, ALinkBackToAnEnclosingFolderEndsTheConversion) {
  MakeDataFolder();
  std::filesystem::create_directory_symlink(".", "Data/sub/again");
  std::filesystem::create_directory_symlink("..", "Data/sub/up");
  vesk_test::DebugCapture capture;
  EXPECT_FALSE(Convert());
  EXPECT_TRUE(capture.Contains("Failed : FilePackManager::ConvertToFilePack Folder Loop\n"));
  EXPECT_EQ(WorkingFolder(), (Names{"Data"}));

  // A link to a folder beside the walk's path is no loop: its files are packed
  // under both names.
  std::filesystem::remove("Data/sub/again");
  std::filesystem::remove("Data/sub/up");
  std::filesystem::create_directory("Data/other");
  vesk_test::WriteFile("Data/other/o.txt", "o");
  std::filesystem::create_directory_symlink("../other", "Data/sub/link");
  ASSERT_TRUE(Convert());
  EXPECT_TRUE(Open(m_Manager, "Data/other/o.txt"));
  EXPECT_TRUE(Open(m_Manager, "Data/sub/link/o.txt"));
}

TEST_P(FilePackTest, NamesWithoutAShiftJisFormAreLeftOutAndNamed) {
  MakeDataFolder();
  // U+301C (wave dash), an emoji, and bytes that are no UTF-8 at all: no CP932 name
  // reaches these files, so no script can name them.
  const std::vector<std::string> odd = {"\xE3\x80\x9C.png", "sub/\xF0\x9F\x98\x80.wav", "zz\xFF.bin"};
  for (const auto& name : odd) vesk_test::WriteFile("Data/" + name, "odd");
  vesk_test::DebugCapture capture;
  ASSERT_TRUE(Convert());
  for (const auto& name : odd) {
    EXPECT_TRUE(capture.Contains("Failed : FilePackManager::ConvertToFilePack Name Not Shift-JIS : Data/" + name +
                                 "\n"))
        << name;
  }
  EXPECT_EQ(vesk_test::ReadFile("Data/Common.ini"), kConvertedCommon);
  ASSERT_TRUE(m_Manager.OpenFilePack("Data.dat"));
  EXPECT_NE(Open(m_Manager, ("Data/sub/" + kJapaneseSjis).c_str()), nullptr) << "the rest is packed";
  EXPECT_NE(Open(m_Manager, "Data/b.txt"), nullptr);
  // Six entries: the name count of the directory.
  EXPECT_EQ(vesk_test::ReadFile("Data.dat").substr(8, 4), U32(6));
}

TEST_P(FilePackTest, AFailedConversionLeavesNoArchive) {
  MakeDataFolder();
  vesk_test::DebugCapture capture;
  vesk_test::WriteFile("Data/long.ini", "[S]\nk=" + std::string(70000, 'x') + "\n");
  EXPECT_FALSE(Convert());
  EXPECT_TRUE(capture.Contains("Failed : FilePackManager::ConvertToFilePack ParameterFile Convert Failed\n"));
  EXPECT_FALSE(std::filesystem::exists("Data.dat"));
  // Converted before the failure, but never put in place.
  EXPECT_EQ(vesk_test::ReadFile("Data/Common.ini"), "[Common]\nAppTitle=\"X\"\n");
  EXPECT_EQ(WorkingFolder(), (Names{"Data"})) << "nothing staged is left";
  EXPECT_EQ(Tree("Data").size(), 7u) << "the six files and long.ini, nothing staged beside them";

  EXPECT_FALSE(m_Manager.ConvertToFilePack("NoSuchFolder", nullptr));
  FilePackManager bare(nullptr, nullptr);
  ParamManager params(nullptr, nullptr);
  EXPECT_FALSE(bare.ConvertToFilePack("Data", &params));
  EXPECT_TRUE(capture.Contains("Failed : FilePackManager::ConvertToFilePack FilePackManager Not Initialized\n"));
  EXPECT_FALSE(bare.OpenFilePack("Data.dat"));
  EXPECT_TRUE(capture.Contains("Failed : FilePackManager::OpenFilePack FilePackManager Not Initialized\n"));
}

// Opens an archive with a fresh manager and reads every entry it lists.
void OpenAndReadAll(const std::string& path, const std::vector<std::string>& names) {
  FilePackManager manager(new CFileReader, nullptr);
  std::unique_ptr<IFileReader> reader(manager.GetFileReader(path));
  if (!reader) return;
  char buffer[64];
  for (const auto& name : names) {
    if (!reader->fopen(name.c_str(), "rb")) continue;
    while (reader->fread(buffer, 1, sizeof buffer) > 0) {
    }
    reader->fseek(0, SEEK_SET);
    while (reader->fgets(buffer, sizeof buffer)) {
    }
    reader->fclose();
  }
}

TEST_P(FilePackTest, TruncatedAndCorruptedArchivesFailCleanly) {
  MakeDataFolder();
  ASSERT_TRUE(Convert());
  const std::string good = vesk_test::ReadFile("Data.dat");
  for (std::size_t n = 0; n < good.size(); ++n) {
    vesk_test::WriteFile("cut.dat", good.substr(0, n));
    FilePackManager manager(new CFileReader, nullptr);
    EXPECT_FALSE(manager.OpenFilePack("cut.dat")) << "cut at " << n;
  }
  std::string huge = good;
  huge.replace(8, 4, U32(0xFFFFFFFFu));
  vesk_test::WriteFile("huge.dat", huge);
  FilePackManager manager(new CFileReader, nullptr);
  EXPECT_FALSE(manager.OpenFilePack("huge.dat"));

  const std::vector<std::string> names = {"Data/B.txt", "Data/Common.ini", "Data/b.txt", "Data/lines.txt",
                                          "Data/sub/c.bin"};
  std::mt19937 rng(7);
  for (int round = 0; round < 400; ++round) {
    std::string bytes = good;
    const int flips = 1 + static_cast<int>(rng() % 6);
    for (int i = 0; i < flips; ++i) bytes[rng() % bytes.size()] = static_cast<char>(rng() & 0xFF);
    if (rng() % 4 == 0) bytes.resize(rng() % bytes.size());
    if (rng() % 8 == 0) {
      bytes = ".Zarnpak" + U32(rng() % 4);
      for (int i = static_cast<int>(rng() % 80); i > 0; --i) bytes.push_back(static_cast<char>(rng() & 0xFF));
    }
    vesk_test::WriteFile("fuzz.dat", bytes);
    OpenAndReadAll("fuzz.dat", names);
  }
}

}  // namespace
