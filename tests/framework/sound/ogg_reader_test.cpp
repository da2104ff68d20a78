#include "framework/sound/ogg_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "framework/sound/vorbis_setup_reader.h"
#include "platform/work/load_quit.h"
#include "platform/work/work_meter.h"
#include "tests/framework/sound/sound_files.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

namespace {

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsSound::nsISoundReader::COggReader;

// A loose file whose reads cost the thread's CPU, `nsPerByte` a byte read.
struct CostlyFileReader : CFileReader {
  std::uint64_t nsPerByte = 0;
  std::size_t fread(void* buffer, std::size_t size, std::size_t count) override {
    const std::uint64_t until = platform::ThreadUserCpuNanoseconds() + size * count * nsPerByte;
    while (platform::ThreadUserCpuNanoseconds() < until) {
    }
    return CFileReader::fread(buffer, size, count);
  }
};

class OggReaderTest : public ::testing::Test {
 protected:
  // Writes the file and opens a reader on it.
  COggReader& Open(const std::string& bytes) {
    vesk_test::WriteFile(m_Dir.path() / "track.ogg", bytes);
    m_Reader = std::make_unique<COggReader>(new CFileReader, "track.ogg");
    return *m_Reader;
  }
  static std::string CorpusFile(const std::string& name) {
    std::ifstream in(std::string(VESK_OGG_CORPUS "/") + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Samples delivered from the start to the end.
  static std::uint32_t DecodedSamples(COggReader& r) {
    r.Seek(0);
    return SamplesToTheEnd(r);
  }
  static std::uint32_t SamplesToTheEnd(COggReader& r) {
    std::vector<char> buffer(1 << 16);
    std::uint32_t frames = 0;
    std::uint32_t got = 0;
    while (r.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size()), &got) && got != 0) {
      frames += got / r.GetFormat().blockAlign;
    }
    return frames;
  }

