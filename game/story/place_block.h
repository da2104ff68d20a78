#pragma once
// The game's place in a save slot: a block of the game's own among the slot's
// registered blocks (the registry the plug-ins' blocks go through), holding which
// character, stage and round the story belongs to and whether it is a round's
// story or the stage's reward. A slot that holds it brings the game back to that
// place when it is loaded, so that the next `suspend` leads where it led in the
// saved game: to the battle of the saved round, or to the title after a reward.
//
// After its name the block holds four little-endian 32-bit words: g_SelectChara,
// g_SelectEnemy, g_Round and the id of the scene the story ran in (kSceneStory or
// kSceneReward).

#include <cstdint>

namespace nsVesk::nsCore {

// Blocks are written in name order; this name sorts after the plug-in's
// ("Wendrick"), so a program without this block reads the plug-in's block of a
// newer slot and stops cleanly in front of this one.
inline constexpr char kPlaceBlockName[] = "vesk.place";

// Registers the block's save and load functions. The registries are emptied when
// the plug-ins are unloaded, so this follows every loading of the plug-ins.
void RegisterPlaceBlock();

// Forgets the place read by an earlier slot.
void ForgetLoadedPlace();
// After a slot has been loaded: the place it held becomes the game's. The
// selection is set, the battle gets the character and the round's stage as after
// the select scene, and the running scene is replaced by the saved one, which goes
// on at the loaded script position. A slot without the block leaves the place as
// it is.
void RestoreLoadedPlace();

// Whether the scene `id` being built is the one a load restored (true once): it
// keeps the loaded script position instead of starting its section.
bool TakeRestoredScene(std::int32_t id);

}  // namespace nsVesk::nsCore
