#pragma once
// The program-wide objects: made by the entry (the archive and the parameter
// manager) or static for the whole run (the scene stack, graphics, sound, input,
// and the binary stream of the compiled script and the save files).

#include "framework/filepack/file_pack_manager.h"
#include "framework/graphics/zarn_graphic.h"
#include "framework/input/zarn_input.h"
#include "framework/param/param_manager.h"
#include "framework/scene/scene_manager.h"
#include "framework/sound/sound_device.h"
#include "engine/iostream/base_io_stream.h"

namespace nsVesk {

// The data archive the entry packs and opens, and every reader of the game's files reads.
inline constexpr char kArchiveFile[] = "Data.dat";

extern nsZarn::nsFramework::nsFilePack::FilePackManager* g_FilePackManager;
extern nsZarn::nsFramework::nsParam::ParamManager* g_ParamManager;
// Holds the empty scene at the bottom of its stack from the start.
extern nsZarn::nsFramework::nsScene::CSceneManager g_SceneManager;
extern nsZarn::nsGraphics::ZarnGraphic g_Graphic;
extern nsZarn::nsSound::ZarnSound g_Sound;
extern nsZarn::nsInput::ZarnInput g_Input;
// Reads "scenario.dat" and reads and writes "global.dat", "kidoku.dat" and "env.dat".
extern nsTamskLib::nsIOStream::BaseIOStream g_SaveStream;

}  // namespace nsVesk
