#include "framework/sound/sound_se.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/sound/ogg_reader.h"
#include "framework/sound/wav_reader.h"
#include "tests/framework/sound/sound_files.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

namespace {

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsSound::ZarnSound;
using nsZarn::nsSound::nsISound::CSoundSE;
using nsZarn::nsSound::nsISoundReader::COggReader;
using nsZarn::nsSound::nsISoundReader::CWavReader;
using platform::MakePcmFormat;

class SoundSETest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SelectNullAudioDeviceForTests(true);
    ASSERT_TRUE(m_Sound.Init(nullptr));
    ASSERT_EQ(m_Sound.GetDevice()->Kind(), platform::AudioDeviceKind::Null);
  }
  void TearDown() override { platform::SelectNullAudioDeviceForTests(false); }

  // A reader on a WAV of the ramp, `frames` long (2 s = 88,200 frames).
  CWavReader* Ramp(std::uint32_t frames, const char* name = "effect.wav") {
    vesk_test::WriteFile(m_Dir.path() / name, vesk_test::MakeWav(MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(frames)));
    return new CWavReader(new CFileReader, name);
  }

  std::vector<std::int16_t> Mix(std::uint32_t frames) {
    std::vector<std::int16_t> out(frames * 2);
    m_Sound.GetDevice()->Mix(out.data(), frames);
    return out;
  }

  vesk_test::ScopedWorkingDir m_Dir;
  ZarnSound m_Sound;
};

TEST_F(SoundSETest, PlaysTheWholeSoundOnce) {
  CSoundSE se(&m_Sound, Ramp(1000));
  EXPECT_EQ(se.GetVoiceCount(), 1u);
  EXPECT_EQ(se.GetVolume(), 0);
  ASSERT_TRUE(se.Play(false));
  EXPECT_TRUE(se.IsPlaying());
  auto out = Mix(1200);
  for (std::uint32_t f = 0; f < 1000; f += 111) EXPECT_EQ(out[2 * f], vesk_test::RampValue(f));
  EXPECT_EQ(out[2 * 1000], 0);
  EXPECT_FALSE(se.IsPlaying());
}

TEST_F(SoundSETest, OverlappingPlaysGetVoicesOfTheirOwnAndReuseFreeOnes) {
  CSoundSE se(&m_Sound, Ramp(88200));
  se.SetVolume(-2000);  // gain 0.1, so three voices stay far from saturation
  ASSERT_TRUE(se.Play(false));
  Mix(100);
  ASSERT_TRUE(se.Play(false));
  Mix(100);
  ASSERT_TRUE(se.Play(false));
  EXPECT_EQ(se.GetVoiceCount(), 3u);
  // All three sound: started 200, 100 and 0 frames ago.
  auto out = Mix(1);
  const float expected = 0.1f * static_cast<float>(vesk_test::RampValue(200) + vesk_test::RampValue(100) +
                                                    vesk_test::RampValue(0));
  EXPECT_NEAR(out[0], expected, 1.0) << "the duplicates keep the volume";

  Mix(90000);
  EXPECT_FALSE(se.IsPlaying());
  ASSERT_TRUE(se.Play(false));
  EXPECT_EQ(se.GetVoiceCount(), 3u) << "a free voice is reused";
  out = Mix(1);
  EXPECT_NEAR(out[0], 0.1f * static_cast<float>(vesk_test::RampValue(0)), 1.0);
}

TEST_F(SoundSETest, StopSilencesEveryVoiceWithoutRewinding) {
  CSoundSE se(&m_Sound, Ramp(5000));
  se.Play(false);
  Mix(10);
  se.Play(true);
  Mix(10);
  EXPECT_TRUE(se.Stop());
  EXPECT_FALSE(se.IsPlaying());
  EXPECT_EQ(Mix(1)[0], 0);
  ASSERT_TRUE(se.Play(false));  // the first voice again, from the start
  EXPECT_EQ(Mix(1)[0], vesk_test::RampValue(0));
}

