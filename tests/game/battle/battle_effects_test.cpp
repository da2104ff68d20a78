// The battle's effects under the virtual clock: the cut-in's two phases, the flying
// rewards, the bomb icon rows while an icon is carried and while it flies back, and
// the all-clear banner with its sound and its reward.
#include <gtest/gtest.h>

#include <vector>

#include "game/battle/effecter_all_clear.h"
#include "game/battle/effecter_bomb_icon.h"
#include "game/battle/effecter_cutin.h"
#include "game/battle/effecter_on_open_chip.h"
#include "game/core/program_objects.h"
#include "tests/game/battle/battle_fakes.h"
#include "tests/game/battle/board_test_support.h"
#include "tests/platform/support/fake_glyph_source.h"

namespace nsVesk::nsGame::nsMine::nsTest {
namespace {

using nsEXEffect::cEffecterAllClear;
using nsEXEffect::cEffecterBombIconMove;
using nsEXEffect::cEffecterBombIconReturn;
using nsEXEffect::cEffecterCutin;
using nsEXEffect::cEffecterOnOpenChip;
using nsZarn::nsGraphics::Rect;

class BattleEffectsTest : public BattleFixture {};

// The cut-in as the enemy sets it up: 500 x 600 at (300, 0), alpha 0 to 179, 320 ms
// twice, scale 1 to 2.
void SetUpEnemyCutin(cEffecterCutin& cutin) {
  cutin.Load("Data/cutin.png", Rect{0, 0, 500, 600}, 300, 0);
  cutin.SetAlpha(0, 179);
  cutin.SetTime(320, 320);
  cutin.SetScale(1.0f, 2.0f);
}

TEST_F(BattleEffectsTest, CutinFadesInThenGrowsAboutItsCentreWhileFadingOut) {
  cEffecterCutin cutin;
  SetUpEnemyCutin(cutin);
  std::vector<PictureDraw> draws;
  Record(cutin.GetImageTable(), cEffecterCutin::kImageName, &draws);
  cutin.Start();
  cutin.Update();
  Advance(160);
  cutin.Update();
  Advance(320);
  cutin.Update();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].alpha, 0);
  EXPECT_EQ(draws[1].alpha, 89) << "160 x 179 / 320 = 89.5, truncated";
  EXPECT_EQ(draws[1].x, 300);
  EXPECT_EQ(draws[1].scale, 1.0f);
  EXPECT_EQ(draws[2].alpha, 90) << "179 - 89";
  EXPECT_FLOAT_EQ(draws[2].scale, 1.5f);
  EXPECT_EQ(draws[2].x, 300 - 125) << "a quarter of the width to the left";
  EXPECT_EQ(draws[2].y, -150) << "a quarter of the height up";
  EXPECT_EQ(draws[2].source.right, 500);
  Advance(159);
  cutin.Update();
  EXPECT_TRUE(cutin.IsRunning()) << "639 ms is still in the second phase";
  Advance(1);
  cutin.Update();
  EXPECT_FALSE(cutin.IsRunning());
  EXPECT_EQ(draws.size(), 4u) << "the last update dims but shows no picture";
  cutin.Update();
  EXPECT_EQ(draws.size(), 4u);
}

TEST_F(BattleEffectsTest, CutinDimsTheScreenWhileItRuns) {
  cEffecterCutin cutin;
  SetUpEnemyCutin(cutin);
  g_Graphic.Clear(0xFFFFFFFFu);
  cutin.Update();
  EXPECT_EQ(Presented(10, 10), 0xFFFFFFFFu) << "nothing before Start";
  cutin.Start();
  g_Graphic.Clear(0xFFFFFFFFu);
  cutin.Update();
  EXPECT_NEAR(static_cast<int>(Presented(10, 10) & 0xFFu), 127, 1);
}

