#include "engine/scene/story_screen.h"

#include "engine/api/plugin_api.h"
#include "engine/component/ui_bar_draw.h"
#include "engine/component/ui_button_draw.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "engine/scene/scene_player.h"
#include "engine/taskmanager/task_manager.h"
#include "platform/message_box/message_box.h"

namespace nsTamskLib::nsScene {
namespace {

constexpr std::uint32_t kLookWhite = 0xFFFFFF;
constexpr std::uint32_t kLookLightGrey = 0xC0C0C0;
constexpr std::uint32_t kLookGrey = 0x808080;

}  // namespace

void DrawFrozenStory(IScenePlayer& player) {
  nsDrawManager::BaseDrawManager& draw = player.Draw();
  nsTaskManager::TaskManager& tasks = player.Tasks();
  draw.ClearScreen();
  draw.DrawUnderTasks();
  tasks.EffectBeforeDraw();
  draw.DrawTasks();
  tasks.EffectAfterDraw();
  if (draw.IsTextWindowVisible() || draw.IsTextWindowForced()) {
    draw.DrawTextWindow();
    draw.DrawTalkerText();
    draw.DrawMessageText();
    draw.DrawTextCursor();
  }
  draw.DrawSelectWindow();
  tasks.EffectAfterTextWindow();
}

void DimScreen(IScenePlayer& player) {
  nsDrawManager::BaseDrawManager& draw = player.Draw();
  draw.FillRectChecked(TRect{0, 0, draw.GetScreenWidth(), draw.GetScreenHeight()}, 0, 128);
}

void StyleScreenButton(nsComponent::UICButtonDraw& button, int x, int y, int width, int height,
                       const char* caption) {
  button.SetBorderWidth(1);
  button.SetRect(x, y, x + width, y + height, 255);
  button.SetSounds("", "");
  button.SetCaption(caption, kCaptionFont, kCaptionSize);
  button.SetTextColors(kLookWhite, kLookLightGrey, kLookGrey, kLookGrey);
  button.SetFillColors(0, 0, 0, 0);
  button.SetBorderColors(kLookWhite, kLookLightGrey, kLookGrey, kLookGrey);
}

void StyleScreenBar(nsComponent::UICBarDraw& bar, int x, int y, int width, int height) {
  bar.SetBorderWidth(1);
  bar.SetRects(x, y, x + width, y + height, -5, -15, 5, 15, 255);
  bar.SetBarSounds("", "");
  bar.SetFillColors(0, 0, 0, 0);
  bar.SetBorderColors(kLookWhite, kLookLightGrey, kLookGrey, kLookGrey);
}

// The platform's boxes take no owner window: every box is modal over the game's
// window (the owner only made the box modal on the original platform).
bool AskConfirmation(const char* text) {
  return platform::ShowMessageBox("確認", text, platform::MessageBoxButtons::YesNo) ==
         platform::MessageBoxAnswer::Yes;
}

}  // namespace nsTamskLib::nsScene
