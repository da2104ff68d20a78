#include "framework/sound/sound_bgm.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/sound/wav_reader.h"
#include "tests/framework/sound/sound_files.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

namespace {

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsSound::ZarnSound;
using nsZarn::nsSound::nsISound::CSoundBGM;
using nsZarn::nsSound::nsISoundReader::CWavReader;
using nsZarn::nsSound::nsISoundReader::ISoundReader;
using nsZarn::nsSound::nsISoundReader::PcmFormat;
using platform::MakePcmFormat;

// A reader of 16-bit stereo ramp frames that claims `length` frames but has only
// `available`; past them it either reports its end or, like damaged data, keeps
// delivering nothing without ever reporting an end.
class ShortReader : public ISoundReader {
 public:
  ShortReader(std::uint32_t length, std::uint32_t available, bool reportsEnd)
      : m_Length(length), m_Available(available), m_ReportsEnd(reportsEnd), m_LoopEnd(length) {}
  void Release() override { delete this; }
  bool IsOpen() const override { return true; }
  bool Read(void* buffer, std::uint32_t bytes, std::uint32_t* bytesRead) override {
    m_WaitingAtGate = true;
    { std::lock_guard pass(m_Gate); }
    m_WaitingAtGate = false;
    const std::uint32_t frames = std::min(bytes / 4, m_Available - m_Position);
    const std::string data = vesk_test::RampFrames(m_Position + frames).substr(m_Position * 4);
    std::copy(data.begin(), data.end(), static_cast<char*>(buffer));
    m_Position += frames;
    if (m_Position == m_Available && m_ReportsEnd) m_End = true;
    if (bytesRead != nullptr) *bytesRead = frames * 4;
    return true;
  }
  bool Seek(std::uint32_t sample) override {
    m_Position = std::min(sample, m_Available);
    m_End = false;
    return true;
  }
  std::uint32_t Tell() override { return m_Position; }
  bool IsEnd() const override { return m_End; }
  PcmFormat GetFormat() const override { return MakePcmFormat(2, 44100, 16); }
  std::uint32_t GetLength() const override { return m_Length; }
  std::uint32_t GetLoopStart() const override { return 0; }
  std::uint32_t GetLoopEnd() const override { return m_LoopEnd; }
  std::int32_t GetLoopCount() const override { return m_LoopCount; }
  void SetLoopStart(std::uint32_t) override {}
  void SetLoopEnd(std::uint32_t sample) override { m_LoopEnd = sample; }
  void SetLoopCount(std::int32_t count) override { m_LoopCount = count; }

  // While the test holds the gate, Read waits at it (and the music's lock with it).
  std::mutex& Gate() { return m_Gate; }
  bool IsWaitingAtGate() const { return m_WaitingAtGate; }

 private:
  std::mutex m_Gate;
  std::atomic<bool> m_WaitingAtGate{false};
  std::uint32_t m_Length;
  std::uint32_t m_Available;
  bool m_ReportsEnd;
  std::uint32_t m_LoopEnd;
  std::uint32_t m_Position = 0;
  std::int32_t m_LoopCount = 0;
  bool m_End = false;
};

class SoundBGMTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SelectNullAudioDeviceForTests(true);
    ASSERT_TRUE(m_Sound.Init(nullptr));
  }
  void TearDown() override { platform::SelectNullAudioDeviceForTests(false); }

  CWavReader* Wav(const platform::PcmFormat& format, const std::string& data, const char* name = "music.wav") {
    vesk_test::WriteFile(m_Dir.path() / name, vesk_test::MakeWav(format, data));
    return new CWavReader(new CFileReader, name);
  }

  // Clocks the device block by block, half a block out of step with the ring, so
  // that each step passes exactly one notification; after each step it waits for
  // the streaming thread to handle it. Everything mixed is kept in m_Out.
  void StartClock(CSoundBGM& bgm, std::uint32_t outputFramesPerBlock) {
    m_Bgm = &bgm;
    m_BlockFrames = outputFramesPerBlock;
    m_Handled = bgm.GetNotificationsHandled();
    MixFrames(m_BlockFrames / 2);
  }
  void MixBlocks(int blocks) {
    for (int i = 0; i < blocks; ++i) {
      const bool playing = m_Bgm->IsPlaying();
      MixFrames(m_BlockFrames);
      if (!playing) continue;
      ++m_Handled;
      for (int wait = 0; m_Bgm->GetNotificationsHandled() < m_Handled; ++wait) {
        ASSERT_LT(wait, 5000) << "the streaming thread did not handle the notification";
        usleep(1000);
      }
    }
  }
  void MixFrames(std::uint32_t frames) {
    const std::size_t at = m_Out.size();
    m_Out.resize(at + frames * 2);
    m_Sound.GetDevice()->Mix(m_Out.data() + at, frames);
  }
  // Index of the first output frame whose left sample differs from expected, or -1.
  long FirstMismatch(const std::vector<std::int16_t>& expectedLeft) const {
    for (std::size_t f = 0; f < expectedLeft.size(); ++f) {
      if (f * 2 >= m_Out.size()) return static_cast<long>(f);
      if (m_Out[f * 2] != expectedLeft[f] || m_Out[f * 2 + 1] != -expectedLeft[f]) return static_cast<long>(f);
    }
    return -1;
  }

  vesk_test::ScopedWorkingDir m_Dir;
  ZarnSound m_Sound;
  CSoundBGM* m_Bgm = nullptr;
  std::uint32_t m_BlockFrames = 0;
  std::uint32_t m_Handled = 0;
  std::vector<std::int16_t> m_Out;
};

