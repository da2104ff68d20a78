// The draw accessor: the exported instance, forwarding to the engine's current
// draw manager (fetched at every call), the background colours and the guards of
// the drawing operations.

#include "engine/api/plugin_api.h"
#include "tests/engine/drawmanager/draw_fixture.h"

namespace vesk_test {
namespace {

using nsTamskLib::TRect;

class DMAccessorTest : public DrawManagerTest {
 protected:
  DMAccessorTest() : accessor(GetDMAccessor()) { SetDMAccessor(&engine); }

  nsTamskLib::nsDrawManager::IDMAccessor* accessor;
};

TEST_F(DMAccessorTest, ExportGivesOneInstance) {
  ASSERT_NE(accessor, nullptr);
  EXPECT_EQ(GetDMAccessor(), accessor);
}

TEST_F(DMAccessorTest, BackgroundColourIsSetAppliedAndResetToTheTarget) {
  dm.SetTargetBGColor(0xFF0000FF);
  accessor->SetBGColor(0xFF808080);
  EXPECT_EQ(accessor->GetBGColor(), 0xFF808080u);
  EXPECT_EQ(dm.GetCurrentBGColor(), 0xFF808080u);
  accessor->ApplyBGColor();
  accessor->ResetBGColor();
  EXPECT_EQ(accessor->GetBGColor(), 0xFF0000FFu);
  EXPECT_EQ(dm.log, (Log{"Clear(0xFF808080)"}));
}

TEST_F(DMAccessorTest, BlitsForwardByTransferMethodAndSkipWhatShowsNothing) {
  const TRect src{0, 0, 8, 8};
  accessor->Blt0("a", 1, 2, 3, src);
  accessor->Blt1("a", 1, 2, 3, src);
  accessor->Blt2("a", 1, 2, 3, src);
  accessor->Blt4("a", 1, 2, 3, src);
  accessor->Blt5("a", 1, 2, 3, src);
  accessor->Blt6("a", 1, 2, 3, src);
  accessor->Blt0("", 1, 2, 3, src);
  accessor->Blt0("a", 1, 2, 0, src);
  accessor->Blt4("a", 1, 2, 3, TRect{0, 0, -1, 8});
  EXPECT_EQ(dm.log,
            (Log{"Blt0(a,1,2,3,{0,0,8,8})", "Blt1(a,1,2,3,{0,0,8,8})", "Blt2(a,1,2,3,{0,0,8,8})",
                 "Blt4(a,1,2,3,{0,0,8,8})", "Blt5(a,1,2,3,{0,0,8,8})", "Blt6(a,1,2,3,{0,0,8,8})"}));
}

TEST_F(DMAccessorTest, TextAndRectanglesForwardWithTheirGuards) {
  accessor->DrawText("", 0, 0, 255, "f", 20, 0, 0, 0);
  accessor->DrawText("x", 0, 0, 0, "f", 20, 0, 0, 0);
  accessor->FillRect(TRect{10, 0, 9, 5}, 0, 255);
  accessor->FillRect(TRect{0, 0, 800, 600}, 0, 0);
  EXPECT_TRUE(dm.log.empty());

  accessor->DrawText("x", 1, 2, 3, "f", 20, 0x4, 1, 0);
  accessor->FillRect(TRect{0, 0, 800, 600}, 0xFFFFFF, 128);
  accessor->FillRectWithBorder(TRect{10, 10, 20, 20}, 0x1, 255, 1, 0x2);
  const auto text = Section({Line({Glyph("t", 10, 20)})});
  accessor->DrawTextSection(text, 5, 6, 255);
  accessor->DrawTextSectionEx(text, 5, 6, 255, 0x7);
  EXPECT_EQ(dm.log,
            (Log{"DrawText(x,1,2,3,f,20,0x00000004,1,0)", "FillRect({0,0,800,600},0x00FFFFFF,128)",
                 "FillRect({10,10,20,20},0x00000001,255)", "FillRect({10,9,21,10},0x00000002,255)",
                 "FillRect({20,10,21,21},0x00000002,255)", "FillRect({9,20,20,21},0x00000002,255)",
                 "FillRect({9,9,10,20},0x00000002,255)", "DrawText(t,5,6,255,f,20,0x00FFFFFF,0,0)",
                 "DrawText(t,5,6,255,f,20,0x00000007,0,0)"}));
}

TEST_F(DMAccessorTest, EveryCallReachesTheEnginesCurrentDrawManager) {
  RecordingDrawManager other;
  accessor->SetBGColor(0x1);
  engine.drawManager = &other;
  accessor->SetBGColor(0x2);
  accessor->ApplyBGColor();
  EXPECT_EQ(dm.GetCurrentBGColor(), 0x1u);
  EXPECT_EQ(other.log, (Log{"Clear(0x00000002)"}));
  EXPECT_TRUE(dm.log.empty());
}

}  // namespace
}  // namespace vesk_test
