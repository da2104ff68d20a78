#pragma once
// The game shell's program-wide objects as the entry sets them up, over the test
// platform: the graphics object's window on the graphics test back end (frames are
// captured), the null audio device, the virtual clock, and the data archive packed
// from the files a test writes under "Data/" in its own working folder, with the
// parameter manager reading from it. Each fixture releases what it set up.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/filepack/file_pack_manager.h"
#include "framework/param/param_manager.h"
#include "game/app/vesk_entry.h"
#include "game/core/program_objects.h"
#include "platform/audio/audio_device.h"
#include "platform/clock/clock.h"
#include "tests/game/support/program_lifetime.h"
#include "tests/platform/support/graphics_test_back_end.h"
#include "tests/support/temp_dir.h"

namespace vesk_test {

class ShellFixture : public testing::Test {
 protected:
  static constexpr std::uint32_t kBackground = 0xFF000000u;

  void SetUp() override {
    platform::UseVirtualClock(1000);
    ASSERT_TRUE(nsVesk::g_Graphic.Init("ShellTest", nsVesk::MainWindowProc, 800, 600, 0xA00000, false, false,
                                       false));
    nsVesk::g_Graphic.Clear(kBackground);
  }
  void TearDown() override {
    ReleaseArchive();
    ReleaseGraphics();
    platform::UseRealClock();
  }

  // Packs "Data" into "Data.dat" and opens it as the entry does.
  void PackData() {
    using nsZarn::nsFile::nsFileReader::CFileReader;
    using nsZarn::nsFile::nsFileWriter::CFileWriter;
    {
      nsZarn::nsFramework::nsParam::ParamManager params(new CFileReader, new CFileWriter);
      nsZarn::nsFramework::nsFilePack::FilePackManager pack(new CFileReader, new CFileWriter);
      ASSERT_TRUE(pack.ConvertToFilePack("Data", &params));
    }
    ASSERT_TRUE(OpenArchive("Data.dat"));
  }

  // Presents the frame and reads one pixel of it.
  std::uint32_t Presented(int x, int y) {
    nsVesk::g_Graphic.Present();
    return m_Back.Pixel(x, y);
  }

  ScopedWorkingDir m_Dir;
  vesk_test::GraphicsTestBackEnd m_Back;
};

// The sound device on the null audio device, which the test clocks by mixing.
class SoundFixture : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    platform::SelectNullAudioDeviceForTests(true);
    ASSERT_TRUE(nsVesk::g_Sound.Init(nullptr));
  }
  void TearDown() override {
    ReleaseSound();
    ShellFixture::TearDown();
    platform::SelectNullAudioDeviceForTests(false);
  }
};

}  // namespace vesk_test
