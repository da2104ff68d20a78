#include "tests/game/playthrough/section_start.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/graphics/texture.h"

namespace vesk_play {
namespace {

// Probes in the band that only the background covers: below the story's own
// buttons (y 5 to 33) and above the characters (from y 100).
constexpr int kProbeRows[] = {44, 60, 76, 92};
constexpr int kProbeStep = 20;
// Largest mean difference per channel at which a frame still counts as the
// picture (at some brightness), and largest spread of a plain screen.
constexpr double kFitTolerance = 12.0;
constexpr int kPlainSpread = 12;

using Probes = std::vector<int>;  // r, g, b of each probe in turn

template <typename PixelAt>
Probes Probe(PixelAt pixelAt) {
  Probes out;
  for (int y : kProbeRows) {
    for (int x = kProbeStep / 2; x < 800; x += kProbeStep) {
      const std::uint32_t c = pixelAt(x, y);
      out.insert(out.end(), {static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                             static_cast<int>(c & 0xFF)});
    }
  }
  return out;
}

// The background the section's script shows first: its first "bg" after its label.
std::string SectionPicture(const std::string& source, const std::string& name) {
  const std::size_t label = source.find("\n@" + name + ":");
  if (label == std::string::npos) return "";
  const std::size_t bg = source.find("\n  bg \"", label);
  if (bg == std::string::npos) return "";
  const std::size_t first = bg + 7;
  return source.substr(first, source.find('"', first) - first);
}

bool ReadPicture(const std::string& file, Probes& probes) {
  const std::unique_ptr<platform::Texture> picture = ReadPictureFile(file);
  if (!picture || picture->Width() < 800 || picture->Height() < 100) return false;
  probes = Probe([&picture](int x, int y) { return picture->Row(y)[x]; });
  return true;
}

enum class Look { Plain, PictureFading, Picture, Other };

// The frame is the picture scaled toward black (a fade or a crossfade from an
// empty screen) when one brightness fits every probe.
Look Classify(const Probes& frame, const Probes& picture) {
  double cross = 0;
  double own = 0;
  for (std::size_t i = 0; i < frame.size(); ++i) {
    cross += static_cast<double>(frame[i]) * picture[i];
    own += static_cast<double>(picture[i]) * picture[i];
  }
  const double brightness = own > 0 ? cross / own : 0;
  double misfit = 0;
  for (std::size_t i = 0; i < frame.size(); ++i) misfit += std::abs(frame[i] - brightness * picture[i]);
  misfit /= static_cast<double>(frame.size());
  if (misfit <= kFitTolerance) return brightness >= 0.5 ? Look::Picture : Look::PictureFading;
  const auto [low, high] = std::minmax_element(frame.begin(), frame.end());
  return *high - *low <= kPlainSpread ? Look::Plain : Look::Other;
}

}  // namespace

std::uint32_t WatchSectionStart(GameDriver& driver, const std::string& scriptSource, const std::string& name) {
  const std::string file = SectionPicture(scriptSource, name);
  Probes picture;
  if (!driver.Check(!file.empty() && ReadPicture(file, picture), "no picture of story " + name + " to look for")) {
    return 0;
  }
  const std::uint32_t first = driver.GameTimeMs() + GameDriver::kFrameMs;
  while (driver.Running()) {
    driver.Frame();
    const std::uint32_t elapsed = driver.GameTimeMs() - first;
    const Look look = Classify(Probe([&driver](int x, int y) { return driver.Pixel(x, y); }), picture);
    if (look == Look::Picture) {
      driver.Check(elapsed <= kSectionPictureLimitMs,
                   "story " + name + " showed its picture " + std::to_string(elapsed) + " ms after its first frame");
      return driver.GameTimeMs();
    }
    const bool other = look == Look::Other;
    if (other || elapsed > kSectionPictureLimitMs) {
      if (const char* folder = std::getenv("VESK_PLAY_FRAMES"); folder != nullptr) {
        driver.SaveFrame(std::string(folder) + "/start-" + name + ".ppm");
      }
      driver.Fault(other ? "story " + name + " starts on a frame of another picture"
                         : "story " + name + " shows no picture of its own within " +
                               std::to_string(kSectionPictureLimitMs) + " ms");
      return 0;
    }
  }
  return 0;
}

}  // namespace vesk_play