TEST_F(BattleEffectsTest, CutinPhasesWithoutLengthDoNotDivideByZero) {
  cEffecterCutin cutin;
  cutin.Load("", Rect{0, 0, 500, 600}, 0, 0);
  cutin.SetAlpha(0, 179);
  cutin.SetTime(0, 0);
  cutin.SetScale(1.0f, 2.0f);
  EXPECT_TRUE(cutin.PoseAt(0).visible);
  EXPECT_EQ(cutin.PoseAt(0).alpha, 0);
  EXPECT_FALSE(cutin.PoseAt(1).visible);
  cutin.SetTime(0, 100);
  EXPECT_EQ(cutin.PoseAt(50).alpha, 179 - 89);
  cutin.Start();
  cutin.Update();
  EXPECT_TRUE(cutin.IsRunning());
}

class FlightTest : public BattleEffectsTest {
 protected:
  void SetUp() override {
    BattleEffectsTest::SetUp();
    WriteAnimation("Data/Effect/one.ini", 1);
    PackData();
  }
  cImageTable m_Images;
};

TEST_F(FlightTest, AFlightMovesNinePixelsAnUpdateAlongTheLongerAxisAndEndsOnItsPoint) {
  cEffecterOnOpenChip flyingTemplate(&m_Images);
  flyingTemplate.LoadAnimations("Data/Effect/one.ini", "Data/Effect/one.ini", "Data/Effect/one.ini");
  Advance(17);  // the template's stopwatch is past the step interval: a step on every update
  auto* flight = new cEffecterOnOpenChip(&m_Images);
  *flight = flyingTemplate;
  flight->SetPoints(100, 200, 200, 245);
  EXPECT_EQ(flight->GetDistance(), 100u);
  flight->Start();
  std::vector<int> ys;
  for (int i = 0; i < 11; ++i) {
    flight->Update();
    ys.push_back(flight->GetFlightY());
  }
  EXPECT_EQ(flight->GetProgress(), 99u);
  EXPECT_EQ(flight->GetFlightX(), 199);
  EXPECT_EQ(ys[0], 204) << "45 x 9 / 100 = 4.05, truncated";
  EXPECT_EQ(ys[10], 244) << "45 x 0.99 = 44.55";
  EXPECT_TRUE(flight->GetFlightAnimation().IsRunning()) << "the flight loops its one frame";
  flight->Update();
  EXPECT_EQ(flight->GetProgress(), 100u) << "the twelfth step is clamped from 108";
  EXPECT_EQ(flight->GetFlightX(), 200);
  EXPECT_EQ(flight->GetFlightY(), 245);
  EXPECT_FALSE(flight->GetFlightAnimation().IsRunning());
  EXPECT_TRUE(flight->GetArrivalAnimation().IsRunning());
  EXPECT_TRUE(flight->IsRunning());
  delete flight;
}

TEST_F(FlightTest, AFlightOfNoDistanceArrivesInItsFirstUpdate) {
  cEffecterOnOpenChip flight(&m_Images);
  flight.LoadAnimations("", "Data/Effect/one.ini", "Data/Effect/one.ini");
  flight.SetPoints(50, 60, 50, 60);
  flight.Start();
  flight.Update();
  EXPECT_EQ(flight.GetFlightX(), 50);
  EXPECT_EQ(flight.GetFlightY(), 60);
  EXPECT_TRUE(flight.GetArrivalAnimation().IsRunning());
  EXPECT_FALSE(flight.GetFlightAnimation().IsRunning());
}

TEST_F(FlightTest, AYoungTemplateHoldsItsFlightsUntilItsStopwatchPassesTheInterval) {
  cEffecterOnOpenChip flight(&m_Images);
  flight.LoadAnimations("", "Data/Effect/one.ini", "");
  flight.SetPoints(0, 0, 90, 0);
  flight.Start();
  flight.Update();
  EXPECT_EQ(flight.GetProgress(), 0u);
  Advance(16);
  flight.Update();
  EXPECT_EQ(flight.GetProgress(), 0u) << "16 ms is not more than the interval";
  Advance(1);
  flight.Update();
  flight.Update();
  EXPECT_EQ(flight.GetProgress(), 18u);
}

