#pragma once
// Text sprites: sprites whose picture is a laid-out text. Their definitions are
// kept per page of the task manager (page 0 and page 1), by sprite name, so that a
// page flip can carry the hidden page's definitions over and a saved game can lay
// them out again.

#include <cstdint>
#include <map>
#include <string>

#include "engine/api/fwd.h"

namespace nsWendrick {

struct TextSpriteDefinition {
  std::string text;
  std::string font;
  std::int32_t size = 0;
  std::int32_t color = 0;

  bool operator==(const TextSpriteDefinition&) const = default;
};

// Ordered by the name's bytes.
using TextSpriteMap = std::map<std::string, TextSpriteDefinition>;

// The map of page 0 or 1 (any other number is taken as page 1).
TextSpriteMap& TextSprites(std::uint32_t page);
// Empties both maps.
void ClearTextSprites();

// Records a definition. A name the shown page does not know yet enters the hidden
// page's map and then the shown page's (an entry already there stays as it is);
// a known name changes only the hidden page's entry, until the next flip.
void CreateTextSprite(const std::string& name, const std::string& text, const std::string& font,
                      std::int32_t size, std::int32_t color,
                      nsTamskLib::nsCore::INovelEngine* engine);

// After a page flip: the hidden page's map becomes a copy of the shown page's.
void CopyTextSpritesToOtherSet(nsTamskLib::nsCore::INovelEngine* engine);

// The page the task manager shows now (0 without a bound accessor).
std::uint32_t ShownPage(nsTamskLib::nsCore::INovelEngine* engine);

}  // namespace nsWendrick
