// Laying the text sprites out again: each page's definitions go into that page's
// draw record of the sprite, without limits and with the current ruby offset; the
// page patterns reach the rebuild through their hook once the plug-in attached.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/api/draw_records.h"
#include "plugin/core/host_api.h"
#include "plugin/text/text_sprite_layout.h"
#include "plugin/text/text_sprites.h"
#include "plugin/text/text_style_state.h"
#include "tests/plugin/text/layout_fixture.h"

namespace {

using namespace nsWendrick;
using nsTamskLib::nsTaskManager::Sprite;
using vesk_test::MockTMAccessor;
using testing::Return;
using testing::StrEq;

testing::NiceMock<MockTMAccessor>* g_Accessor = nullptr;

nsTamskLib::nsTaskManager::ITMAccessor* GetTestAccessor() { return g_Accessor; }
void BindTestAccessor(nsTamskLib::nsCore::INovelEngine*) {}

class TextSpriteLayoutTest : public vesk_test::TextLayoutFixture {
 protected:
  void SetUp() override {
    TextLayoutFixture::SetUp();
    ClearTextSprites();
    g_Accessor = &accessor;
    const HostResolver resolve = [](const char* name) -> void* {
      if (std::string(name) == "GetTMAccessor") return reinterpret_cast<void*>(&GetTestAccessor);
      if (std::string(name) == "SetTMAccessor") return reinterpret_cast<void*>(&BindTestAccessor);
      return nullptr;
    };
    GetHostApi().Bind(kGetTMAccessor, resolve);
    GetHostApi().Bind(kSetTMAccessor, resolve);
    ON_CALL(accessor, GetSprite(StrEq("name"))).WillByDefault(Return(&nameSprite));
    ON_CALL(accessor, GetSprite(StrEq("title"))).WillByDefault(Return(&titleSprite));
    ON_CALL(engine.ownTaskManager, ExistsSprite(StrEq("name"))).WillByDefault(Return(true));
    ON_CALL(engine.ownTaskManager, ExistsSprite(StrEq("title"))).WillByDefault(Return(true));
  }
  void TearDown() override {
    g_Accessor = nullptr;
    ClearTextSprites();
    TextLayoutFixture::TearDown();
  }

  testing::NiceMock<MockTMAccessor> accessor;
  Sprite nameSprite;
  Sprite titleSprite;
};

TEST_F(TextSpriteLayoutTest, EachPageGetsItsOwnDefinitionLaidOut) {
  ON_CALL(accessor, GetPage()).WillByDefault(Return(1u));
  CreateTextSprite("name", "ab", "Gothic", 20, 0x0000FF, &engine);
  CreateTextSprite("name", "abc", "Gothic", 10, 0x0000FF, &engine);  // hidden page 0 only
  CreateTextSprite("title", "<b>x</b>", "Mincho", 20, 0, &engine);
  TextStyle().ruby.offset.current = 3;
  RebuildTextSprites(&engine);

  const auto& shown = nameSprite.Task[1].Text;
  ASSERT_EQ(shown.size(), 1u);  // no width line: no limit
  ASSERT_EQ(shown.at(0).size(), 3u);
  EXPECT_EQ(shown.at(0).at(1).Size, 20);
  EXPECT_EQ(shown.at(0).at(1).Colour, 0x0000FFu);
  const auto& hidden = nameSprite.Task[0].Text;
  ASSERT_EQ(hidden.size(), 1u);
  ASSERT_EQ(hidden.at(0).size(), 4u);
  EXPECT_EQ(hidden.at(0).at(1).Size, 10);
  EXPECT_EQ(titleSprite.Task[0].Text.at(0).at(1).Flag1, 1);
  EXPECT_STREQ(titleSprite.Task[1].Text.at(0).at(1).FontFace.c_str(), "Mincho");
}

TEST_F(TextSpriteLayoutTest, RubyInASpriteTakesTheCurrentRubyOffset) {
  ON_CALL(engine.ownDrawManager, GetRubyFontSize()).WillByDefault(Return(10));
  TextStyle().ruby.offset.current = 3;
  CreateTextSprite("name", "<ruby 'a'>X", "Gothic", 20, 0, &engine);
  RebuildTextSprites(&engine);
  const auto& line = nameSprite.Task[0].Text.at(0);
  ASSERT_EQ(line.at(1).Ruby.size(), 1u);
  EXPECT_EQ(line.at(1).Ruby.at(0).Height, 10 + 3);
}

}  // namespace
