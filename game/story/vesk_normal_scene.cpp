#include "game/story/vesk_normal_scene.h"

#include <array>
#include <string>

#include "engine/api/draw_records.h"
#include "engine/api/input_manager.h"
#include "engine/api/sound_manager.h"
#include "engine/core/novel_player.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/core/shell_objects.h"
#include "game/managers/input_manager_fd.h"
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

VeskNormalScene::VeskNormalScene() {
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

bool VeskNormalScene::CallSystem() {
  nsTamskLib::nsCore::NovelPlayer& player = Player();
  auto& input = *player.GetInputManager();
  using namespace nsTamskLib::nsCore;
  if (input.IsBackLogCall() && !player.Texts().IsBackLogEmpty()) {
    player.PushState(kStateBackLog);
    return true;
  }
  if (!player.IsMenuEnabled()) return false;
  if (input.IsMenuCall()) {
    player.PushState(kStateMenu);
  } else if (input.IsSaveCall()) {
    player.PushState(kStateSave);
  } else if (input.IsLoadCall()) {
    player.PushState(kStateLoad);
  } else if (input.IsConfigCall()) {
    player.PushState(kStateConfig);
  } else {
    const bool suspend = input.IsSuspendCall();
    if (!suspend && !input.IsQuitCall()) return false;
    auto& sound = *player.GetSoundManager();
    sound.StopBGM();
    sound.StopAllSE();
    sound.StopAllVoice();
    player.PushState(suspend ? kStateSuspended : kStateQuit);
  }
  return true;
}

void VeskNormalScene::UpdateButtons() {
  nsTamskLib::nsCore::NovelPlayer& player = Player();
  int x = 0;
  int y = 0;
  player.GetInputManager()->GetMousePos(x, y);
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
  auto& texts = *player.GetTextManager();
  if (m_ButtonAuto.Update()) texts.SetAuto(!texts.IsAuto());
  if (m_ButtonSkip.Update()) texts.SetSkip(!texts.IsSkip());
  if (m_ButtonOption.Update()) {
    m_OptionRequested = true;
    m_FadeOut.Start();
  }
  if (m_ButtonReturnTitle.Update()) m_ConfirmOpen = true;
  // The click on a button must not also advance the text.
  if (auto* input = dynamic_cast<nsInputManager::InputManagerfD*>(player.GetInputManager())) input->ResetButtons();
}

void VeskNormalScene::ExecuteWithHeldSkip() {
  nsTamskLib::nsCore::NovelPlayer& player = Player();
  auto& texts = *player.GetTextManager();
  const bool skip = texts.IsSkip();
  const bool readSkip = texts.IsKidokuSkip();
  const bool control = g_Input.GetKey(kLeftControl) != 0 || g_Input.GetKey(kRightControl) != 0;
  texts.SetSkip(skip || control);
  texts.SetKidokuSkip(readSkip || control);
  player.Tasks().UpdateButtons();
  player.Commands().Execute();
  // Control counts only for this frame; a change the command made (the text
  // command ends skip mode at unread text) is kept.
  if (texts.IsSkip() == (skip || control)) texts.SetSkip(skip);
  if (texts.IsKidokuSkip() == (readSkip || control)) texts.SetKidokuSkip(readSkip);
}

void VeskNormalScene::Update() {
  if (g_OptionFadeRunning) return;
  nsTamskLib::nsCore::NovelPlayer& player = Player();
  auto& input = *player.GetInputManager();
  input.Update();
  g_InputManager.Update();
  input.UpdateClickLock();

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
  if (!m_Visible) {
    if (input.IsTextWindowToggle()) {
      m_Visible = true;
      player.Tasks().LeaveExclusiveBVCS();
    }
    return;
  }
  if (player.IsInputEnabled()) {
    UpdateButtons();
    auto& draw = *player.GetDrawManager();
    if (input.IsTextWindowToggle() && draw.IsTextWindowVisible() && !draw.IsTextWindowForced()) {
      m_Visible = false;
      player.Tasks().EnterExclusiveBVCS();
      return;
    }
    if (!CallSystem()) {
      auto& texts = *player.GetTextManager();
      if (input.IsSkipOn()) texts.SetSkip(true);
      if (input.IsSkipOff()) texts.SetSkip(false);
      if (input.IsAutoOn()) texts.SetAuto(true);
      if (input.IsAutoOff()) texts.SetAuto(false);
    }
  }
  ExecuteWithHeldSkip();
}

void VeskNormalScene::Draw() {
  nsTamskLib::nsCore::NovelPlayer& player = Player();
  if (player.GetState() != nsTamskLib::nsCore::kStateNormal) return;
  nsTamskLib::nsDrawManager::BaseDrawManager& draw = player.Draw();
  nsTamskLib::nsTaskManager::TaskManager& tasks = player.Tasks();
  draw.ClearScreen();
  tasks.Update();
  draw.DrawUnderTasks();
  tasks.EffectBeforeDraw();
  draw.DrawTasks();
  tasks.EffectAfterDraw();
  if (m_Visible) {
    if (draw.IsTextWindowVisible() || draw.IsTextWindowForced()) {
      draw.DrawTextWindow();
      m_ButtonAuto.Draw();
      m_ButtonSkip.Draw();
      m_ButtonOption.Draw();
      m_ButtonReturnTitle.Draw();
      draw.DrawTalkerText();
      draw.DrawMessageText();
      draw.DrawTextCursor();
    }
    draw.DrawSelectWindow();
  }
  tasks.EffectAfterTextWindow();
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
  nsTamskLib::nsCore::NovelPlayer& player = Player();
  if (!m_OptionRequested && !m_ConfirmOpen) {
    if (player.IsInputEnabled()) player.DisableInput();
    return;
  }
  if (m_OptionRequested && !m_FadeOut.IsRunning()) {
    g_BackFromOption = true;
    m_OptionRequested = false;
    g_SceneManager.PushScene(kOptionSceneId);
  }
  if (m_ReturnFading && !m_FadeOut.IsRunning()) {
    m_ConfirmOpen = false;
    m_ReturnFading = false;
    g_SceneManager.PopScene();
    CleanStage();
  }
}

void VeskNormalScene::CleanStage() {
  nsTamskLib::nsCore::NovelPlayer& player = Player();
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