constexpr std::uint32_t kCdBlockFrames = 33076 / 4;

TEST_F(SoundBGMTest, RingGeometryFollowsTheFormat) {
  CSoundBGM cd(&m_Sound, Wav(MakePcmFormat(2, 44100, 16), std::string(400, '\0'), "cd.wav"));
  EXPECT_EQ(cd.GetBlockBytes(), 33076u);
  EXPECT_EQ(cd.GetBufferBytes(), 529216u);
  CSoundBGM low(&m_Sound, Wav(MakePcmFormat(1, 22050, 8), std::string(400, '\x80'), "low.wav"));
  EXPECT_EQ(low.GetBlockBytes(), 4134u);
  EXPECT_EQ(low.GetBufferBytes(), 66144u);
}

TEST_F(SoundBGMTest, LoopContinuesAtTheLoopStartWithoutAGap) {
  CSoundBGM bgm(&m_Sound, Wav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(50000)));
  bgm.GetReader()->SetLoopStart(10000);
  bgm.GetReader()->SetLoopEnd(40000);
  ASSERT_TRUE(bgm.Play(true));
  StartClock(bgm, kCdBlockFrames);
  MixBlocks(40);  // about eleven times round the loop, and twice round the ring
  EXPECT_TRUE(bgm.IsPlaying());

  std::vector<std::int16_t> expected;
  for (std::uint32_t f = 0; f < 40000; ++f) expected.push_back(vesk_test::RampValue(f));
  while (expected.size() < m_Out.size() / 2) {
    for (std::uint32_t f = 10000; f < 40000; ++f) expected.push_back(vesk_test::RampValue(f));
  }
  expected.resize(m_Out.size() / 2);
  EXPECT_EQ(FirstMismatch(expected), -1);
}

TEST_F(SoundBGMTest, WholeTrackLoopsWhenNoPointsWereSet) {
  CSoundBGM bgm(&m_Sound, Wav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(20000)));
  ASSERT_TRUE(bgm.Play(true));
  StartClock(bgm, kCdBlockFrames);
  MixBlocks(20);
  std::vector<std::int16_t> expected;
  while (expected.size() < m_Out.size() / 2) {
    for (std::uint32_t f = 0; f < 20000; ++f) expected.push_back(vesk_test::RampValue(f));
  }
  expected.resize(m_Out.size() / 2);
  EXPECT_EQ(FirstMismatch(expected), -1);
}

TEST_F(SoundBGMTest, ShortTrackStopsAfterItsBlocksHavePlayed) {
  // Two and a half blocks: three blocks hold sound, the rest of the ring silence.
  const std::uint32_t frames = kCdBlockFrames * 5 / 2;
  CSoundBGM bgm(&m_Sound, Wav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(frames)));
  ASSERT_TRUE(bgm.Play(false));
  StartClock(bgm, kCdBlockFrames);
  MixBlocks(2);  // up to 2.5 blocks
  EXPECT_TRUE(bgm.IsPlaying());
  MixBlocks(1);  // past the end of the third block
  EXPECT_FALSE(bgm.IsPlaying());

  std::vector<std::int16_t> expected;
  for (std::uint32_t f = 0; f < frames; ++f) expected.push_back(vesk_test::RampValue(f));
  expected.resize(kCdBlockFrames * 3, 0);  // silence after the data
  EXPECT_EQ(FirstMismatch(expected), -1);
  const std::size_t mixed = m_Out.size();
  MixBlocks(2);
  for (std::size_t i = mixed; i < m_Out.size(); ++i) ASSERT_EQ(m_Out[i], 0);
}

