// The button and sprite commands on the real task manager: names that were never
// declared, the checks with their messages, the pictures and sounds handed over in
// the task manager's order, and text sprites recorded per page.

#include <gtest/gtest.h>

#include <string>

#include "engine/api/draw_records.h"
#include "plugin/commands/button_commands.h"
#include "plugin/text/text_sprite_layout.h"
#include "plugin/text/text_sprites.h"
#include "tests/engine/kit/command_bodies.h"
#include "tests/plugin/effects/story_frame.h"

namespace {

using namespace nsWendrick;
using vesk_test::StoryFrameTest;

class ButtonCommandsTest : public StoryFrameTest {
 protected:
  ButtonCommandsTest() {
    ClearTextSprites();
    player.Tasks().LeaveExclusiveBRCS();  // scripts run with the button locks released
  }
  ~ButtonCommandsTest() override { ClearTextSprites(); }

  std::uint32_t HiddenPage() { return 1 - GetTMAccessor()->GetPage(); }
  std::uint32_t ShownPage() { return GetTMAccessor()->GetPage(); }
};

TEST_F(ButtonCommandsTest, UndeclaredNamesStopButAllPassesWithoutAny) {
  const std::int32_t start = Position();
  MakeCommand<Cmd_setbutton>(Cmd_setbutton::kShow, {"/"}, {}).Execute();
  MakeCommand<Cmd_setbutton>(Cmd_setbutton::kDisable, {"/"}, {}).Execute();
  MakeCommand<Cmd_setsprite>(Cmd_setsprite::kHide, {"/"}, {}).Execute();
  EXPECT_EQ(Position(), start + 3);

  Cmd_setbutton& button = MakeCommand<Cmd_setbutton>(Cmd_setbutton::kShow, {"ok"}, {});
  EXPECT_EQ(vesk_test::CatchFatal([&] { button.Execute(); }), "okは存在しないボタンです！");
  Cmd_setsprite& sprite = MakeCommand<Cmd_setsprite>(Cmd_setsprite::kShow, {"face"}, {});
  EXPECT_EQ(vesk_test::CatchFatal([&] { sprite.Execute(); }), "faceは存在しないスプライトです！");
  // A sprite is not a button.
  player.Tasks().AddSprite("ok");
  EXPECT_EQ(vesk_test::CatchFatal([&] { button.Execute(); }), "okは存在しないボタンです！");
}

TEST_F(ButtonCommandsTest, ButtonChecksNameTheirValues) {
  player.Tasks().AddButton("ok");
  Cmd_setbutton& alpha = MakeCommand<Cmd_setbutton>(Cmd_setbutton::kSet, {"ok"}, {0, 0, 0, 256});
  EXPECT_EQ(vesk_test::CatchFatal([&] { alpha.Execute(); }),
            "透過度が負数か255を超えています！（m_A = 256）");

  // Normal, OnCursor fine; OnHold with a negative width.
  Cmd_setbutton& image = MakeCommand<Cmd_setbutton>(
      Cmd_setbutton::kImage, {"ok", "b.png"},
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 10, 10, 0, 20, -1, 10, 0, 30, 10, 10});
  EXPECT_EQ(vesk_test::CatchFatal([&] { image.Execute(); }),
            "転送元矩形の指定が間違っています！（クリック時）（m_RectX = 0, m_RectY = 20, "
            "m_RectWidth = -1, m_RectHeight = 10）");
  Cmd_setbutton& blt = MakeCommand<Cmd_setbutton>(Cmd_setbutton::kImage, {"ok", "b.png"},
                                                  {0, 0, 0, 0, 8});
  EXPECT_EQ(vesk_test::CatchFatal([&] { blt.Execute(); }),
            "転送方法の指定が間違っています！（m_BltType = 8）");

