#include "platform/audio/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/audio/audio_device.h"
#include "platform/audio/sound_buffer.h"

namespace {

using platform::AudioDevice;
using platform::MakePcmFormat;
using platform::SoundBuffer;

// Writes 16-bit stereo frames (left, right) into a buffer.
void Fill16(SoundBuffer& buffer, const std::vector<std::int16_t>& samples) {
  void* p = nullptr;
  std::uint32_t n = 0;
  ASSERT_TRUE(buffer.Lock(0, buffer.GetSize(), &p, &n, nullptr, nullptr));
  ASSERT_EQ(n, samples.size() * 2);
  std::memcpy(p, samples.data(), n);
  buffer.Unlock();
}

// A stereo 44.1 kHz buffer whose frame f holds (f + 1, -(f + 1)).
std::unique_ptr<SoundBuffer> Ramp(AudioDevice& device, std::uint32_t frames) {
  auto buffer = device.CreateSoundBuffer(MakePcmFormat(2, 44100, 16), frames * 4);
  std::vector<std::int16_t> samples;
  for (std::uint32_t f = 0; f < frames; ++f) {
    samples.push_back(static_cast<std::int16_t>(f + 1));
    samples.push_back(static_cast<std::int16_t>(-static_cast<int>(f + 1)));
  }
  Fill16(*buffer, samples);
  return buffer;
}

std::vector<std::int16_t> Mix(AudioDevice& device, std::uint32_t frames) {
  std::vector<std::int16_t> out(frames * 2, 12345);
  device.Mix(out.data(), frames);
  return out;
}

TEST(MixerTest, AttenuationToGain) {
  EXPECT_EQ(platform::GainFromAttenuation(0), 1.0f);
  EXPECT_EQ(platform::GainFromAttenuation(-10000), 0.0f);
  EXPECT_NEAR(platform::GainFromAttenuation(-2000), 0.1f, 1e-6);
  EXPECT_NEAR(platform::GainFromAttenuation(-602), 0.5f, 1e-3);

  auto device = AudioDevice::OpenNull();
  auto buffer = Ramp(*device, 100);
  EXPECT_TRUE(buffer->SetVolume(-10000));
  EXPECT_TRUE(buffer->SetVolume(0));
  EXPECT_FALSE(buffer->SetVolume(1));
  EXPECT_FALSE(buffer->SetVolume(-10001));
  EXPECT_EQ(buffer->GetVolume(), 0);
}

TEST(MixerTest, FullVolumePlaysSamplesExactlyAndSilenceMutes) {
  auto device = AudioDevice::OpenNull();
  auto buffer = Ramp(*device, 1000);
  buffer->Play(false);
  auto out = Mix(*device, 10);
  for (int f = 0; f < 10; ++f) {
    EXPECT_EQ(out[2 * f], f + 1);
    EXPECT_EQ(out[2 * f + 1], -(f + 1));
  }
  buffer->SetVolume(-10000);
  out = Mix(*device, 10);
  for (std::int16_t s : out) EXPECT_EQ(s, 0);
  EXPECT_EQ(buffer->GetCurrentPosition(), 20u * 4) << "a muted buffer still moves on";
}

TEST(MixerTest, StopKeepsThePositionAndPlayResumesThere) {
  auto device = AudioDevice::OpenNull();
  auto buffer = Ramp(*device, 1000);
  buffer->Play(false);
  Mix(*device, 300);
  EXPECT_TRUE(buffer->Stop());
  EXPECT_FALSE(buffer->IsPlaying());
  EXPECT_EQ(buffer->GetCurrentPosition(), 1200u);
  auto out = Mix(*device, 5);
  EXPECT_EQ(out[0], 0) << "a stopped buffer is silent";
  EXPECT_EQ(buffer->GetCurrentPosition(), 1200u);
  buffer->Play(false);
  out = Mix(*device, 1);
  EXPECT_EQ(out[0], 301);
}

TEST(MixerTest, OneShotBufferEndsByItselfAndLoopingBufferWraps) {
  auto device = AudioDevice::OpenNull();
  auto once = Ramp(*device, 100);
  once->Play(false);
  auto out = Mix(*device, 150);
  EXPECT_EQ(out[2 * 99], 100);
  EXPECT_EQ(out[2 * 100], 0) << "nothing after the end";
  EXPECT_FALSE(once->IsPlaying());

  auto looped = Ramp(*device, 100);
  looped->Play(true);
  out = Mix(*device, 250);
  EXPECT_EQ(out[2 * 99], 100);
  EXPECT_EQ(out[2 * 100], 1);
  EXPECT_EQ(out[2 * 249], 50);
  EXPECT_TRUE(looped->IsPlaying());
  EXPECT_EQ(looped->GetCurrentPosition(), 50u * 4);
}

TEST(MixerTest, DuplicateSharesTheSamplesKeepsTheVolumeAndPlaysOnItsOwn) {
  auto device = AudioDevice::OpenNull();
  auto original = Ramp(*device, 1000);
  original->SetVolume(-602);
  auto duplicate = original->Duplicate();
  ASSERT_TRUE(duplicate);
  EXPECT_EQ(duplicate->GetVolume(), -602);
  EXPECT_FALSE(duplicate->IsPlaying());
  EXPECT_EQ(duplicate->GetCurrentPosition(), 0u);

  // Written through the original, heard through the duplicate.
  void* p = nullptr;
  std::uint32_t n = 0;
  ASSERT_TRUE(original->Lock(0, 4, &p, &n, nullptr, nullptr));
  const std::int16_t loud[2] = {20000, -20000};
  std::memcpy(p, loud, 4);
  duplicate->SetVolume(0);
  duplicate->Play(false);
  auto out = Mix(*device, 2);
  EXPECT_EQ(out[0], 20000);
  EXPECT_EQ(out[1], -20000);
  EXPECT_EQ(original->GetVolume(), -602) << "volumes are per buffer";
  EXPECT_FALSE(original->IsPlaying());
}

TEST(MixerTest, VoicesAddUpAndSaturate) {
  auto device = AudioDevice::OpenNull();
  auto a = device->CreateSoundBuffer(MakePcmFormat(2, 44100, 16), 400);
  auto b = device->CreateSoundBuffer(MakePcmFormat(2, 44100, 16), 400);
  Fill16(*a, std::vector<std::int16_t>(200, 30000));
  Fill16(*b, std::vector<std::int16_t>(200, 3000));
  a->Play(false);
  b->Play(false);
  EXPECT_EQ(Mix(*device, 1)[0], 32767);
  b->Stop();
  EXPECT_EQ(Mix(*device, 1)[0], 30000);
}

TEST(MixerTest, EightBitMonoAndHalfRateAreConverted) {
  auto device = AudioDevice::OpenNull();
  auto buffer = device->CreateSoundBuffer(MakePcmFormat(1, 22050, 8), 4);
  void* p = nullptr;
  std::uint32_t n = 0;
  ASSERT_TRUE(buffer->Lock(0, 4, &p, &n, nullptr, nullptr));
  const std::uint8_t samples[4] = {0x80, 0x90, 0x70, 0x80};
  std::memcpy(p, samples, 4);
  buffer->Play(false);
  auto out = Mix(*device, 8);
  // Two output frames per source frame, the second halfway to the next sample.
  const std::int16_t expected[8] = {0, 2048, 4096, 0, -4096, -2048, 0, 0};
  for (int f = 0; f < 8; ++f) {
    EXPECT_NEAR(out[2 * f], expected[f], 1) << "frame " << f;
    EXPECT_EQ(out[2 * f], out[2 * f + 1]) << "mono goes to both sides";
  }
  EXPECT_FALSE(buffer->IsPlaying());
}

TEST(MixerTest, BuffersRefuseUnplayableFormatsAndSizes) {
  auto device = AudioDevice::OpenNull();
  EXPECT_FALSE(device->CreateSoundBuffer(MakePcmFormat(3, 44100, 16), 600));
  EXPECT_FALSE(device->CreateSoundBuffer(MakePcmFormat(2, 44100, 24), 600));
  EXPECT_FALSE(device->CreateSoundBuffer(MakePcmFormat(2, 0, 16), 600));
  EXPECT_FALSE(device->CreateSoundBuffer(MakePcmFormat(2, 44100, 16), 0));
  EXPECT_FALSE(device->CreateSoundBuffer(MakePcmFormat(2, 44100, 16), 6)) << "not whole frames";
  auto wrongAlign = MakePcmFormat(2, 44100, 16);
  wrongAlign.blockAlign = 2;
  EXPECT_FALSE(device->CreateSoundBuffer(wrongAlign, 600));
  EXPECT_TRUE(device->CreateSoundBuffer(MakePcmFormat(1, 8000, 16), 64000));
}

TEST(MixerTest, LockWrapsToTheStartAndRefusesRangesOutsideTheBuffer) {
  auto device = AudioDevice::OpenNull();
  auto buffer = device->CreateSoundBuffer(MakePcmFormat(2, 44100, 16), 400);
  void* first = nullptr;
  void* second = nullptr;
  std::uint32_t firstBytes = 0;
  std::uint32_t secondBytes = 0;
  ASSERT_TRUE(buffer->Lock(300, 200, &first, &firstBytes, &second, &secondBytes));
  EXPECT_EQ(firstBytes, 100u);
  EXPECT_EQ(secondBytes, 100u);
  EXPECT_EQ(static_cast<std::uint8_t*>(first) - static_cast<std::uint8_t*>(second), 300);
  EXPECT_FALSE(buffer->Lock(400, 4, &first, &firstBytes, &second, &secondBytes));
  EXPECT_FALSE(buffer->Lock(0, 404, &first, &firstBytes, &second, &secondBytes));
  EXPECT_FALSE(buffer->Lock(300, 200, &first, &firstBytes, nullptr, nullptr));
  EXPECT_FALSE(buffer->SetCurrentPosition(400));
}

// Counts the notifications of a ring of 16 blocks over the blocks' boundaries.
void ExpectOneNotificationPerBlock(const platform::PcmFormat& format, std::uint32_t blockBytes) {
  auto device = AudioDevice::OpenNull();
  const std::uint32_t ringBytes = blockBytes * 16;
  auto buffer = device->CreateSoundBuffer(format, ringBytes);
  ASSERT_TRUE(buffer);
  auto event = std::make_shared<platform::AutoResetEvent>();
  std::vector<platform::NotificationPosition> positions;
  for (std::uint32_t k = 1; k < 16; ++k) positions.push_back({blockBytes * k, event});
  positions.push_back({ringBytes - 1, event});
  ASSERT_TRUE(buffer->SetNotificationPositions(positions));
  buffer->Play(true);
  EXPECT_FALSE(buffer->SetNotificationPositions(positions)) << "only while stopped";

  // Output frames per source frame: 1 at 44.1 kHz, 2 at 22.05 kHz.
  const std::uint32_t scale = 44100 / format.samplesPerSec;
  const std::uint32_t blockFrames = blockBytes / format.blockAlign;
  std::uint32_t played = 0;  // source frames
  auto advanceTo = [&](std::uint32_t frame) {
    device->Advance((frame - played) * scale);
    played = frame;
  };
  for (int round = 0; round < 2; ++round) {
    const std::uint32_t base = played;
    for (std::uint32_t k = 1; k < 16; ++k) {
      advanceTo(base + blockFrames * k);
      EXPECT_FALSE(event->IsSet()) << "before the boundary of block " << k;
      advanceTo(base + blockFrames * k + 1);
      EXPECT_TRUE(event->IsSet()) << "at the boundary of block " << k;
      event->Reset();
    }
    advanceTo(base + blockFrames * 16 - 1);
    EXPECT_FALSE(event->IsSet());
    advanceTo(base + blockFrames * 16);
    EXPECT_TRUE(event->IsSet()) << "the last byte of the ring";
    event->Reset();
  }
  EXPECT_EQ(buffer->GetCurrentPosition(), 0u);
  buffer->Stop();
  device->Advance(blockFrames * 3 * scale);
  EXPECT_FALSE(event->IsSet()) << "nothing fires while stopped";
}

TEST(MixerTest, NotificationsFireOnceAtEachBlockBoundaryCdQuality) {
  ExpectOneNotificationPerBlock(platform::MakePcmFormat(2, 44100, 16), 33076);
}

TEST(MixerTest, NotificationsFireOnceAtEachBlockBoundaryLowQuality) {
  ExpectOneNotificationPerBlock(platform::MakePcmFormat(1, 22050, 8), 4134);
}

}  // namespace
