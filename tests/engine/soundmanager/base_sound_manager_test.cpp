// The sound manager's bookkeeping against the recording back end: music play,
// play once, stop and replay; effect sounds and voices loaded on demand, with
// injected failures; the volume fallbacks and the default-volume checks; and the
// environment and save-slot blocks.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/iostream/base_io_stream.h"
#include "tests/engine/fakes/recording_sound_manager.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

namespace {

using nsTamskLib::nsIOStream::BaseIOStream;
using nsTamskLib::nsSoundManager::LoadBool;
using vesk_test::RecordingSoundManager;
using Log = std::vector<std::string>;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

template <typename Write>
std::string WrittenBytes(const std::string& file, Write write) {
  BaseIOStream stream;
  EXPECT_TRUE(stream.Open(file.c_str(), "wb"));
  write(stream);
  EXPECT_TRUE(stream.Close());
  return vesk_test::ReadFile(file);
}

// Music.

TEST(SoundManagerBGMTest, PlayLoadsSetsTheVolumeAndPlaysLooped) {
  RecordingSoundManager sound;
  EXPECT_TRUE(sound.PlayBGM("a.ogg"));
  EXPECT_EQ(sound.log, (Log{"_LoadBGM(a.ogg)", "_SetBGMVolume(10000)", "_PlayBGM(loop)"}));
  EXPECT_EQ(sound.GetBGMName(), "a.ogg");
  EXPECT_FALSE(sound.IsBGMOnce());
  EXPECT_TRUE(sound.IsBGMPlaying("a.ogg"));
  EXPECT_FALSE(sound.IsBGMPlaying("b.ogg"));

  // The same name in the same mode is left alone; an empty name does nothing.
  sound.ClearLog();
  EXPECT_TRUE(sound.PlayBGM("a.ogg"));
  EXPECT_TRUE(sound.PlayBGM(""));
  EXPECT_TRUE(sound.log.empty());
}

TEST(SoundManagerBGMTest, PlayOnceOfThePlayingMusicRestartsItWithoutReloading) {
  RecordingSoundManager sound;
  sound.PlayBGM("a.ogg");
  sound.ClearLog();
  EXPECT_TRUE(sound.PlayBGMOnce("a.ogg"));
  EXPECT_EQ(sound.log, (Log{"_StopBGM()", "_SetBGMVolume(10000)", "_PlayBGM(once)"}));
  EXPECT_EQ(sound.GetBGMName(), "a.ogg");
  EXPECT_TRUE(sound.IsBGMOnce());
  EXPECT_TRUE(sound.bgmPlaying);
}

TEST(SoundManagerBGMTest, EndedPlayOnceMusicIsNotReplayedOnceButCanLoop) {
  RecordingSoundManager sound;
  sound.PlayBGMOnce("a.ogg");
  sound.FinishBGM();
  sound.ClearLog();
  EXPECT_TRUE(sound.PlayBGMOnce("a.ogg"));
  EXPECT_TRUE(sound.log.empty());
  EXPECT_FALSE(sound.IsBGMPlaying("a.ogg"));

  EXPECT_TRUE(sound.PlayBGM("a.ogg"));
  EXPECT_EQ(sound.log, (Log{"_SetBGMVolume(10000)", "_PlayBGM(loop)"}));
  EXPECT_TRUE(sound.IsBGMPlaying("a.ogg"));
}

TEST(SoundManagerBGMTest, AnotherNameStopsTheCurrentAndLoads) {
  RecordingSoundManager sound;
  sound.PlayBGM("a.ogg");
  sound.ClearLog();
  EXPECT_TRUE(sound.PlayBGM("b.ogg"));
  EXPECT_EQ(sound.log,
            (Log{"_StopBGM()", "_LoadBGM(b.ogg)", "_SetBGMVolume(10000)", "_PlayBGM(loop)"}));
  EXPECT_EQ(sound.GetBGMName(), "b.ogg");
}

TEST(SoundManagerBGMTest, StopWithNothingPlayingKeepsTheName) {
  RecordingSoundManager sound;
  EXPECT_TRUE(sound.StopBGM());
  sound.PlayBGMOnce("a.ogg");
  sound.FinishBGM();
  sound.ClearLog();
  EXPECT_TRUE(sound.StopBGM());
  EXPECT_TRUE(sound.log.empty());
  EXPECT_EQ(sound.GetBGMName(), "a.ogg");
  EXPECT_FALSE(sound.IsBGMPlaying("a.ogg"));
}

TEST(SoundManagerBGMTest, StopForgetsTheNameAndReplayReloads) {
  RecordingSoundManager sound;
  sound.PlayBGMOnce("a.ogg");
  EXPECT_TRUE(sound.StopBGM());
  EXPECT_EQ(sound.GetBGMName(), "");
  EXPECT_FALSE(sound.IsBGMOnce());
  sound.ClearLog();
  EXPECT_TRUE(sound.PlayBGM("a.ogg"));
  EXPECT_EQ(sound.log, (Log{"_LoadBGM(a.ogg)", "_SetBGMVolume(10000)", "_PlayBGM(loop)"}));
}

TEST(SoundManagerBGMTest, BackEndFailures) {
  RecordingSoundManager sound;
  sound.failBGMLoad.insert("bad.ogg");
  EXPECT_FALSE(sound.PlayBGM("bad.ogg"));
  EXPECT_EQ(sound.GetBGMName(), "");

  // A failed stop keeps the music and its name.
  sound.PlayBGM("a.ogg");
  sound.failBGMStop = true;
  EXPECT_FALSE(sound.StopBGM());
  EXPECT_FALSE(sound.PlayBGM("b.ogg"));
  EXPECT_EQ(sound.GetBGMName(), "a.ogg");
  EXPECT_TRUE(sound.bgmPlaying);

  // A failed start forgets the name but records the mode.
  sound.failBGMStop = false;
  sound.failBGMPlay = true;
  EXPECT_FALSE(sound.PlayBGMOnce("b.ogg"));
  EXPECT_EQ(sound.GetBGMName(), "");
  EXPECT_TRUE(sound.IsBGMOnce());
}

TEST(SoundManagerBGMTest, ReleaseStopsReleasesAndForgets) {
  RecordingSoundManager sound;
  sound.PlayBGM("a.ogg");
  sound.failBGMStop = true;
  EXPECT_FALSE(sound.ReleaseBGM());
  EXPECT_EQ(sound.bgmLoaded, "a.ogg");
  sound.failBGMStop = false;
  sound.ClearLog();
  EXPECT_TRUE(sound.ReleaseBGM());
  EXPECT_EQ(sound.log, (Log{"_StopBGM()", "_ReleaseBGM()"}));
  EXPECT_EQ(sound.GetBGMName(), "");
  EXPECT_EQ(sound.bgmLoaded, "");

  sound.PlayBGMOnce("b.ogg");
  sound.FinishBGM();
  sound.failBGMRelease = true;
  EXPECT_FALSE(sound.ReleaseBGM());
  EXPECT_EQ(sound.GetBGMName(), "b.ogg");
}

// Effect sounds and voices.

TEST(SoundManagerSETest, PlayLoadsOnDemandAndSetsTheVolumeFirst) {
  RecordingSoundManager sound;
  sound.SetSEVolume(2500);
  EXPECT_TRUE(sound.PlaySE("a.wav"));
  EXPECT_TRUE(sound.PlaySE("a.wav"));
  EXPECT_EQ(sound.log, (Log{"_LoadSE(a.wav)", "_SetSEVolume(2500)", "_PlaySE(a.wav)",
                            "_SetSEVolume(2500)", "_PlaySE(a.wav)"}));
  EXPECT_EQ(sound.GetSEList(), (std::vector<std::string>{"a.wav"}));
  EXPECT_TRUE(sound.IsPlayingSE("a.wav"));
  EXPECT_FALSE(sound.IsPlayingSE("b.wav"));
  EXPECT_TRUE(sound.PlaySE(""));
  EXPECT_TRUE(sound.LoadSE(""));
  EXPECT_EQ(sound.GetSEList().size(), 1u);
}

TEST(SoundManagerSETest, FailedLoadIsNotListed) {
  RecordingSoundManager sound;
  sound.se.failLoad.insert("bad.wav");
  EXPECT_FALSE(sound.PlaySE("bad.wav"));
  EXPECT_EQ(sound.log, (Log{"_LoadSE(bad.wav)"}));
  EXPECT_TRUE(sound.GetSEList().empty());
  EXPECT_TRUE(sound.LoadSE("a.wav"));
  EXPECT_TRUE(sound.LoadSE("a.wav"));
  EXPECT_EQ(sound.Calls("_LoadSE(a.wav)").size(), 1u);
}

TEST(SoundManagerSETest, StopAsksTheBackEndOnlyForListedPlayingSounds) {
  RecordingSoundManager sound;
  EXPECT_TRUE(sound.StopSE("unknown.wav"));
  sound.LoadSE("a.wav");
  EXPECT_TRUE(sound.StopSE("a.wav"));
  EXPECT_TRUE(sound.Calls("_StopSE").empty());
  sound.PlaySE("a.wav");
  sound.se.failStop.insert("a.wav");
  EXPECT_FALSE(sound.StopSE("a.wav"));
  sound.se.failStop.clear();
  EXPECT_TRUE(sound.StopSE("a.wav"));
  EXPECT_FALSE(sound.IsPlayingSE("a.wav"));
}

TEST(SoundManagerSETest, StopAllWalksEveryNameAndReportsAnyFailure) {
  RecordingSoundManager sound;
  for (const char* name : {"a.wav", "b.wav", "c.wav"}) sound.PlaySE(name);
  sound.se.failStop.insert("b.wav");
  sound.ClearLog();
  EXPECT_FALSE(sound.StopAllSE());
  EXPECT_EQ(sound.log, (Log{"_StopSE(a.wav)", "_StopSE(b.wav)", "_StopSE(c.wav)"}));
  EXPECT_TRUE(sound.IsPlayingSE("b.wav"));
  EXPECT_FALSE(sound.IsPlayingSE("c.wav"));
}

TEST(SoundManagerSETest, ReleaseStopsFirstAndKeepsFailuresListed) {
  RecordingSoundManager sound;
  sound.PlaySE("a.wav");
  sound.se.failStop.insert("a.wav");
  EXPECT_FALSE(sound.ReleaseSE("a.wav"));
  EXPECT_TRUE(sound.Calls("_ReleaseSE").empty());
  sound.se.failStop.clear();
  sound.ClearLog();
  EXPECT_TRUE(sound.ReleaseSE("a.wav"));
  EXPECT_EQ(sound.log, (Log{"_StopSE(a.wav)", "_ReleaseSE(a.wav)"}));
  EXPECT_TRUE(sound.GetSEList().empty());
  EXPECT_TRUE(sound.ReleaseSE("a.wav"));
}

TEST(SoundManagerSETest, ReleaseAllReleasesEveryOtherNameWhenOneFails) {
  RecordingSoundManager sound;
  for (const char* name : {"a.wav", "b.wav", "c.wav", "d.wav"}) sound.LoadSE(name);
  sound.se.failRelease.insert("b.wav");
  EXPECT_FALSE(sound.ReleaseAllSE());
  EXPECT_EQ(sound.GetSEList(), (std::vector<std::string>{"b.wav"}));
  EXPECT_EQ(sound.se.loaded, (std::set<std::string>{"b.wav"}));
  // Each release starts the walk again from the front.
  EXPECT_EQ(sound.Calls("_ReleaseSE"),
            (Log{"_ReleaseSE(a.wav)", "_ReleaseSE(b.wav)", "_ReleaseSE(c.wav)",
                 "_ReleaseSE(b.wav)", "_ReleaseSE(d.wav)", "_ReleaseSE(b.wav)"}));
  sound.se.failRelease.clear();
  EXPECT_TRUE(sound.ReleaseAllSE());
  EXPECT_TRUE(sound.GetSEList().empty());
}

// A subclass whose release claims success without releasing anything.
class ClaimingReleaseSound : public RecordingSoundManager {
 public:
  bool ReleaseSE(const char* /*name*/) override { return true; }
};

TEST(SoundManagerSETest, ReleaseAllEndsWhenAReleaseLeavesTheListAsItWas) {
  ClaimingReleaseSound sound;
  sound.LoadSE("a.wav");
  sound.LoadSE("b.wav");
  EXPECT_TRUE(sound.ReleaseAllSE());
  EXPECT_EQ(sound.GetSEList().size(), 2u);
}

TEST(SoundManagerVoiceTest, VoicesKeepTheirOwnListVolumeAndBackEnd) {
  RecordingSoundManager sound;
  sound.SetDefaultVoiceVolume(4000);
  sound.voice.failLoad.insert("bad.wav");
  EXPECT_TRUE(sound.PlayVoice("v.wav"));
  EXPECT_FALSE(sound.PlayVoice("bad.wav"));
  EXPECT_EQ(sound.log, (Log{"_LoadVoice(v.wav)", "_SetVoiceVolume(4000)", "_PlayVoice(v.wav)",
                            "_LoadVoice(bad.wav)"}));
  EXPECT_EQ(sound.GetVoiceList(), (std::vector<std::string>{"v.wav"}));
  EXPECT_TRUE(sound.GetSEList().empty());
  EXPECT_TRUE(sound.IsPlayingVoice("v.wav"));
  EXPECT_FALSE(sound.IsPlayingSE("v.wav"));
  sound.LoadVoice("w.wav");
  sound.voice.failRelease.insert("v.wav");
  EXPECT_TRUE(sound.StopAllVoice());
  EXPECT_FALSE(sound.IsPlayingVoice("v.wav"));
  EXPECT_FALSE(sound.ReleaseAllVoice());
  EXPECT_EQ(sound.GetVoiceList(), (std::vector<std::string>{"v.wav"}));
  sound.voice.failRelease.clear();
  EXPECT_TRUE(sound.ReleaseVoice("v.wav"));
  EXPECT_TRUE(sound.GetVoiceList().empty());
}

TEST(SoundManagerTest, ResetStopsAndReleasesButKeepsTheMusicLoaded) {
  RecordingSoundManager sound;
  sound.PlayBGM("a.ogg");
  sound.PlaySE("s.wav");
  sound.PlayVoice("v.wav");
  sound.SetSEVolume(1);
  sound.SetBGMVolume(2);
  sound.SetVoiceVolume(3);
  sound.ClearLog();
  sound.ResetSound();
  EXPECT_EQ(sound.log, (Log{"_StopBGM()", "_StopSE(s.wav)", "_ReleaseSE(s.wav)",
                            "_StopVoice(v.wav)", "_ReleaseVoice(v.wav)"}));
  EXPECT_EQ(sound.bgmLoaded, "a.ogg");
  EXPECT_TRUE(sound.GetSEList().empty());
  EXPECT_TRUE(sound.GetVoiceList().empty());
  EXPECT_TRUE(sound.IsSEVolumeInvalid());
  EXPECT_TRUE(sound.IsBGMVolumeInvalid());
  EXPECT_TRUE(sound.IsVoiceVolumeInvalid());
}

// Volumes.

TEST(SoundManagerVolumeTest, CurrentVolumeOutsideTheRangeFollowsTheDefault) {
  RecordingSoundManager sound;
  EXPECT_TRUE(sound.IsBGMVolumeInvalid());
  EXPECT_EQ(sound.GetBGMVolume(), 10000);
  sound.SetDefaultBGMVolume(7000);
  EXPECT_EQ(sound.GetBGMVolume(), 7000);
  for (const int valid : {0, 5000, 10000}) {
    sound.SetBGMVolume(valid);
    EXPECT_FALSE(sound.IsBGMVolumeInvalid());
    EXPECT_EQ(sound.GetBGMVolume(), valid);
  }
  for (const int invalid : {-1, -5, 10001}) {
    sound.SetBGMVolume(invalid);
    EXPECT_TRUE(sound.IsBGMVolumeInvalid());
    EXPECT_EQ(sound.GetBGMVolume(), 7000);
  }
  sound.SetSEVolume(10001);
  EXPECT_EQ(sound.GetSEVolume(), 10000);
  sound.SetVoiceVolume(300);
  EXPECT_EQ(sound.GetVoiceVolume(), 300);
}

TEST(SoundManagerVolumeTest, ApplyPassesTheResultingVolumeToTheBackEnd) {
  RecordingSoundManager sound;
  sound.SetDefaultBGMVolume(6000);
  sound.ApplyBGMVolume(-1);
  sound.ApplyBGMVolume(1234);
  sound.SetDefaultSEVolume(500);
  sound.ApplySEVolume(-1);
  sound.ApplyVoiceVolume(9999);
  EXPECT_EQ(sound.log, (Log{"_SetBGMVolume(6000)", "_SetBGMVolume(1234)", "_SetSEVolume(500)",
                            "_SetVoiceVolume(9999)"}));
  EXPECT_EQ(sound.GetBGMVolume(), 1234);
}

TEST(SoundManagerVolumeTest, DefaultsOutsideTheRangeAreFatal) {
  vesk_test::FatalTrap trap;
  RecordingSoundManager sound;
  sound.SetDefaultSEVolume(0);
  sound.SetDefaultBGMVolume(10000);
  EXPECT_EQ(sound.GetDefaultSEVolume(), 0);
  EXPECT_EQ(sound.GetDefaultBGMVolume(), 10000);
  EXPECT_FATAL(sound.SetDefaultSEVolume(10001), "SEの音量設定（デフォルト）が不正です！（10001）");
  EXPECT_FATAL(sound.SetDefaultBGMVolume(static_cast<unsigned>(-1)),
               "BGMの音量設定（デフォルト）が不正です！（-1）");
  EXPECT_FATAL(sound.SetDefaultVoiceVolume(20000),
               "音声の音量設定（デフォルト）が不正です！（20000）");
}

// Files.

TEST(SoundManagerFileTest, EnvironmentBlockBytesAndRoundTrip) {
  vesk_test::ScopedWorkingDir dir;
  RecordingSoundManager sound;
  EXPECT_EQ(WrittenBytes("env.dat", [&](BaseIOStream& s) { sound.SaveEnvironmentSound(s); }),
            Bytes({0x10, 0x27, 0, 0, 0x10, 0x27, 0, 0, 0x10, 0x27, 0, 0}));
  sound.SetDefaultSEVolume(1);
  sound.SetDefaultBGMVolume(0x0102);
  sound.SetDefaultVoiceVolume(0);
  EXPECT_EQ(WrittenBytes("env.dat", [&](BaseIOStream& s) { sound.SaveEnvironmentSound(s); }),
            Bytes({1, 0, 0, 0, 0x02, 0x01, 0, 0, 0, 0, 0, 0}));

  RecordingSoundManager loaded;
  BaseIOStream stream;
  ASSERT_TRUE(stream.Open("env.dat", "rb"));
  loaded.LoadEnvironmentSound(stream);
  EXPECT_EQ(loaded.GetDefaultSEVolume(), 1);
  EXPECT_EQ(loaded.GetDefaultBGMVolume(), 0x0102);
  EXPECT_EQ(loaded.GetDefaultVoiceVolume(), 0);
  // The defaults reach the back end only with the next start.
  EXPECT_TRUE(loaded.log.empty());
}

TEST(SoundManagerFileTest, DamagedEnvironmentDefaultsKeepTheDefaultsHeld) {
  vesk_test::ScopedWorkingDir dir;
  vesk_test::WriteFile("env.dat", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x11, 0x27, 0, 0, 5, 0, 0, 0}));
  RecordingSoundManager sound;
  sound.SetDefaultBGMVolume(3000);
  BaseIOStream stream;
  ASSERT_TRUE(stream.Open("env.dat", "rb"));
  sound.LoadEnvironmentSound(stream);
  EXPECT_EQ(sound.GetDefaultSEVolume(), 10000);
  EXPECT_EQ(sound.GetDefaultBGMVolume(), 3000);
  EXPECT_EQ(sound.GetDefaultVoiceVolume(), 5);
  sound.PlaySE("a.wav");
  EXPECT_EQ(sound.se.volume, 10000);

  // A file cut inside the second volume keeps the defaults from there on.
  vesk_test::WriteFile("env.dat", Bytes({0x20, 0, 0, 0, 0x30, 0}));
  RecordingSoundManager cut;
  BaseIOStream cutStream;
  ASSERT_TRUE(cutStream.Open("env.dat", "rb"));
  cut.LoadEnvironmentSound(cutStream);
  EXPECT_EQ(cut.GetDefaultSEVolume(), 0x20);
  EXPECT_EQ(cut.GetDefaultBGMVolume(), 10000);
  EXPECT_EQ(cut.GetDefaultVoiceVolume(), 10000);
}

