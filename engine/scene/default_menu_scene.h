#pragma once
// DefaultMenuScene: the scene of the menu state, a column of buttons over the frozen
// story picture: auto and skip (each toggles its mode and closes the menu), save,
// load and config (each opens its screen above the menu), quit (after a question)
// and return.

#include "engine/component/ui_button_draw.h"
#include "engine/scene/scene_base.h"

namespace nsTamskLib::nsScene {

class DefaultMenuScene : public IScene_Base {
 public:
  DefaultMenuScene();

  void Initialize() override {}
  void PreUpdate() override {}
  void Update() override;
  void Draw() override;
  void PostUpdate() override {}
  // The engine goes to every button too.
  void SetEngine(nsCore::INovelEngine* engine) override;
  // "終了しますか？"; true on Yes.
  virtual bool ConfirmQuit();

 private:
  // Acts on a click of the button; true when it popped a state or began the quit.
  bool Act(const nsComponent::UICButtonDraw& button);

  nsComponent::UICButtonDraw m_AutoButton;
  nsComponent::UICButtonDraw m_SkipButton;
  nsComponent::UICButtonDraw m_SaveButton;
  nsComponent::UICButtonDraw m_LoadButton;
  nsComponent::UICButtonDraw m_ConfigButton;
  nsComponent::UICButtonDraw m_QuitButton;
  nsComponent::UICButtonDraw m_ReturnButton;
};

}  // namespace nsTamskLib::nsScene
