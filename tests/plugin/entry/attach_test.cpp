// Attaching to a host: the version check, what is bound and registered group by
// group, and what a refusal leaves behind; and the command table under its check,
// with the types, keywords and system input that are fixed.

#include <cstdarg>
#include <cstdio>
#include <map>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/plugin/plugin_registry.h"
#include "platform/clock/clock.h"
#include "plugin/commands/flow_commands.h"
#include "plugin/commands/flow_parsers.h"
#include "plugin/entry/attach.h"
#include "plugin/core/random.h"
#include "plugin/text/kinsoku.h"
#include "plugin/text/local_save_data.h"
#include "tests/plugin/kit/plugin_test_host.h"
#include "tests/plugin/kit/registration_check.h"

namespace {

using nsWendrick::AttachWendrick;
using nsWendrick::DetachWendrick;

// A host that records every registration made with it.
struct Recorded {
  int version = 1300;
  std::vector<std::string> warnings;
  std::vector<unsigned> factories;
  std::vector<unsigned> updates;
  std::map<unsigned, nsTamskLib::UpdateFunc> effects[3];
  std::vector<unsigned> parsers;
  std::vector<std::pair<std::string, unsigned>> keywords;
  std::vector<unsigned> systemTypes;
  std::vector<std::string> dataNames[4];
};
Recorded g_Host;

int HostVersion() { return g_Host.version; }
void HostWarning(nsTamskLib::WindowHandle /*owner*/, const char* format, ...) {
  char text[1100];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  g_Host.warnings.emplace_back(text);
}
void HostFactory(unsigned type, nsTamskLib::CmdFactory /*f*/) { g_Host.factories.push_back(type); }
void HostUpdate(unsigned n, nsTamskLib::UpdateFunc /*f*/) { g_Host.updates.push_back(n); }
void HostEffect1(unsigned n, nsTamskLib::UpdateFunc f) { g_Host.effects[0].emplace(n, f); }
void HostEffect2(unsigned n, nsTamskLib::UpdateFunc f) { g_Host.effects[1].emplace(n, f); }
void HostEffect3(unsigned n, nsTamskLib::UpdateFunc f) { g_Host.effects[2].emplace(n, f); }
void HostAnalysis(unsigned type, nsTamskLib::AnalysisFunc /*f*/) { g_Host.parsers.push_back(type); }
void HostKeyword(const char* keyword, unsigned type) { g_Host.keywords.emplace_back(keyword, type); }
void HostSystem(unsigned type) { g_Host.systemTypes.push_back(type); }
void HostSaveLocal(const char* name, nsTamskLib::DataFunc /*f*/) { g_Host.dataNames[0].push_back(name); }
void HostLoadLocal(const char* name, nsTamskLib::DataFunc /*f*/) { g_Host.dataNames[1].push_back(name); }
void HostSaveEnv(const char* name, nsTamskLib::DataFunc /*f*/) { g_Host.dataNames[2].push_back(name); }
void HostLoadEnv(const char* name, nsTamskLib::DataFunc /*f*/) { g_Host.dataNames[3].push_back(name); }

template <typename F>
void* Address(F function) {
  return reinterpret_cast<void*>(function);
}

std::map<std::string, void*> RecordingExports() {
  return {
      {"GetTamskLibVersion", Address(&HostVersion)},
      {"RuntimeWarning", Address(&HostWarning)},
      {"RegisterPFactory", Address(&HostFactory)},
      {"RegisterPUpdate", Address(&HostUpdate)},
      {"RegisterPEffect1", Address(&HostEffect1)},
      {"RegisterPEffect2", Address(&HostEffect2)},
      {"RegisterPEffect3", Address(&HostEffect3)},
      {"RegisterPAnalysis", Address(&HostAnalysis)},
      {"RegisterPCommandName", Address(&HostKeyword)},
      {"RegisterPEnableSystemCommand", Address(&HostSystem)},
      {"RegisterPSaveLocalDataFunc", Address(&HostSaveLocal)},
      {"RegisterPLoadLocalDataFunc", Address(&HostLoadLocal)},
      {"RegisterPSaveEnvironmentDataFunc", Address(&HostSaveEnv)},
      {"RegisterPLoadEnvironmentDataFunc", Address(&HostLoadEnv)},
  };
}

class AttachTest : public testing::Test {
 protected:
  void SetUp() override {
    g_Host = Recorded{};
    vesk_test::ResetPluginState();
  }
  void TearDown() override {
    DetachWendrick();
    vesk_test::ResetPluginState();
  }

