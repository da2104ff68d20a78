// The sample data set names every key the game shell reads (logo, title, option,
// selection, story and reward files), and every file those keys name exists, so a
// missing key fails here instead of falling silently to its default. The battle's
// keys are checked with the battle scene.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/core/param_access.h"
#include "tests/game/managers/shell_fixture.h"
#include "tests/game/support/sample_keys.h"

namespace {

using vesk_test::JoinText;

class SampleDataKeys : public vesk_test::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    std::filesystem::copy(VESK_SAMPLE_DATA, "Data", std::filesystem::copy_options::recursive);
    PackData();
  }
  vesk_test::SampleKeys m_Keys;
};

TEST_F(SampleDataKeys, TheShellFindsEveryKeyItReadsAndEveryFileTheyName) {
  auto& k = m_Keys;
  const std::string common = "Data/Common.ini";
  k.Text(common, "Common", "AppTitle", false);
  for (const char* key : {"TimeFadein", "TimeFadeout", "ColorFadeinR", "ColorFadeinG", "ColorFadeinB"}) {
    k.Int(common, "Common", key);
  }
  k.Int(common, "UIButtonTextE1", "ScalingOnCH");
  k.Int(common, "UIButtonTextE1", "IntervalBlink");
  k.Int(common, "UIButtonTextE2", "ScalingOnCH");

  const std::string logo = "Data/Logo/Logo.ini";
  k.Text(logo, "Logo", "ImageFileName");
  k.Text(logo, "Logo", "SEFileName");
  k.Rect(logo, "Logo", "ImageSrcRect");
  for (const char* key : {"FadeinTime", "HoldTime", "FadeoutTime"}) k.Int(logo, "Logo", key);

  // The title, option and select screens share their back picture, sounds and wait keys.
  auto screen = [&](const std::string& file, const std::string& section) {
    k.Text(file, section, "BackFileName");
    k.Rect(file, section, "BackSrcRect");
    k.Text(file, section, "SEOnCursor");
    k.Text(file, section, "SEONClicked");
    k.Int(file, section, "WaitTime");
  };
  const std::string title = "Data/Title/Title.ini";
  screen(title, "Title");
  k.Text(title, "Title", "BGMFileName");
  for (const char* button : {"Start", "CG", "Option", "End"}) k.Rect(title, button, "ClickRect");

  const std::string option = "Data/Option/Option.ini";
  screen(option, "Option");
  for (const char* button : {"BGM_Text", "SE_Text", "TextSpeed_Text", "KidokuSkip_Text", "BGM_Up", "BGM_Down", "SE_Up",
                             "SE_Down", "TextSpeed_Up", "TextSpeed_Down", "KidokuSkip_On", "KidokuSkip_Off",
                             "BackButton"}) {
    k.Rect(option, button, "ClickRect");
  }

  const std::string select = "Data/Select/Select.ini";
  screen(select, "CG");
  k.Int(select, "CG", "CharaNum");
  k.Int(select, "CG", "PageChangeEffectTime");
  k.Rect(select, "BackButton", "ClickRect");
  const int characters = nsVesk::GetParamInt(select, "CG", "CharaNum", 0);
  EXPECT_EQ(characters, 2);
  for (int c = 0; c < characters; ++c) {
    const std::string chara = JoinText("CharaSelect", c);
    k.Text(select, chara, "FileName");
    k.Rect(select, chara, "SrcRect");
    k.Rect(select, chara, "ClickRect");
    k.Text(select, chara, "CharaIni");
    const std::string stages = k.Text(select, chara, "EnemySelectIni");
    k.Int(stages, "CG", "EnemyNum");
    const int enemies = nsVesk::GetParamInt(stages, "CG", "EnemyNum", 0);
    EXPECT_GE(enemies, 2) << stages;
    for (int e = 0; e < enemies; ++e) {
      const std::string enemy = JoinText("EnemySelect", e);
      for (const char* key : {"FileName", "UnknownFileName", "GohoubiIni"}) k.Text(stages, enemy, key);
      k.Rect(stages, enemy, "SrcRect");
      k.Rect(stages, enemy, "ClickRect");
      k.Int(stages, enemy, "RoundNum");
      for (int r = 0; r < nsVesk::GetParamInt(stages, enemy, "RoundNum", 0); ++r) {
        for (const char* key : {"EnemyIni", "RoundIni", "ADVIni"}) k.Text(stages, enemy, JoinText(key, r));
      }
    }
  }

  const std::string adv = "Data/ADV/Common.ini";
  for (const char* button : {"ButtonAuto", "ButtonSkip", "ButtonCallOption", "ButtonReturnTitle",
                             "ButtonReturnTitleYes", "ButtonReturnTitleNo"}) {
    k.Rect(adv, button, "ClickRect");
  }
  k.Text(adv, "SE", "SEOnCursor");
  k.Text(adv, "SE", "SEONClicked");
  const vesk_test::SampleStages stages = vesk_test::ReadSampleStages();
  EXPECT_GE(stages.stories.size(), 9u);
  EXPECT_EQ(stages.rewards.size(), 4u);
  auto story = [&](const std::string& file, const std::string& section) {
    for (const char* key : {"SetTextWindowShow", "SetTextWindow", "SetTextWindowX", "SetTextWindowY", "SetTextWindowA"}) {
      k.Int(file, section, key);
    }
    k.Rect(file, section, "SetTextWindowSrcRect");
    k.Text(file, section, "SetTextWindowFileName");
    k.Text(file, section, "StartLabel", false);
  };
  for (const std::string& file : stages.stories) story(file, "ADV");
  for (const std::string& file : stages.rewards) story(file, "Gohoubi");

  EXPECT_EQ(k.missing, std::vector<std::string>{});
  EXPECT_EQ(k.absent, std::vector<std::string>{});
}

}  // namespace