TEST(SoundManagerFileTest, SlotBlockBytes) {
  vesk_test::ScopedWorkingDir dir;
  RecordingSoundManager sound;
  EXPECT_EQ(WrittenBytes("Save00.dat", [&](BaseIOStream& s) { sound.SaveLocalSound(s); }),
            Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
  sound.SetSEVolume(1);
  sound.SetBGMVolume(2);
  sound.SetVoiceVolume(10000);
  sound.PlayBGMOnce("ab");
  EXPECT_EQ(WrittenBytes("Save00.dat", [&](BaseIOStream& s) { sound.SaveLocalSound(s); }),
            Bytes({1, 0, 0, 0, 2, 0, 0, 0, 0x10, 0x27, 0, 0, 0x9E, 0x9D, 0, 1}));
}

TEST(SoundManagerFileTest, LoadingASlotStopsEverythingAndStartsTheSavedMusic) {
  vesk_test::ScopedWorkingDir dir;
  RecordingSoundManager saved;
  saved.SetBGMVolume(4000);
  saved.PlayBGMOnce("theme.ogg");
  WrittenBytes("Save00.dat", [&](BaseIOStream& s) { saved.SaveLocalSound(s); });

  RecordingSoundManager sound;
  sound.PlayBGM("other.ogg");
  sound.PlaySE("s.wav");
  sound.PlayVoice("v.wav");
  sound.ClearLog();
  BaseIOStream stream;
  ASSERT_TRUE(stream.Open("Save00.dat", "rb"));
  sound.LoadLocalSound(stream);
  EXPECT_EQ(sound.log, (Log{"_StopBGM()", "_StopSE(s.wav)", "_StopVoice(v.wav)",
                            "_LoadBGM(theme.ogg)", "_SetBGMVolume(4000)", "_PlayBGM(once)"}));
  EXPECT_EQ(sound.GetBGMName(), "theme.ogg");
  EXPECT_TRUE(sound.IsBGMOnce());
  EXPECT_TRUE(sound.IsSEVolumeInvalid());
  EXPECT_EQ(sound.GetBGMVolume(), 4000);
  // Effect sounds and voices stay loaded.
  EXPECT_EQ(sound.GetSEList(), (std::vector<std::string>{"s.wav"}));
  EXPECT_EQ(sound.GetVoiceList(), (std::vector<std::string>{"v.wav"}));
}

TEST(SoundManagerFileTest, SlotMusicThatCannotPlayIsOnlyADebugLine) {
  vesk_test::ScopedWorkingDir dir;
  RecordingSoundManager saved;
  saved.PlayBGM("gone.ogg");
  WrittenBytes("Save00.dat", [&](BaseIOStream& s) { saved.SaveLocalSound(s); });
  RecordingSoundManager empty;
  WrittenBytes("Save01.dat", [&](BaseIOStream& s) { empty.SaveLocalSound(s); });

  vesk_test::DebugCapture debug;
  RecordingSoundManager sound;
  sound.failBGMLoad.insert("gone.ogg");
  BaseIOStream stream;
  ASSERT_TRUE(stream.Open("Save00.dat", "rb"));
  sound.LoadLocalSound(stream);
  ASSERT_TRUE(stream.Close());
  EXPECT_TRUE(debug.Contains("BGM（gone.ogg）が再生出来ません！（play）"));

  // A slot without music loads silently.
  ASSERT_TRUE(stream.Open("Save01.dat", "rb"));
  sound.LoadLocalSound(stream);
  EXPECT_EQ(debug.lines().size(), 1u);
  EXPECT_EQ(sound.GetBGMName(), "");
}

TEST(SoundManagerFileTest, ClosedStreamIsFatal) {
  vesk_test::FatalTrap trap;
  RecordingSoundManager sound;
  BaseIOStream stream;
  EXPECT_FATAL(sound.SaveEnvironmentSound(stream), "ファイルがオープンされていません！");
  EXPECT_FATAL(sound.LoadEnvironmentSound(stream), "ファイルがオープンされていません！");
  EXPECT_FATAL(sound.SaveLocalSound(stream), "ファイルがオープンされていません！");
  EXPECT_FATAL(sound.LoadLocalSound(stream), "ファイルがオープンされていません！");
  bool flag = true;
  EXPECT_FATAL(LoadBool(&stream, &flag), "ファイルがオープンされていません！");
}

TEST(SoundManagerFileTest, LoadBoolReadsOneByte) {
  vesk_test::ScopedWorkingDir dir;
  vesk_test::WriteFile("flags.dat", Bytes({0, 2, 1}));
  BaseIOStream stream;
  ASSERT_TRUE(stream.Open("flags.dat", "rb"));
  bool a = true;
  bool b = false;
  bool c = false;
  LoadBool(&stream, &a);
  LoadBool(&stream, &b);
  LoadBool(&stream, &c);
  EXPECT_FALSE(a);
  EXPECT_TRUE(b);
  EXPECT_TRUE(c);
  EXPECT_FALSE(stream.HasReadFailed());
}

}  // namespace