  bool Attach(std::map<std::string, void*> exports) {
    return AttachWendrick(vesk_test::ResolverOf(std::move(exports)), "Wendrick.so");
  }

  bool NothingRegistered() const {
    return g_Host.factories.empty() && g_Host.updates.empty() && g_Host.effects[0].empty() &&
           g_Host.effects[1].empty() && g_Host.effects[2].empty() && g_Host.parsers.empty() &&
           g_Host.keywords.empty() && g_Host.systemTypes.empty() && g_Host.dataNames[2].empty();
  }
};

TEST_F(AttachTest, AnOlderHostGetsTheVersionWarningAndNothingIsRegistered) {
  g_Host.version = 1299;
  const int periods = platform::ClockPeriodRequests();
  EXPECT_FALSE(Attach(RecordingExports()));
  ASSERT_EQ(g_Host.warnings.size(), 1u);
  EXPECT_EQ(g_Host.warnings[0],
            "プラグインのバージョンが本体を上回っています！\n（本体：Ver1.299　プラグイン（Wendrick.so）：Ver1.300）");
  EXPECT_TRUE(NothingRegistered());
  EXPECT_FALSE(nsWendrick::IsWendrickAttached());
  EXPECT_EQ(nsWendrick::GetHostApi().Get(nsWendrick::kRegisterPFactory), nullptr);
  EXPECT_TRUE(nsWendrick::FollowingChs().chars().empty());
  DetachWendrick();
  EXPECT_EQ(platform::ClockPeriodRequests(), periods);
}

TEST_F(AttachTest, AHostWithoutAVersionOrWithoutAWarningIsRefusedSilently) {
  std::map<std::string, void*> exports = RecordingExports();
  exports.erase("GetTamskLibVersion");
  EXPECT_FALSE(Attach(exports));
  EXPECT_TRUE(g_Host.warnings.empty());
  EXPECT_TRUE(NothingRegistered());

  g_Host.version = 1000;
  exports = RecordingExports();
  exports.erase("RuntimeWarning");
  EXPECT_FALSE(Attach(exports));
  EXPECT_TRUE(NothingRegistered());
}

TEST_F(AttachTest, ANewerHostIsAcceptedAndEveryGroupIsRegistered) {
  g_Host.version = 2000;
  const int periods = platform::ClockPeriodRequests();
  ASSERT_TRUE(Attach(RecordingExports()));
  EXPECT_EQ(platform::ClockPeriodRequests(), periods + 1);
  EXPECT_TRUE(g_Host.warnings.empty());

  // The keywords row by row, each row's in its class's order.
  ASSERT_EQ(g_Host.keywords.size(), vesk_test::FixedKeywordCount());
  EXPECT_EQ(g_Host.keywords.front(), (std::pair<std::string, unsigned>("if", 1)));
  std::vector<std::pair<std::string, unsigned>> tableOrder;
  const nsWendrick::RegistrationTables& tables = nsWendrick::WendrickRegistrationTables();
  for (const nsWendrick::CommandTypeEntry& row : tables.commands) {
    for (const char* keyword : row.keywords()) tableOrder.emplace_back(keyword, row.type);
  }
  EXPECT_EQ(g_Host.keywords, tableOrder);
  std::map<unsigned, std::size_t> keywordsPerType;
  for (const auto& [keyword, type] : g_Host.keywords) ++keywordsPerType[type];
  EXPECT_EQ(keywordsPerType.size(), std::size(vesk_test::kFixedCommandTypes));
  for (const vesk_test::FixedCommandType& fixed : vesk_test::kFixedCommandTypes) {
    EXPECT_EQ(keywordsPerType[fixed.type], fixed.keywords) << fixed.type;
  }
  EXPECT_EQ(keywordsPerType.count(vesk_test::kUnregisteredType), 0u);

  // In ascending order, without the types that refuse system input.
  EXPECT_EQ(g_Host.systemTypes, vesk_test::FixedSystemInputTypes());

  // Every effect number has a function in all three stages: its own where it works
  // (shakes before drawing, flashes and fades after the text window), the empty
  // one elsewhere; and the held colour of a fade-out.
  for (const auto& stage : g_Host.effects) EXPECT_EQ(stage.size(), 17u);
  for (unsigned n = 1; n <= 16; ++n) {
    EXPECT_EQ(g_Host.effects[1].at(n), &nsWendrick::EmptyEffect) << n;
  }
  for (unsigned n : {1u, 5u, 6u, 7u, 8u, 9u, 16u}) {
    EXPECT_EQ(g_Host.effects[0].at(n), &nsWendrick::EmptyEffect) << n;
    EXPECT_NE(g_Host.effects[2].at(n), &nsWendrick::EmptyEffect) << n;
  }
  for (unsigned n : {2u, 3u, 4u, 10u, 11u, 12u, 13u, 14u, 15u}) {
    EXPECT_EQ(g_Host.effects[2].at(n), &nsWendrick::EmptyEffect) << n;
    EXPECT_NE(g_Host.effects[0].at(n), &nsWendrick::EmptyEffect) << n;
  }

  EXPECT_EQ(g_Host.dataNames[2], std::vector<std::string>{"Wendrick"});
  EXPECT_EQ(g_Host.dataNames[3], std::vector<std::string>{"Wendrick"});

  // The host table is bound by name; names the host does not export stay null.
  const nsWendrick::HostApiTable& api = nsWendrick::GetHostApi();
  EXPECT_EQ(api.Get(nsWendrick::kRegisterPEnableSystemCommand), Address(&HostSystem));
  EXPECT_EQ(api.Get(nsWendrick::kRuntimeError), nullptr);
  EXPECT_EQ(api.Get(nsWendrick::kIsValidSyntax), nullptr);

  // The default line-breaking sets are in place.
  EXPECT_TRUE(nsWendrick::IsFollowingCh(0x815B));  // ー
  DetachWendrick();
  EXPECT_EQ(platform::ClockPeriodRequests(), periods);
}

TEST_F(AttachTest, AMissingRegistrationFunctionSkipsOnlyItsGroup) {
  std::map<std::string, void*> exports = RecordingExports();
  exports.erase("RegisterPUpdate");
  exports.erase("RegisterPEffect2");
  exports.erase("RegisterPLoadEnvironmentDataFunc");
  ASSERT_TRUE(Attach(exports));
  EXPECT_TRUE(g_Host.effects[1].empty());
  EXPECT_EQ(g_Host.effects[0].size(), 17u);
  EXPECT_EQ(g_Host.keywords.size(), vesk_test::FixedKeywordCount());
  EXPECT_EQ(g_Host.systemTypes.size(), vesk_test::FixedSystemInputTypes().size());
  // The environment group needs both of its functions.
  EXPECT_TRUE(g_Host.dataNames[2].empty());
}

nsTamskLib::ICmd_Base* NoCommand() { return nullptr; }
int NoParse(unsigned /*keyword*/) { return -1; }
int NoUpdate(nsTamskLib::nsCore::INovelEngine* /*engine*/) { return 0; }
void NoData(nsTamskLib::nsCore::INovelEngine* /*e*/, nsTamskLib::nsIOStream::IIOStream* /*s*/) {}

TEST_F(AttachTest, TableRowsWithoutAFunctionAreLeftOutAndTheRestKeepTheirOrder) {
  const nsWendrick::CommandTypeEntry commands[] = {
      {1, NoCommand, NoParse, true},
      {7, nullptr, NoParse, true},
      {13, NoCommand, nullptr, false},
  };
  const nsWendrick::NumberedFunction updates[] = {{0, NoUpdate}, {1, nullptr}, {28, NoUpdate}};
  const nsWendrick::RegistrationTables tables{commands, updates, {},     {},      {},
                                              "Other",  NoData,  NoData, nullptr, NoData};
  ASSERT_TRUE(AttachWendrick(vesk_test::ResolverOf(RecordingExports()), "Wendrick.so", tables));
  EXPECT_EQ(g_Host.factories, (std::vector<unsigned>{1, 13}));
  EXPECT_EQ(g_Host.parsers, (std::vector<unsigned>{1, 7}));
  EXPECT_EQ(g_Host.updates, (std::vector<unsigned>{0, 28}));
  EXPECT_EQ(g_Host.systemTypes, (std::vector<unsigned>{1, 7}));
  EXPECT_EQ(g_Host.dataNames[0], std::vector<std::string>{"Other"});
  EXPECT_EQ(g_Host.dataNames[1], std::vector<std::string>{"Other"});
  EXPECT_TRUE(g_Host.dataNames[2].empty());
}

// The command table registered with the engine's own registry, then checked.
class RegistrationCheckTest : public testing::Test {
 protected:
  void SetUp() override {
    vesk_test::ResetPluginState();
    vesk_test::BindEngineHost();
  }
  void TearDown() override {
    nsTamskLib::nsPlugin::ClearRegistries();
    vesk_test::ResetPluginState();
  }

