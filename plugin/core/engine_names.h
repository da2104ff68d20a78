#pragma once
// The engine interface's names that the plug-in's sources use throughout, brought
// into the plug-in's namespace once.

#include "engine/api/fwd.h"
#include "engine/api/types.h"

namespace nsWendrick {

using nsTamskLib::CommandParam;
using nsTamskLib::Expression;
using nsTamskLib::ICmd_Base;
using nsTamskLib::TextTokenSection;
using nsTamskLib::TRect;
using nsTamskLib::WindowHandle;
using nsTamskLib::nsCore::INovelEngine;
using nsTamskLib::nsDrawManager::IDrawManager;
using nsTamskLib::nsIOStream::IIOStream;
using nsTamskLib::nsTaskManager::ITMAccessor;
using nsTamskLib::nsTextStream::ITextStream;

}  // namespace nsWendrick
