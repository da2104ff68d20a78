#include "plugin/text/text_sprite_layout.h"

#include "engine/api/draw_records.h"
#include "engine/api/novel_engine.h"
#include "engine/api/task_manager.h"
#include "plugin/core/host_api.h"
#include "plugin/core/host_calls.h"
#include "plugin/text/text_layout.h"
#include "plugin/text/text_sprites.h"
#include "plugin/text/text_style_state.h"

namespace nsWendrick {
namespace {

// A definition can outlive its sprite (a new game, a slot read without this
// library's block, a damaged slot): it has nothing to lay out into, so it is
// dropped from both pages with one warning.
void DropDefinitionsWithoutSprites(nsTamskLib::nsCore::INovelEngine* engine,
                                   std::uint32_t first) {
  nsTamskLib::nsTaskManager::ITaskManager* tasks = engine->GetTaskManager();
  TextSpriteMap& other = TextSprites(first == 0 ? 1u : 0u);
  for (TextSpriteMap* map : {&TextSprites(first), &other}) {
    for (auto entry = map->begin(); entry != map->end();) {
      if (tasks->ExistsSprite(entry->first.c_str())) {
        ++entry;
        continue;
      }
      HostRuntimeWarning(OwnerWindow(engine),
                         "%sは存在しないスプライトです！テキストスプライトの定義を破棄します。",
                         entry->first.c_str());
      if (map != &other) other.erase(entry->first);
      entry = map->erase(entry);
    }
  }
}

}  // namespace

void RebuildTextSprites(nsTamskLib::nsCore::INovelEngine* engine) {
  const HostApiTable& api = GetHostApi();
  const auto get = api.As<GetTMAccessorFunc>(kGetTMAccessor);
  const std::uint32_t shown = ShownPage(engine);  // binds the accessor
  if (get == nullptr || get() == nullptr) return;
  nsTamskLib::nsTaskManager::ITMAccessor* accessor = get();
  DropDefinitionsWithoutSprites(engine, shown);
  for (const std::uint32_t page : {shown, shown == 0 ? 1u : 0u}) {
    for (const auto& [name, definition] : TextSprites(page)) {
      nsTamskLib::nsTaskManager::Sprite* sprite = accessor->GetSprite(name.c_str());
      LayoutTaggedText(definition.text, definition.font, definition.size,
                       static_cast<std::uint32_t>(definition.color), 0,
                       TextStyle().ruby.offset.current, 0, 0, -1, -1, engine,
                       sprite->Task[page].Text);
    }
  }
}

}  // namespace nsWendrick
