// The text window, cursor and choice window configuration commands, the choice
// sounds, the minimum skip time, the line-breaking sets and the new game: each
// keyword's form and token count, the checks in their order with their messages,
// the values handed to the draw manager, and the bodies.

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "plugin/text/expansion.h"
#include "plugin/commands/window_config_commands.h"
#include "plugin/text/kinsoku.h"
#include "plugin/text/text_sprites.h"
#include "plugin/text/text_style_state.h"
#include "tests/engine/kit/command_bodies.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/plugin/commands/command_fixture.h"

namespace {

using namespace nsWendrick;
using testing::StrEq;

MATCHER_P4(IsRect, left, top, right, bottom, "") {
  return arg.left == left && arg.top == top && arg.right == right && arg.bottom == bottom;
}

// "n1", ",", "n2", ..., ";" after the keyword and an optional string.
std::vector<std::string> Statement(const std::string& keyword, const std::vector<int>& numbers,
                                   const char* name = nullptr) {
  std::vector<std::string> tokens{keyword};
  if (name != nullptr) {
    tokens.push_back(std::string("\"") + name + "\"");
    if (!numbers.empty()) tokens.push_back(",");
  }
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) tokens.push_back(",");
    tokens.push_back(std::to_string(numbers[i]));
  }
  tokens.push_back(";");
  return tokens;
}

class WindowConfigTest : public vesk_test::PluginCommandTest {
 protected:
  WindowConfigTest() { statementLine = 2; }
};

TEST_F(WindowConfigTest, EachKeywordHasItsTokenCount) {
  struct Case {
    int (*parser)(unsigned);
    std::vector<std::string> tokens;
    std::size_t count;
  };
  const std::vector<int> n12(12, 1), n7(7, 1), n4(4, 1), n8(8, 1), n21(21, 1), n13(13, 1);
  const Case cases[] = {
      {Cmd_settextwindow::Parse, Statement("textwindowdraw", n12), 25},
      {Cmd_settextwindow::Parse, Statement("textwindowimage", n7, "w.png"), 17},
      {Cmd_settextcursor::Parse, Statement("textcursorshow", n4), 9},
      {Cmd_settextcursor::Parse, Statement("textcursorbacklog", n8, "c.png"), 19},
      {Cmd_setselectwindow::Parse, Statement("selectwindowdraw", n21), 43},
      {Cmd_setselectwindow::Parse, Statement("selectwindowimage", n13, "s.png"), 29},
      {Cmd_setselectwindow::Parse, Statement("selectwindowunderspace", {1}), 3},
      {Cmd_waittimeskip::Parse, Statement("waittimeskip", {1}), 3},
      {Cmd_setselect::Parse, Statement("selectcursorse", {}, "c.wav"), 3},
      {Cmd_kinsoku::Parse, Statement("addleadingchs", {}, "「"), 3},
      {Cmd_initialize::Parse, Statement("initialize", {}), 2},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(c.tokens.size(), c.count) << c.tokens[0];
    EXPECT_EQ(Parse(c.parser, c.tokens), static_cast<int>(c.count)) << c.tokens[0];
  }
  EXPECT_TRUE(host.errors.text.empty());

  // Another keyword's form, one argument too few, or a name where a number belongs.
  EXPECT_EQ(Parse(Cmd_settextwindow::Parse, Statement("textwindowdraw", n7, "w.png")), -1);
  EXPECT_EQ(Parse(Cmd_settextcursor::Parse, Statement("textcursorshow", {1, 1, 1})), -1);
  EXPECT_EQ(Parse(Cmd_setselectwindow::Parse, Statement("selectwindowunderspace", {}, "x")), -1);
  EXPECT_EQ(Parse(Cmd_initialize::Parse, Statement("initialize", {1})), -1);
  EXPECT_EQ(Parse(Cmd_kinsoku::Parse, Statement("setleadingchs", {1})), -1);
  EXPECT_EQ(host.added.size(), std::size(cases));
}

