#include "framework/sound/wav_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/framework/sound/sound_files.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

namespace {

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsSound::nsISoundReader::CWavReader;
using platform::MakePcmFormat;
using vesk_test::MakeWav;
using vesk_test::WavLayout;

class WavReaderTest : public ::testing::Test {
 protected:
  // Writes the file and opens a reader on it.
  CWavReader& Open(const std::string& bytes) {
    vesk_test::WriteFile(m_Dir.path() / "sound.wav", bytes);
    m_Reader = std::make_unique<CWavReader>(new CFileReader, "sound.wav");
    return *m_Reader;
  }

  vesk_test::ScopedWorkingDir m_Dir;
  std::unique_ptr<CWavReader> m_Reader;
};

TEST_F(WavReaderTest, OpensPcmAndReadsItsData) {
  CWavReader& r = Open(MakeWav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(100)));
  ASSERT_TRUE(r.IsOpen());
  EXPECT_EQ(r.GetFormat().samplesPerSec, 44100u);
  EXPECT_EQ(r.GetFormat().blockAlign, 4);
  EXPECT_EQ(r.GetLength(), 100u);
  EXPECT_EQ(r.GetLoopStart(), 0u);
  EXPECT_EQ(r.GetLoopEnd(), 100u);
  EXPECT_EQ(r.GetLoopCount(), 0);

  std::string data(500, '\0');
  std::uint32_t got = 0;
  ASSERT_TRUE(r.Read(data.data(), 500, &got));
  EXPECT_EQ(got, 400u) << "no more than the data holds";
  EXPECT_EQ(data.substr(0, 400), vesk_test::RampFrames(100));
  EXPECT_TRUE(r.IsEnd());
  EXPECT_EQ(r.Tell(), 100u);
  ASSERT_TRUE(r.Read(data.data(), 4, &got));
  EXPECT_EQ(got, 0u);
}

TEST_F(WavReaderTest, SkipsOtherChunksWithOddPaddingAndLongFormatChunks) {
  WavLayout layout;
  layout.formatChunkSize = 18;
  layout.chunksBeforeData = {{"LIST", "INFOabc"}, {"fact", "1234"}};  // 7 bytes: padded to 8
  CWavReader& r = Open(MakeWav(MakePcmFormat(1, 22050, 8), "\x10\x20\x30", layout));
  ASSERT_TRUE(r.IsOpen());
  EXPECT_EQ(r.GetLength(), 3u);
  char data[3] = {};
  std::uint32_t got = 0;
  r.Read(data, 3, &got);
  EXPECT_EQ(std::string(data, got), "\x10\x20\x30");
}

TEST_F(WavReaderTest, SeekToOnePastTheLastSampleEndsTheDataAndFurtherIsRefused) {
  CWavReader& r = Open(MakeWav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(10)));
  vesk_test::DebugCapture capture;
  EXPECT_TRUE(r.Seek(10));
  EXPECT_TRUE(r.IsEnd());
  EXPECT_EQ(r.Tell(), 10u);
  EXPECT_FALSE(r.Seek(11));
  EXPECT_TRUE(capture.Contains("Failed : CWavReader::Seek Sample Too Large\n"));
  ASSERT_TRUE(r.Seek(3));
  EXPECT_FALSE(r.IsEnd());
  std::int16_t frame[2] = {};
  r.Read(frame, 4, nullptr);
  EXPECT_EQ(frame[0], vesk_test::RampValue(3));
}

TEST_F(WavReaderTest, RefusesWhatItCannotPlayOrMeasure) {
  struct Case {
    const char* what;
    platform::PcmFormat format;
  };
  auto floatFormat = MakePcmFormat(2, 44100, 16);
  floatFormat.formatTag = 3;
  auto extensible = MakePcmFormat(2, 44100, 16);
  extensible.formatTag = 0xFFFE;
  auto noAlign = MakePcmFormat(2, 44100, 16);
  noAlign.blockAlign = 0;
  const Case cases[] = {{"float", floatFormat},
                        {"extensible", extensible},
                        {"block align 0", noAlign},
                        {"no channels", MakePcmFormat(0, 44100, 16)},
                        {"rate 0", MakePcmFormat(2, 0, 16)}};
  for (const Case& c : cases) {
    vesk_test::DebugCapture capture;
    CWavReader& r = Open(MakeWav(c.format, std::string(40, '\x01')));
    EXPECT_FALSE(r.IsOpen()) << c.what;
    EXPECT_TRUE(capture.Contains("Failed : CWavReader::Open Unknown Format\n")) << c.what;
    EXPECT_EQ(r.GetLength(), 0u) << c.what;
    EXPECT_EQ(r.Tell(), 0u) << c.what;
  }
}

TEST_F(WavReaderTest, RefusesDamagedFiles) {
  WavLayout noData;
  noData.withDataChunk = false;
  WavLayout hugeChunk;
  hugeChunk.chunksBeforeData = {{"junk", ""}};
  std::string huge = MakeWav(MakePcmFormat(2, 44100, 16), "", hugeChunk);
  huge[40] = huge[41] = huge[42] = huge[43] = '\xF0';  // the junk chunk claims almost 4 GB
  huge[4] = huge[5] = huge[6] = huge[7] = '\xFF';      // and so does the RIFF size
  const std::string cases[] = {"RIFF", MakeWav(MakePcmFormat(2, 44100, 16), "", noData), huge,
                               "RIFX" + MakeWav(MakePcmFormat(2, 44100, 16), "abcd").substr(4)};
  for (const std::string& bytes : cases) {
    vesk_test::DebugCapture capture;
    CWavReader& r = Open(bytes);
    EXPECT_FALSE(r.IsOpen());
    EXPECT_TRUE(capture.Contains("Failed : CWavReader::Open Unknown Format\n"));
  }
}

TEST_F(WavReaderTest, DataSizeIsClampedToTheFile) {
  WavLayout claimsMore;
  claimsMore.overrideDataSize = true;
  claimsMore.dataSize = 0x7FFFFFF0;
  CWavReader& r = Open(MakeWav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(25), claimsMore));
  ASSERT_TRUE(r.IsOpen());
  EXPECT_EQ(r.GetLength(), 25u);
  EXPECT_EQ(r.GetLoopEnd(), 25u);
}

TEST_F(WavReaderTest, ReportsMissingFilesDoubleOpensAndClosedReads) {
  vesk_test::DebugCapture capture;
  CWavReader missing(new CFileReader, "missing.wav");
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_TRUE(capture.Contains("Failed : CWavReader::Open File Not Found\n"));
  EXPECT_FALSE(missing.Read(nullptr, 4, nullptr));
  EXPECT_TRUE(capture.Contains("Failed : CWavReader::Read Not Open\n"));
  EXPECT_FALSE(missing.Seek(0));
  EXPECT_TRUE(capture.Contains("Failed : CWavReader::Seek Not Open\n"));
  EXPECT_FALSE(missing.IsEnd());

  CWavReader& r = Open(MakeWav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(4)));
  EXPECT_FALSE(r.Open("sound.wav"));
  EXPECT_TRUE(capture.Contains("Failed : CWavReader::Open Data Already Exists\n"));
  EXPECT_TRUE(r.IsOpen());
}

}  // namespace
