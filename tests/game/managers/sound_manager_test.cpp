// The game's sound back end on the null audio device with files from the archive:
// the volume conversion, the reader chosen by name, loading once per name, failed
// loads, the music slot, and the engine's bookkeeping on top.
#include "game/managers/sound_manager_fd.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "framework/sound/ogg_reader.h"
#include "framework/sound/wav_reader.h"
#include "platform/work/load_quit.h"
#include "tests/framework/sound/sound_files.h"
#include "tests/game/managers/shell_fixture.h"
#include "tests/support/debug_capture.h"

namespace {

using nsVesk::nsSoundManagerfD::OpenArchiveSound;
using nsVesk::nsSoundManagerfD::SoundManagerfD;
using nsVesk::nsSoundManagerfD::VolumeToAttenuation;
using nsZarn::nsSound::nsISoundReader::COggReader;
using nsZarn::nsSound::nsISoundReader::CWavReader;

constexpr char kEffect[] = "Data/Sound/effect.wav";
constexpr char kSecondEffect[] = "Data/Sound/second.wav";
constexpr char kVoice[] = "Data/Voice/line.wav";
constexpr char kTrack[] = "Data/Music/track.ogg";
constexpr char kOggNamedBoth[] = "Data/Music/track.wav.ogg";
constexpr char kWavNamedBoth[] = "Data/Sound/effect.ogg.wav";
constexpr char kCutChain[] = "Data/Sound/cut-chain.ogg";
constexpr std::uint32_t kEffectFrames = 2000;

// The back-end slots, reachable for the test.
class TestSoundManager : public SoundManagerfD {
 public:
  using SoundManagerfD::SoundManagerfD;
  using SoundManagerfD::_IsPlayingBGM;
  using SoundManagerfD::_IsPlayingSE;
  using SoundManagerfD::_IsPlayingVoice;
  using SoundManagerfD::_LoadBGM;
  using SoundManagerfD::_LoadSE;
  using SoundManagerfD::_LoadVoice;
  using SoundManagerfD::_PlayBGM;
  using SoundManagerfD::_PlaySE;
  using SoundManagerfD::_PlayVoice;
  using SoundManagerfD::_ReleaseBGM;
  using SoundManagerfD::_ReleaseSE;
  using SoundManagerfD::_ReleaseVoice;
  using SoundManagerfD::_SetBGMVolume;
  using SoundManagerfD::_SetSEVolume;
  using SoundManagerfD::_SetVoiceVolume;
  using SoundManagerfD::_StopBGM;
  using SoundManagerfD::_StopSE;
  using SoundManagerfD::_StopVoice;
};

class SoundManagerTest : public vesk_test::SoundFixture {
 protected:
  void SetUp() override {
    SoundFixture::SetUp();
    const std::string wav =
        vesk_test::MakeWav(platform::MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(kEffectFrames));
    const std::string ogg = vesk_test::MakeOggTone(2, 44100, 22050);
    vesk_test::WriteFile(kEffect, wav);
    vesk_test::WriteFile(kSecondEffect, wav);
    vesk_test::WriteFile(kVoice, wav);
    vesk_test::WriteFile(kWavNamedBoth, wav);
    vesk_test::WriteFile("Data/Sound/effect.mp3", wav);
    vesk_test::WriteFile("Data/Sound/empty.wav", vesk_test::MakeWav(platform::MakePcmFormat(2, 44100, 16), ""));
    vesk_test::WriteFile(kTrack, ogg);
    vesk_test::WriteFile(kOggNamedBoth, ogg);
    // A chain whose second link is cut short in its headers.
    vesk_test::WriteFile(kCutChain, ogg + vesk_test::FirstOggPages(vesk_test::WithOggSerial(ogg, 99), 1));
    PackData();
  }