  nsTamskLib::CommandParam area;  // the click rectangle sits in slots 21 to 24
  area.Int[0] = Cmd_setbutton::kArea;
  area.Str[0] = "ok";
  for (int i = 21; i <= 24; ++i) area.Expr[i] = nsTamskLib::NumberExpression(0);
  area.Expr[21] = nsTamskLib::NumberExpression(-2);
  auto* areaCommand = static_cast<Cmd_setbutton*>(Cmd_setbutton::Create());
  areaCommand->Setup(area);
  areaCommand->SetEngine(&player);
  EXPECT_EQ(vesk_test::CatchFatal([&] { areaCommand->Execute(); }),
            "判定矩形の指定が間違っています！（m_RectX[4] = -2, m_RectY[4] = 0, m_RectWidth[4] = "
            "0, m_RectHeight[4] = 0）");
  areaCommand->Destroy();
}

TEST_F(ButtonCommandsTest, PicturesAreaAndSoundsReachTheButton) {
  player.Tasks().AddButton("ok");
  const std::int32_t start = Position();
  MakeCommand<Cmd_setbutton>(Cmd_setbutton::kImage, {"ok", "b.png"},
                             {0, 0, 0, 0, 3, 0, 0, 40, 20, 0, 20, 40, 20, 0, 40, 40, 20, 0, 60, 40,
                              20})
      .Execute();
  const nsTamskLib::nsTaskManager::Button* button = GetTMAccessor()->GetButton("ok");
  ASSERT_NE(button, nullptr);
  const std::uint32_t back = HiddenPage();
  EXPECT_STREQ(button->Task[back].Name.c_str(), "b.png");
  EXPECT_EQ(button->Task[back].BltType, 3);
  EXPECT_EQ(button->SrcRect[back][nsTamskLib::nsTaskManager::kButtonOnHold].top, 40);
  EXPECT_EQ(button->SrcRect[back][nsTamskLib::nsTaskManager::kButtonDisable].bottom, 80);
  EXPECT_EQ(button->SrcRect[back][nsTamskLib::nsTaskManager::kButtonDisable].right, 40);

  // The script gives the click sound first, then the cursor sound.
  MakeCommand<Cmd_setbutton>(Cmd_setbutton::kSound, {"ok", "", "", "click.ogg", "over.ogg"}, {})
      .Execute();
  EXPECT_STREQ(button->PushSound.c_str(), "click.ogg");
  EXPECT_STREQ(button->CursorSound.c_str(), "over.ogg");
  EXPECT_EQ(Position(), start + 2);
}

TEST_F(ButtonCommandsTest, SpriteTextChecksSizeAndColour) {
  player.Tasks().AddSprite("face");
  Cmd_setsprite& size = MakeCommand<Cmd_setsprite>(
      Cmd_setsprite::kText, {"face", "", "hi", "Gothic"}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3});
  EXPECT_EQ(vesk_test::CatchFatal([&] { size.Execute(); }), "引数が0または負数です！（m_Size = 0）");
  Cmd_setsprite& colour = MakeCommand<Cmd_setsprite>(
      Cmd_setsprite::kText, {"face", "", "hi", "Gothic"},
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 1, 256, 3});
  EXPECT_EQ(vesk_test::CatchFatal([&] { colour.Execute(); }),
            "引数の何れかが負数か255を超えています！（R：1　G：256　B：3）");
  EXPECT_TRUE(TextSprites(0).empty());
  EXPECT_TRUE(TextSprites(1).empty());
}

