#pragma once
// HostApiTable: the host's functions, bound by name when the plug-in attaches. Every
// other part of the plug-in reaches the host only through this table. A name that
// the host does not export leaves its entry null.

#include <cstddef>
#include <functional>

#include "engine/api/plugin_api.h"
#include "plugin/core/compiler_services.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// Entries of the table, in binding order.
enum HostApiEntry : std::size_t {
  kGetTamskLibVersion = 0,
  kMessage,
  kDebugMessage,
  kRuntimeWarning,
  kRuntimeError,
  kCalcExpression,
  // 6-31: the operations of the host's save stream, reached through the stream object.
  kSaveNum,
  kLoadRecord = 31,
  kRegisterPFactory,
  kRegisterPUpdate,
  kRegisterPEffect1,
  kRegisterPEffect2,
  kRegisterPEffect3,
  kRegisterPAnalysis,
  kRegisterPCommandName,
  kRegisterPEnableSystemCommand,
  kRegisterPSaveLocalDataFunc,
  kRegisterPLoadLocalDataFunc,
  kRegisterPSaveEnvironmentDataFunc,
  kRegisterPLoadEnvironmentDataFunc,
  kRegisterPAddDrawTaskFunc,
  kRegisterPDrawTaskFunc,
  kRegisterPBltFunc,
  kGetTMAccessor,
  kSetTMAccessor,
  kGetDMAccessor,
  kSetDMAccessor,
  kGetTokenSize,
  kGetToken,
  kGetRef,
  kAddCommand,
  kIsConst,
  kIsLabel,
  kIsString,
  kIsOperator,
  kIsIdentifer,
  kIsSeparator,
  kIsParameter,
  kIsButtonVar,
  kIsSpriteVar,
  kIsValidSyntax,
  kHostApiEntryCount,
};
static_assert(kRegisterPFactory == 32 && kIsValidSyntax == 64 && kHostApiEntryCount == 65);

// The exported name of each entry.
extern const char* const kHostApiNames[kHostApiEntryCount];

// Finds an exported function of the host by name; null when the host has none.
using HostResolver = std::function<void*(const char* name)>;

// Function types of the entries the plug-in calls.
using GetVersionFunc = int (*)();
using ReportFunc = void (*)(WindowHandle owner, const char* format, ...);
using CalcExpressionFunc = int (*)(const Expression& expr,
                                   INovelEngine* engine);
using RegisterFactoryFunc = void (*)(unsigned type, nsTamskLib::CmdFactory factory);
using RegisterUpdateFunc = void (*)(unsigned number, nsTamskLib::UpdateFunc func);
using RegisterAnalysisFunc = void (*)(unsigned type, nsTamskLib::AnalysisFunc func);
using RegisterCommandNameFunc = void (*)(const char* keyword, unsigned type);
using RegisterSystemCommandFunc = void (*)(unsigned type);
using RegisterDataFunc = void (*)(const char* name, nsTamskLib::DataFunc func);
using GetTMAccessorFunc = ITMAccessor* (*)();
using GetDMAccessorFunc = nsTamskLib::nsDrawManager::IDMAccessor* (*)();
using SetAccessorFunc = void (*)(INovelEngine* engine);

class HostApiTable {
 public:
  void* Get(HostApiEntry entry) const { return m_Entries[entry]; }
  // Looks the entry's name up and stores the result (null when missing).
  void Bind(HostApiEntry entry, const HostResolver& resolve);
  // Forgets every entry.
  void Clear();

  template <typename F>
  F As(HostApiEntry entry) const {
    return reinterpret_cast<F>(m_Entries[entry]);
  }

 private:
  void* m_Entries[kHostApiEntryCount] = {};
};

// The process-wide table.
HostApiTable& GetHostApi();

}  // namespace nsWendrick
