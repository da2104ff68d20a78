#include "engine/component/ui_component.h"

#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
#include "engine/api/sound_manager.h"
#include "engine/drawmanager/base_draw_manager.h"

namespace nsTamskLib::nsComponent {

bool IsInHitArea(std::int64_t x, std::int64_t y, std::int64_t left, std::int64_t top,
                 std::int64_t right, std::int64_t bottom, std::int64_t borderWidth) {
  return left - borderWidth <= x && x <= right + borderWidth && top - borderWidth <= y &&
         y <= bottom + borderWidth;
}

void PlayComponentSound(nsCore::INovelEngine* engine, const std::string& name) {
  if (!name.empty()) engine->GetSoundManager()->PlaySE(name.c_str());
}

nsDrawManager::BaseDrawManager& DrawManagerOf(nsCore::INovelEngine* engine) {
  auto* draw = engine != nullptr
                   ? dynamic_cast<nsDrawManager::BaseDrawManager*>(engine->GetDrawManager())
                   : nullptr;
  if (draw == nullptr) {
    RuntimeError(engine != nullptr ? engine->GetWindowHandle() : nullptr,
                 "コンポーネントに描画マネージャが設定されていません！");
  }
  return *draw;
}

}  // namespace nsTamskLib::nsComponent
