#include "platform/font/font.h"

#include <atomic>

#include "platform/text/cp932.h"

namespace platform {
namespace {

std::atomic<GlyphSource*> g_TestSource{nullptr};

constexpr std::size_t kMaxFaceNameBytes = 31;

}  // namespace

std::unique_ptr<Font> CreateFont(const FontRequest& request) {
  GlyphSource* source = g_TestSource.load();
  return source != nullptr ? source->CreateFont(request) : SystemGlyphSource().CreateFont(request);
}

void SetGlyphSourceForTest(GlyphSource* source) { g_TestSource = source; }

std::string CutFaceName(std::string_view face) {
  std::size_t end = 0;
  while (end < face.size()) {
    const std::size_t length = SjisCharLength(face, end);
    if (length == 0 || end + length > kMaxFaceNameBytes) break;
    end += length;
  }
  return std::string(face.substr(0, end));
}

}  // namespace platform
