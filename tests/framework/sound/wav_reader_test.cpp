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

// As many chunks before the data as a file may have are skipped; one more is refused.
TEST_F(WavReaderTest, SkipsOtherChunksWithOddPaddingAndLongFormatChunks) {
  WavLayout layout;
  layout.formatChunkSize = 18;
  layout.chunksBeforeData = {{"LIST", "INFOabc"}, {"fact", "1234"}};  // 7 bytes: padded to 8
  layout.emptyChunksBeforeData = nsZarn::nsSound::nsISoundReader::kMaxWavChunksBeforeData - 2;
  CWavReader& r = Open(MakeWav(MakePcmFormat(1, 22050, 8), "\x10\x20\x30", layout));
  ASSERT_TRUE(r.IsOpen());
  EXPECT_EQ(r.GetLength(), 3u);
  char data[3] = {};
  std::uint32_t got = 0;
  r.Read(data, 3, &got);
  EXPECT_EQ(std::string(data, got), "\x10\x20\x30");
  ++layout.emptyChunksBeforeData;
  vesk_test::DebugCapture capture;
  EXPECT_FALSE(Open(MakeWav(MakePcmFormat(1, 22050, 8), "\x10\x20\x30", layout)).IsOpen());
  EXPECT_TRUE(capture.Contains("Failed : CWavReader::Open Too Many Chunks\n"));
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
  auto twelveBits = MakePcmFormat(2, 44100, 16);
  twelveBits.bitsPerSample = 12;
  auto wideAlign = MakePcmFormat(2, 44100, 24);
  wideAlign.blockAlign = 8;
  const Case cases[] = {{"float", floatFormat},
                        {"extensible", extensible},
                        {"block align 0", noAlign},
                        {"no channels", MakePcmFormat(0, 44100, 16)},
                        {"rate 0", MakePcmFormat(2, 0, 16)},
                        {"three channels", MakePcmFormat(3, 44100, 16)},
                        {"12 bits", twelveBits},
                        {"24 bits in 32-bit frames", wideAlign},
                        {"rate 50", MakePcmFormat(2, 50, 16)}};
  for (const Case& c : cases) {
    vesk_test::DebugCapture capture;
    CWavReader& r = Open(MakeWav(c.format, std::string(40, '\x01')));
    EXPECT_FALSE(r.IsOpen()) << c.what;
    EXPECT_TRUE(capture.Contains("Failed : CWavReader::Open Unknown Format\n")) << c.what;
    EXPECT_EQ(r.GetLength(), 0u) << c.what;
    EXPECT_EQ(r.Tell(), 0u) << c.what;
  }
}

// Samples of 24 and 32 bits play as their upper 16 bits; a frame cut short at the
// end of the data is dropped.
TEST_F(WavReaderTest, WideSamplesAreDeliveredAsSixteenBits) {
  for (const std::uint16_t bits : {std::uint16_t{24}, std::uint16_t{32}}) {
    const std::string ramp = vesk_test::RampFrames(1500);
    std::string wide;
    for (std::size_t i = 0; i < ramp.size(); i += 2) {
      wide.append(bits / 8 - 2, '\x5A');  // low bytes that must not reach the output
      wide.append(ramp, i, 2);
    }
    CWavReader& r = Open(MakeWav(MakePcmFormat(2, 48000, bits), wide + "\x01\x02"));
    ASSERT_TRUE(r.IsOpen()) << bits;
    EXPECT_EQ(r.GetFormat().bitsPerSample, 16) << bits;
    EXPECT_EQ(r.GetFormat().blockAlign, 4) << bits;
    EXPECT_EQ(r.GetFormat().avgBytesPerSec, 192000u) << bits;
    EXPECT_EQ(r.GetLength(), 1500u) << bits;
    std::string data(8000, '\0');
    std::uint32_t got = 0;
    ASSERT_TRUE(r.Read(data.data(), 6002, &got));
    EXPECT_EQ(got, 6000u) << bits;
    EXPECT_EQ(data.substr(0, got), ramp) << bits;
    EXPECT_TRUE(r.IsEnd()) << bits;
    ASSERT_TRUE(r.Seek(1000));
    EXPECT_EQ(r.Tell(), 1000u);
    std::int16_t frame[2] = {};
    r.Read(frame, 4, &got);
    EXPECT_EQ(frame[0], vesk_test::RampValue(1000)) << bits;
    EXPECT_EQ(frame[1], -vesk_test::RampValue(1000)) << bits;
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
