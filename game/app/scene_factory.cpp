#include "game/app/scene_factory.h"

#include <cstdint>
#include <new>

#include "game/battle/game_scene.h"
#include "game/logo/logo_scene.h"
#include "game/option/option_scene.h"
#include "game/reward/gohoubi_scene.h"
#include "game/select/select_scene.h"
#include "game/story/adv_scene.h"
#include "game/title/title_scene.h"

namespace nsVesk::nsCore {

using nsZarn::nsFramework::nsScene::CNullScene;
using nsZarn::nsFramework::nsScene::IScene;

IScene* cSceneFactory::CreateScene(int id) {
  // Compared as unsigned: negative ids fall to the empty scene with the unknown ones.
  switch (static_cast<std::uint32_t>(id)) {
    case kSceneLogo:
      return new (std::nothrow) nsLogo::cLogoScene;
    case kSceneTitle:
      return new (std::nothrow) nsTitle::cTitleScene;
    case kSceneOption:
      return new (std::nothrow) nsOption::cOptionScene;
    case kSceneSelect:
      return new (std::nothrow) nsSelect::cSelectScene;
    case kSceneBattle:
      return new (std::nothrow) nsGame::cGameScene;
    case kSceneStory:
      return new (std::nothrow) nsADV::cADVScene;
    case kSceneReward:
      return new (std::nothrow) nsGohoubi::cGohoubiScene;
    default:
      return new (std::nothrow) CNullScene;
  }
}

}  // namespace nsVesk::nsCore