TEST_F(ButtonCommandsTest, ATextSpriteIsRecordedPerPageAndAnImageRemovesItsText) {
  player.Tasks().AddSprite("face");
  MakeCommand<Cmd_setsprite>(Cmd_setsprite::kText, {"face", "", "hi", "Gothic"},
                             {0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 1, 2, 3})
      .Execute();
  const TextSpriteDefinition first{"hi", "Gothic", 16, 0x030201};
  EXPECT_EQ(TextSprites(ShownPage()).at("face"), first);
  EXPECT_EQ(TextSprites(HiddenPage()).at("face"), first);
  const nsTamskLib::nsTaskManager::Sprite* sprite = GetTMAccessor()->GetSprite("face");
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(sprite->Task[HiddenPage()].Type, nsTamskLib::nsTaskManager::kDrawText);
  EXPECT_GT(sprite->Task[HiddenPage()].Text.GetWidth(), 0u);

  // Redefined: only the hidden page changes until the flip carries it over.
  MakeCommand<Cmd_setsprite>(Cmd_setsprite::kText, {"face", "", "bye", "Gothic"},
                             {0, 0, 0, 0, 0, 0, 0, 0, 0, 20, 0, 0, 0})
      .Execute();
  const TextSpriteDefinition second{"bye", "Gothic", 20, 0};
  EXPECT_EQ(TextSprites(ShownPage()).at("face"), first);
  EXPECT_EQ(TextSprites(HiddenPage()).at("face"), second);
  GetTMAccessor()->FlipPage();
  CopyTextSpritesToOtherSet(&player);
  EXPECT_EQ(TextSprites(0).at("face"), second);
  EXPECT_EQ(TextSprites(1).at("face"), second);

  // An image leaves an empty definition, so the next re-layout shows no text.
  MakeCommand<Cmd_setsprite>(Cmd_setsprite::kImage, {"face", "f.png"}, {0, 0, 0, 0, 0, 0, 0, 8, 8})
      .Execute();
  EXPECT_TRUE(TextSprites(HiddenPage()).at("face").text.empty());
  RebuildTextSprites(&player);
  EXPECT_EQ(sprite->Task[HiddenPage()].Text.GetWidth(), 0u);
  EXPECT_STREQ(sprite->Task[HiddenPage()].Name.c_str(), "f.png");
}

class ButtonBodiesTest : public ButtonCommandsTest {
 protected:
  // The script text of a fresh command that loaded the command's body.
  template <class Command>
  std::string RoundTrip(Command& command) {
    return vesk_test::Reload(command, MakeCommand<Command>(0, {}, {})).dump;
  }
};

TEST_F(ButtonBodiesTest, BodiesRoundTripAndDumpAsScriptText) {
  using B = Cmd_setbutton;
  using S = Cmd_setsprite;
  EXPECT_EQ(RoundTrip(MakeCommand<B>(B::kShow, {"/"}, {})), "showallbutton;\n");
  EXPECT_EQ(RoundTrip(MakeCommand<B>(B::kDisable, {"ok"}, {})), "disablebutton ok;\n");
  EXPECT_EQ(RoundTrip(MakeCommand<B>(B::kMove, {"ok"}, {1, 2, 3, 4})),
            "movebutton ok, (1), (2), (3), (4);\n");
  EXPECT_EQ(RoundTrip(MakeCommand<B>(B::kImage, {"ok", "b.png"},
                                     {0, 0, 0, 0, 7, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14,
                                      15, 16})),
            "buttonimage ok, \"b.png\", (7), (1), (2), (3), (4), (5), (6), (7), (8), (9), (10), "
            "(11), (12), (13), (14), (15), (16);\n");
  EXPECT_EQ(RoundTrip(MakeCommand<B>(B::kAction, {"ok", "", "*go"}, {})),
            "buttonaction ok, *go;\n");
  EXPECT_EQ(RoundTrip(MakeCommand<B>(B::kSound, {"ok", "", "", "c.ogg", "o.ogg"}, {})),
            "buttonsound ok, \"c.ogg\", \"o.ogg\";\n");
  EXPECT_EQ(RoundTrip(MakeCommand<S>(S::kHide, {"/"}, {})), "hideallsprite;\n");
  EXPECT_EQ(RoundTrip(MakeCommand<S>(S::kImage, {"face", "f.png"}, {0, 0, 0, 0, 1, 2, 3, 4, 5})),
            "spriteimage face, \"f.png\", (1), (2), (3), (4), (5);\n");
  EXPECT_EQ(RoundTrip(MakeCommand<S>(S::kText, {"face", "", "hi", "Gothic"},
                                     {0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 1, 2, 3})),
            "spritetext face, \"hi\", \"Gothic\", (16), (1), (2), (3);\n");
}

}  // namespace
