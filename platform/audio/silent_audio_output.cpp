#include <algorithm>
#include <condition_variable>  // also brings steady_clock (<chrono> itself does not compile with a CP932 execution charset)
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/audio/audio_output.h"

namespace platform {
namespace {

// Mixes into a scratch buffer as fast as real time plays it, in pieces of about
// 10 ms, and throws the frames away.
class SilentAudioOutput final : public AudioOutput {
 public:
  explicit SilentAudioOutput(std::shared_ptr<Mixer> mixer) : m_Mixer(std::move(mixer)) {}
  SilentAudioOutput(const SilentAudioOutput&) = delete;
  SilentAudioOutput& operator=(const SilentAudioOutput&) = delete;

  ~SilentAudioOutput() override {
    {
      std::lock_guard lock(m_Mutex);
      m_Quit = true;
    }
    m_Wake.notify_all();
    if (m_Thread.joinable()) m_Thread.join();
  }

  bool Start() {
    try {
      m_Thread = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
      return false;
    }
    return true;
  }

 private:
  void Run() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::uint64_t mixed = 0;
    std::vector<std::int16_t> scratch;
    std::unique_lock lock(m_Mutex);
    while (!m_Quit) {
      m_Wake.wait_for(lock, std::chrono::milliseconds(10));
      if (m_Quit) break;
      const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
      const std::uint64_t due = static_cast<std::uint64_t>(elapsed.count()) * kMixerRate / 1000000u;
      if (due <= mixed) continue;
      // After a long stall, skip ahead rather than mixing seconds at once.
      const auto frames = static_cast<std::uint32_t>(std::min<std::uint64_t>(due - mixed, kMixerRate / 4));
      mixed = due;
      scratch.resize(static_cast<std::size_t>(frames) * kMixerChannels);
      lock.unlock();
      m_Mixer->Mix(scratch.data(), frames);
      lock.lock();
    }
  }

  std::shared_ptr<Mixer> m_Mixer;
  std::mutex m_Mutex;
  std::condition_variable m_Wake;
  bool m_Quit = false;
  std::thread m_Thread;
};

}  // namespace

std::unique_ptr<AudioOutput> OpenSilentAudioOutput(std::shared_ptr<Mixer> mixer) {
  auto output = std::make_unique<SilentAudioOutput>(std::move(mixer));
  if (!output->Start()) return nullptr;
  return output;
}

}  // namespace platform