TEST_F(SoundBGMTest, PlayOnceTrackPlaysToItsLastSample) {
  const std::uint32_t frames = kCdBlockFrames * 20 + 123;  // longer than the ring
  CSoundBGM bgm(&m_Sound, Wav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(frames)));
  ASSERT_TRUE(bgm.Play(false));
  StartClock(bgm, kCdBlockFrames);
  MixBlocks(21);
  EXPECT_FALSE(bgm.IsPlaying());

  std::vector<std::int16_t> expected;
  for (std::uint32_t f = 0; f < frames; ++f) expected.push_back(vesk_test::RampValue(f));
  expected.resize(kCdBlockFrames * 21, 0);
  EXPECT_EQ(FirstMismatch(expected), -1);
}

// Play again while a notification from the earlier playback is still waiting:
// the streaming thread is held inside a refill while the device passes another
// block end, and Play is called before the thread gets to it.
TEST_F(SoundBGMTest, ANotificationFromBeforePlayDoesNotCutTheTrackShort) {
  const std::uint32_t frames = kCdBlockFrames * 20 + 123;
  auto* reader = new ShortReader(frames, frames, true);
  CSoundBGM bgm(&m_Sound, reader);
  ASSERT_TRUE(bgm.Play(false));
  StartClock(bgm, kCdBlockFrames);
  MixBlocks(2);
  reader->Gate().lock();
  MixFrames(kCdBlockFrames);  // the thread starts a refill and waits at the gate
  for (int wait = 0; !reader->IsWaitingAtGate(); ++wait) {
    ASSERT_LT(wait, 5000);
    usleep(1000);
  }
  MixFrames(kCdBlockFrames);  // this notification waits
  std::thread replay([&] { bgm.Play(false); });
  usleep(20000);  // the replay now waits for the music's lock
  reader->Gate().unlock();
  replay.join();

  m_Out.clear();
  StartClock(bgm, kCdBlockFrames);
  MixBlocks(20);
  EXPECT_TRUE(bgm.IsPlaying()) << "the last block has not played yet";
  MixBlocks(1);
  EXPECT_FALSE(bgm.IsPlaying());
  std::vector<std::int16_t> expected;
  for (std::uint32_t f = 0; f < frames; ++f) expected.push_back(vesk_test::RampValue(f));
  expected.resize(kCdBlockFrames * 21, 0);
  EXPECT_EQ(FirstMismatch(expected), -1);
}

TEST_F(SoundBGMTest, EightBitSilenceIsCentred) {
  const std::uint32_t blockFrames = 4134;  // 8-bit mono: one byte a frame
  std::string data(3000, '\xC0');
  CSoundBGM bgm(&m_Sound, Wav(MakePcmFormat(1, 22050, 8), data));
  ASSERT_TRUE(bgm.Play(false));
  StartClock(bgm, blockFrames * 2);  // two output frames per source frame
  MixBlocks(2);
  EXPECT_FALSE(bgm.IsPlaying());
  // 0xC0 is +16384; the silence after it is 0, not a full negative swing.
  EXPECT_EQ(m_Out[2 * 100], 16384);
  for (std::size_t f = 6100; f < m_Out.size() / 2; ++f) ASSERT_EQ(m_Out[2 * f], 0) << f;
}

TEST_F(SoundBGMTest, ReaderThatEndsEarlyStillEndsTheTrack) {
  CSoundBGM bgm(&m_Sound, new ShortReader(500000, kCdBlockFrames, true));
  ASSERT_TRUE(bgm.Play(false));
  StartClock(bgm, kCdBlockFrames);
  MixBlocks(3);
  EXPECT_FALSE(bgm.IsPlaying());
}

TEST_F(SoundBGMTest, DataThatStopsComingNeitherHangsNorSpins) {
  // Play fills fifteen blocks from a reader that delivers nothing after one block
  // and never reports its end; it must return.
  CSoundBGM bgm(&m_Sound, new ShortReader(500000, kCdBlockFrames, false));
  ASSERT_TRUE(bgm.Play(false));
  StartClock(bgm, kCdBlockFrames);
  MixBlocks(4);
  EXPECT_EQ(m_Out[2 * 10], vesk_test::RampValue(10));
  EXPECT_EQ(m_Out[2 * (kCdBlockFrames + 10)], 0);

  // The same with a WAV whose data chunk claims far more than the file holds.
  vesk_test::WavLayout layout;
  layout.overrideDataSize = true;
  layout.dataSize = 40000000;
  vesk_test::WriteFile(m_Dir.path() / "cut.wav",
                       vesk_test::MakeWav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(1000), layout));
  ASSERT_TRUE(bgm.Load(new CWavReader(new CFileReader, "cut.wav")));
  ASSERT_TRUE(bgm.Play(true));
  EXPECT_TRUE(bgm.IsPlaying());
}

