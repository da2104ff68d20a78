#pragma once
// Shared set-up of the text layout tests: fonts with fixed metrics (a one-byte
// character is size / 2 wide, a two-byte character size wide, every cell size
// high), the default line-breaking sets, a fake engine, and a host whose
// RuntimeWarning records each warning's text.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/api/token_containers.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/platform/support/fake_glyph_source.h"

namespace vesk_test {

class TextLayoutFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // How many recorded warnings read exactly so.
  static int WarningCount(const std::string& text);

  // The texts of a line's tokens, the head included (as "").
  static std::vector<std::string> Texts(const nsTamskLib::TextTokenLine& line);

  vesk_test::FakeGlyphSource fonts;
  FakeEngine engine;
};

}  // namespace vesk_test
