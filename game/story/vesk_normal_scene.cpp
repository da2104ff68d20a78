#include "game/story/vesk_normal_scene.h"

#include <array>
#include <string>

#include "engine/api/draw_records.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "engine/scene/scene_player.h"
#include "engine/taskmanager/task_manager.h"
#include "engine/textmanager/text_manager.h"
#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/core/scene_ids.h"
#include "game/managers/input_manager_fd.h"
#include "game/shell/shell_objects.h"
#include "game/story/adv_scene.h"
#include "game/story/story_section.h"

namespace nsVesk::nsADV {
namespace {

using nsComponent::UICButtonTextE2;
using nsZarn::nsGraphics::Rect;

constexpr char kADVCommonIni[] = "Data/ADV/Common.ini";
constexpr char kFont[] = "HG行書体";

Rect ReadClickRect(const char* section) {
  return Rect{GetParamInt(kADVCommonIni, section, "ClickRect_Left", 0),
              GetParamInt(kADVCommonIni, section, "ClickRect_Top", 0),
              GetParamInt(kADVCommonIni, section, "ClickRect_Right", 0),
              GetParamInt(kADVCommonIni, section, "ClickRect_Bottom", 0)};
}

void SetUp(UICButtonTextE2& button, const char* section, const char* caption, std::int32_t size) {
  button.SetRect(ReadClickRect(section), 255);
  button.SetSounds(GetParamString(kADVCommonIni, "SE", "SEOnCursor", ""),
                   GetParamString(kADVCommonIni, "SE", "SEONClicked", ""));
  button.SetText(caption, kFont, size);
  button.SetColors(0x808080, 0xFFFFFF, 0xFFFFFF, 0x404040);
}

bool Inside(const Rect& rect, int x, int y) {
  return x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
}

}  // namespace

VeskNormalScene::VeskNormalScene(nsInputManager::InputManagerfD& input) : m_Input(input) {
  SetUp(m_ButtonAuto, "ButtonAuto", "オート", 20);
  SetUp(m_ButtonSkip, "ButtonSkip", "スキップ", 20);
  SetUp(m_ButtonOption, "ButtonCallOption", "オプション", 20);
  SetUp(m_ButtonReturnTitle, "ButtonReturnTitle", "タイトルに戻る", 20);
  SetUp(m_ButtonYes, "ButtonReturnTitleYes", "はい", 40);
  SetUp(m_ButtonNo, "ButtonReturnTitleNo", "いいえ", 40);
  m_FadeOut.SetColorAndTime(
      0, static_cast<std::uint32_t>(GetParamInt("Data/Common.ini", "Common", "TimeFadeout", 0)));
}

void VeskNormalScene::PreUpdate() {
  if (m_OptionRequested || m_ConfirmOpen) return;
  DefaultNormalScene::PreUpdate();
}

void VeskNormalScene::UpdateButtons() {
  int x = 0;
  int y = 0;
  m_Input.GetMousePos(x, y);
  const std::array<std::pair<UICButtonTextE2*, const char*>, 4> buttons{{
      {&m_ButtonAuto, "ButtonAuto"},
      {&m_ButtonSkip, "ButtonSkip"},
      {&m_ButtonOption, "ButtonCallOption"},
      {&m_ButtonReturnTitle, "ButtonReturnTitle"},
  }};
  bool over = false;
  for (const auto& [button, section] : buttons) {
    button->SetRect(ReadClickRect(section), 255);
    over = over || Inside(button->GetRect(), x, y);
  }
  if (!over) return;
  auto& texts = *Player().GetTextManager();
  if (m_ButtonAuto.Update()) texts.SetAuto(!texts.IsAuto());
  if (m_ButtonSkip.Update()) texts.SetSkip(!texts.IsSkip());
  if (m_ButtonOption.Update()) {
    m_OptionRequested = true;
    m_FadeOut.Start();
  }
  if (m_ButtonReturnTitle.Update()) m_ConfirmOpen = true;
  // The click on a button must not also advance the text.
  m_Input.ResetButtons();
}

void VeskNormalScene::ExecuteWithHeldSkip() {
  nsTamskLib::nsScene::IScenePlayer& player = Player();
  auto& texts = *player.GetTextManager();
  const bool skip = texts.IsSkip();
  const bool readSkip = texts.IsKidokuSkip();
  const bool control = g_Input.GetKey(kLeftControl) != 0 || g_Input.GetKey(kRightControl) != 0;
  texts.SetSkip(skip || control);
  texts.SetKidokuSkip(readSkip || control);
  ExecuteCommand();
  // Control counts only for this frame; a change the command made (the text
  // command ends skip mode at unread text) is kept.
  if (texts.IsSkip() == (skip || control)) texts.SetSkip(skip);
  if (texts.IsKidokuSkip() == (readSkip || control)) texts.SetKidokuSkip(readSkip);
}

void VeskNormalScene::Update() {
  if (g_OptionFadeRunning) return;
  PollInput();
  g_InputManager.Update();
  if (m_OptionRequested || m_ConfirmOpen) {
    if (m_ConfirmOpen && !m_ReturnFading) {
      if (m_ButtonYes.Update()) {
        m_ReturnFading = true;
        m_FadeOut.Start();
      }
      if (m_ButtonNo.Update()) m_ConfirmOpen = false;
    }
    return;
  }
  // The buttons come first, so a click on one has been forgotten before the
  // script's own keys are read.
  if (m_Visible && Player().IsInputEnabled()) UpdateButtons();
  if (AnswerInput()) ExecuteWithHeldSkip();
}

void VeskNormalScene::DrawControls() {
  m_ButtonAuto.Draw();
  m_ButtonSkip.Draw();
  m_ButtonOption.Draw();
  m_ButtonReturnTitle.Draw();
}

void VeskNormalScene::Draw() {
  if (!DrawFrame()) return;
  nsTamskLib::nsDrawManager::BaseDrawManager& draw = Player().Draw();
  if (m_ConfirmOpen) {
    draw.FillRect(nsTamskLib::TRect{0, 0, 800, 600}, 0x000000u, 128);
    draw.DrawText("本当にタイトルに戻りますか？", 190, 260, 255, kFont, 30, 0xFFFFFFu, 0, 0);
    m_ButtonYes.Draw();
    m_ButtonNo.Draw();
  }
  nsEffect::g_OptionFadeIn.Update();
  m_FadeOut.Update();
  draw.Present();
}

void VeskNormalScene::PostUpdate() {
  nsTamskLib::nsScene::IScenePlayer& player = Player();
  if (!m_OptionRequested && !m_ConfirmOpen) {
    if (player.IsInputEnabled()) player.DisableInput();
    return;
  }
  if (m_OptionRequested && !m_FadeOut.IsRunning()) {
    g_BackFromOption = true;
    m_OptionRequested = false;
    g_SceneManager.PushScene(nsCore::kSceneOption);
  }
  if (m_ReturnFading && !m_FadeOut.IsRunning()) {
    m_ConfirmOpen = false;
    m_ReturnFading = false;
    g_SceneManager.PopScene();
    CleanStage();
  }
}

void VeskNormalScene::CleanStage() {
  nsTamskLib::nsScene::IScenePlayer& player = Player();
  EndOpenChoice(player);
  nsTamskLib::nsTaskManager::TaskManager& tasks = player.Tasks();
  nsTamskLib::nsTaskManager::DrawTask background;
  background.Clear();
  tasks.SetBG(background);
  tasks.SetAllSpritesVisible(false);
  nsTamskLib::nsTaskManager::UpdateParam flip;
  flip.Clear();
  flip.Type = 3;
  flip.Time = 0;
  tasks.SetUpdateData(flip);
  tasks.Update();
  auto& draw = *player.GetDrawManager();
  draw.SetTextWindowVisible(false);
  draw.SetTextWindowForced(false);
}

}  // namespace nsVesk::nsADV