TEST_F(WindowConfigTest, TheTextWindowIsARectangleOrAnImagePart) {
  LocalVariableNames().push_back("i");
  engine.locals.values["i"] = 2;
  EXPECT_CALL(draw, SetTextWindow(testing::Matcher<nsTamskLib::TRect>(IsRect(10, 20, 10, 70)),
                                  0x00030201u, 128, 0u, 0x00FF00FFu));
  EXPECT_CALL(draw, SetTextWindow(testing::Matcher<const char*>(StrEq("win2.png")), -5, 6, 255,
                                  IsRect(0, 1, 30, 41)));
  // Width 0 is a valid window.
  Run(Cmd_settextwindow::Parse,
      Statement("textwindowdraw", {10, 20, 0, 50, 1, 2, 3, 128, 0, 255, 0, 255}));
  Run(Cmd_settextwindow::Parse,
      Statement("textwindowimage", {-5, 6, 255, 0, 1, 30, 40}, "win\\i\\.png"));
  EXPECT_EQ(Position(), -1 + 2);
}

TEST_F(WindowConfigTest, TextWindowChecksStopWithTheirMessages) {
  vesk_test::FatalTrap trap;
  EXPECT_EQ(Fatal(Cmd_settextwindow::Parse,
                  Statement("textwindowdraw", {0, 0, -1, 5, 999, 0, 0, -1, -1, 0, 0, 0})),
            "矩形の指定が間違っています！（m_RectWidth = -1, m_RectHeight = 5）");
  EXPECT_EQ(Fatal(Cmd_settextwindow::Parse,
                  Statement("textwindowdraw", {0, 0, 1, 1, 1, 256, 3, -1, -1, 0, 0, 0})),
            "引数の何れかが負数か255を超えています！（R：1　G：256　B：3）");
  EXPECT_EQ(Fatal(Cmd_settextwindow::Parse,
                  Statement("textwindowdraw", {0, 0, 1, 1, 0, 0, 0, 256, -1, 0, 0, 0})),
            "透過度が負数か255を超えています！（m_A = 256）");
  EXPECT_EQ(Fatal(Cmd_settextwindow::Parse,
                  Statement("textwindowdraw", {0, 0, 1, 1, 0, 0, 0, 0, -1, -1, 0, 0})),
            "枠の太さが負数です！（m_Border = -1）");
  EXPECT_EQ(Fatal(Cmd_settextwindow::Parse,
                  Statement("textwindowdraw", {0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, -7})),
            "引数の何れかが負数か255を超えています！（BorderR：0　BorderG：0　BorderB：-7）");
  EXPECT_EQ(Fatal(Cmd_settextwindow::Parse,
                  Statement("textwindowimage", {0, 0, -1, 0, 0, -1, 0}, "w")),
            "透過度が負数か255を超えています！（m_A = -1）");
  EXPECT_EQ(Fatal(Cmd_settextwindow::Parse,
                  Statement("textwindowimage", {0, 0, 0, 1, 2, 3, -4}, "w")),
            "転送元矩形の指定が間違っています！（m_RectX = 1, m_RectY = 2, m_RectWidth = 3, "
            "m_RectHeight = -4）");
  EXPECT_EQ(Position(), -1);
}

TEST_F(WindowConfigTest, CursorSwitchesAndImagesGoToTheirStates) {
  EXPECT_CALL(draw, SetTextCursorEnabled(1, 0, 1, 0));
  EXPECT_CALL(draw, SetTextCursorNone(StrEq("n"), 1, 2, 3, IsRect(4, 5, 10, 12), 1));
  EXPECT_CALL(draw, SetTextCursorClick(StrEq("c"), 0, 0, 0, IsRect(0, 0, 0, 0), 0));
  EXPECT_CALL(draw, SetTextCursorGoNext(StrEq("g"), 0, 0, 0, IsRect(0, 0, 0, 0), 1));
  EXPECT_CALL(draw, SetTextCursorBackLog(StrEq("b"), 0, 0, 0, IsRect(0, 0, 0, 0), 0));
  Run(Cmd_settextcursor::Parse, Statement("textcursorshow", {1, 0, 2, 0}));
  Run(Cmd_settextcursor::Parse, Statement("textcursornone", {1, 2, 3, 4, 5, 6, 7, -1}, "n"));
  Run(Cmd_settextcursor::Parse, Statement("textcursorclick", {0, 0, 0, 0, 0, 0, 0, 0}, "c"));
  Run(Cmd_settextcursor::Parse, Statement("textcursorgonext", {0, 0, 0, 0, 0, 0, 0, 9}, "g"));
  Run(Cmd_settextcursor::Parse, Statement("textcursorbacklog", {0, 0, 0, 0, 0, 0, 0, 0}, "b"));
  EXPECT_EQ(Position(), -1 + 5);

  vesk_test::FatalTrap trap;
  EXPECT_EQ(Fatal(Cmd_settextcursor::Parse,
                  Statement("textcursorclick", {0, 0, 300, 0, 0, 0, 0, 0}, "c")),
            "透過度が負数か255を超えています！（m_A = 300）");
  EXPECT_EQ(Fatal(Cmd_settextcursor::Parse,
                  Statement("textcursorclick", {0, 0, 0, -1, 0, 0, 0, 0}, "c")),
            "転送元矩形の指定が間違っています！（m_RectX = -1, m_RectY = 0, m_RectWidth = 0, "
            "m_RectHeight = 0）");
}