  static std::vector<std::string> Faults(std::span<const nsWendrick::CommandTypeEntry> rows) {
    nsTamskLib::nsPlugin::ClearRegistries();
    const nsWendrick::RegistrationTables tables{rows,    {},      {},      {},      {},
                                                "Check", nullptr, nullptr, nullptr, nullptr};
    nsWendrick::RegisterWithHost(nsWendrick::GetHostApi(), tables);
    return vesk_test::CommandTableFaults(rows, nsTamskLib::nsPlugin::GetRegistries().commandNames);
  }
};

TEST_F(RegistrationCheckTest, ThePluginTablePassesAndHoldsTheFixedTypes) {
  const nsWendrick::RegistrationTables& tables = nsWendrick::WendrickRegistrationTables();
  EXPECT_EQ(Faults(tables.commands), std::vector<std::string>{});
  ASSERT_EQ(tables.commands.size(), std::size(vesk_test::kFixedCommandTypes));
  for (std::size_t i = 0; i < tables.commands.size(); ++i) {
    const nsWendrick::CommandTypeEntry& row = tables.commands[i];
    const vesk_test::FixedCommandType& fixed = vesk_test::kFixedCommandTypes[i];
    EXPECT_EQ(row.type, fixed.type);
    EXPECT_EQ(row.keywords().size(), fixed.keywords) << fixed.type;
    EXPECT_EQ(row.systemInput, fixed.systemInput) << fixed.type;
  }
  const nsTamskLib::nsPlugin::Registries& host = nsTamskLib::nsPlugin::GetRegistries();
  EXPECT_EQ(host.factories.count(vesk_test::kParserOnlyType), 0u);
  EXPECT_EQ(host.analyses.count(vesk_test::kParserOnlyType), 1u);
  EXPECT_EQ(host.factories.count(vesk_test::kUnregisteredType), 0u);
  EXPECT_EQ(host.analyses.count(vesk_test::kUnregisteredType), 0u);
  EXPECT_EQ(tables.saveLocalData, &nsWendrick::WendrickSaveLocalData);
  EXPECT_EQ(tables.loadLocalData, &nsWendrick::WendrickLoadLocalData);
}

nsWendrick::KeywordList EmptyKeyword() {
  static const char* const keywords[] = {""};
  return keywords;
}

TEST_F(RegistrationCheckTest, SmallBrokenTablesAreRejected) {
  using nsWendrick::Cmd_end;
  using nsWendrick::Cmd_return;
  using Rows = std::vector<nsWendrick::CommandTypeEntry>;
  const nsWendrick::CommandTypeEntry end{Cmd_end::kType, Cmd_end::Create, Cmd_end::Parse, true,
                                         Cmd_end::Keywords};
  const nsWendrick::CommandTypeEntry ret{Cmd_return::kType, Cmd_return::Create, Cmd_return::Parse,
                                         true, Cmd_return::Keywords};
  const nsWendrick::CommandTypeEntry elseRow{nsWendrick::kTypeElse, nullptr, nsWendrick::ParseElse,
                                             true, nsWendrick::ElseKeywords};
  EXPECT_EQ(Faults(Rows{end, elseRow, ret}), std::vector<std::string>{});

  nsWendrick::CommandTypeEntry broken = end;
  broken.factory = nullptr;
  EXPECT_EQ(Faults(Rows{broken, elseRow}), std::vector<std::string>{"type 4: no factory"});
  broken = end;
  broken.type = 5;
  EXPECT_EQ(Faults(Rows{broken}), std::vector<std::string>{"type 5: the factory makes type 4"});
  broken = end;
  broken.parser = nullptr;
  EXPECT_EQ(Faults(Rows{broken}), std::vector<std::string>{"type 4: no parser"});
  broken = end;
  broken.keywords = EmptyKeyword;
  EXPECT_EQ(Faults(Rows{broken}), std::vector<std::string>{"type 4: an empty keyword"});
  broken = ret;
  broken.keywords = Cmd_end::Keywords;
  EXPECT_EQ(Faults(Rows{end, broken}),
            (std::vector<std::string>{"type 15: \"end\" is also a keyword of type 4",
                                      "type 15: \"end\" is registered with the host under type 4"}));
}

TEST(PluginRandomTest, FollowsTheClassicGeneratorInItsRange) {
  nsWendrick::SeedRandom(1);
  EXPECT_EQ(nsWendrick::NextRandom(), 41);
  EXPECT_EQ(nsWendrick::NextRandom(), 18467);
  EXPECT_EQ(nsWendrick::NextRandom(), 6334);
  nsWendrick::SeedRandom(0xFFFFFFFFu);
  for (int i = 0; i < 10000; ++i) {
    const int value = nsWendrick::NextRandom();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, nsWendrick::kRandomMax);
  }
}

}  // namespace
