// The image layer commands on the real task and draw managers: layers written to
// the hidden page and shown only after the flip, their checks with the messages,
// the target background colour, the character order, image loading and release
// with their warnings, and the bodies and script text of every class.

#include <gtest/gtest.h>

#include "plugin/commands/layer_commands.h"
#include "tests/engine/kit/command_bodies.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/plugin/effects/story_frame.h"
#include "tests/support/debug_capture.h"

namespace {

using namespace nsWendrick;
using nsTamskLib::nsTaskManager::DrawTask;
using vesk_test::StoryFrameTest;

class LayerCommandsTest : public StoryFrameTest {
 protected:
  const DrawTask& Hidden(DrawTask* layer) { return layer[1 - GetTMAccessor()->GetPage()]; }
  const DrawTask& Shown(DrawTask* layer) { return layer[GetTMAccessor()->GetPage()]; }
};

TEST_F(LayerCommandsTest, APictureGoesToTheHiddenPageOfItsLayer) {
  const std::int32_t start = Position();
  MakeCommand<Cmd_setcg>(kLayerLeft, {"a"}, {0, 0, 255, 0, 0, 0, 10, 10}).Execute();
  EXPECT_EQ(Position(), start + 1);
  const DrawTask& left = Hidden(GetTMAccessor()->GetLChLayer());
  EXPECT_EQ(std::string(left.Name.c_str()), "a");
  EXPECT_EQ(left.Type, 3u);
  EXPECT_TRUE(left.Visible);
  EXPECT_EQ(left.A, 255);
  EXPECT_EQ(left.BltType, 0);
  EXPECT_EQ(left.SrcRect.right, 10);
  EXPECT_EQ(left.SrcRect.bottom, 10);
  EXPECT_TRUE(std::string(Shown(GetTMAccessor()->GetLChLayer()).Name.c_str()).empty());

  // The background takes its position; a character layer never does.
  MakeCommand<Cmd_setcg>(kLayerBackground, {"bg.png"}, {12, 34, 128, 7, 1, 2, 3, 4}).Execute();
  const DrawTask& bg = Hidden(GetTMAccessor()->GetBGLayer());
  EXPECT_EQ(bg.X, 12);
  EXPECT_EQ(bg.Y, 34);
  EXPECT_EQ(bg.A, 128);
  EXPECT_EQ(bg.BltType, 7);
  EXPECT_EQ(bg.SrcRect.left, 1);
  EXPECT_EQ(bg.SrcRect.top, 2);
  EXPECT_EQ(bg.SrcRect.right, 4);
  EXPECT_EQ(bg.SrcRect.bottom, 6);
  MakeCommand<Cmd_setcg>(kLayerRight, {"r"}, {50, 60, 255, 0, 0, 0, 0, 0}).Execute();
  EXPECT_EQ(Hidden(GetTMAccessor()->GetRChLayer()).X, 0);
}

TEST_F(LayerCommandsTest, OutOfRangeValuesStopWithTheirMessages) {
  struct Case {
    std::initializer_list<std::int32_t> values;
    const char* message;
  };
  const Case cases[] = {
      {{0, 0, 256, 0, 0, 0, 1, 1}, "透過度が負数か255を超えています！（m_A = 256）"},
      {{0, 0, -1, 0, 0, 0, 1, 1}, "透過度が負数か255を超えています！（m_A = -1）"},
      {{0, 0, 255, 8, 0, 0, 1, 1}, "転送方法の指定が間違っています！（m_BltType = 8）"},
      {{0, 0, 255, -1, 0, 0, 1, 1}, "転送方法の指定が間違っています！（m_BltType = -1）"},
      {{0, 0, 255, 0, 1, 2, -3, 4},
       "転送元矩形の指定が間違っています！（m_RectX = 1, m_RectY = 2, m_RectWidth = -3, "
       "m_RectHeight = 4）"},
  };
  for (const Case& c : cases) {
    Cmd_setcg& command = MakeCommand<Cmd_setcg>(kLayerBackground, {"a"}, c.values);
    EXPECT_EQ(vesk_test::CatchFatal([&] { command.Execute(); }), c.message);
  }
  // A rectangle whose right edge wraps is refused by the layer's own check.
  Cmd_setcg& huge = MakeCommand<Cmd_setcg>(kLayerCentre, {"a"},
                                           {0, 0, 255, 0, 0x7FFFFFFF, 0, 1, 0});
  EXPECT_EQ(vesk_test::CatchFatal([&] { huge.Execute(); }),
            "転送元矩形の指定が間違っています！\n（m_CCh.SrcRect = {2147483647, 0, -2147483648, "
            "0}）");

  Cmd_bgcolor& color = MakeCommand<Cmd_bgcolor>(0, {}, {0, 256, 0});
  EXPECT_EQ(vesk_test::CatchFatal([&] { color.Execute(); }),
            "引数の何れかが負数か255を超えています！（R：0　G：256　B：0）");
}

TEST_F(LayerCommandsTest, AClearedLayerShowsOnlyAfterThePagesFlip) {
  RegisterTransitions();
  ShowBackground();
  GetTMAccessor()->CopyPageToBack();
  MakeCommand<Cmd_clearcg>(kLayerBackground, {}, {}).Execute();
  DrawFrame();
  EXPECT_EQ(Backgrounds().size(), 1u);
  nsTamskLib::nsTaskManager::UpdateParam flip;
  flip.Type = 3;
  player.Tasks().SetUpdateData(flip);
  DrawFrame();
  EXPECT_TRUE(Backgrounds().empty());
}

TEST_F(LayerCommandsTest, BackgroundColourAndCharacterOrderAreSetForTheNextPage) {
  player.Draw().SetTargetBGColor(0);
  MakeCommand<Cmd_bgcolor>(0, {}, {0, 0, 255}).Execute();
  EXPECT_EQ(player.Draw().GetTargetBGColor(), 0xFF0000u);
  EXPECT_EQ(GetDMAccessor()->GetBGColor(), 0u);
  MakeCommand<Cmd_bgcolor>(0, {}, {1, 2, 3}).Execute();
  EXPECT_EQ(player.Draw().GetTargetBGColor(), 0x030201u);

  const std::uint32_t shown = player.Tasks().GetPage();
  const std::int32_t start = Position();
  MakeCommand<Cmd_chpriority>(5, {}, {}).Execute();
  EXPECT_EQ(player.Tasks().GetChPriority(1 - shown), 5u);
  EXPECT_EQ(player.Tasks().GetChPriority(shown), 1u);
  MakeCommand<Cmd_chpriority>(6, {}, {}).Execute();  // no such order: nothing set
  EXPECT_EQ(player.Tasks().GetChPriority(1 - shown), 5u);
  EXPECT_EQ(Position(), start + 2);
}

TEST_F(LayerCommandsTest, ImagesAreLoadedAndReleasedThroughTheDrawManagersList) {
  vesk_test::DebugCapture debug;
  MakeCommand<Cmd_image>(Cmd_image::kLoad, {"a.png"}, {}).Execute();
  MakeCommand<Cmd_image>(Cmd_image::kLoad, {"b.png"}, {}).Execute();
  EXPECT_EQ(player.draw.loaded.size(), 2u);
  MakeCommand<Cmd_image>(Cmd_image::kRelease, {"a.png"}, {}).Execute();
  EXPECT_EQ(player.draw.loaded.count("a.png"), 0u);

  player.draw.failLoad.insert("bad.png");
  MakeCommand<Cmd_image>(Cmd_image::kLoad, {"bad.png"}, {}).Execute();
  EXPECT_TRUE(debug.Contains("画像ファイル（bad.png）がメモリに読み込めません！"));
  player.draw.failRelease.insert("b.png");
  MakeCommand<Cmd_image>(Cmd_image::kRelease, {"b.png"}, {}).Execute();
  EXPECT_TRUE(debug.Contains("画像ファイル（b.png）がメモリから解放出来ません！"));

  // "unloadimage "/";" is the same as "unloadallimage;".
  player.draw.failRelease.clear();
  const std::int32_t start = Position();
  MakeCommand<Cmd_image>(Cmd_image::kRelease, {"/"}, {}).Execute();
  EXPECT_TRUE(player.draw.loaded.empty());
  EXPECT_EQ(Position(), start + 1);
}

class LayerBodiesTest : public LayerCommandsTest {
 protected:
  static std::string RoundTrip(nsTamskLib::ICmd_Base& command, nsTamskLib::ICmd_Base& fresh) {
    return vesk_test::Reload(command, fresh).dump;
  }
};

TEST_F(LayerBodiesTest, BodiesRoundTripAndDumpAsScriptText) {
  EXPECT_EQ(RoundTrip(MakeCommand<Cmd_setcg>(kLayerBackground, {"bg.png"}, {1, 2, 3, 4, 5, 6, 7, 8}),
                      MakeCommand<Cmd_setcg>(0, {}, {})),
            "bg \"bg.png\", (1), (2), (3), (4), (5), (6), (7), (8);\n");
  EXPECT_EQ(RoundTrip(MakeCommand<Cmd_setcg>(kLayerRight, {"r.png"}, {0, 0, 3, 4, 5, 6, 7, 8}),
                      MakeCommand<Cmd_setcg>(0, {}, {})),
            "rch \"r.png\", (3), (4), (5), (6), (7), (8);\n");
  EXPECT_EQ(RoundTrip(MakeCommand<Cmd_clearcg>(kLayerCentre, {}, {}),
                      MakeCommand<Cmd_clearcg>(0, {}, {})),
            "clearcch;\n");
  EXPECT_EQ(RoundTrip(MakeCommand<Cmd_bgcolor>(0, {}, {10, 20, 30}),
                      MakeCommand<Cmd_bgcolor>(0, {}, {})),
            "bgcolor (10), (20), (30);\n");
  EXPECT_EQ(RoundTrip(MakeCommand<Cmd_chpriority>(3, {}, {}),
                      MakeCommand<Cmd_chpriority>(0, {}, {})),
            "crl;\n");
  EXPECT_EQ(RoundTrip(MakeCommand<Cmd_image>(Cmd_image::kLoad, {"a.png"}, {}),
                      MakeCommand<Cmd_image>(0, {}, {})),
            "loadimage \"a.png\";\n");
  EXPECT_EQ(RoundTrip(MakeCommand<Cmd_image>(Cmd_image::kRelease, {"/"}, {}),
                      MakeCommand<Cmd_image>(0, {}, {})),
            "unloadallimage;\n");
}

}  // namespace
