#include "tests/plugin/text/layout_fixture.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "plugin/core/host_api.h"
#include "plugin/text/glyph_metrics.h"
#include "plugin/text/kinsoku.h"
#include "plugin/text/text_style_state.h"
#include "tests/plugin/kit/plugin_test_host.h"

namespace vesk_test {
namespace {

std::vector<std::string>& Warnings() {
  static std::vector<std::string> warnings;
  return warnings;
}

void RecordWarning(nsTamskLib::WindowHandle, const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  Warnings().push_back(text);
}

}  // namespace

void TextLayoutFixture::SetUp() {
  ResetPluginState();
  std::map<std::string, void*> exports = EngineExports();
  exports["RuntimeWarning"] = reinterpret_cast<void*>(&RecordWarning);
  const nsWendrick::HostResolver resolve = ResolverOf(exports);
  for (std::size_t entry = 0; entry < nsWendrick::kHostApiEntryCount; ++entry) {
    nsWendrick::GetHostApi().Bind(static_cast<nsWendrick::HostApiEntry>(entry), resolve);
  }
  nsWendrick::InstallDefaultKinsokuSets();
  nsWendrick::ResetTextStyle();
  nsWendrick::ClearGlyphMetricsCache();
  platform::SetGlyphSourceForTest(&fonts);
  Warnings().clear();
}

void TextLayoutFixture::TearDown() {
  platform::SetGlyphSourceForTest(nullptr);
  nsWendrick::ClearGlyphMetricsCache();
  nsWendrick::ResetTextStyle();
  ResetPluginState();
}

int TextLayoutFixture::WarningCount(const std::string& text) {
  return static_cast<int>(std::count(Warnings().begin(), Warnings().end(), text));
}

std::vector<std::string> TextLayoutFixture::Texts(const nsTamskLib::TextTokenLine& line) {
  std::vector<std::string> texts;
  for (std::uint32_t i = 0; i < line.size(); ++i) texts.emplace_back(line.at(i).Text.c_str());
  return texts;
}

}  // namespace vesk_test
