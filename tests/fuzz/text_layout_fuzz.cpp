// The plug-in's tagged text layout: the text laid out with fixed-metric fonts
// against a fake engine, with and without a width and height limit, and as ruby.

#include <string>

#include "engine/core/error_report.h"
#include "platform/message_box/message_box.h"
#include "plugin/core/host_api.h"
#include "plugin/text/kinsoku.h"
#include "plugin/text/text_layout.h"
#include "plugin/text/text_style_state.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/platform/support/fake_glyph_source.h"
#include "tests/plugin/kit/plugin_test_host.h"

namespace {

struct Layout {
  Layout() {
    platform::SetMessageBoxHandler([](std::string_view, std::string_view, platform::MessageBoxButtons,
                                      platform::MessageBoxIcon) {
      return platform::MessageBoxAnswer::Ok;
    });
    nsTamskLib::nsCore::SetFatalHandler([](const std::string& text) { throw vesk_fuzz::Rejected(text); });
    vesk_test::BindEngineHost();
    nsWendrick::InstallDefaultKinsokuSets();
    platform::SetGlyphSourceForTest(&fonts);
  }
  vesk_test::FakeGlyphSource fonts;
  vesk_test::FakeEngine engine;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Layout layout;
  if (size == 0) return 0;
  // The first byte picks the limits, the rest is the text.
  const int limits = data[0] % 4;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::int32_t maxWidth = limits == 0 ? -1 : limits == 1 ? 1 : 320;
  const std::int32_t maxHeight = limits == 3 ? 40 : -1;
  nsWendrick::ResetTextStyle();
  try {
    nsTamskLib::TextTokenSection section;
    nsWendrick::LayoutTaggedText(text, "Gothic", 20, 0x00FFFFFF, 1, -2, 4, limits % 3, maxWidth,
                                 maxHeight, &layout.engine, section);
    nsTamskLib::RubyTextTokenLine ruby;
    nsWendrick::LayoutRubyText(text, "Gothic", 10, 0x00FFFFFF, 0, 2, &layout.engine, ruby);
  } catch (const vesk_fuzz::Rejected&) {
  }
  return 0;
}
