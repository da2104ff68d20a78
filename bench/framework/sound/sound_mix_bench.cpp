// Mixing must cost a tiny share of one core: one second of output with sixteen
// effect voices and streamed music playing, the music's streaming thread
// refilling its ring as the mix passes each block. One iteration mixes one second
// of audio, so its time is the share of a core: the target is well under 10 ms (1%).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/file/file_reader.h"
#include "framework/sound/sound_bgm.h"
#include "framework/sound/sound_device.h"
#include "framework/sound/sound_se.h"
#include "framework/sound/wav_reader.h"
#include "platform/audio/audio_device.h"

namespace {

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsSound::ZarnSound;
using nsZarn::nsSound::nsISound::CSoundBGM;
using nsZarn::nsSound::nsISound::CSoundSE;
using nsZarn::nsSound::nsISoundReader::CWavReader;

void Put(std::string& s, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A WAV of a 440 Hz tone.
void WriteTone(const std::string& path, std::uint16_t channels, std::uint32_t rate, std::uint32_t frames) {
  std::string data;
  for (std::uint32_t f = 0; f < frames; ++f) {
    const auto v = static_cast<std::int16_t>(8000 * std::sin(2.0 * M_PI * 440.0 * f / rate));
    for (std::uint16_t c = 0; c < channels; ++c) Put(data, static_cast<std::uint16_t>(v), 2);
  }
  std::string wav = "RIFF";
  Put(wav, static_cast<std::uint32_t>(36 + data.size()), 4);
  wav += "WAVEfmt ";
  Put(wav, 16, 4);
  Put(wav, 1, 2);
  Put(wav, channels, 2);
  Put(wav, rate, 4);
  Put(wav, rate * channels * 2u, 4);
  Put(wav, channels * 2u, 2);
  Put(wav, 16, 2);
  wav += "data";
  Put(wav, static_cast<std::uint32_t>(data.size()), 4);
  std::ofstream(path, std::ios::binary) << (wav + data);
}

void BM_MixOneSecondSixteenVoicesAndMusic(benchmark::State& state) {
  std::string pattern = (std::filesystem::temp_directory_path() / "vesk-bench-XXXXXX").string();
  const std::string folder = ::mkdtemp(pattern.data()) != nullptr ? pattern : ".";
  WriteTone(folder + "/stereo.wav", 2, 44100, 44100);
  WriteTone(folder + "/mono.wav", 1, 22050, 22050);  // resampled on the way
  WriteTone(folder + "/music.wav", 2, 44100, 44100 * 10);

  platform::SelectNullAudioDeviceForTests(true);
  {
    ZarnSound sound;
    sound.Init(nullptr);
    CSoundSE stereo(&sound, new CWavReader(new CFileReader, (folder + "/stereo.wav").c_str()));
    CSoundSE mono(&sound, new CWavReader(new CFileReader, (folder + "/mono.wav").c_str()));
    for (int i = 0; i < 8; ++i) {
      stereo.Play(true);
      mono.Play(true);
    }
    CSoundBGM music(&sound, new CWavReader(new CFileReader, (folder + "/music.wav").c_str()));
    music.Play(true);

    std::vector<std::int16_t> out(1024 * 2);
    for (auto _ : state) {
      for (std::uint32_t done = 0; done < 44100; done += 1024) {
        sound.GetDevice()->Mix(out.data(), 1024);
      }
      benchmark::DoNotOptimize(out.data());
    }
  }
  platform::SelectNullAudioDeviceForTests(false);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}
BENCHMARK(BM_MixOneSecondSixteenVoicesAndMusic)->Unit(benchmark::kMillisecond);

}  // namespace
