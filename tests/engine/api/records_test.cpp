// The shared records: field order (the plug-in interface), defaults, clearing,
// deep copies and the draw order.

#include <algorithm>
#include <cstddef>
#include <vector>

#include <gtest/gtest.h>

#include "engine/api/backlog_record.h"
#include "engine/api/draw_records.h"
#include "engine/api/types.h"

namespace {

using nsTamskLib::MakeRect;
using nsTamskLib::TRect;
using nsTamskLib::nsTaskManager::Button;
using nsTamskLib::nsTaskManager::DrawTask;
using nsTamskLib::nsTaskManager::DrawTaskLess;
using nsTamskLib::nsTaskManager::EffectParam;
using nsTamskLib::nsTaskManager::Sprite;
using nsTamskLib::nsTaskManager::UpdateParam;

template <typename... Offsets>
bool Ascending(Offsets... offsets) {
  const std::size_t values[] = {offsets...};
  return std::is_sorted(std::begin(values), std::end(values)) &&
         std::adjacent_find(std::begin(values), std::end(values)) == std::end(values);
}

TEST(RecordLayoutTest, DrawTaskFieldsAreInInterfaceOrder) {
  EXPECT_EQ(offsetof(DrawTask, A), 0u);
  EXPECT_TRUE(Ascending(offsetof(DrawTask, A), offsetof(DrawTask, X), offsetof(DrawTask, Y),
                        offsetof(DrawTask, Z), offsetof(DrawTask, Visible),
                        offsetof(DrawTask, BltType), offsetof(DrawTask, Rect),
                        offsetof(DrawTask, Color), offsetof(DrawTask, Text),
                        offsetof(DrawTask, SrcRect), offsetof(DrawTask, Name),
                        offsetof(DrawTask, SubOrder), offsetof(DrawTask, Type),
                        offsetof(DrawTask, Param), offsetof(DrawTask, Str)));
  // The 32-bit fields keep their 32-bit offsets up to the first container.
  EXPECT_EQ(offsetof(DrawTask, X), 4u);
  EXPECT_EQ(offsetof(DrawTask, Visible), 16u);
  EXPECT_EQ(offsetof(DrawTask, Rect), 24u);
  EXPECT_EQ(offsetof(DrawTask, Color), 40u);
}

TEST(RecordLayoutTest, ParameterRecordsShareOneLayout) {
  EXPECT_TRUE(Ascending(offsetof(EffectParam, Type), offsetof(EffectParam, Time),
                        offsetof(EffectParam, Color), offsetof(EffectParam, Param),
                        offsetof(EffectParam, Str)));
  EXPECT_EQ(offsetof(EffectParam, Param), 12u);
  EXPECT_EQ(offsetof(UpdateParam, Type), offsetof(EffectParam, Type));
  EXPECT_EQ(offsetof(UpdateParam, Time), offsetof(EffectParam, Time));
  EXPECT_EQ(offsetof(UpdateParam, Color), offsetof(EffectParam, Color));
  EXPECT_EQ(offsetof(UpdateParam, Param), offsetof(EffectParam, Param));
  EXPECT_EQ(offsetof(UpdateParam, Str), offsetof(EffectParam, Str));
  EXPECT_EQ(sizeof(UpdateParam), sizeof(EffectParam));
}

TEST(RecordLayoutTest, ButtonSpriteAndBacklogFieldsAreInInterfaceOrder) {
  EXPECT_TRUE(Ascending(offsetof(Button, Held), offsetof(Button, CursorOver),
                        offsetof(Button, Enabled), offsetof(Button, ClickRect),
                        offsetof(Button, SrcRect), offsetof(Button, Label),
                        offsetof(Button, PushSound), offsetof(Button, CursorSound),
                        offsetof(Button, Task)));
  EXPECT_EQ(offsetof(Sprite, Task), 0u);  // a sprite begins with its pair of tasks
  using nsTamskLib::nsTextManager::BackLogRecord;
  EXPECT_TRUE(Ascending(offsetof(BackLogRecord, Message), offsetof(BackLogRecord, Talker),
                        offsetof(BackLogRecord, Extra)));
  using nsTamskLib::TextToken;
  EXPECT_TRUE(Ascending(offsetof(TextToken, Text), offsetof(TextToken, Size),
                        offsetof(TextToken, Colour), offsetof(TextToken, FontFace),
                        offsetof(TextToken, Alpha), offsetof(TextToken, Flag1),
                        offsetof(TextToken, Flag2), offsetof(TextToken, Width),
                        offsetof(TextToken, Height), offsetof(TextToken, Ruby)));
  using nsTamskLib::ExpressionToken;
  EXPECT_TRUE(Ascending(offsetof(ExpressionToken, Type), offsetof(ExpressionToken, SubType),
                        offsetof(ExpressionToken, Extra), offsetof(ExpressionToken, Value),
                        offsetof(ExpressionToken, Name), offsetof(ExpressionToken, Sub)));
  EXPECT_EQ(offsetof(TRect, left), 0u);
  EXPECT_EQ(offsetof(TRect, bottom), 12u);
}

TEST(DrawTaskTest, DefaultIsOpaqueButInvisible) {
  const DrawTask task;
  EXPECT_EQ(task.A, 255);
  EXPECT_FALSE(task.Visible);
  EXPECT_EQ(task.Type, 0u);
  EXPECT_EQ(task.Z, 0);
  EXPECT_EQ(task.SrcRect.right, 0);
  EXPECT_TRUE(task.Text.empty());
  EXPECT_STREQ(task.Name.c_str(), "");
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(task.Param[i], 0);
    EXPECT_STREQ(task.Str[i].c_str(), "");
  }
}

