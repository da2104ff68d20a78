#pragma once
// The game's own on-screen controls, drawn by the scenes outside the engine's task
// manager. A scene calls Update once per frame (after polling the program-wide
// input manager) to learn whether the control was clicked, and Draw while it draws.

namespace nsVesk::nsComponent {

class IUIComponent {
 public:
  virtual ~IUIComponent() = default;
  virtual void Draw() = 0;
  // True in a frame in which the control counts as clicked.
  virtual bool Update() = 0;
};

}  // namespace nsVesk::nsComponent