  void Mix(std::uint32_t frames) {
    std::vector<std::int16_t> out(frames * 2);
    nsVesk::g_Sound.GetDevice()->Mix(out.data(), frames);
  }
};

// Loaded effects keep their readers on the archive for their whole life: 5,000 of
// them share its one descriptor, far below the descriptor limit set here.
using ManySoundsTest = vesk_test::SoundFixture;

TEST_F(ManySoundsTest, FiveThousandLoadedSoundsShareTheArchivesDescriptor) {
  constexpr int kSounds = 5000;
  const std::string wav = vesk_test::MakeWav(platform::MakePcmFormat(1, 22050, 16), vesk_test::RampFrames(8));
  auto name = [](int i) {
    char text[32];
    std::snprintf(text, sizeof text, "Data/Sound/s%04d.wav", i);
    return std::string(text);
  };
  for (int i = 0; i < kSounds; ++i) vesk_test::WriteFile(name(i), wav);
  PackData();
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
  const rlimit saved = limit;
  limit.rlim_cur = 256;
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &limit), 0);

  int loaded = 0;
  {
    TestSoundManager sound;
    for (int i = 0; i < kSounds; ++i) loaded += sound._LoadSE(name(i).c_str()) ? 1 : 0;
    EXPECT_TRUE(sound._PlaySE(name(kSounds - 1).c_str()));
  }
  setrlimit(RLIMIT_NOFILE, &saved);
  EXPECT_EQ(loaded, kSounds);
}

TEST(SoundVolumeTest, VolumesBecomeHundredthsOfADecibel) {
  EXPECT_EQ(VolumeToAttenuation(10000), 0);
  EXPECT_EQ(VolumeToAttenuation(5000), -301);
  EXPECT_EQ(VolumeToAttenuation(2500), -602);
  EXPECT_EQ(VolumeToAttenuation(1000), -1000);
  EXPECT_EQ(VolumeToAttenuation(100), -2000);
  EXPECT_EQ(VolumeToAttenuation(1), -4000);
  EXPECT_EQ(VolumeToAttenuation(0), -10000) << "silence, not the logarithm of zero";
}

TEST(SoundVolumeTest, VolumesOutsideTheRangeAreBroughtIntoIt) {
  EXPECT_EQ(VolumeToAttenuation(-5), -10000);
  EXPECT_EQ(VolumeToAttenuation(-2147483647 - 1), -10000);
  EXPECT_EQ(VolumeToAttenuation(20000), 0);
  EXPECT_EQ(VolumeToAttenuation(2147483647), 0);
}

TEST_F(SoundManagerTest, TheReaderIsChosenByTheNameAndOggWins) {
  auto* wav = OpenArchiveSound(kEffect);
  ASSERT_NE(wav, nullptr);
  EXPECT_NE(dynamic_cast<CWavReader*>(wav), nullptr);
  EXPECT_TRUE(wav->IsOpen());
  wav->Release();

  auto* ogg = OpenArchiveSound(kTrack);
  EXPECT_NE(dynamic_cast<COggReader*>(ogg), nullptr);
  EXPECT_TRUE(ogg->IsOpen());
  ogg->Release();

  // A name holding both is read as Ogg Vorbis: a true Ogg file opens, a WAV does not.
  auto* both = OpenArchiveSound(kOggNamedBoth);
  EXPECT_NE(dynamic_cast<COggReader*>(both), nullptr);
  EXPECT_TRUE(both->IsOpen());
  both->Release();
  auto* wavNamedBoth = OpenArchiveSound(kWavNamedBoth);
  EXPECT_NE(dynamic_cast<COggReader*>(wavNamedBoth), nullptr);
  EXPECT_FALSE(wavNamedBoth->IsOpen());
  wavNamedBoth->Release();

  EXPECT_EQ(OpenArchiveSound("Data/Sound/effect.mp3"), nullptr);
  EXPECT_EQ(OpenArchiveSound("Data/Sound/EFFECT.WAV"), nullptr) << "the test is case-sensitive";
}

TEST_F(SoundManagerTest, AnEffectIsLoadedOncePerNameAndPlaysToItsEnd) {
  TestSoundManager sound;
  EXPECT_TRUE(sound._LoadSE(kEffect));
  auto* first = sound.FindSE(kEffect);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(sound._LoadSE(kEffect));
  EXPECT_EQ(sound.FindSE(kEffect), first) << "the first sound stays";
  EXPECT_EQ(sound.LoadedSECount(), 1u);

  EXPECT_TRUE(sound._PlaySE(kEffect));
  EXPECT_TRUE(sound._IsPlayingSE(kEffect));
  Mix(kEffectFrames + 10);
  EXPECT_FALSE(sound._IsPlayingSE(kEffect)) << "played once, not looped";
  EXPECT_TRUE(sound._PlaySE(kEffect));
  EXPECT_TRUE(sound._StopSE(kEffect));
  EXPECT_FALSE(sound._IsPlayingSE(kEffect));
  EXPECT_TRUE(sound._ReleaseSE(kEffect));
  EXPECT_EQ(sound.FindSE(kEffect), nullptr);
}

