#pragma once
// DefaultNormalScene: the scene of the normal player state, in which the script
// runs. Each frame it accepts the player's system input while the current command
// allows it, answers the system keys by pushing another player state, hides and
// shows the text window, updates the buttons and executes the current command;
// then it draws the frame. The game installs a subclass of it.

#include "engine/scene/scene_base.h"

namespace nsTamskLib::nsScene {

class DefaultNormalScene : public IScene_Base {
 public:
  DefaultNormalScene() = default;

  // A hidden text window is shown again.
  void Initialize() override;
  // Accepts input while the current command's type is a system-enabled one.
  void PreUpdate() override;
  // Input, system keys, window toggle, reading modes, buttons, the command.
  void Update() override;
  // The frame, only while the state is still normal.
  void Draw() override;
  // Input is accepted at most until here.
  void PostUpdate() override;

  bool IsVisible() const { return m_Visible; }

 protected:
  // The steps of a frame, for a subclass that adds to the frame between them.
  // Polls the player's input manager and counts down its click lock.
  void PollInput();
  // The text window toggle, the system keys and the reading-mode keys while input is
  // accepted; false when no command runs this frame (the window is hidden, or was
  // hidden just now).
  bool AnswerInput();
  // The buttons and one frame of the current command.
  void ExecuteCommand();
  // The frame up to the last effect stage, not yet presented; false (nothing drawn)
  // once the state is no longer normal.
  bool DrawFrame();
  // Pushes the state of the first system call asked for; false when none was.
  bool CallSystem();

  // Draws over the text window, under its talker and message: a subclass's
  // on-screen controls.
  virtual void DrawControls() {}

  // False while the player has hidden the text window; no command runs then.
  bool m_Visible = true;
};

}  // namespace nsTamskLib::nsScene
