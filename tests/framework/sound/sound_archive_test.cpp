// Sounds play from the data archive: a "Data.dat" packed from a folder holding a
// WAV effect and an Ogg Vorbis track, read through the archive's entry readers
// and mixed on the null device.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/filepack/file_pack_manager.h"
#include "framework/param/param_manager.h"
#include "framework/sound/ogg_reader.h"
#include "framework/sound/sound_bgm.h"
#include "framework/sound/sound_se.h"
#include "framework/sound/wav_reader.h"
#include "tests/framework/sound/sound_files.h"
#include "tests/support/temp_dir.h"

namespace {

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsFile::nsFileWriter::CFileWriter;
using nsZarn::nsFramework::nsFilePack::FilePackManager;
using nsZarn::nsFramework::nsParam::ParamManager;
using nsZarn::nsSound::ZarnSound;
using nsZarn::nsSound::nsISound::CSoundBGM;
using nsZarn::nsSound::nsISound::CSoundSE;
using nsZarn::nsSound::nsISoundReader::COggReader;
using nsZarn::nsSound::nsISoundReader::CWavReader;

constexpr std::uint32_t kTrackFrames = 44100;  // one second: longer than the ring
constexpr std::uint32_t kEffectFrames = 2000;

class SoundArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_Ogg = vesk_test::MakeOggTone(2, 44100, kTrackFrames);
    vesk_test::WriteFile(m_Dir.path() / "Data" / "se.wav",
                         vesk_test::MakeWav(platform::MakePcmFormat(2, 44100, 16), vesk_test::RampFrames(kEffectFrames)));
    vesk_test::WriteFile(m_Dir.path() / "Data" / "bgm.ogg", m_Ogg);
    ParamManager params(new CFileReader, new CFileWriter);
    ASSERT_TRUE(m_Packs.ConvertToFilePack("Data", &params));
    std::filesystem::remove_all(m_Dir.path() / "Data");  // only the archive is left
    ASSERT_TRUE(m_Packs.OpenFilePack("Data.dat"));

    // The track's samples as the decoder gives them, for comparison.
    vesk_test::WriteFile(m_Dir.path() / "loose.ogg", m_Ogg);
    COggReader loose(new CFileReader, "loose.ogg");
    m_Track.resize(kTrackFrames * 2);
    std::uint32_t got = 0;
    loose.Read(m_Track.data(), kTrackFrames * 4, &got);
    ASSERT_EQ(got, kTrackFrames * 4);

    platform::SelectNullAudioDeviceForTests(true);
    ASSERT_TRUE(m_Sound.Init(nullptr));
  }
  void TearDown() override { platform::SelectNullAudioDeviceForTests(false); }

  vesk_test::ScopedWorkingDir m_Dir;
  FilePackManager m_Packs{new CFileReader, new CFileWriter};
  ZarnSound m_Sound;
  std::string m_Ogg;
  std::vector<std::int16_t> m_Track;
};

TEST_F(SoundArchiveTest, OggTrackReadsFromItsEntry) {
  COggReader reader(m_Packs.GetFileReader("Data.dat"), "Data/bgm.ogg");
  ASSERT_TRUE(reader.IsOpen());
  EXPECT_EQ(reader.GetLength(), kTrackFrames);
  std::vector<std::int16_t> samples(kTrackFrames * 2);
  std::uint32_t got = 0;
  reader.Read(samples.data(), kTrackFrames * 4, &got);
  EXPECT_EQ(got, kTrackFrames * 4);
  EXPECT_EQ(samples, m_Track);
  ASSERT_TRUE(reader.Seek(0));
  EXPECT_FALSE(reader.IsEnd());
}

TEST_F(SoundArchiveTest, EffectAndMusicFromTheArchiveMixTogether) {
  CSoundSE effect(&m_Sound, new CWavReader(m_Packs.GetFileReader("Data.dat"), "Data/se.wav"));
  CSoundBGM music(&m_Sound, new COggReader(m_Packs.GetFileReader("Data.dat"), "Data/bgm.ogg"));
  ASSERT_NE(effect.GetReader(), nullptr);
  ASSERT_NE(music.GetReader(), nullptr);
  ASSERT_TRUE(music.Play(false));
  ASSERT_TRUE(effect.Play(false));

  // Mix the whole track in steps of about a tenth of a second, letting the
  // streaming thread refill the ring between them.
  std::vector<std::int16_t> out((kTrackFrames + 8192) * 2);
  std::uint32_t mixed = 0;
  while (mixed < kTrackFrames + 2048) {
    const std::uint32_t n = 4096;
    const std::uint32_t before = music.GetNotificationsHandled();
    m_Sound.GetDevice()->Mix(out.data() + mixed * 2, n);
    mixed += n;
    // A step passes at most one block boundary (blocks are 8,269 frames).
    for (int wait = 0; wait < 50 && music.GetNotificationsHandled() == before; ++wait) usleep(1000);
  }

  long mismatches = 0;
  for (std::uint32_t f = 0; f < kTrackFrames; ++f) {
    const int effectLeft = f < kEffectFrames ? vesk_test::RampValue(f) : 0;
    if (out[2 * f] != m_Track[2 * f] + effectLeft) ++mismatches;
    if (out[2 * f + 1] != m_Track[2 * f + 1] - effectLeft) ++mismatches;
  }
  EXPECT_EQ(mismatches, 0);
  for (std::uint32_t f = kTrackFrames; f < kTrackFrames + 2048; ++f) ASSERT_EQ(out[2 * f], 0);
  EXPECT_FALSE(effect.IsPlaying());
}

}  // namespace
