#include "plugin/text/text_sprites.h"

#include "engine/api/task_manager.h"
#include "plugin/core/host_api.h"

namespace nsWendrick {
namespace {

TextSpriteMap g_Pages[2];

std::uint32_t OtherPage(std::uint32_t page) { return page == 0 ? 1 : 0; }

}  // namespace

TextSpriteMap& TextSprites(std::uint32_t page) { return g_Pages[page == 0 ? 0 : 1]; }

void ClearTextSprites() {
  g_Pages[0].clear();
  g_Pages[1].clear();
}

std::uint32_t ShownPage(nsTamskLib::nsCore::INovelEngine* engine) {
  const HostApiTable& api = GetHostApi();
  const auto bind = api.As<SetAccessorFunc>(kSetTMAccessor);
  const auto get = api.As<GetTMAccessorFunc>(kGetTMAccessor);
  if (bind == nullptr || get == nullptr) return 0;
  bind(engine);
  nsTamskLib::nsTaskManager::ITMAccessor* accessor = get();
  return accessor != nullptr && accessor->GetPage() != 0 ? 1 : 0;
}

void CreateTextSprite(const std::string& name, const std::string& text, const std::string& font,
                      std::int32_t size, std::int32_t color,
                      nsTamskLib::nsCore::INovelEngine* engine) {
  const std::uint32_t shown = ShownPage(engine);
  TextSpriteMap& shownMap = TextSprites(shown);
  TextSpriteMap& hiddenMap = TextSprites(OtherPage(shown));
  const TextSpriteDefinition definition{text, font, size, color};
  if (shownMap.find(name) == shownMap.end()) {
    hiddenMap.emplace(name, definition);
    shownMap.emplace(name, definition);
  } else {
    hiddenMap[name] = definition;
  }
}

void CopyTextSpritesToOtherSet(nsTamskLib::nsCore::INovelEngine* engine) {
  const std::uint32_t shown = ShownPage(engine);
  TextSprites(OtherPage(shown)) = TextSprites(shown);
}

}  // namespace nsWendrick