TEST_F(SoundBGMTest, EmptyLoopSectionPlaysSilenceWithoutSpinning) {
  CSoundBGM bgm(&m_Sound, Wav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(1000)));
  bgm.GetReader()->SetLoopStart(600);
  bgm.GetReader()->SetLoopEnd(600);
  ASSERT_TRUE(bgm.Play(true));
  StartClock(bgm, kCdBlockFrames);
  MixBlocks(2);
  EXPECT_EQ(m_Out[2 * 599], vesk_test::RampValue(599));
  EXPECT_EQ(m_Out[2 * 600], 0);
}

TEST_F(SoundBGMTest, StopKeepsThePositionAndPlayStartsAgain) {
  CSoundBGM bgm(&m_Sound, Wav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(5000)));
  ASSERT_TRUE(bgm.Play(true));
  MixFrames(100);
  ASSERT_TRUE(bgm.Stop());
  EXPECT_FALSE(bgm.IsPlaying());
  MixFrames(10);
  EXPECT_EQ(m_Out[2 * 105], 0);
  ASSERT_TRUE(bgm.Play(true));
  MixFrames(1);
  EXPECT_EQ(m_Out[2 * 110], vesk_test::RampValue(0));
}

TEST_F(SoundBGMTest, VolumeWithoutATrackIsHarmlessAndOutOfRangeIsClamped) {
  vesk_test::DebugCapture capture;
  CSoundBGM bgm(&m_Sound, nullptr);
  bgm.SetVolume(-1);
  EXPECT_EQ(bgm.GetVolume(), -10000);
  EXPECT_TRUE(capture.Contains("Failed : CSoundBGM::SetVolume Buffer Not Found\n"));
  EXPECT_TRUE(capture.Contains("Failed : CSoundBGM::GetVolume Buffer Not Found\n"));
  EXPECT_FALSE(bgm.Play(true));
  EXPECT_TRUE(capture.Contains("Failed : CSoundBGM::Play Buffer Not Found\n"));
  EXPECT_FALSE(bgm.Stop());
  EXPECT_TRUE(capture.Contains("Failed : CSoundBGM::Stop Buffer Not Found\n"));
  EXPECT_FALSE(bgm.IsPlaying());

  ASSERT_TRUE(bgm.Load(Wav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(100))));
  bgm.SetVolume(1);
  EXPECT_EQ(bgm.GetVolume(), 0);
  bgm.SetVolume(-30000);
  EXPECT_EQ(bgm.GetVolume(), -10000);
  EXPECT_TRUE(capture.Contains("Failed : CSoundBGM::SetVolume Volume Out of Range\n"));
}

TEST_F(SoundBGMTest, ClosedReaderIsRefusedAndReleased) {
  CSoundBGM bgm(&m_Sound, Wav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(100)));
  vesk_test::DebugCapture capture;
  EXPECT_FALSE(bgm.Load(new CWavReader(new CFileReader, "missing.wav")));
  EXPECT_EQ(capture.lines().back(),
            "Failed : CSoundBGM::SetReader() 指定されたサウンドデータ読み込みクラスはオープン中ではありません！");
  EXPECT_TRUE(bgm.Play(false)) << "the loaded track stays";
  EXPECT_TRUE(bgm.Load(nullptr));
  EXPECT_FALSE(bgm.IsPlaying());
  EXPECT_EQ(bgm.GetReader(), nullptr);
}

// A device clocked as fast as a thread can while the main thread replaces and
// destroys playing tracks: every streaming thread must end before its track goes.
TEST_F(SoundBGMTest, LoadingAndDestroyingWhileStreamingEndCleanly) {
  vesk_test::WriteFile(m_Dir.path() / "a.wav",
                       vesk_test::MakeWav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(30000)));
  vesk_test::WriteFile(m_Dir.path() / "b.wav",
                       vesk_test::MakeWav(MakePcmFormat(1, 22050, 8), std::string(20000, '\x90')));
  std::atomic<bool> done{false};
  std::thread clock([&] {
    std::vector<std::int16_t> out(2048 * 2);
    while (!done) {
      m_Sound.GetDevice()->Mix(out.data(), 2048);
      usleep(200);
    }
  });
  for (int round = 0; round < 20; ++round) {
    auto* bgm = new CSoundBGM(&m_Sound, new CWavReader(new CFileReader, "a.wav"));
    bgm->Play(true);
    usleep(2000);
    bgm->Load(new CWavReader(new CFileReader, "b.wav"));
    bgm->Play(round % 2 == 0);
    usleep(2000);
    bgm->SetVolume(-100);
    bgm->Release();
  }
  done = true;
  clock.join();
}

}  // namespace
