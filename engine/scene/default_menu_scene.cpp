#include "engine/scene/default_menu_scene.h"

#include "engine/api/input_manager.h"
#include "engine/api/sound_manager.h"
#include "engine/api/text_manager.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "engine/scene/scene_player.h"
#include "engine/scene/story_screen.h"

namespace nsTamskLib::nsScene {

DefaultMenuScene::DefaultMenuScene() {
  StyleScreenButton(m_AutoButton, 640, 10, 150, 30, "オート");
  StyleScreenButton(m_SkipButton, 640, 45, 150, 30, "スキップ");
  StyleScreenButton(m_SaveButton, 640, 80, 150, 30, "セーブ");
  StyleScreenButton(m_LoadButton, 640, 115, 150, 30, "ロード");
  StyleScreenButton(m_ConfigButton, 640, 150, 150, 30, "環境設定");
  StyleScreenButton(m_QuitButton, 640, 185, 150, 30, "ゲーム終了");
  StyleScreenButton(m_ReturnButton, 640, 220, 150, 30, "ゲームに戻る");
}

void DefaultMenuScene::SetEngine(nsCore::INovelEngine* engine) {
  IScene_Base::SetEngine(engine);
  for (nsComponent::UICButtonDraw* button : {&m_AutoButton, &m_SkipButton, &m_SaveButton,
                                             &m_LoadButton, &m_ConfigButton, &m_QuitButton,
                                             &m_ReturnButton}) {
    button->SetEngine(engine);
  }
}

bool DefaultMenuScene::ConfirmQuit() { return AskConfirmation("終了しますか？"); }

bool DefaultMenuScene::Act(const nsComponent::UICButtonDraw& button) {
  IScenePlayer& player = Player();
  nsTextManager::ITextManager& texts = *player.GetTextManager();
  if (&button == &m_AutoButton) {
    texts.SetAuto(!texts.IsAuto());
    player.PopState();
  } else if (&button == &m_SkipButton) {
    texts.SetSkip(!texts.IsSkip());
    player.PopState();
  } else if (&button == &m_SaveButton) {
    player.PushState(nsCore::kStateSave);
    return false;
  } else if (&button == &m_LoadButton) {
    player.PushState(nsCore::kStateLoad);
    return false;
  } else if (&button == &m_ConfigButton) {
    player.PushState(nsCore::kStateConfig);
    return false;
  } else if (&button == &m_QuitButton) {
    if (!ConfirmQuit()) return false;
    nsSoundManager::ISoundManager& sound = *player.GetSoundManager();
    sound.StopBGM();
    sound.StopAllSE();
    sound.StopAllVoice();
    // The player ends the program from the quit state. The close key of the same
    // frame must not pop it: the quit was confirmed and the sound is already stopped.
    player.PushState(nsCore::kStateQuit);
  } else {
    player.PopState();
  }
  return true;
}

void DefaultMenuScene::Update() {
  IScenePlayer& player = Player();
  nsInputManager::IInputManager& input = *player.GetInputManager();
  input.Update();
  input.UpdateClickLock();
  // Every button follows the pointer each frame and acts on its click. The close key
  // pops a state only when no button popped one (or quit), so one frame never pops
  // twice; after a button that opened a screen it pops that screen again.
  bool popped = false;
  for (nsComponent::UICButtonDraw* button : {&m_AutoButton, &m_SkipButton, &m_SaveButton,
                                             &m_LoadButton, &m_ConfigButton, &m_QuitButton,
                                             &m_ReturnButton}) {
    if (button->Update() && Act(*button)) popped = true;
  }
  if (!popped && input.IsMenuClose()) player.PopState();
}

void DefaultMenuScene::Draw() {
  IScenePlayer& player = Player();
  if (player.GetState() != nsCore::kStateMenu) return;
  DrawFrozenStory(player);
  DimScreen(player);
  for (nsComponent::UICButtonDraw* button : {&m_AutoButton, &m_SkipButton, &m_SaveButton,
                                             &m_LoadButton, &m_ConfigButton, &m_QuitButton,
                                             &m_ReturnButton}) {
    button->Draw();
  }
  player.Draw().Present();
}

}  // namespace nsTamskLib::nsScene