  vesk_test::ScopedWorkingDir m_Dir;
  std::unique_ptr<COggReader> m_Reader;
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
  // Granule positions that go back (the library's seek would bisect them for
  // ever), or a negative one.
  const std::string tone = vesk_test::MakeOggTone(2, 44100, 44100);
  for (const std::string& bytes : {vesk_test::WithLastGranule(tone, std::int64_t{1} << 56, 1),
                                   vesk_test::WithLastGranule(tone, -2, 1)}) {
    vesk_test::DebugCapture capture;
    EXPECT_FALSE(Open(bytes).IsOpen());
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Open Positions Out Of Order\n"));
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

// A codebook that is not a complete code passes the decoding library's header
// check and later divides by zero: the fuzzer's file, as it is and reshaped so that
// its headers lie elsewhere, is refused; the same shapes around a good tone open.
TEST_F(OggReaderTest, ALinkWhoseDecoderCannotBeSetUpIsRefusedWhereverItsHeadersLie) {
  const std::string bad = CorpusFile("F4-ogg-res2-divide-by-zero.ogg");
  ASSERT_FALSE(bad.empty());
  const std::string tone = vesk_test::MakeOggTone(1, 22050, 3000);
  struct Shape {
    const char* what;
    std::function<std::string(const std::string&)> make;
    std::uint32_t toneLength;
  };
  const Shape shapes[] = {
      {"as it is", [](const std::string& f) { return f; }, 3000},
      {"after a page of another stream", [](const std::string& f) { return vesk_test::ForeignOggPage(7) + f; }, 3000},
      {"as a chained file's second link",
       [&tone](const std::string& f) { return tone + vesk_test::WithOggSerial(f, 99); }, 6000},
      {"behind a comment header of 5 MiB", [](const std::string& f) { return vesk_test::WithLongComment(f, 5 << 20); },
       3000},
  };
  for (const Shape& shape : shapes) {
    COggReader& good = Open(shape.make(tone));
    ASSERT_TRUE(good.IsOpen()) << shape.what;
    EXPECT_EQ(good.GetLength(), shape.toneLength) << shape.what;
    EXPECT_EQ(DecodedSamples(good), shape.toneLength) << shape.what;
    vesk_test::DebugCapture capture;
    EXPECT_FALSE(Open(shape.make(bad)).IsOpen()) << shape.what;
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Open File Not Found\n")) << shape.what;
  }
}

// The device plays one format of one or two channels for the whole file.
TEST_F(OggReaderTest, RefusesFormatsTheMixerCannotPlay) {
  const std::string cases[] = {vesk_test::MakeOggTone(3, 44100, 2000),
                               vesk_test::MakeOggTone(1, 22050, 2000) +
                                   vesk_test::WithOggSerial(vesk_test::MakeOggTone(1, 44100, 2000), 99),
                               vesk_test::MakeOggTone(1, 22050, 2000) +
                                   vesk_test::WithOggSerial(vesk_test::MakeOggTone(2, 22050, 2000), 99)};
  for (const std::string& bytes : cases) {
    vesk_test::DebugCapture capture;
    EXPECT_FALSE(Open(bytes).IsOpen());
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Open Unknown Format\n"));
  }
}

// A track whose last granule position states one sample would make looped music
// seek after every sample; a track that is truly short keeps its length, and one
// stated a little short (within two long blocks) the length it decodes to. One
// that decodes further is refused, after as much decoding as those take, however
// many packets it holds.
TEST_F(OggReaderTest, AStatedLengthShorterThanABlockIsTakenFromWhatDecodingDelivers) {
  COggReader& brief = Open(vesk_test::MakeOggTone(1, 22050, 100));
  ASSERT_TRUE(brief.IsOpen());
  EXPECT_EQ(brief.GetLength(), 100u);
  EXPECT_EQ(DecodedSamples(brief), 100u);

  COggReader& near = Open(vesk_test::WithLastGranule(vesk_test::MakeOggTone(1, 22050, 800), 1));
  ASSERT_TRUE(near.IsOpen());
  EXPECT_GT(near.GetLength(), 1u);
  EXPECT_EQ(near.GetLoopEnd(), near.GetLength());
  EXPECT_EQ(DecodedSamples(near), near.GetLength());

  // A last page on which no packet ends states no position: the length is the
  // last position stated before it, and the file plays to its end.
  const std::string tenSeconds = vesk_test::MakeOggTone(1, 22050, 10 * 22050);
  const std::string cut = tenSeconds.substr(0, tenSeconds.size() - vesk_test::LastOggPage(tenSeconds).size());
  const std::uint32_t stated = Open(cut).GetLength();
  COggReader& unstated = Open(vesk_test::WithLastGranule(tenSeconds, -1));
  ASSERT_TRUE(unstated.IsOpen());
  EXPECT_EQ(unstated.GetLength(), stated);
  EXPECT_GE(DecodedSamples(unstated), unstated.GetLength());

  const std::string lying[] = {
      CorpusFile("ogg-one-sample-length-seek-per-sample-slow.ogg"),
      vesk_test::MakeOggWithCodebooks({.silentPackets = 20000, .statedSamples = 100})};
  for (const std::string& bytes : lying) {
    vesk_test::DebugCapture capture;
    EXPECT_FALSE(Open(bytes).IsOpen());
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Open Longer Than Stated\n"));
  }
}

// The work meter stops an open or a read: past the load's budget as too slow, for
// good; at a quit as a load given up, the file not at fault.
TEST_F(OggReaderTest, ADecodeTheWorkMeterStopsFails) {
  const std::string tone = vesk_test::MakeOggTone(2, 44100, 44100);
  {
    platform::LoadMeter spent(0);
    vesk_test::DebugCapture capture;
    EXPECT_FALSE(Open(tone).IsOpen());
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Open Too Slow To Decode\n"));
  }
  {
    platform::RequestLoadsStop();
    vesk_test::DebugCapture capture;
    EXPECT_FALSE(Open(tone).IsOpen());
    platform::LetLoadsRun();
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Open Quit While Loading\n"));
    EXPECT_FALSE(capture.Contains("Failed : COggReader::Open Too Slow To Decode\n"));
  }
  COggReader& reader = Open(tone);
  ASSERT_TRUE(reader.IsOpen());
  std::vector<char> buffer(1 << 16);
  std::uint32_t got = 0;
  {
    platform::LoadMeter spent(0);
    vesk_test::DebugCapture capture;
    EXPECT_FALSE(reader.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size()), &got));
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Read Too Slow To Decode\n"));
  }
  EXPECT_TRUE(reader.IsEnd());
  EXPECT_FALSE(reader.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size()), &got));
  EXPECT_FALSE(reader.Seek(0));

  // Decoding earns its CPU as it delivers audio: 6 s that cost 30 % of what they
  // earn, 1.8 times the store in all, play to their end.
  const std::string costly = vesk_test::MakeOggTone(2, 44100, 6 * 44100);
  vesk_test::WriteFile(m_Dir.path() / "costly.ogg", costly);
  auto* file = new CostlyFileReader;
  COggReader paid(file, "costly.ogg");
  file->nsPerByte = nsZarn::nsSound::kDecodeNsPerSecondOfAudio * 6 * 3 / 10 / costly.size();
  EXPECT_EQ(SamplesToTheEnd(paid), paid.GetLength());
}

