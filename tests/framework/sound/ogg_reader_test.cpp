#include "framework/sound/ogg_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/sound/sound_files.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

namespace {

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsSound::nsISoundReader::COggReader;

class OggReaderTest : public ::testing::Test {
 protected:
  vesk_test::ScopedWorkingDir m_Dir;
};

TEST_F(OggReaderTest, DecodesATrackToItsEndAndSeeksBack) {
  vesk_test::WriteFile(m_Dir.path() / "tone.ogg", vesk_test::MakeOggTone(2, 44100, 22050));
  COggReader r(new CFileReader, "tone.ogg");
  ASSERT_TRUE(r.IsOpen());
  EXPECT_EQ(r.GetLength(), 22050u);
  EXPECT_EQ(r.GetFormat().formatTag, 1);
  EXPECT_EQ(r.GetFormat().channels, 2);
  EXPECT_EQ(r.GetFormat().bitsPerSample, 16);
  EXPECT_EQ(r.GetFormat().blockAlign, 4);
  EXPECT_EQ(r.GetFormat().avgBytesPerSec, 176400u);
  EXPECT_EQ(r.GetLoopStart(), 0u);
  EXPECT_EQ(r.GetLoopEnd(), 22050u);
  EXPECT_EQ(r.GetLoopCount(), 0);
  EXPECT_FALSE(r.IsEnd());

  std::vector<char> all(22050 * 4 + 4096);
  std::uint32_t got = 0;
  ASSERT_TRUE(r.Read(all.data(), static_cast<std::uint32_t>(all.size()), &got));
  EXPECT_EQ(got, 22050u * 4);
  EXPECT_TRUE(r.IsEnd());

  ASSERT_TRUE(r.Seek(0));
  EXPECT_FALSE(r.IsEnd());
  EXPECT_EQ(r.Tell(), 0u);
  std::vector<char> again(4000);
  ASSERT_TRUE(r.Read(again.data(), 4000, &got));
  EXPECT_EQ(got, 4000u);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), all.begin()));
  EXPECT_EQ(r.Tell(), 1000u);
}

TEST_F(OggReaderTest, MonoTrackHasItsOwnFormat) {
  vesk_test::WriteFile(m_Dir.path() / "mono.ogg", vesk_test::MakeOggTone(1, 22050, 5000));
  COggReader r(new CFileReader, "mono.ogg");
  ASSERT_TRUE(r.IsOpen());
  EXPECT_EQ(r.GetFormat().channels, 1);
  EXPECT_EQ(r.GetFormat().samplesPerSec, 22050u);
  EXPECT_EQ(r.GetFormat().blockAlign, 2);
  EXPECT_EQ(r.GetLength(), 5000u);
}

TEST_F(OggReaderTest, RefusesMissingAndDamagedFiles) {
  {
    vesk_test::DebugCapture capture;
    COggReader missing(new CFileReader, "missing.ogg");
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_TRUE(capture.Contains("Failed : COggFile::Open File Not Found\n"));
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Open File Not Found\n"));
    EXPECT_FALSE(missing.Read(nullptr, 4, nullptr));
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Read Not Open\n"));
    EXPECT_FALSE(missing.Seek(0));
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Seek Not Open\n"));
    EXPECT_EQ(missing.Tell(), 0u);
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Tell Not Open\n"));
  }
  {
    vesk_test::WriteFile(m_Dir.path() / "noise.ogg", std::string(5000, 'x'));
    vesk_test::DebugCapture capture;
    COggReader noise(new CFileReader, "noise.ogg");
    EXPECT_FALSE(noise.IsOpen());
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Open File Not Found\n"));
  }
  {
    // Cut in the middle of the audio: opens (or is refused) and reads to an end
    // without hanging.
    const std::string whole = vesk_test::MakeOggTone(2, 44100, 44100);
    vesk_test::WriteFile(m_Dir.path() / "cut.ogg", whole.substr(0, whole.size() / 2));
    COggReader cut(new CFileReader, "cut.ogg");
    if (cut.IsOpen()) {
      std::vector<char> buffer(44100 * 4);
      std::uint32_t got = 0;
      cut.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size()), &got);
      EXPECT_TRUE(cut.IsEnd());
      EXPECT_LT(got, buffer.size());
    }
  }
}

TEST_F(OggReaderTest, SecondOpenIsRefused) {
  vesk_test::WriteFile(m_Dir.path() / "tone.ogg", vesk_test::MakeOggTone(1, 44100, 1000));
  COggReader r(new CFileReader, "tone.ogg");
  vesk_test::DebugCapture capture;
  EXPECT_FALSE(r.Open("tone.ogg"));
  EXPECT_TRUE(capture.Contains("Failed : COggReader::Open Data Already Exists\n"));
  EXPECT_TRUE(r.IsOpen());
}

}  // namespace