TEST_F(SoundManagerTest, AnEmptyNameLoadsNothingAndSucceeds) {
  TestSoundManager sound;
  EXPECT_TRUE(sound._LoadSE(""));
  EXPECT_TRUE(sound._LoadVoice(""));
  EXPECT_EQ(sound.LoadedSECount(), 0u);
  EXPECT_EQ(sound.LoadedVoiceCount(), 0u);
}

TEST_F(SoundManagerTest, FilesThatCannotBeOpenedFailWithTheirDebugLine) {
  vesk_test::DebugCapture debug;
  TestSoundManager sound;
  EXPECT_FALSE(sound._LoadSE("Data/Sound/missing.wav"));
  EXPECT_TRUE(debug.Contains("Failed : SoundManagerfD::_LoadSE Open\n"));
  EXPECT_FALSE(sound._LoadSE("Data/Sound/effect.mp3")) << "no reader for the name";
  EXPECT_FALSE(sound._LoadSE(kWavNamedBoth));
  EXPECT_FALSE(sound._LoadSE("Data/Sound/empty.wav")) << "opens, but no buffer holds nothing";
  EXPECT_FALSE(sound._LoadVoice("Data/Voice/missing.ogg"));
  EXPECT_TRUE(debug.Contains("Failed : SoundManagerfD::_LoadVoice Open\n"));
  EXPECT_FALSE(sound._LoadBGM("Data/Music/missing.ogg"));
  EXPECT_TRUE(debug.Contains("Failed : SoundManagerfD::_LoadBGM Open\n"));
  EXPECT_EQ(sound.LoadedSECount(), 0u);
  EXPECT_EQ(sound.LoadedVoiceCount(), 0u);
}

// The title's cursor sound as a file that fails to load: played 20 times it is
// loaded once, named once on the error output, listed nowhere, and leaves nothing
// for the leak check at exit. A failed track is not loaded again either.
TEST_F(SoundManagerTest, AFailedLoadIsTriedOnceARun) {
  vesk_test::DebugCapture debug;
  TestSoundManager sound;
  testing::internal::CaptureStderr();
  for (int i = 0; i < 20; ++i) EXPECT_FALSE(sound.PlaySE(kCutChain));
  EXPECT_FALSE(sound.LoadSE(kCutChain));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            std::string("Failed : COggReader::Open Headers Unreadable : ") + kCutChain + "\n");
  const auto written = [&debug](const char* line) {
    return std::count(debug.lines().begin(), debug.lines().end(), std::string(line));
  };
  EXPECT_EQ(written("Failed : COggReader::Open Headers Unreadable\n"), 1);
  EXPECT_EQ(sound.LoadedSECount(), 0u);
  EXPECT_FALSE(sound.IsPlayingSE(kCutChain));
  EXPECT_TRUE(sound.ReleaseAllSE()) << "nothing listed";

  EXPECT_FALSE(sound.PlayBGM("Data/Music/missing.ogg"));
  EXPECT_FALSE(sound.PlayBGM("Data/Music/missing.ogg"));
  EXPECT_EQ(written("Failed : COggReader::Open File Not Found\n"), 1);
  EXPECT_TRUE(sound.PlayBGM(kTrack)) << "another track still loads";

  // A file that opens but delivers no sample is the file's fault too.
  EXPECT_FALSE(sound._LoadSE("Data/Sound/empty.wav"));
  EXPECT_FALSE(sound._LoadSE("Data/Sound/empty.wav"));
  EXPECT_EQ(written("Failed : CSoundSE::Load CreateSoundBuffer\n"), 1);
}

TEST_F(SoundManagerTest, WithoutAnArchiveEverySoundIsMissing) {
  delete nsVesk::g_FilePackManager;
  nsVesk::g_FilePackManager = nullptr;
  TestSoundManager sound;
  EXPECT_FALSE(sound._LoadSE(kEffect));
  EXPECT_FALSE(sound._LoadBGM(kTrack));
}