TEST_F(FlightTest, AListDropsAFlightWithoutFramesAtOnce) {
  cEffecterOnOpenChip flight(&m_Images);
  flight.SetPoints(0, 0, 90, 0);
  flight.Start();
  EXPECT_FALSE(flight.IsRunning());
}

class BombIconTest : public BattleEffectsTest {
 protected:
  // Three 40 x 40 slots at x 20, 70 and 120, y 540; a 100 ms slide.
  template <typename Effect>
  void SetUpRow(Effect& effect) {
    Record(m_Images, "BombIconImageF", &m_Draws);
    effect.Setup("Data/bomb.png", Rect{0, 0, 40, 40},
                 {Rect{20, 540, 60, 580}, Rect{70, 540, 110, 580}, Rect{120, 540, 160, 580}});
    effect.SetDuration(100);
  }
  // The (x, y) of each icon drawn by one update.
  std::vector<std::pair<int, int>> Update(nsEffect::IEffecter& effect) {
    m_Draws.clear();
    effect.Update();
    std::vector<std::pair<int, int>> at;
    for (const auto& draw : m_Draws) at.emplace_back(draw.x, draw.y);
    return at;
  }
  using Places = std::vector<std::pair<int, int>>;

  cImageTable m_Images;
  std::vector<PictureDraw> m_Draws;
};

TEST_F(BombIconTest, IconsBehindThePickedOneSlideForwardAndRest) {
  cEffecterBombIconMove move(&m_Images);
  SetUpRow(move);
  move.SetPicked(0);
  move.SetBombs(150, 50);
  move.Start();
  EXPECT_EQ(Update(move), (Places{{70, 540}, {120, 540}}));
  Advance(50);
  EXPECT_EQ(Update(move), (Places{{45, 540}, {95, 540}}));
  Advance(50);
  EXPECT_EQ(Update(move), (Places{{20, 540}, {70, 540}}));
  Advance(500);
  EXPECT_EQ(Update(move), (Places{{20, 540}, {70, 540}}));
  EXPECT_TRUE(move.IsRunning()) << "it runs until it is stopped";
}

TEST_F(BombIconTest, IconsBeforeThePickedOneStayWholeAtTheirSlots) {
  cEffecterBombIconMove move(&m_Images);
  SetUpRow(move);
  move.SetPicked(2);
  move.SetBombs(150, 50);
  move.Start();
  EXPECT_EQ(Update(move), (Places{{20, 540}, {70, 540}}));
  move.SetPicked(1);
  move.SetBombs(10, 50);  // whatever the points
  EXPECT_EQ(Update(move), (Places{{20, 540}}));
  EXPECT_EQ(m_Draws[0].source.right, 40);
}

TEST_F(BombIconTest, ThePartIconIsCutToTheFractionCollected) {
  cEffecterBombIconMove move(&m_Images);
  SetUpRow(move);
  move.SetPicked(0);
  move.SetBombs(125, 50);
  move.Start();
  Update(move);
  ASSERT_EQ(m_Draws.size(), 2u);
  EXPECT_EQ(m_Draws[0].source.right, 40);
  EXPECT_EQ(m_Draws[1].source.right, 20) << "rest 25 of 50";
}

TEST_F(BombIconTest, ADroppedIconFliesBackWhileTheOthersSlideBackThenTheEffectStops) {
  cEffecterBombIconReturn back(&m_Images);
  SetUpRow(back);
  back.SetPicked(0);
  back.SetBombs(150, 50);
  back.SetStartPoint(400, 300);
  back.Start();
  EXPECT_EQ(Update(back), (Places{{20, 540}, {70, 540}, {400, 300}}));
  Advance(50);
  EXPECT_EQ(Update(back), (Places{{45, 540}, {95, 540}, {210, 420}}));
  Advance(50);
  EXPECT_EQ(Update(back), (Places{{70, 540}, {120, 540}, {20, 540}}));
  EXPECT_TRUE(back.IsRunning()) << "p = 1 is not past the end";
  Advance(1);
  EXPECT_EQ(Update(back), (Places{{70, 540}, {120, 540}, {20, 540}})) << "the last update still draws";
  EXPECT_FALSE(back.IsRunning());
}

