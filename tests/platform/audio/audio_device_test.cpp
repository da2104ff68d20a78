#include "platform/audio/audio_device.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/support/debug_capture.h"

namespace {

using platform::AudioDevice;
using platform::AudioDeviceKind;

bool HasLineStartingWith(const vesk_test::DebugCapture& capture, const std::string& prefix) {
  for (const std::string& line : capture.lines()) {
    if (line.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

TEST(AudioDeviceTest, OutputIsCdQualityStereo) {
  const platform::PcmFormat f = AudioDevice::OutputFormat();
  EXPECT_EQ(f.channels, 2);
  EXPECT_EQ(f.samplesPerSec, 44100u);
  EXPECT_EQ(f.bitsPerSample, 16);
  EXPECT_EQ(f.blockAlign, 4);
  EXPECT_EQ(f.avgBytesPerSec, 176400u);
}

TEST(AudioDeviceTest, SdlDeviceOpensWhereSdlHasAnAudioDriver) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  vesk_test::DebugCapture capture;
  auto device = AudioDevice::OpenDefault();
  ASSERT_TRUE(device);
  EXPECT_EQ(device->Kind(), AudioDeviceKind::Speaker);
  EXPECT_TRUE(capture.lines().empty());
}

TEST(AudioDeviceTest, WithoutAnAudioDeviceASilentDeviceKeepsTime) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  vesk_test::DebugCapture capture;
  auto device = AudioDevice::OpenDefault();
  ASSERT_TRUE(device);
  EXPECT_EQ(device->Kind(), AudioDeviceKind::Silent);
  EXPECT_TRUE(HasLineStartingWith(capture, "Audio : no audio device"));

  // A one-shot buffer of 0.1 s plays out in real time.
  auto buffer = device->CreateSoundBuffer(platform::MakePcmFormat(2, 44100, 16), 4410 * 4);
  buffer->Play(false);
  EXPECT_TRUE(buffer->IsPlaying());
  for (int i = 0; i < 300 && buffer->IsPlaying(); ++i) usleep(10000);
  EXPECT_FALSE(buffer->IsPlaying());
}

TEST(AudioDeviceTest, TestsCanSelectTheNullDeviceForTheDefault) {
  platform::SelectNullAudioDeviceForTests(true);
  auto device = AudioDevice::OpenDefault();
  platform::SelectNullAudioDeviceForTests(false);
  ASSERT_TRUE(device);
  EXPECT_EQ(device->Kind(), AudioDeviceKind::Null);
}

TEST(AudioDeviceTest, BuffersOutliveTheirDevice) {
  auto device = AudioDevice::OpenNull();
  auto buffer = device->CreateSoundBuffer(platform::MakePcmFormat(2, 44100, 16), 400);
  buffer->Play(true);
  device.reset();
  EXPECT_TRUE(buffer->IsPlaying());
  EXPECT_TRUE(buffer->Stop());
}

}  // namespace