TEST_F(WindowConfigTest, TheChoiceWindowTakesPackedColoursOrThreeImageParts) {
  EXPECT_CALL(draw, SetSelectWindow(testing::Matcher<std::int32_t>(4), 0x00030201u, 0x00060504u, 0x00090807u, 200, 2u,
                                    0x000C0B0Au, 0x000F0E0Du, 0x00121110u));
  EXPECT_CALL(draw, SetSelectWindow(testing::Matcher<const char*>(StrEq("sel.png")), 100, IsRect(0, 0, 10, 20),
                                    IsRect(0, 20, 10, 40), IsRect(0, 40, 10, 60)));
  EXPECT_CALL(draw, SetSelectBottomMargin(0));
  Run(Cmd_setselectwindow::Parse,
      Statement("selectwindowdraw",
                {4, 1, 2, 3, 4, 5, 6, 7, 8, 9, 200, 2, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
  Run(Cmd_setselectwindow::Parse,
      Statement("selectwindowimage", {100, 0, 0, 10, 20, 0, 20, 10, 20, 0, 40, 10, 20},
                "sel.png"));
  Run(Cmd_setselectwindow::Parse, Statement("selectwindowunderspace", {0}));
  EXPECT_EQ(Position(), -1 + 3);
}

TEST_F(WindowConfigTest, ChoiceWindowChecksNameTheState) {
  vesk_test::FatalTrap trap;
  std::vector<int> values(21, 0);
  const auto draw21 = [&] { return Statement("selectwindowdraw", values); };
  values[0] = -1;
  EXPECT_EQ(Fatal(Cmd_setselectwindow::Parse, draw21()),
            "テキストと枠の間隔が負数です！（m_AroundSpace = -1）");
  values[0] = 0;
  values[10] = 256;
  EXPECT_EQ(Fatal(Cmd_setselectwindow::Parse, draw21()), "透過度が負数か255を超えています！（m_A = 256）");
  values[10] = 0;
  values[11] = -2;
  EXPECT_EQ(Fatal(Cmd_setselectwindow::Parse, draw21()), "枠の太さが負数です！（m_Border = -2）");
  values[11] = 0;
  values[5] = 256;   // cursor fill G
  values[20] = -1;   // hold border B: the fills are checked first
  EXPECT_EQ(Fatal(Cmd_setselectwindow::Parse, draw21()),
            "引数の何れかが負数か255を超えています！（カーソル時）（R：0　G：256　B：0）");
  values[5] = 0;
  EXPECT_EQ(Fatal(Cmd_setselectwindow::Parse, draw21()),
            "引数の何れかが負数か255を超えています！（ホールド時）（BorderR：0　BorderG：0　"
            "BorderB：-1）");

  EXPECT_EQ(Fatal(Cmd_setselectwindow::Parse,
                  Statement("selectwindowimage", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -3, 0, 0}, "s")),
            "転送元矩形の指定が間違っています！（ホールド時）（m_RectX = 0, m_RectY = -3, "
            "m_RectWidth = 0, m_RectHeight = 0）");
  EXPECT_EQ(Fatal(Cmd_setselectwindow::Parse, Statement("selectwindowunderspace", {-1})),
            "画面下端との間隔が負数です！（m_UnderSpace = -1）");
  EXPECT_EQ(Position(), -1);
}

TEST_F(WindowConfigTest, ChoiceSoundsSkipTimeAndLineBreakingSets) {
  LocalVariableNames().push_back("v");
  engine.locals.values["v"] = 5;
  EXPECT_CALL(draw, SetSelectDecideSound(StrEq("click5.wav")));
  EXPECT_CALL(draw, SetSelectCursorSound(StrEq("over.wav")));
  Run(Cmd_setselect::Parse, Statement("selectclickse", {}, "click\\v\\.wav"));
  Run(Cmd_setselect::Parse, Statement("selectcursorse", {}, "over.wav"));

  Run(Cmd_waittimeskip::Parse, Statement("waittimeskip", {0}));
  EXPECT_EQ(TextStyle().skipWait, 0);

  AddLeadingChs("「（");
  Run(Cmd_kinsoku::Parse, Statement("addleadingchs", {}, "「"));
  EXPECT_EQ(LeadingChs().chars().size(), 2u);
  Run(Cmd_kinsoku::Parse, Statement("setleadingchs", {}, ""));
  EXPECT_EQ(LeadingChs().chars().size(), 0u);
  Run(Cmd_kinsoku::Parse, Statement("setfollowingweakchs", {}, "ー"));
  EXPECT_TRUE(IsFollowingWeakCh(0x815B));
  EXPECT_TRUE(IsFollowingCh(0x815B));
  // The characters are taken as written: no expansion of backslashes.
  Run(Cmd_kinsoku::Parse, Statement("setfollowingchs", {}, "\\n"));
  EXPECT_TRUE(IsFollowingCh('\\'));
  EXPECT_TRUE(IsFollowingCh('n'));
  EXPECT_EQ(Position(), -1 + 7);

  vesk_test::FatalTrap trap;
  EXPECT_EQ(Fatal(Cmd_waittimeskip::Parse, Statement("waittimeskip", {-1})),
            "スキップの待機時間が負数です！（m_WaitTimeSkip = -1）");
  EXPECT_EQ(TextStyle().skipWait, 0);
}

TEST_F(WindowConfigTest, InitializeStartsANewGameAndForgetsTheTextSprites) {
  TextSprites(0)["a"] = TextSpriteDefinition{"a", "", 1, 0};
  TextSprites(1)["b"] = TextSpriteDefinition{"b", "", 1, 0};
  Run(Cmd_initialize::Parse, Statement("initialize", {}));
  EXPECT_EQ(engine.initializeCalls, 1);
  EXPECT_TRUE(TextSprites(0).empty());
  EXPECT_TRUE(TextSprites(1).empty());
  // The engine's reset places the script; the command does not move it.
  EXPECT_EQ(Position(), -1);
}

TEST_F(WindowConfigTest, BodiesRoundTripAndDumpWritesTheStatement) {
  const std::vector<std::vector<std::string>> statements = {
      Statement("textwindowimage", {1, 2, 3, 4, 5, 6, 7}, "w.png"),
      Statement("selectwindowunderspace", {9}),
      Statement("textcursorshow", {1, 0, 1, 0}),
  };
  for (const auto& statement : statements) {
    ASSERT_GT(Parse(statement[0] == "textcursorshow"   ? Cmd_settextcursor::Parse
                    : statement[0] == "textwindowimage" ? Cmd_settextwindow::Parse
                                                        : Cmd_setselectwindow::Parse,
                    statement),
              0);
    nsTamskLib::ICmd_Base* parsed = host.added.back().command;
    nsTamskLib::ICmd_Base* loaded = statement[0] == "textcursorshow" ? Cmd_settextcursor::Create()
                                    : statement[0] == "textwindowimage"
                                        ? Cmd_settextwindow::Create()
                                        : Cmd_setselectwindow::Create();
    const vesk_test::ReloadedCommand reloaded = vesk_test::Reload(*parsed, *loaded);
    EXPECT_EQ(reloaded.resaved, reloaded.body) << statement[0];
    EXPECT_EQ(reloaded.dump, DumpOf(parsed));
    loaded->Destroy();
  }
  EXPECT_EQ(DumpOf(host.added[0].command),
            "textwindowimage \"w.png\", (1), (2), (3), (4), (5), (6), (7);\n");
  EXPECT_EQ(DumpOf(host.added[1].command), "selectwindowunderspace (9);\n");

  Parse(Cmd_setselect::Parse, Statement("selectclickse", {}, "c.wav"));
  EXPECT_EQ(DumpOf(host.added.back().command), "selectclickse \"c.wav\";\n");
  Parse(Cmd_kinsoku::Parse, Statement("setleadingchs", {}, "「"));
  EXPECT_EQ(DumpOf(host.added.back().command), "setleadingchs \"「\";\n");
  Parse(Cmd_initialize::Parse, Statement("initialize", {}));
  EXPECT_EQ(DumpOf(host.added.back().command), "initialize;\n");
  Parse(Cmd_waittimeskip::Parse, Statement("waittimeskip", {50}));
  EXPECT_EQ(DumpOf(host.added.back().command), "waittimeskip (50);\n");
}

}  // namespace
