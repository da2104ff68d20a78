#pragma once
// The plug-in interface by name: the function types of what a plug-in registers,
// the functions the program exports (C symbols, bound by the plug-in with dlsym at
// attach) and the entry points a plug-in exports to the program's loader.

#include "engine/api/fwd.h"
#include "engine/api/types.h"

#define TAMSK_EXPORT __attribute__((visibility("default")))

namespace nsTamskLib {

// A command factory: a new command object of its type.
using CmdFactory = ICmd_Base* (*)();
// An update pattern or an effect stage; the result is not used.
using UpdateFunc = int (*)(nsCore::INovelEngine* engine);
// A script parser for one command type; kept, never called by the engine.
using AnalysisFunc = int (*)(unsigned keywordToken);
// Queues or draws a draw task of a plug-in kind or transfer method; result unused.
using DrawTaskFunc = int (*)(nsCore::INovelEngine* engine, const nsTaskManager::DrawTask* task);
// Writes or reads a named save block through the engine's open stream.
using DataFunc = void (*)(nsCore::INovelEngine* engine, nsIOStream::IIOStream* stream);

// What a plug-in exports: the marker the loader looks for, and the attach and
// detach entries the loader calls (attach returns 0 to refuse the host).
using GetTamskLibDllVersionFunc = int (*)();
using TamskLibAttachFunc = int (*)();
using TamskLibDetachFunc = void (*)();
inline constexpr const char kPluginVersionSymbol[] = "GetTamskLibDllVersion";
inline constexpr const char kPluginAttachSymbol[] = "TamskLibAttach";
inline constexpr const char kPluginDetachSymbol[] = "TamskLibDetach";

// The program's exports, the only symbols it makes visible to plug-ins.
inline constexpr const char* kProgramExportNames[] = {
    "GetTamskLibVersion",
    "RegisterPFactory",
    "RegisterPUpdate",
    "RegisterPEffect1",
    "RegisterPEffect2",
    "RegisterPEffect3",
    "RegisterPAnalysis",
    "RegisterPAddDrawTaskFunc",
    "RegisterPDrawTaskFunc",
    "RegisterPBltFunc",
    "RegisterPCommandName",
    "RegisterPEnableSystemCommand",
    "RegisterPSaveLocalDataFunc",
    "RegisterPLoadLocalDataFunc",
    "RegisterPSaveEnvironmentDataFunc",
    "RegisterPLoadEnvironmentDataFunc",
    "GetTMAccessor",
    "SetTMAccessor",
    "GetDMAccessor",
    "SetDMAccessor",
    "Message",
    "RuntimeError",
    "RuntimeWarning",
    "DebugMessage",
    "CalcExpression",
};

}  // namespace nsTamskLib

extern "C" {

TAMSK_EXPORT int GetTamskLibVersion(void);
TAMSK_EXPORT void RegisterPFactory(unsigned type, nsTamskLib::CmdFactory factory);
TAMSK_EXPORT void RegisterPUpdate(unsigned pattern, nsTamskLib::UpdateFunc func);
TAMSK_EXPORT void RegisterPEffect1(unsigned type, nsTamskLib::UpdateFunc func);
TAMSK_EXPORT void RegisterPEffect2(unsigned type, nsTamskLib::UpdateFunc func);
TAMSK_EXPORT void RegisterPEffect3(unsigned type, nsTamskLib::UpdateFunc func);
TAMSK_EXPORT void RegisterPAnalysis(unsigned type, nsTamskLib::AnalysisFunc func);
TAMSK_EXPORT void RegisterPAddDrawTaskFunc(unsigned type, nsTamskLib::DrawTaskFunc func);
TAMSK_EXPORT void RegisterPDrawTaskFunc(unsigned type, nsTamskLib::DrawTaskFunc func);
TAMSK_EXPORT void RegisterPBltFunc(unsigned blt, nsTamskLib::DrawTaskFunc func);
TAMSK_EXPORT void RegisterPCommandName(const char* keyword, unsigned type);
TAMSK_EXPORT void RegisterPEnableSystemCommand(unsigned type);
TAMSK_EXPORT void RegisterPSaveLocalDataFunc(const char* name, nsTamskLib::DataFunc func);
TAMSK_EXPORT void RegisterPLoadLocalDataFunc(const char* name, nsTamskLib::DataFunc func);
TAMSK_EXPORT void RegisterPSaveEnvironmentDataFunc(const char* name, nsTamskLib::DataFunc func);
TAMSK_EXPORT void RegisterPLoadEnvironmentDataFunc(const char* name, nsTamskLib::DataFunc func);

TAMSK_EXPORT nsTamskLib::nsTaskManager::ITMAccessor* GetTMAccessor(void);
TAMSK_EXPORT void SetTMAccessor(nsTamskLib::nsCore::INovelEngine* engine);
TAMSK_EXPORT nsTamskLib::nsDrawManager::IDMAccessor* GetDMAccessor(void);
TAMSK_EXPORT void SetDMAccessor(nsTamskLib::nsCore::INovelEngine* engine);

// The reporting functions: a formatted text (printf placeholders, at most 1,024
// characters) in a box owned by owner. RuntimeError ends the process after its box;
// RuntimeWarning and DebugMessage show nothing.
TAMSK_EXPORT void Message(nsTamskLib::WindowHandle owner, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
[[noreturn]] TAMSK_EXPORT void RuntimeError(nsTamskLib::WindowHandle owner, const char* format,
                                            ...) __attribute__((format(printf, 2, 3)));
TAMSK_EXPORT void RuntimeWarning(nsTamskLib::WindowHandle owner, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
TAMSK_EXPORT void DebugMessage(nsTamskLib::WindowHandle owner, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// Evaluates a postfix expression over the engine's local and global variables.
TAMSK_EXPORT int CalcExpression(const nsTamskLib::Expression& expr,
                                nsTamskLib::nsCore::INovelEngine* engine);

// Exported by a plug-in.
TAMSK_EXPORT int GetTamskLibDllVersion(void);
TAMSK_EXPORT int TamskLibAttach(void);
TAMSK_EXPORT void TamskLibDetach(void);

}  // extern "C"