TEST_F(SoundSETest, VolumeIsClampedAndASoundWithoutBufferIsHarmless) {
  CSoundSE se(&m_Sound, Ramp(100));
  vesk_test::DebugCapture capture;
  se.SetVolume(-10000);
  EXPECT_EQ(se.GetVolume(), -10000);
  se.SetVolume(0);
  EXPECT_EQ(se.GetVolume(), 0);
  se.SetVolume(300);
  EXPECT_EQ(se.GetVolume(), 0);
  se.SetVolume(-12000);
  EXPECT_EQ(se.GetVolume(), -10000);
  EXPECT_TRUE(capture.Contains("Failed : CSoundSE::SetVolume Volume Out of Range\n"));

  CSoundSE empty(&m_Sound, nullptr);
  empty.SetVolume(-500);
  EXPECT_EQ(empty.GetVolume(), -10000);
  EXPECT_TRUE(capture.Contains("Failed : CSoundSE::SetVolume Buffer Not Found\n"));
  EXPECT_TRUE(capture.Contains("Failed : CSoundSE::GetVolume Buffer Not Found\n"));
  EXPECT_FALSE(empty.Play(false));
  EXPECT_TRUE(capture.Contains("Failed : CSoundSE::Play Buffer Not Found\n"));
  EXPECT_FALSE(empty.Stop());
  EXPECT_TRUE(capture.Contains("Failed : CSoundSE::Stop Buffer Not Found\n"));
  EXPECT_FALSE(empty.IsPlaying());
}

TEST_F(SoundSETest, AClosedReaderIsRefusedAndReleasedAndTheOldSoundStays) {
  CSoundSE se(&m_Sound, Ramp(100));
  vesk_test::DebugCapture capture;
  auto* closed = new CWavReader(new CFileReader, "missing.wav");
  EXPECT_FALSE(se.Load(closed));  // the leak checker sees it if it is not released
  EXPECT_EQ(capture.lines().back(),
            "Failed : CSoundSE::SetReader() 指定されたサウンドデータ読み込みクラスはオープン中ではありません！");
  ASSERT_NE(se.GetReader(), nullptr);
  EXPECT_TRUE(se.GetReader()->IsOpen());
  EXPECT_TRUE(se.Play(false));
}

TEST_F(SoundSETest, UnplayableDataFailsTheLoadAndLeavesNoSound) {
  // No samples: no buffer can hold them.
  vesk_test::WriteFile(m_Dir.path() / "empty.wav", vesk_test::MakeWav(MakePcmFormat(2, 44100, 16), ""));
  vesk_test::DebugCapture capture;
  CSoundSE se(&m_Sound, new CWavReader(new CFileReader, "empty.wav"));
  EXPECT_TRUE(capture.Contains("Failed : CSoundSE::Load CreateSoundBuffer\n"));
  EXPECT_EQ(se.GetVoiceCount(), 0u);
  EXPECT_EQ(se.GetReader(), nullptr);
}

// A file whose last granule position states 134 M samples for 176,400 gets a
// buffer of the samples decoding delivers, not 256 MB of silence after them; an
// honest file one of its stated length, as it always had.
TEST_F(SoundSETest, AnEffectsBufferHoldsWhatDecodingDeliversNotWhatTheFileStates) {
  // Pages enough that the first audio page states where the track begins.
  const std::string tone = vesk_test::MakeOggTone(1, 44100, 176400);
  vesk_test::WriteFile(m_Dir.path() / "honest.ogg", tone);
  vesk_test::WriteFile(m_Dir.path() / "stating.ogg", vesk_test::WithLastGranule(tone, 134'000'000));
  for (const char* name : {"honest.ogg", "stating.ogg"}) {
    std::uint32_t delivered = 0;
    {
      COggReader probe(new CFileReader, name);
      ASSERT_TRUE(probe.IsOpen()) << name;
      std::vector<char> piece(1 << 16);
      for (std::uint32_t got = 1; got != 0;) {
        probe.Read(piece.data(), static_cast<std::uint32_t>(piece.size()), &got);
        delivered += got / 2;
      }
      EXPECT_EQ(probe.GetLength(), name == std::string("honest.ogg") ? delivered : 134'000'000u) << name;
    }
    CSoundSE se(&m_Sound, new COggReader(new CFileReader, name));
    ASSERT_TRUE(se.Play(false)) << name;
    Mix(delivered - 1);
    EXPECT_TRUE(se.IsPlaying()) << name;
    Mix(2);
    EXPECT_FALSE(se.IsPlaying()) << name << ": the buffer ends with the samples";
  }
}

TEST_F(SoundSETest, LoadingNothingUnloads) {
  CSoundSE se(&m_Sound, Ramp(1000));
  se.Play(true);
  EXPECT_TRUE(se.Load(nullptr));
  EXPECT_FALSE(se.IsPlaying());
  EXPECT_EQ(se.GetVoiceCount(), 0u);
  EXPECT_EQ(se.GetReader(), nullptr);
  EXPECT_EQ(Mix(1)[0], 0);
}

TEST_F(SoundSETest, SoundsOutliveTheDeviceObject) {
  auto* device = new ZarnSound;
  ASSERT_TRUE(device->Init(nullptr));
  CSoundSE se(device, Ramp(100));
  se.Play(true);
  delete device;
  EXPECT_TRUE(se.IsPlaying());
  EXPECT_TRUE(se.Stop());
}

}  // namespace
