// Frames presented per second of a still picture (the title: one full-frame
// picture drawn and presented every pass, the window's messages taken between)
// for 10 s under each way the game can present: SDL's dummy video driver, and an
// X display through the path the game picks (the window's surface) and through
// each SDL renderer, forced (software, as on a machine without GL, and GL, which
// the game takes for scaled full screen on graphics hardware). None
// may run faster than the refresh rate it is paced to (60 Hz where the display
// reports none). Each case runs in a process of its own, since SDL's video driver
// is chosen once per process; the X cases need DISPLAY (tools/run-benchmarks.sh
// starts a virtual display) and are skipped without one.

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>

#include "platform/graphics/graphics_device.h"
#include "platform/graphics/sdl_presenter.h"
#include "platform/window/window.h"

namespace {

constexpr double kSeconds = 10.0;

struct Case {
  const char* videoDriver;
  const char* renderDriver;  // SDL's renderer hint; null for the game's own choice
  // SDL's window framebuffer through SDL's own software path (XShm), as on a
  // machine without GL, rather than through a GL texture.
  bool softwareFramebuffer = false;
};

struct Result {
  double frames = 0;
  double seconds = 0;
  double cpuSeconds = 0;
  int refreshHz = 0;
};

double Seconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

platform::Texture Title() {
  platform::Texture t(platform::kFrameWidth, platform::kFrameHeight);
  for (int y = 0; y < t.Height(); ++y)
    for (int x = 0; x < t.Width(); ++x) t.Row(y)[x] = 0xFF000000u | static_cast<std::uint32_t>(x * 0x0101 + y * 0x010000);
  return t;
}

// In the child process: opens the window and device and presents for kSeconds.
Result PresentFor(const Case& c) {
  Result result;
  setenv("SDL_VIDEODRIVER", c.videoDriver, 1);
  if (c.renderDriver != nullptr) setenv("SDL_RENDER_DRIVER", c.renderDriver, 1);
  if (c.softwareFramebuffer) setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
  platform::WindowHandle window = platform::CreateMainWindow("present rate", 800, 600, false, nullptr);
  if (window == nullptr) return result;
  // A named SDL renderer is forced; otherwise the presenter picks its way.
  const platform::PresentParameters parameters;
  auto presenter = platform::CreateSdlPresenter(
      window, parameters, c.renderDriver != nullptr ? platform::PresentPath::Renderer : platform::PresentPath::Chosen);
  if (presenter == nullptr) return result;
  auto device = std::make_unique<platform::GraphicsDevice>(std::move(presenter), parameters);
  SDL_DisplayMode mode{};
  if (SDL_GetCurrentDisplayMode(0, &mode) == 0) result.refreshHz = mode.refresh_rate;
  const platform::Texture title = Title();
  // Timed from the end of the first presentation to the end of the last: the
  // frames counted are the intervals between them.
  double start = 0, cpuStart = 0, now = 0;
  for (int frame = 0; frame == 0 || now - start < kSeconds; ++frame) {
    platform::Message message;
    while (platform::PeekMessage(message)) platform::DispatchMessage(message);
    device->Clear(0);
    device->DrawSprite(title, platform::SourceRect{0, 0, 800, 600}, platform::Affine{}, 0xFFFFFFFFu,
                       platform::BlendMode::Alpha);
    device->Present();
    now = Seconds(CLOCK_MONOTONIC);
    if (frame == 0) {
      start = now;
      cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    }
    result.frames = frame;
  }
  result.seconds = now - start;
  result.cpuSeconds = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
  device.reset();
  platform::DestroyWindow(window);
  return result;
}

void BM_PresentRate(benchmark::State& state, Case c) {
  if (std::string_view(c.videoDriver) == "x11" && std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("no DISPLAY");
    return;
  }
  Result result;
  for (auto _ : state) {
    int fds[2];
    if (pipe(fds) != 0) break;
    const pid_t pid = fork();
    if (pid == 0) {
      close(fds[0]);
      const Result child = PresentFor(c);
      (void)!write(fds[1], &child, sizeof child);
      _exit(0);
    }
    close(fds[1]);
    if (read(fds[0], &result, sizeof result) != sizeof result) result = Result{};
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    state.SetIterationTime(result.seconds);
  }
  if (result.seconds <= 0) {
    state.SkipWithError("no device");
    return;
  }
  state.counters["fps"] = result.frames / result.seconds;
  state.counters["cpu_pct"] = 100.0 * result.cpuSeconds / result.seconds;
  // The rate presentation is paced to: the display's, or 60 Hz where it reports none.
  state.counters["paced_hz"] = result.refreshHz > 0 ? result.refreshHz : 60;
}
BENCHMARK_CAPTURE(BM_PresentRate, dummy, Case{"dummy", nullptr})->Iterations(1)->UseManualTime();
BENCHMARK_CAPTURE(BM_PresentRate, x11_chosen, Case{"x11", nullptr})->Iterations(1)->UseManualTime();
BENCHMARK_CAPTURE(BM_PresentRate, x11_software, Case{"x11", "software", true})->Iterations(1)->UseManualTime();
BENCHMARK_CAPTURE(BM_PresentRate, x11_opengl, Case{"x11", "opengl"})->Iterations(1)->UseManualTime();

}  // namespace
