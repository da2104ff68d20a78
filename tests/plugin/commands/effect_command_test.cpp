// The effect command: the record each keyword fills, waiting until the effect has
// ended, the argument checks with their messages, skip mode's lasting consequences,
// the compiled body and the script text.

#include <string>

#include <gtest/gtest.h>

#include "engine/api/command_param.h"
#include "plugin/commands/effect_command.h"
#include "tests/engine/kit/command_bodies.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/plugin/effects/story_frame.h"

namespace {

using nsWendrick::Cmd_effect;

class EffectCommandTest : public vesk_test::StoryFrameTest {
 protected:
  ~EffectCommandTest() override {
    for (Cmd_effect* command : m_Commands) command->Destroy();
  }

  // A command of the kind with the values in member order (Time, X, Y, R, G, B,
  // XNum, YNum, QuakeTime, QuakeRange, FadeFlags).
  Cmd_effect& Make(std::int32_t kind, std::initializer_list<std::int32_t> members) {
    nsTamskLib::CommandParam param;
    param.Int[0] = kind;
    int i = 0;
    for (std::int32_t value : members) param.Expr[i++] = nsTamskLib::NumberExpression(value);
    auto* command = static_cast<Cmd_effect*>(Cmd_effect::Create());
    command->Setup(param);
    command->SetEngine(&player);
    m_Commands.push_back(command);
    return *command;
  }

  std::int32_t Position() { return player.Commands().GetIterator(); }

  const nsTamskLib::nsTaskManager::EffectParam& Effect() {
    return *GetTMAccessor()->GetEffectData();
  }