TEST_F(SoundManagerTest, NamesThatAreNotLoadedNeitherPlayNorStop) {
  TestSoundManager sound;
  EXPECT_FALSE(sound._PlaySE("Data/none.wav"));
  EXPECT_FALSE(sound._StopSE("Data/none.wav"));
  EXPECT_FALSE(sound._IsPlayingSE("Data/none.wav"));
  EXPECT_TRUE(sound._ReleaseSE("Data/none.wav"));
  EXPECT_FALSE(sound._PlayVoice("Data/none.wav"));
  EXPECT_FALSE(sound._StopVoice("Data/none.wav"));
  EXPECT_FALSE(sound._IsPlayingVoice("Data/none.wav"));
  EXPECT_TRUE(sound._ReleaseVoice("Data/none.wav"));
}

TEST_F(SoundManagerTest, VolumesReachEverySoundOfTheirKind) {
  TestSoundManager sound;
  ASSERT_TRUE(sound._LoadSE(kEffect));
  ASSERT_TRUE(sound._LoadVoice(kVoice));
  ASSERT_TRUE(sound._LoadBGM(kTrack));
  sound._SetSEVolume(5000);
  sound._SetVoiceVolume(1000);
  sound._SetBGMVolume(0);
  EXPECT_EQ(sound.FindSE(kEffect)->GetVolume(), -301);
  EXPECT_EQ(sound.FindVoice(kVoice)->GetVolume(), -1000);
  EXPECT_EQ(sound.BGM().GetVolume(), -10000);
  // A default volume beyond the range from a damaged env.dat still converts.
  sound._SetSEVolume(20000);
  EXPECT_EQ(sound.FindSE(kEffect)->GetVolume(), 0);
  sound._SetSEVolume(-5);
  EXPECT_EQ(sound.FindSE(kEffect)->GetVolume(), -10000);
}

TEST_F(SoundManagerTest, VoicesAreATableOfTheirOwn) {
  TestSoundManager sound;
  ASSERT_TRUE(sound._LoadVoice(kVoice));
  EXPECT_EQ(sound.FindSE(kVoice), nullptr);
  EXPECT_TRUE(sound._PlayVoice(kVoice));
  EXPECT_TRUE(sound._IsPlayingVoice(kVoice));
  EXPECT_FALSE(sound._IsPlayingSE(kVoice));
  EXPECT_TRUE(sound._StopVoice(kVoice));
  EXPECT_TRUE(sound._ReleaseVoice(kVoice));
  EXPECT_EQ(sound.LoadedVoiceCount(), 0u);
}

// Effects and voices held at once keep within their total: a load lets go of the
// least recently played sound that is not playing, which is loaded again, at its
// kind's volume, when it is played; with every sound playing, a load finds no room
// this time and is tried again the next.
TEST_F(SoundManagerTest, HeldSoundsKeepWithinTheirTotal) {
  constexpr std::uint64_t kBytes = kEffectFrames * 4;
  TestSoundManager sound(2 * kBytes);
  ASSERT_TRUE(sound._LoadSE(kEffect));
  ASSERT_TRUE(sound._LoadVoice(kVoice));
  ASSERT_TRUE(sound._PlaySE(kEffect));
  ASSERT_TRUE(sound._LoadSE(kSecondEffect));
  EXPECT_EQ(sound.FindVoice(kVoice), nullptr) << "let go";
  EXPECT_EQ(sound.LoadedVoiceCount(), 1u) << "its name stays";
  EXPECT_EQ(sound.HeldSoundBytes(), 2 * kBytes);

  sound._SetVoiceVolume(1000);
  ASSERT_TRUE(sound._PlayVoice(kVoice));
  EXPECT_EQ(sound.FindVoice(kVoice)->GetVolume(), -1000);
  EXPECT_EQ(sound.FindSE(kSecondEffect), nullptr);
  EXPECT_NE(sound.FindSE(kEffect), nullptr) << "playing, so kept";

  vesk_test::DebugCapture capture;
  EXPECT_FALSE(sound._PlaySE(kSecondEffect));
  EXPECT_TRUE(capture.Contains("Failed : SoundManagerfD::Load No Room Among The Held Sounds\n"));
  Mix(kEffectFrames + 10);
  EXPECT_TRUE(sound._PlaySE(kSecondEffect));
  EXPECT_EQ(sound.HeldSoundBytes(), 2 * kBytes);
}

