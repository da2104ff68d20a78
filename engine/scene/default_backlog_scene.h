#pragma once
// DefaultBackLogScene: the scene of the backlog state. It shows one earlier message
// at a time in the ordinary text window over the frozen story picture, moves through
// the records with the wheel (up is older) and, when closed, puts back the message
// and talker name that were on screen when it opened.

#include "engine/api/backlog_record.h"
#include "engine/scene/scene_base.h"

namespace nsTamskLib::nsScene {

class DefaultBackLogScene : public IScene_Base {
 public:
  DefaultBackLogScene() = default;

  // The next visit prepares itself again.
  void Initialize() override;
  // On the first frame of a visit: the newest record, the screen's texts kept.
  void PreUpdate() override;
  // Scrolls and shows the record under the cursor.
  void Update() override;
  void Draw() override;
  // The close key returns to the state underneath with the screen's texts restored.
  void PostUpdate() override;

 private:
  bool m_FirstFrame = true;
  // The message and talker shown when the backlog opened.
  nsTextManager::BackLogRecord m_SavedText;
};

}  // namespace nsTamskLib::nsScene
