// The message, talker, ruby and choice style commands: each keyword's own form,
// the checks with their messages, where each value goes (pending in the style
// state, or straight to the draw manager for the choice font, size, limits and
// colours), one frame per command, and the per-kind body.

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "plugin/text/expansion.h"
#include "plugin/commands/style_commands.h"
#include "plugin/text/text_style_state.h"
#include "tests/engine/kit/command_bodies.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/plugin/commands/command_fixture.h"

namespace {

using namespace nsWendrick;
using testing::StrEq;

class StyleCommandsTest : public vesk_test::PluginCommandTest {
 protected:
  static std::string BodyOf(nsTamskLib::ICmd_Base* command) { return vesk_test::SaveBody(*command); }
};

TEST_F(StyleCommandsTest, EachKeywordTakesOnlyItsOwnForm) {
  EXPECT_EQ(Parse(Cmd_settext::Parse, {"textalignleft", ";"}), 2);
  EXPECT_EQ(Parse(Cmd_settext::Parse, {"textsize", "12", ";"}), 3);
  EXPECT_EQ(Parse(Cmd_settext::Parse, {"textfont", "\"f\"", ";"}), 3);
  EXPECT_EQ(Parse(Cmd_settext::Parse, {"textposition", "1", ",", "2", ";"}), 5);
  EXPECT_EQ(Parse(Cmd_settext::Parse, {"textcolor", "1", ",", "2", ",", "3", ";"}), 7);
  EXPECT_EQ(Parse(Cmd_settalker::Parse, {"talkeraligncenter", ";"}), 2);
  EXPECT_EQ(Parse(Cmd_setruby::Parse, {"rubyoffset", "2", ";"}), 3);
  EXPECT_EQ(Parse(Cmd_setselecttext::Parse, {"selecttexthcolor", "1", ",", "2", ",", "3", ";"}),
            7);
  EXPECT_EQ(host.added.size(), 8u);
  EXPECT_TRUE(host.errors.text.empty());

  // Forms another keyword of the class would take are errors for this one.
  EXPECT_EQ(Parse(Cmd_settext::Parse, {"textsize", ";"}, 3), -1);
  EXPECT_EQ(Parse(Cmd_settext::Parse, {"textcolor", "1", ";"}, 12), -1);
  EXPECT_EQ(Parse(Cmd_settext::Parse, {"textalignleft", "1", ";"}, 123), -1);
  EXPECT_EQ(Parse(Cmd_setruby::Parse, {"rubyfont", "5", ";"}, 1234), -1);
  EXPECT_EQ(Parse(Cmd_settext::Parse, {"textposition", "1", ",", "2"}, 5), -1);
  EXPECT_EQ(Parse(Cmd_settext::Parse, {"talkersize", "1", ";"}, 6), -1);
  EXPECT_EQ(host.errors.text,
            "エラー（   3行目）：構文エラーです！\n"
            "エラー（  12行目）：構文エラーです！\n"
            "エラー（ 123行目）：構文エラーです！\n"
            "エラー（1234行目）：構文エラーです！\n"
            "エラー（   5行目）：構文エラーです！\n"
            "エラー（   6行目）：構文エラーです！\n");
  EXPECT_EQ(host.added.size(), 8u);
}

TEST_F(StyleCommandsTest, MessageValuesWaitAsPendingUntilTheNextMessageAppliesThem) {
  Run(Cmd_settext::Parse, {"textcolor", "255", ",", "0", ",", "128", ";"});
  Run(Cmd_settext::Parse, {"textsize", "1", ";"});
  Run(Cmd_settext::Parse, {"textspeed", "-30", ";"});
  Run(Cmd_settext::Parse, {"textposition", "-5", ",", "7", ";"});
  Run(Cmd_settext::Parse, {"textcspace", "0", ";"});
  Run(Cmd_settext::Parse, {"textlspace", "4", ";"});
  Run(Cmd_settext::Parse, {"textalignright", ";"});
  // Each moved the script on in its own frame.
  EXPECT_EQ(Position(), -1 + 7);

  const MessageStyle& text = TextStyle().text;
  EXPECT_TRUE(text.color.changed);
  EXPECT_EQ(text.color.value, 0x008000FFu);
  EXPECT_EQ(text.lspace.current, 0);
  EXPECT_EQ(text.align.current, kAlignLeft);

  {
    testing::InSequence order;
    EXPECT_CALL(draw, SetMessageFontSize(1));
    EXPECT_CALL(draw, SetMessageColor(0x008000FFu));
    EXPECT_CALL(draw, SetTextSpeed(-30));
    EXPECT_CALL(draw, SetMessagePosition(-5, 7));
  }
  EXPECT_CALL(draw, SetMessageFont(testing::_)).Times(0);
  EXPECT_CALL(draw, SetMessageWidth(testing::_)).Times(0);
  ApplyTextStyle(&engine);
  EXPECT_EQ(text.lspace.current, 4);
  EXPECT_EQ(text.align.current, kAlignRight);
  EXPECT_FALSE(text.color.changed);
  EXPECT_FALSE(text.position.changed);
  EXPECT_FALSE(text.lspace.pending.changed);

  // A second message applies nothing again.
  testing::Mock::VerifyAndClearExpectations(&draw);
  EXPECT_CALL(draw, SetMessageColor(testing::_)).Times(0);
  ApplyTextStyle(&engine);
}

TEST_F(StyleCommandsTest, TalkerAndRubyValuesApplyToTheirOwnDrawManagerFields) {
  LocalVariableNames().push_back("n");
  engine.locals.values["n"] = 3;
  Run(Cmd_settalker::Parse, {"talkerfont", "\"face\\n\\\"", ";"});
  Run(Cmd_settalker::Parse, {"talkermaxwidth", "0", ";"});
  Run(Cmd_settalker::Parse, {"talkermaxheight", "40", ";"});
  Run(Cmd_settalker::Parse, {"talkeraligncenter", ";"});
  Run(Cmd_setruby::Parse, {"rubyfont", "\"r\"", ";"});
  Run(Cmd_setruby::Parse, {"rubysize", "9", ";"});
  Run(Cmd_setruby::Parse, {"rubyoffset", "2", ";"});
  EXPECT_CALL(draw, SetTalkerFont(StrEq("face3")));
  EXPECT_CALL(draw, SetTalkerWidth(0));
  EXPECT_CALL(draw, SetTalkerHeight(40));
  EXPECT_CALL(draw, SetMessageFont(testing::_)).Times(0);
  ApplyTalkerStyle(&engine);
  EXPECT_EQ(TextStyle().talker.align.current, kAlignCenter);

  EXPECT_CALL(draw, SetRubyFont(StrEq("r")));
  EXPECT_CALL(draw, SetRubyFontSize(9));
  ApplyRubyStyle(&engine);
  EXPECT_EQ(TextStyle().ruby.offset.current, 2);
  EXPECT_EQ(TextStyle().ruby.cspace.current, 0);
}

TEST_F(StyleCommandsTest, ChoiceStyleTakesEffectAtOnce) {
  LocalVariableNames().push_back("k");
  engine.locals.values["k"] = 1;
  {
    testing::InSequence order;
    EXPECT_CALL(draw, SetSelectFont(StrEq("c1")));
    EXPECT_CALL(draw, SetSelectFontSize(20));
    EXPECT_CALL(draw, SetSelectItemWidth(300));
    EXPECT_CALL(draw, SetSelectItemHeight(0));
    EXPECT_CALL(draw, SetSelectTextColorNormal(0x00030201u));
    EXPECT_CALL(draw, SetSelectTextColorOnCursor(0x000000FFu));
    EXPECT_CALL(draw, SetSelectTextColorOnHold(0x00FF0000u));
  }
  Run(Cmd_setselecttext::Parse, {"selecttextfont", "\"c\\k\\\"", ";"});
  Run(Cmd_setselecttext::Parse, {"selecttextsize", "20", ";"});
  Run(Cmd_setselecttext::Parse, {"selecttextmaxwidth", "300", ";"});
  Run(Cmd_setselecttext::Parse, {"selecttextmaxheight", "0", ";"});
  Run(Cmd_setselecttext::Parse, {"selecttextncolor", "1", ",", "2", ",", "3", ";"});
  Run(Cmd_setselecttext::Parse, {"selecttextccolor", "255", ",", "0", ",", "0", ";"});
  Run(Cmd_setselecttext::Parse, {"selecttexthcolor", "0", ",", "0", ",", "255", ";"});
  Run(Cmd_setselecttext::Parse, {"selecttextcspace", "2", ";"});
  Run(Cmd_setselecttext::Parse, {"selecttextlspace", "5", ";"});
  EXPECT_EQ(TextStyle().choice.align, kAlignCenter);
  Run(Cmd_setselecttext::Parse, {"selecttextalignleft", ";"});
  EXPECT_EQ(TextStyle().choice.cspace, 2);
  EXPECT_EQ(TextStyle().choice.lspace, 5);
  EXPECT_EQ(TextStyle().choice.align, kAlignLeft);
  EXPECT_EQ(Position(), -1 + 10);
}

TEST_F(StyleCommandsTest, FailedChecksStopWithTheMemberAndItsValue) {
  vesk_test::FatalTrap trap;
  struct Case {
    int (*parser)(unsigned);
    std::vector<std::string> tokens;
    const char* message;
  };
  const Case cases[] = {
      {Cmd_settext::Parse, {"textsize", "0", ";"}, "引数が0または負数です！（m_Size = 0）"},
      {Cmd_settalker::Parse, {"talkersize", "-3", ";"}, "引数が0または負数です！（m_Size = -3）"},
      {Cmd_setruby::Parse, {"rubysize", "0", ";"}, "引数が0または負数です！（m_Size = 0）"},
      {Cmd_settext::Parse,
       {"textcolor", "256", ",", "0", ",", "-1", ";"},
       "引数の何れかが負数か255を超えています！（R：256　G：0　B：-1）"},
      {Cmd_setselecttext::Parse,
       {"selecttextccolor", "0", ",", "300", ",", "0", ";"},
       "引数の何れかが負数か255を超えています！（R：0　G：300　B：0）"},
      {Cmd_settext::Parse, {"textmaxwidth", "-1", ";"}, "最大横幅が負数です！（m_MaxWidth = -1）"},
      {Cmd_setselecttext::Parse,
       {"selecttextmaxheight", "-2", ";"},
       "最大縦幅が負数です！（m_MaxHeight = -2）"},
      {Cmd_settalker::Parse, {"talkercspace", "-4", ";"}, "字間が負数です！（m_CSpace = -4）"},
      {Cmd_setselecttext::Parse, {"selecttextlspace", "-5", ";"}, "行間が負数です！（m_LSpace = -5）"},
      {Cmd_setruby::Parse, {"rubycspace", "-6", ";"}, "字間が負数です！（m_CSpace = -6）"},
      {Cmd_setruby::Parse, {"rubyoffset", "-1", ";"}, "オフセットが負数です！（m_Offset = -1）"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Parse(c.parser, c.tokens), static_cast<int>(c.tokens.size()));
    nsTamskLib::ICmd_Base* command = host.added.back().command;
    command->SetEngine(&engine);
    EXPECT_FATAL(command->Execute(), c.message) << c.tokens[0];
  }
  // Nothing was stored and the script did not move on.
  EXPECT_FALSE(TextStyle().text.size.changed);
  EXPECT_EQ(Position(), -1);
}

TEST_F(StyleCommandsTest, TheBodyHoldsTheKindAndOnlyItsArguments) {
  ASSERT_EQ(Parse(Cmd_settext::Parse, {"textalignright", ";"}), 2);
  EXPECT_EQ(BodyOf(host.added.back().command), std::string("\x09\0\0\0\x02\0\0\0", 8));
  ASSERT_EQ(Parse(Cmd_setruby::Parse, {"rubyfont", "\"A\"", ";"}), 3);
  EXPECT_EQ(BodyOf(host.added.back().command), std::string("\0\0\0\0\xBE\0", 6));

  // Save -> Load -> Save gives the same bytes, and the loaded command runs as parsed.
  const std::vector<std::vector<std::string>> statements = {
      {"talkerposition", "3", ",", "x", ";"},
      {"talkercolor", "1", ",", "2", ",", "3", ";"},
      {"talkeralignright", ";"},
      {"talkerfont", "\"ＭＳ ゴシック\"", ";"},
  };
  for (const auto& statement : statements) {
    ASSERT_GT(Parse(Cmd_settalker::Parse, statement), 0);
    nsTamskLib::ICmd_Base* parsed = host.added.back().command;
    nsTamskLib::ICmd_Base* loaded = Cmd_settalker::Create();
    const vesk_test::ReloadedCommand reloaded = vesk_test::Reload(*parsed, *loaded);
    EXPECT_EQ(reloaded.resaved, reloaded.body) << statement[0];
    EXPECT_EQ(reloaded.dump, DumpOf(parsed));
    loaded->Destroy();
  }
}

TEST_F(StyleCommandsTest, DumpWritesTheStatement) {
  Parse(Cmd_settext::Parse, {"textfont", "\"f\"", ";"});
  EXPECT_EQ(DumpOf(host.added.back().command), "textfont \"f\";\n");
  Parse(Cmd_settext::Parse, {"textaligncenter", ";"});
  EXPECT_EQ(DumpOf(host.added.back().command), "textaligncenter;\n");
  Parse(Cmd_setselecttext::Parse, {"selecttextncolor", "1", ",", "2", ",", "3", ";"});
  EXPECT_EQ(DumpOf(host.added.back().command), "selecttextncolor (1), (2), (3);\n");
  Parse(Cmd_setruby::Parse, {"rubysize", "12", ";"});
  EXPECT_EQ(DumpOf(host.added.back().command), "rubysize (12);\n");
}

}  // namespace