// A load that a termination signal stopped names no file on the terminal, the file
// not being at fault, and leaves it untried.
TEST_F(SoundManagerTest, ALoadStoppedByASignalNamesNoFileAndIsTriedAgain) {
  TestSoundManager sound;
  platform::RequestLoadsStop();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(sound._LoadSE(kEffect));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  platform::LetLoadsRun();
  EXPECT_TRUE(sound._LoadSE(kEffect));
}

TEST_F(SoundManagerTest, MusicLoadsPlaysAndAnEmptyNameKeepsTheCurrentTrack) {
  TestSoundManager sound;
  ASSERT_TRUE(sound._LoadBGM(kTrack));
  const auto* reader = sound.BGM().GetReader();
  ASSERT_NE(reader, nullptr);
  EXPECT_TRUE(sound._LoadBGM(""));
  EXPECT_EQ(sound.BGM().GetReader(), reader) << "the current music stays loaded";
  EXPECT_TRUE(sound._PlayBGM(false));
  EXPECT_TRUE(sound._IsPlayingBGM());
  EXPECT_TRUE(sound._StopBGM());
  EXPECT_FALSE(sound._IsPlayingBGM());
  // A track that cannot be opened leaves the current one.
  EXPECT_FALSE(sound._LoadBGM("Data/Music/missing.ogg"));
  EXPECT_EQ(sound.BGM().GetReader(), reader);
  EXPECT_TRUE(sound._ReleaseBGM());
  EXPECT_EQ(sound.BGM().GetReader(), nullptr);
  EXPECT_FALSE(sound._PlayBGM(false));
}

// Without a sound device: the music refuses the opened track and the load reports
// it, instead of a success that leaves nothing to play. The files are not at
// fault: once there is a device, they load.
class SoundWithoutDeviceTest : public vesk_test::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    vesk_test::WriteFile(kTrack, vesk_test::MakeOggTone(2, 44100, 4410));
    vesk_test::WriteFile(kEffect, vesk_test::MakeWav(platform::MakePcmFormat(2, 44100, 16),
                                                     vesk_test::RampFrames(kEffectFrames)));
    PackData();
  }
  void TearDown() override {
    vesk_test::ReleaseSound();
    ShellFixture::TearDown();
    platform::SelectNullAudioDeviceForTests(false);
  }
};

TEST_F(SoundWithoutDeviceTest, MusicTheDeviceCannotTakeIsAFailedLoad) {
  TestSoundManager sound;
  EXPECT_FALSE(sound._LoadBGM(kTrack));
  EXPECT_EQ(sound.BGM().GetReader(), nullptr);
  EXPECT_FALSE(sound._PlayBGM(false));
  EXPECT_FALSE(sound._LoadSE(kEffect));

  platform::SelectNullAudioDeviceForTests(true);
  ASSERT_TRUE(nsVesk::g_Sound.Init(nullptr));
  EXPECT_TRUE(sound._LoadBGM(kTrack)) << "tried again";
  EXPECT_TRUE(sound._LoadSE(kEffect)) << "tried again";
}

TEST_F(SoundManagerTest, TheEnginePlaysAndStopsThroughTheBackEnd) {
  TestSoundManager sound;
  sound.SetDefaultSEVolume(5000);
  EXPECT_TRUE(sound.PlaySE(kEffect));
  ASSERT_NE(sound.FindSE(kEffect), nullptr) << "loaded on first use";
  EXPECT_EQ(sound.FindSE(kEffect)->GetVolume(), -301);
  EXPECT_TRUE(sound.IsPlayingSE(kEffect));
  EXPECT_TRUE(sound.StopAllSE());
  EXPECT_FALSE(sound.IsPlayingSE(kEffect));
  EXPECT_TRUE(sound.PlayBGM(kTrack));
  EXPECT_TRUE(sound.IsBGMPlaying(kTrack));
  EXPECT_TRUE(sound.StopBGM());
  EXPECT_TRUE(sound.ReleaseAllSE());
  EXPECT_EQ(sound.LoadedSECount(), 0u);
}

}  // namespace