// Setup headers stating codebooks that the decoding library would build at great
// cost (one book of 2^20 entries overflows the stack as the decoder is set up; 220
// books of 2^19 cost a gigabyte and seconds), decode maps of hundreds of megabytes,
// or decoding work of several times an encoder's are refused by the walk over the
// headers, before the library reads them; the same shapes within the bounds open
// and play from their start.
TEST_F(OggReaderTest, CodebookBombsAreRefusedBeforeTheDecodingLibraryReadsThem) {
  using vesk_test::CodebookStream;
  auto chain = [](CodebookStream stream, std::uint32_t links) {
    std::string file;
    for (stream.serial = 1; stream.serial <= links; ++stream.serial) file += vesk_test::MakeOggWithCodebooks(stream);
    return file;
  };
  const std::string tooLarge = "Failed : COggReader::Open Codebook Too Large\n";
  const std::string tooMany = "Failed : COggReader::Open Too Many Codebook Entries\n";
  const std::string tooCostly = "Failed : COggReader::Open Setup Too Costly\n";
  // Decode maps of 2^dimensions entries in each of `residues` residues.
  auto maps = [](int dimensions, int residues) {
    return CodebookStream{.channels = 2, .entries = 1u << 14, .dimensions = dimensions, .vectors = false,
                          .residues = residues, .residueClasses = 2};
  };
  using nsZarn::nsSound::nsISoundReader::kMaxCodebookEntries;
  using nsZarn::nsSound::nsISoundReader::kMaxFileCodebookEntries;
  using nsZarn::nsSound::nsISoundReader::kMaxVorbisLinks;
  // As many books of the most entries a book may have as a file may have.
  const int largestBooks = static_cast<int>(kMaxFileCodebookEntries / kMaxCodebookEntries);
  struct Shape {
    const char* what;
    std::string bytes;
    std::string line;
  };
  const Shape refused[] = {
      {"a book of 2^20 entries", chain({.entries = 1u << 20}, 1), tooLarge},
      {"220 books of 2^19 entries", chain({.books = 220, .entries = 1u << 19}, 1), tooLarge},
      {"three links of those", chain({.books = 220, .entries = 1u << 19}, 3), tooLarge},
      {"a book of 2^19 vector values", chain({.entries = 1u << 13, .dimensions = 64}, 1), tooLarge},
      {"books within bounds, too many entries together",
       chain({.books = largestBooks + 1, .entries = kMaxCodebookEntries}, 1), tooMany},
      {"links within bounds, too many entries together",
       chain({.entries = kMaxCodebookEntries}, static_cast<std::uint32_t>(largestBooks) + 1), tooMany},
      {"too many links", chain({}, kMaxVorbisLinks + 1), "Failed : COggReader::Open Too Many Links\n"},
      {"64 residues of 65,536 decode maps",
       chain({.entries = 1u << 16, .dimensions = 16, .vectors = false, .residues = 64, .residueClasses = 2}, 1),
       tooCostly},
      {"decode maps over a link's budget", chain(maps(14, 2), 1), tooCostly},
      {"links within their budget, over the file's", chain(maps(13, 3), kMaxVorbisLinks), tooCostly},
      {"a floor 0 of order 255", chain({.entries = 2, .dimensions = 255, .longBlocks = true, .lspOrder = 255}, 1),
       tooCostly},
      {"128 coupling steps", chain({.channels = 2, .longBlocks = true, .couplingSteps = 128}, 1), tooCostly},
      // The library turns through a stage book's whole vector for every partition.
      {"a stage book longer than its partition",
       chain({.entries = 2, .dimensions = 65535, .residueEnd = 128, .residueStages = 8, .usedFloor = true}, 1),
       "Failed : COggReader::Open Packet Too Costly\n"},
      // Each link's decoder is set up anew as the music crosses into it.
      {"a link before the last shorter than a long block", chain({.silentPackets = 4}, 2),
       "Failed : COggReader::Open Link Too Short\n"},
      // The library would read into the next link for where its samples begin.
      {"a link of headers alone between two others",
       vesk_test::MakeOggWithCodebooks({}) +
           vesk_test::FirstOggPages(vesk_test::MakeOggWithCodebooks({.serial = 2}), 2) +
           vesk_test::MakeOggWithCodebooks({.serial = 3}),
       "Failed : COggReader::Open Link Too Short\n"},
  };
  for (const Shape& file : refused) {
    EXPECT_LT(file.bytes.size(), 25000u) << file.what;
    vesk_test::DebugCapture capture;
    EXPECT_FALSE(Open(file.bytes).IsOpen()) << file.what;
    EXPECT_TRUE(capture.Contains(file.line)) << file.what;
  }
  const Shape opened[] = {
      {"as many entries as may be, in one link", chain({.books = largestBooks, .entries = kMaxCodebookEntries}, 1), ""},
      {"the same over links", chain({.entries = kMaxCodebookEntries}, static_cast<std::uint32_t>(largestBooks)), ""},
      {"a book of 2^18 vector values", chain({.entries = 1u << 12, .dimensions = 64}, 1), ""},
      {"as many links as may be", chain({}, kMaxVorbisLinks), ""},
      {"decode maps within a link's budget", chain(maps(14, 1), 1), ""},
      {"links within their budget and the file's", chain(maps(13, 3), 6), ""},
      {"a floor 0 of order 32", chain({.entries = 2, .dimensions = 32, .longBlocks = true, .lspOrder = 32}, 1), ""},
      {"64 coupling steps", chain({.channels = 2, .longBlocks = true, .couplingSteps = 64}, 1), ""},
      {"stage books of whole vectors of their partition",
       chain({.entries = 2, .dimensions = 2, .residueEnd = 128, .residuePartition = 4, .residueStages = 8,
              .usedFloor = true}, 1), ""},
      {"a short link at the end",
       vesk_test::MakeOggWithCodebooks({}) + vesk_test::MakeOggWithCodebooks({.silentPackets = 4, .serial = 2}), ""},
  };
  for (const Shape& file : opened) {
    COggReader& reader = Open(file.bytes);
    ASSERT_TRUE(reader.IsOpen()) << file.what;
    EXPECT_EQ(SamplesToTheEnd(reader), reader.GetLength()) << file.what;
    EXPECT_EQ(DecodedSamples(reader), reader.GetLength()) << file.what;
  }
}