TEST_F(BombIconTest, RowsLargerThanTheSlotsOrWithoutACostDrawOnlyWhatFits) {
  cEffecterBombIconReturn back(&m_Images);
  SetUpRow(back);
  back.SetDuration(0);
  back.SetPicked(1);
  back.SetBombs(500, 50);  // ten icons, three slots
  back.Start();
  EXPECT_EQ(Update(back), (Places{{20, 540}, {120, 540}, {70, 540}})) << "a slide of no length is at its end";
  back.SetPicked(7);
  back.Start();
  EXPECT_EQ(Update(back).size(), 3u) << "no slot for the picked icon: it is not drawn";
  back.SetPicked(0);
  back.SetBombs(150, 0);
  back.Start();
  EXPECT_EQ(Update(back), (Places{{20, 540}})) << "without a cost only the picked icon is drawn";
}

class AllClearTest : public BattleEffectsTest {
 protected:
  void SetUp() override {
    BattleEffectsTest::SetUp();
    m_Host.rewards.maxPlayerAtkRate = 300;
  }
  FakeBoardHost m_Host;
};

TEST_F(AllClearTest, TheBannerRepeatsItsSoundAndRewardsOnceWhenPastASecond) {
  cEffecterAllClear banner(&m_Host);
  banner.Start();
  banner.Update();
  EXPECT_EQ(m_Engine.Plays(cEffecterAllClear::kSound), 1);
  Advance(500);
  banner.Update();
  EXPECT_EQ(m_Engine.Plays(cEffecterAllClear::kSound), 1) << "not again while it plays";
  Sound().FinishSE(cEffecterAllClear::kSound);
  Advance(500);
  banner.Update();
  EXPECT_EQ(m_Engine.Plays(cEffecterAllClear::kSound), 2) << "again once it has ended";
  EXPECT_TRUE(banner.IsRunning()) << "1000 ms is not past the time";
  EXPECT_EQ(m_Host.player.atkRate, 100);
  Advance(1);
  banner.Update();
  EXPECT_FALSE(banner.IsRunning());
  EXPECT_EQ(m_Host.player.atkRate, 200);
  banner.Update();
  EXPECT_EQ(m_Host.player.atkRate, 200);
}

TEST_F(AllClearTest, ARestartDelaysTheSingleRewardAndTheCapHolds) {
  cEffecterAllClear banner(&m_Host);
  m_Host.player.atkRate = 250;
  banner.Start();
  Advance(800);
  banner.Update();
  banner.Start();
  Advance(800);
  banner.Update();
  EXPECT_TRUE(banner.IsRunning());
  Advance(201);
  banner.Update();
  EXPECT_FALSE(banner.IsRunning());
  EXPECT_EQ(m_Host.player.atkRate, 300) << "350 is brought down to the maximum";
}

TEST_F(AllClearTest, WithoutAPlayerTheBannerEndsWithoutAReward) {
  m_Host.withPlayer = false;
  cEffecterAllClear banner(&m_Host);
  banner.Start();
  Advance(1001);
  banner.Update();
  EXPECT_FALSE(banner.IsRunning());
  cEffecterAllClear hostless(nullptr);
  hostless.Start();
  hostless.Stop();
  EXPECT_FALSE(hostless.IsRunning());
}

TEST_F(AllClearTest, TheBannerTextIsDrawnInWhite) {
  vesk_test::FakeGlyphSource glyphs;
  platform::SetGlyphSourceForTest(&glyphs);
  {
    cEffecterAllClear banner(&m_Host);
    g_Graphic.Clear(kBackground);
    banner.Start();
    banner.Update();
    EXPECT_NE(Presented(250, 300) & 0xFFFFFFu, 0u);
    EXPECT_EQ(m_Back.Pixel(150, 300), kBackground) << "left of the text";
  }
  platform::SetGlyphSourceForTest(nullptr);
}

}  // namespace
}  // namespace nsVesk::nsGame::nsMine::nsTest
