#pragma once
// What the plug-in registers with the host, as tables, and the registration in its
// ten groups. A group whose registration function the host does not export is
// skipped silently (the save and environment groups need both of theirs); a table
// row without a function registers nothing of it (the "else" keyword is parsed,
// but makes no command of its own). Keywords are registered type by type, in the
// order of the command rows.

#include <cstdint>
#include <span>

#include "engine/api/plugin_api.h"
#include "plugin/commands/keyword_list.h"
#include "plugin/core/host_api.h"

namespace nsWendrick {

// One command type: its factory, its script parser, whether the host accepts the
// player's system input while a command of the type is current, and the script
// keywords that stand for the type (as the command class spells them).
struct CommandTypeEntry {
  std::uint32_t type;
  nsTamskLib::CmdFactory factory;
  nsTamskLib::AnalysisFunc parser;
  bool systemInput;
  KeywordList (*keywords)() = nullptr;
};

// An update pattern or an effect number with its function.
struct NumberedFunction {
  std::uint32_t number;
  nsTamskLib::UpdateFunc func;
};

struct RegistrationTables {
  std::span<const CommandTypeEntry> commands;      // ascending type order
  std::span<const NumberedFunction> updates;
  std::span<const NumberedFunction> effectsBeforeDraw;
  std::span<const NumberedFunction> effectsAfterDraw;
  std::span<const NumberedFunction> effectsAfterTextWindow;
  const char* dataName;
  nsTamskLib::DataFunc saveLocalData;
  nsTamskLib::DataFunc loadLocalData;
  nsTamskLib::DataFunc saveEnvironmentData;
  nsTamskLib::DataFunc loadEnvironmentData;
};

// The plug-in's own tables.
const RegistrationTables& WendrickRegistrationTables();

// The name of the plug-in's save blocks.
inline constexpr const char kWendrickDataName[] = "Wendrick";

// Registers the tables with the host functions bound in api, group by group:
// factories, update patterns, the three effect stages, parsers, keywords, the
// types that allow system input, save-slot data, environment data.
void RegisterWithHost(const HostApiTable& api, const RegistrationTables& tables);

// The function of effect numbers that do nothing in a stage.
int EmptyEffect(nsTamskLib::nsCore::INovelEngine* engine);
// The environment data functions: the plug-in keeps nothing in the environment file.
void EmptyDataFunc(nsTamskLib::nsCore::INovelEngine* engine, nsTamskLib::nsIOStream::IIOStream* stream);

}  // namespace nsWendrick