TEST(DrawTaskTest, ClearResetsEveryFieldAndKeepsTheTextLines) {
  DrawTask task;
  task.A = 3;
  task.X = task.Y = task.Z = 9;
  task.Visible = true;
  task.BltType = 4;
  task.Rect = TRect{1, 2, 3, 4};
  task.Color = 0xFF00FF00u;
  nsTamskLib::TextTokenLine line;
  task.Text.push_back(line);
  task.SrcRect = TRect{1, 1, 2, 2};
  task.Name = "bg";
  task.SubOrder = 5;
  task.Type = 3;
  task.Param[9] = 1;
  task.Str[9] = "s";
  task.Clear();
  EXPECT_EQ(task.A, 255);
  EXPECT_EQ(task.X + task.Y + task.Z + task.BltType, 0);
  EXPECT_FALSE(task.Visible);
  EXPECT_EQ(task.Rect.bottom, 0);
  EXPECT_EQ(task.Color, 0u);
  EXPECT_EQ(task.Text.size(), 0u);
  EXPECT_EQ(task.Text.capacity(), 1u);
  EXPECT_EQ(task.SrcRect.left, 0);
  EXPECT_STREQ(task.Name.c_str(), "");
  EXPECT_EQ(task.SubOrder + task.Type, 0u);
  EXPECT_EQ(task.Param[9], 0);
  EXPECT_STREQ(task.Str[9].c_str(), "");
}

TEST(DrawTaskTest, CopiesAreDeep) {
  DrawTask task;
  task.Name = "chara";
  task.Str[2] = "x";
  task.Text.push_back(nsTamskLib::TextTokenLine());
  DrawTask copy(task);
  task.Name = "other";
  EXPECT_STREQ(copy.Name.c_str(), "chara");
  EXPECT_STREQ(copy.Str[2].c_str(), "x");
  EXPECT_EQ(copy.Text.size(), 1u);
  copy = copy;
  EXPECT_STREQ(copy.Name.c_str(), "chara");
  copy = DrawTask();  // an empty text empties the target's text
  EXPECT_TRUE(copy.Text.empty());
}

TEST(DrawTaskTest, SortOrderIsZThenSubOrderThenOpacity) {
  auto make = [](std::int32_t z, std::uint32_t sub, std::uint8_t a) {
    DrawTask task;
    task.Z = z;
    task.SubOrder = sub;
    task.A = a;
    return task;
  };
  EXPECT_TRUE(DrawTaskLess(make(-1, 0, 0), make(0, 0, 0)));  // signed Z
  EXPECT_TRUE(DrawTaskLess(make(0, 0, 0), make(0, 1, 255)));  // SubOrder before alpha
  EXPECT_TRUE(DrawTaskLess(make(0, 0xFFFFFFFEu, 0), make(0, 0xFFFFFFFFu, 0)));  // unsigned
  EXPECT_TRUE(DrawTaskLess(make(0, 0, 200), make(0, 0, 100)));  // more opaque first
  EXPECT_FALSE(DrawTaskLess(make(0, 0, 100), make(0, 0, 100)));
}

TEST(RecordsTest, ButtonAndParametersStartCleared) {
  Button button;
  EXPECT_FALSE(button.Held || button.CursorOver || button.Enabled);
  EXPECT_EQ(button.SrcRect[1][3].bottom, 0);
  EXPECT_EQ(button.Task[1].A, 255);
  button.Enabled = true;
  button.Label = "@l";
  button.SrcRect[1][2] = TRect{1, 2, 3, 4};
  Button copy = button;
  button.Clear();
  EXPECT_FALSE(button.Enabled);
  EXPECT_STREQ(button.Label.c_str(), "");
  EXPECT_EQ(button.SrcRect[1][2].right, 0);
  EXPECT_TRUE(copy.Enabled);
  EXPECT_STREQ(copy.Label.c_str(), "@l");

  EffectParam effect;
  effect.Type = 3;
  effect.Str[0] = "x";
  effect.Param[0] = 2;
  effect.Clear();
  EXPECT_EQ(effect.Type, 0u);
  EXPECT_EQ(effect.Param[0], 0);
  EXPECT_STREQ(effect.Str[0].c_str(), "");
  const UpdateParam update;
  EXPECT_EQ(update.Time, 0u);
}

TEST(RectTest, MakeRectAddsTheSize) {
  const TRect r = MakeRect(10, 20, 30, 40);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right, 40);
  EXPECT_EQ(r.bottom, 60);
}

}  // namespace