 private:
  std::vector<Cmd_effect*> m_Commands;
};

TEST_F(EffectCommandTest, EachKeywordFillsItsFieldsOfTheEffectRecord) {
  struct Case {
    std::int32_t kind;
    std::initializer_list<std::int32_t> members;
    std::uint32_t time;
    std::uint32_t color;
    std::int32_t params[4];
  };
  const Case cases[] = {
      {1, {700, 1, 2, 10, 20, 30, 3, 4, 5, 6, 7}, 0, 10 + 20 * 256 + 30 * 65536, {0, 0, 0, 0}},
      {2, {700, 1, 2, 10, 20, 30, 3, 4, 5, 6, 7}, 700, 0, {1, 0, 0, 0}},
      {3, {700, 1, 2, 10, 20, 30, 3, 4, 5, 6, 7}, 700, 0, {0, 2, 0, 0}},
      {4, {700, 1, 2, 10, 20, 30, 3, 4, 5, 6, 7}, 700, 0, {1, 2, 0, 0}},
      {5, {700, 1, 2, 10, 20, 30, 3, 4, 5, 6, 7}, 700, 10 + 20 * 256 + 30 * 65536, {7, 0, 0, 0}},
      {8, {700, 1, 2, 255, 0, 0, 3, 4, 5, 6, 7}, 700, 255, {0, 0, 0, 0}},
      {9, {700, 1, 2, 0, 0, 255, 3, 4, 5, 6, 7}, 700, 0xFF0000, {0, 0, 0, 0}},
      {10, {700, 1, 2, 10, 20, 30, 3, 4, 5, 6, 7}, 700, 0, {1, 0, 5, 0}},
      {11, {700, 1, 2, 10, 20, 30, 3, 4, 5, 6, 7}, 700, 0, {0, 2, 5, 0}},
      {12, {700, 1, 2, 10, 20, 30, 3, 4, 5, 6, 7}, 700, 0, {1, 2, 5, 6}},
      {13, {700, 1, 2, 10, 20, 30, 3, 4, 5, 6, 7}, 700, 0, {1, 0, 3, 0}},
      {14, {700, 1, 2, 10, 20, 30, 3, 4, 5, 6, 7}, 700, 0, {0, 2, 0, 4}},
      {15, {700, 1, 2, 10, 20, 30, 3, 4, 5, 6, 7}, 700, 0, {1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    Cmd_effect& command = Make(c.kind, c.members);
    command.Execute();
    EXPECT_EQ(Effect().Type, static_cast<std::uint32_t>(c.kind));
    EXPECT_EQ(Effect().Time, c.time) << c.kind;
    EXPECT_EQ(Effect().Color, c.color) << c.kind;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Effect().Param[i], c.params[i]) << c.kind << " " << i;
    for (int i = 4; i < nsTamskLib::nsTaskManager::kEffectParams; ++i) {
      EXPECT_EQ(Effect().Param[i], 0);
    }
    player.Tasks().SetEffectData({});
  }
}

TEST_F(EffectCommandTest, TheCommandWaitsUntilTheEffectHasEnded) {
  const std::int32_t start = Position();
  Cmd_effect& command = Make(2, {200, 3});
  command.Execute();
  EXPECT_EQ(Position(), start);
  EXPECT_TRUE(command.IsStarted());
  DrawFrame();
  // The record is filled once: a second run only polls.
  Effect();
  GetTMAccessor()->GetEffectData()->Param[0] = 9;
  command.Execute();
  EXPECT_EQ(Effect().Param[0], 9);
  EXPECT_EQ(Position(), start);
  Advance(200);
  DrawFrame();
  command.Execute();
  EXPECT_EQ(Position(), start + 1);
  EXPECT_FALSE(command.IsStarted());

  // Reset re-arms a command that waits, so it fills the record again.
  Cmd_effect& flash = Make(1, {0, 0, 0, 1, 2, 3});
  flash.Execute();
  player.Tasks().SetEffectData({});
  flash.Reset();
  flash.Execute();
  EXPECT_EQ(Effect().Type, 1u);
}

TEST_F(EffectCommandTest, ArgumentsOutOfRangeStopWithTheirMessages) {
  struct Case {
    std::int32_t kind;
    std::initializer_list<std::int32_t> members;
    const char* message;
  };
  const Case cases[] = {
      {2, {-1, 1}, "効果時間が負数です！（m_Time = -1）"},
      {1, {0, 0, 0, 0, 0, 256}, "引数の何れかが負数か255を超えています！（R：0　G：0　B：256）"},
      {5, {-1, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0}, "効果時間が負数です！（m_Time = -1）"},
      {6, {10, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0}, "引数の何れかが負数か255を超えています！（R：-1　G：0　B：0）"},
      {2, {10, 0}, "揺れの振動数が0または負数です！（m_X = 0）"},
      {11, {10, 0, 0, 0, 0, 0, 0, 0, 5}, "揺れの振動数が0または負数です！（m_Y = 0）"},
      {4, {10, 3, 0}, "揺れの振動数が0または負数です！（m_X = 3, m_Y = 0）"},
      {10, {10, 3, 0, 0, 0, 0, 0, 0, 0}, "揺れの振動間隔が0または負数です！（m_QuakeTime = 0）"},
      {13, {1000, 5, 0, 0, 0, 0, 0}, "揺れ回数が0または負数です！（m_XNum = 0）"},
      {14, {1000, 5, 5, 0, 0, 0, 0, -2}, "揺れ回数が0または負数です！（m_YNum = -2）"},
      {15, {1000, 5, 5, 0, 0, 0, 1, 0}, "揺れ回数が0または負数です！（m_XNum = 1, m_YNum = 0）"},
  };
  for (const Case& c : cases) {
    Cmd_effect& command = Make(c.kind, c.members);
    EXPECT_EQ(vesk_test::CatchFatal([&] { command.Execute(); }), c.message) << c.kind;
  }
  // The sine shakes' amplitude and the jitter are not checked; 255 passes.
  Make(13, {1000, 0, 0, 0, 0, 0, 4}).Execute();
  EXPECT_EQ(Effect().Type, 13u);
  Make(12, {1000, 1, 1, 0, 0, 0, 0, 0, 1, 0}).Execute();
  EXPECT_EQ(Effect().Type, 12u);
  Make(1, {0, 0, 0, 255, 255, 255}).Execute();
  EXPECT_EQ(Effect().Color, 0xFFFFFFu);
}

TEST_F(EffectCommandTest, InSkipModeOnlyTheLastingConsequencesAreApplied) {
  player.Texts().SetSkip(true);
  const std::int32_t start = Position();
  // Shakes and flashes are passed over in the same frame, unchecked.
  Make(2, {1000, 0}).Execute();
  EXPECT_EQ(Position(), start + 1);
  EXPECT_EQ(Effect().Type, 0u);

  // fadeout: the start bits, the flip, then the end bits.
  player.Draw().SetTextWindowVisible(false);
  Make(6, {500, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x1 | 0x2 | 0x80 | 0x10}).Execute();
  EXPECT_EQ(Position(), start + 2);
  EXPECT_EQ(UpdateType(), 3u);
  EXPECT_EQ(Effect().Type, 0u);
  EXPECT_FALSE(player.Draw().IsTextWindowVisible());
  EXPECT_TRUE(player.Draw().IsTextWindowForced());
  player.Tasks().SetUpdateData({});

  // fadein without flag 0x1 does not flip; the unconditional fades always do.
  Make(5, {500, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x40}).Execute();
  EXPECT_EQ(UpdateType(), 0u);
  EXPECT_FALSE(player.Draw().IsTextWindowForced());
  Make(8, {500, 0, 0, -5, 0, 0}).Execute();
  EXPECT_EQ(UpdateType(), 3u);
  EXPECT_EQ(Position(), start + 4);
}

TEST_F(EffectCommandTest, TheEffectRunsInTheFramesWhileTheCommandWaits) {
  Cmd_effect& command = Make(6, {100, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0x1});
  const std::int32_t start = Position();
  int frames = 0;
  while (frames < 100) {
    command.Execute();  // the update step
    if (Position() != start) break;
    DrawFrame();  // the draw step
    Advance(16);
    ++frames;
  }
  // 0, 16, ..., 96 draw the fade; 112 draws the full overlay and ends; the command
  // moves on in the next frame's update step.
  EXPECT_EQ(frames, 8);
  EXPECT_EQ(UpdateType(), 3u);
}

class EffectCommandBodyTest : public EffectCommandTest {};

TEST_F(EffectCommandBodyTest, TheBodyHoldsTheKeywordsArgumentsInScriptOrder) {
  // flash2 is R, G, B, Time: kind, then four expressions.
  Cmd_effect& flash2 = Make(9, {700, 0, 0, 1, 2, 3});
  auto* loaded = static_cast<Cmd_effect*>(Cmd_effect::Create());
  const vesk_test::ReloadedCommand reloaded = vesk_test::Reload(flash2, *loaded);
  EXPECT_EQ(loaded->GetKind(), 9);
  EXPECT_EQ(reloaded.resaved, reloaded.body);
  EXPECT_EQ(reloaded.dump, "flash2 (1), (2), (3), (700);\n");
  loaded->Destroy();

  // fadein always carries its flags, and quakey3 its YNum.
  vesk_test::RecordingTextStream more;
  Make(5, {500, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).Dump(&more);
  Make(14, {1000, 0, 6, 0, 0, 0, 0, 2}).Dump(&more);
  EXPECT_EQ(more.text, "fadein (500), (0), (0), (0), (0);\nquakey3 (1000), (6), (2);\n");
}

}  // namespace
