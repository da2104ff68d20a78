#pragma once
// Forward declarations of the plug-in interface's classes and records.

namespace nsTamskLib {
class mystr;
class vector_mystr;
class Expression;
class TextTokenLine;
class TextTokenSection;
struct CommandParam;
class ICmd_Base;
namespace nsCore { class INovelEngine; }
namespace nsSimulatedHeap { class ISingleHeap; class ICommandHeap; }
namespace nsIOStream { class IIOStream; }
namespace nsTextStream { class ITextStream; }
namespace nsTaskManager {
struct DrawTask;
struct Sprite;
struct Button;
struct EffectParam;
struct UpdateParam;
class ITaskManager;
class ITMAccessor;
}  // namespace nsTaskManager
namespace nsDrawManager { class IDrawManager; class IDMAccessor; }
namespace nsTextManager { struct BackLogRecord; class ITextManager; }
namespace nsSoundManager { class ISoundManager; }
namespace nsInputManager { class IInputManager; }
}  // namespace nsTamskLib
