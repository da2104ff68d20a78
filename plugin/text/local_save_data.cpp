#include "plugin/text/local_save_data.h"

#include <cstdint>
#include <string>

#include "engine/api/io_stream.h"
#include "plugin/core/stream_fields.h"
#include "plugin/text/kinsoku.h"
#include "plugin/text/text_sprites.h"
#include "plugin/text/text_style_state.h"

namespace nsWendrick {
namespace {

// The eight values the layout reads, in block order.
LayoutValue* const* LayoutValues() {
  static LayoutValue* const values[8] = {
      &TextStyle().text.cspace,   &TextStyle().text.lspace,   &TextStyle().text.align,
      &TextStyle().talker.cspace, &TextStyle().talker.lspace, &TextStyle().talker.align,
      &TextStyle().ruby.cspace,   &TextStyle().ruby.offset,
  };
  return values;
}

void SaveSpriteMap(nsTamskLib::nsIOStream::IIOStream* stream, const TextSpriteMap& map) {
  SaveBlockInt(stream, static_cast<std::int32_t>(map.size()));
  for (const auto& [name, sprite] : map) {
    SaveStringField(stream, name);
    SaveStringField(stream, sprite.text);
    SaveStringField(stream, sprite.font);
    SaveBlockInt(stream, sprite.size);
    SaveBlockInt(stream, sprite.color);
  }
}

void LoadSpriteMap(nsTamskLib::nsIOStream::IIOStream* stream, TextSpriteMap& map) {
  map.clear();
  const std::int32_t count = LoadBlockInt(stream);
  for (std::int32_t i = 0; i < count; ++i) {
    // A damaged count must not keep reading past the end of the file.
    if (stream->HasReadFailed()) break;
    std::string name = LoadStringField(stream);
    TextSpriteDefinition sprite;
    sprite.text = LoadStringField(stream);
    sprite.font = LoadStringField(stream);
    sprite.size = LoadBlockInt(stream);
    sprite.color = LoadBlockInt(stream);
    if (stream->HasReadFailed()) break;
    map[std::move(name)] = std::move(sprite);
  }
}

}  // namespace

void WendrickSaveLocalData(nsTamskLib::nsCore::INovelEngine* /*engine*/,
                           nsTamskLib::nsIOStream::IIOStream* stream) {
  SaveLeadingChs(stream);
  SaveFollowingChs(stream);
  SaveFollowingWeakChs(stream);
  // A value set since the last message is written as the one the next message
  // uses: it is pending again after a load, so nothing the script set is lost.
  LayoutValue* const* values = LayoutValues();
  for (int i = 0; i < 8; ++i) SaveBlockInt(stream, values[i]->Upcoming());
  const TextStyleState& style = TextStyle();
  SaveBlockInt(stream, style.choice.cspace);
  SaveBlockInt(stream, style.choice.lspace);
  SaveBlockInt(stream, style.choice.align);
  SaveBlockInt(stream, style.skipWait);
  SaveSpriteMap(stream, TextSprites(0));
  SaveSpriteMap(stream, TextSprites(1));
}

void WendrickLoadLocalData(nsTamskLib::nsCore::INovelEngine* /*engine*/,
                           nsTamskLib::nsIOStream::IIOStream* stream) {
  LoadLeadingChs(stream);
  LoadFollowingChs(stream);
  LoadFollowingWeakChs(stream);
  LayoutValue* const* values = LayoutValues();
  for (int i = 0; i < 8; ++i) values[i]->pending.Set(LoadBlockInt(stream));
  TextStyleState& style = TextStyle();
  style.choice.cspace = LoadBlockInt(stream);
  style.choice.lspace = LoadBlockInt(stream);
  style.choice.align = LoadBlockInt(stream);
  style.skipWait = LoadBlockInt(stream);
  LoadSpriteMap(stream, TextSprites(0));
  LoadSpriteMap(stream, TextSprites(1));
}

}  // namespace nsWendrick
