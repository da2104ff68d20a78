#include "plugin/entry/registration.h"

namespace nsWendrick {
namespace {

void RegisterNumbered(const HostApiTable& api, HostApiEntry entry,
                      std::span<const NumberedFunction> functions) {
  const auto reg = api.As<RegisterUpdateFunc>(entry);
  if (reg == nullptr) return;
  for (const NumberedFunction& row : functions) {
    if (row.func != nullptr) reg(row.number, row.func);
  }
}

void RegisterDataPair(const HostApiTable& api, HostApiEntry saveEntry, HostApiEntry loadEntry,
                      const char* name, nsTamskLib::DataFunc save, nsTamskLib::DataFunc load) {
  const auto registerSave = api.As<RegisterDataFunc>(saveEntry);
  const auto registerLoad = api.As<RegisterDataFunc>(loadEntry);
  if (registerSave == nullptr || registerLoad == nullptr) return;
  if (save == nullptr || load == nullptr) return;
  registerSave(name, save);
  registerLoad(name, load);
}

}  // namespace

int EmptyEffect(nsTamskLib::nsCore::INovelEngine* /*engine*/) { return 0; }

void EmptyDataFunc(nsTamskLib::nsCore::INovelEngine* /*engine*/,
                   nsTamskLib::nsIOStream::IIOStream* /*stream*/) {}

void RegisterWithHost(const HostApiTable& api, const RegistrationTables& tables) {
  if (const auto reg = api.As<RegisterFactoryFunc>(kRegisterPFactory)) {
    for (const CommandTypeEntry& row : tables.commands) {
      if (row.factory != nullptr) reg(row.type, row.factory);
    }
  }
  RegisterNumbered(api, kRegisterPUpdate, tables.updates);
  RegisterNumbered(api, kRegisterPEffect1, tables.effectsBeforeDraw);
  RegisterNumbered(api, kRegisterPEffect2, tables.effectsAfterDraw);
  RegisterNumbered(api, kRegisterPEffect3, tables.effectsAfterTextWindow);
  if (const auto reg = api.As<RegisterAnalysisFunc>(kRegisterPAnalysis)) {
    for (const CommandTypeEntry& row : tables.commands) {
      if (row.parser != nullptr) reg(row.type, row.parser);
    }
  }
  if (const auto reg = api.As<RegisterCommandNameFunc>(kRegisterPCommandName)) {
    for (const CommandTypeEntry& row : tables.commands) {
      if (row.keywords == nullptr) continue;
      for (const char* keyword : row.keywords()) reg(keyword, row.type);
    }
  }
  if (const auto reg = api.As<RegisterSystemCommandFunc>(kRegisterPEnableSystemCommand)) {
    for (const CommandTypeEntry& row : tables.commands) {
      if (row.systemInput) reg(row.type);
    }
  }
  RegisterDataPair(api, kRegisterPSaveLocalDataFunc, kRegisterPLoadLocalDataFunc, tables.dataName,
                   tables.saveLocalData, tables.loadLocalData);
  RegisterDataPair(api, kRegisterPSaveEnvironmentDataFunc, kRegisterPLoadEnvironmentDataFunc,
                   tables.dataName, tables.saveEnvironmentData, tables.loadEnvironmentData);
}

}  // namespace nsWendrick
