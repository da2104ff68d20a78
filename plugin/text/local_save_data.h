#pragma once
// The plug-in's block "Wendrick" in every save slot: the three line-breaking sets,
// the twelve style values the plug-in keeps itself, and the text sprites of both
// pages. Integers are four little-endian bytes, strings the stream's complemented
// form; every field is written and read only while the stream is open.

#include "engine/api/fwd.h"

namespace nsWendrick {

void WendrickSaveLocalData(nsTamskLib::nsCore::INovelEngine* engine,
                           nsTamskLib::nsIOStream::IIOStream* stream);

// Replaces the sets and the sprite maps. The text, talker and ruby values become
// pending, so they apply at the next message; the choice style and the skip time
// apply at once.
void WendrickLoadLocalData(nsTamskLib::nsCore::INovelEngine* engine,
                           nsTamskLib::nsIOStream::IIOStream* stream);

}  // namespace nsWendrick
