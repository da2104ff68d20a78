#pragma once
// StoryFrameTest: the engine's script player over recording back ends, with the
// plug-in's host table bound to the engine's exports, its effect functions
// registered for the three stages, the virtual clock and a seeded generator. One
// DrawFrame runs the story screen's drawing order, so the recorded back-end calls
// show what effects and commands do to the picture. Header-only.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/api/command.h"
#include "engine/api/command_param.h"
#include "engine/api/draw_records.h"
#include "engine/api/plugin_api.h"
#include "engine/api/task_manager.h"
#include "engine/plugin/plugin_registry.h"
#include "platform/clock/clock.h"
#include "plugin/core/random.h"
#include "plugin/entry/registration.h"
#include "tests/engine/fakes/test_player.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/plugin/kit/plugin_test_host.h"

namespace vesk_test {

// The clock value at which the tests start (away from 0, which has a test of its own).
inline constexpr std::uint32_t kStartClock = 10000;

class StoryFrameTest : public testing::Test {
 protected:
  StoryFrameTest() {
    ResetPluginState();
    BindEngineHost();
    nsTamskLib::nsPlugin::ClearRegistries();
    const nsWendrick::RegistrationTables& own = nsWendrick::WendrickRegistrationTables();
    nsWendrick::RegistrationTables effectsOnly{};
    effectsOnly.effectsBeforeDraw = own.effectsBeforeDraw;
    effectsOnly.effectsAfterDraw = own.effectsAfterDraw;
    effectsOnly.effectsAfterTextWindow = own.effectsAfterTextWindow;
    nsWendrick::RegisterWithHost(nsWendrick::GetHostApi(), effectsOnly);
    platform::UseVirtualClock(kStartClock);
    nsWendrick::SeedRandom(1);
    SetTMAccessor(&player);
    SetDMAccessor(&player);
  }
  ~StoryFrameTest() override {
    for (nsTamskLib::ICmd_Base* command : m_Commands) command->Destroy();
    nsTamskLib::nsPlugin::ClearRegistries();
    platform::UseRealClock();
    ResetPluginState();
  }

  // Registers the plug-in's update patterns too (the page flip among them).
  void RegisterTransitions() {
    nsWendrick::RegistrationTables updatesOnly{};
    updatesOnly.updates = nsWendrick::WendrickRegistrationTables().updates;
    nsWendrick::RegisterWithHost(nsWendrick::GetHostApi(), updatesOnly);
  }

  // A command set up as a script compiler would: the kind, the strings and the
  // expressions (constants) in parameter order, bound to the player. The fixture
  // destroys it.
  template <typename Command>
  Command& MakeCommand(std::int32_t kind, std::initializer_list<const char*> strings,
                       std::initializer_list<std::int32_t> values) {
    nsTamskLib::CommandParam param;
    param.Int[0] = kind;
    int i = 0;
    for (const char* text : strings) param.Str[i++] = text;
    i = 0;
    for (std::int32_t value : values) param.Expr[i++] = nsTamskLib::NumberExpression(value);
    auto* command = static_cast<Command*>(Command::Create());
    command->Setup(param);
    command->SetEngine(&player);
    m_Commands.push_back(command);
    return *command;
  }

  // The script position.
  std::int32_t Position() { return player.Commands().GetIterator(); }

  // Shows an 800x600 background image on the current page.
  void ShowBackground(const char* image = "bg.png") {
    nsTamskLib::nsTaskManager::DrawTask task;
    task.Type = nsTamskLib::nsTaskManager::kDrawImage;
    task.Visible = true;
    task.Name = image;
    task.SrcRect = nsTamskLib::TRect{0, 0, 800, 600};
    SetTMAccessor(&player);
    GetTMAccessor()->GetBGLayer()[GetTMAccessor()->GetPage()] = task;
  }

  // Starts an effect as the effect command does.
  void StartEffect(std::uint32_t type, std::uint32_t time, std::uint32_t color = 0,
                   std::initializer_list<std::int32_t> params = {}) {
    nsTamskLib::nsTaskManager::EffectParam effect;
    effect.Type = type;
    effect.Time = time;
    effect.Color = color;
    int i = 0;
    for (std::int32_t value : params) effect.Param[i++] = value;
    player.Tasks().SetEffectData(effect);
  }

  // One frame of the story screen's drawing, the back-end log cleared first.
  void DrawFrame() {
    player.draw.ClearLog();
    nsTamskLib::nsTaskManager::TaskManager& tasks = player.Tasks();
    tasks.Update();
    tasks.EffectBeforeDraw();
    player.Draw().DrawTasks();
    tasks.EffectAfterDraw();
    player.Draw().DrawTextWindow();
    tasks.EffectAfterTextWindow();
  }

  void Advance(std::uint32_t ms) { platform::AdvanceVirtualClock(ms); }

  std::vector<std::string> Overlays() const { return player.draw.Calls("FillRect({0,0,800,600}"); }
  std::vector<std::string> Backgrounds() const { return player.draw.Calls("Blt0(bg.png"); }
  std::uint32_t EffectType() { return player.Tasks().GetEffectType(); }
  std::uint32_t UpdateType() { return player.Tasks().GetUpdateType(); }

  FatalTrap trap;
  TestPlayer player;

 private:
  std::vector<nsTamskLib::ICmd_Base*> m_Commands;
};

// "FillRect({0,0,800,600},<colour>,<alpha>)".
inline std::string Overlay(const char* color, int alpha) {
  return std::string("FillRect({0,0,800,600},") + color + "," + std::to_string(alpha) + ")";
}

// "Blt0(bg.png,<x>,<y>,255,{0,0,800,600})".
inline std::string Background(int x, int y) {
  return "Blt0(bg.png," + std::to_string(x) + "," + std::to_string(y) + ",255,{0,0,800,600})";
}

}  // namespace vesk_test