// Headers the walk cannot read to their end are refused: a chain whose last link
// is cut short in its headers or holds no Vorbis stream (the library fails to open
// both, and leaks), and a page hidden in the body of another, where a walk from the
// start never looks but the library's search of a chain may. A capture pattern in
// a body that begins no page is only text.
TEST_F(OggReaderTest, HeadersTheWalkCannotReadToTheirEndAreRefused) {
  const std::string tone = vesk_test::MakeOggTone(1, 22050, 3000);
  const std::string hidden = vesk_test::FirstOggPages(vesk_test::MakeOggWithCodebooks({.serial = 5}), 1);
  // Comment headers the decoding library refuses: a vendor past the packet's end,
  // more comments than the packet can hold, no framing bit.
  const std::string vendor("\x03vorbis\x40\0\0\0\0\0\0\0\x01", 16);
  const std::string count("\x03vorbis\0\0\0\0\x09\0\0\0\0\0\0\0\x01", 20);
  const std::string framing("\x03vorbis\0\0\0\0\0\0\0\0\0", 16);
  const std::string refused[] = {tone + vesk_test::FirstOggPages(vesk_test::WithOggSerial(tone, 99), 1),
                                 tone + vesk_test::ForeignOggPage(99),
                                 vesk_test::ForeignOggPage(7, "a page: " + hidden) + tone,
                                 vesk_test::WithCommentHeader(tone, vendor),
                                 vesk_test::WithCommentHeader(tone, count),
                                 tone + vesk_test::WithOggSerial(vesk_test::WithCommentHeader(tone, framing), 99),
                                 // Pages of no stream of their link: the library takes
                                 // them for the start of another link.
                                 tone + vesk_test::WithOggSerial(tone, 99) + vesk_test::LastOggPage(tone),
                                 tone + vesk_test::LastOggPage(vesk_test::WithOggSerial(tone, 55))};
  for (const std::string& bytes : refused) {
    vesk_test::DebugCapture capture;
    EXPECT_FALSE(Open(bytes).IsOpen());
    EXPECT_TRUE(capture.Contains("Failed : COggReader::Open Headers Unreadable\n"));
  }
  COggReader& text = Open(vesk_test::ForeignOggPage(7, "OggS, the capture pattern") + tone);
  ASSERT_TRUE(text.IsOpen());
  EXPECT_EQ(text.GetLength(), 3000u);
  // The shortest comment header the library reads: no vendor, no comment.
  const std::string empty("\x03vorbis\0\0\0\0\0\0\0\0\x01", 16);
  EXPECT_TRUE(Open(vesk_test::WithCommentHeader(tone, empty)).IsOpen());
}

}  // namespace
