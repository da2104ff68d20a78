#include "plugin/text/text_sprite_layout.h"

#include "engine/api/draw_records.h"
#include "engine/api/task_manager.h"
#include "plugin/core/host_api.h"
#include "plugin/text/text_layout.h"
#include "plugin/text/text_sprites.h"
#include "plugin/text/text_style_state.h"

namespace nsWendrick {

void RebuildTextSprites(nsTamskLib::nsCore::INovelEngine* engine) {
  const HostApiTable& api = GetHostApi();
  const auto get = api.As<GetTMAccessorFunc>(kGetTMAccessor);
  const std::uint32_t shown = ShownPage(engine);  // binds the accessor
  if (get == nullptr || get() == nullptr) return;
  nsTamskLib::nsTaskManager::ITMAccessor* accessor = get();
  for (const std::uint32_t page : {shown, shown == 0 ? 1u : 0u}) {
    for (const auto& [name, definition] : TextSprites(page)) {
      nsTamskLib::nsTaskManager::Sprite* sprite = accessor->GetSprite(name.c_str());
      if (sprite == nullptr) continue;
      LayoutTaggedText(definition.text, definition.font, definition.size,
                       static_cast<std::uint32_t>(definition.color), 0,
                       TextStyle().ruby.offset.current, 0, 0, -1, -1, engine,
                       sprite->Task[page].Text);
    }
  }
}

}  // namespace nsWendrick
