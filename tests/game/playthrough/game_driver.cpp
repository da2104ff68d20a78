#include "tests/game/playthrough/game_driver.h"


#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "game/app/vesk_entry.h"
#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/shell/shell_objects.h"
#include "platform/audio/audio_device.h"
#include "platform/clock/clock.h"
#include "platform/graphics/texture.h"
#include "platform/image/image_decoder.h"
#include "platform/input/input_devices.h"
#include "platform/message_box/message_box_dialog.h"
#include "platform/window/window.h"
#include "tests/game/support/program_lifetime.h"
#include "tests/platform/support/graphics_test_back_end.h"
#include "tests/platform/support/scripted_input.h"
#include "tests/support/temp_dir.h"

namespace vesk_play {
namespace {

constexpr std::uint32_t kClockStart = 1000;
constexpr int kPassesPerFrame = 20;

}  // namespace

std::unique_ptr<platform::Texture> ReadPictureFile(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return platform::DecodeImage(bytes.data(), bytes.size(), file, 0);
}

GameDriver::GameDriver(const std::string& dataFolder, const std::string& scenario)
    : m_Dir(std::make_unique<vesk_test::ScopedWorkingDir>()), m_Input(std::make_unique<vesk_test::ScriptedInput>()) {
  namespace fs = std::filesystem;
  fs::copy(dataFolder, "Data", fs::copy_options::recursive);
  fs::copy_file(scenario, "scenario.dat");
  // The objects the story links at run time are compiled beside the script and
  // read from the working folder, as the script itself.
  for (const auto& entry : fs::directory_iterator(fs::path(scenario).parent_path())) {
    if (entry.path().extension() == ".obj") fs::copy_file(entry.path(), entry.path().filename());
  }
  setenv("XDG_RUNTIME_DIR", m_Dir->path().c_str(), 1);
  platform::UseVirtualClock(kClockStart);
  platform::SelectNullAudioDeviceForTests(true);
  platform::SetMessageBoxHandler(
      [this](std::string_view caption, std::string_view text, platform::MessageBoxButtons buttons,
             platform::MessageBoxIcon icon) {
        m_Boxes.emplace_back(std::string(caption), std::string(text));
        if (buttons != platform::MessageBoxButtons::YesNo) return platform::MessageBoxAnswer::Ok;
        if (m_Answers.empty()) return platform::MessageBoxAnswer::No;
        const platform::MessageBoxAnswer wanted = m_Answers.front();
        m_Answers.pop_front();
        // Answered as a player answers: with a key on the box the game draws.
        platform::MessageBoxDialog box(text, buttons, icon);
        const platform::MessageBoxKey key =
            wanted == platform::MessageBoxAnswer::No ? platform::MessageBoxKey::Escape : platform::MessageBoxKey::Enter;
        box.Handle({platform::MessageBoxInput::Kind::KeyDown, key, 0, 0});
        box.Handle({platform::MessageBoxInput::Kind::KeyUp, key, 0, 0});
        return box.Answer().value_or(platform::MessageBoxAnswer::Ok);
      });
}

GameDriver::~GameDriver() {
  if (m_Entry && m_Running) {
    CloseWindow(platform::MessageBoxAnswer::Yes);
    Shutdown();
  }
  m_Entry.reset();
  m_Back.reset();
  // The program's input devices read the scripted input, which goes with the driver.
  vesk_test::ReleaseInput();
  platform::SetMessageBoxHandler({});
  platform::UseRealClock();
  platform::SelectNullAudioDeviceForTests(false);
}

bool GameDriver::Start() {
  m_Back = std::make_unique<vesk_test::GraphicsTestBackEnd>();
  m_Entry = std::make_unique<nsVesk::VeskEntry>();
  const int status = m_Entry->Start();
  m_Running = status == nsVesk::VeskEntry::kRunning;
  if (!m_Running) {
    std::string last = m_Boxes.empty() ? std::string("no box") : m_Boxes.back().second;
    Fault("the program did not start: " + last);
    return false;
  }
  platform::NotifyInputFocus(true);
  return true;
}

int GameDriver::Shutdown() {
  if (!m_Entry) return -1;
  const int code = m_Entry->Shutdown();
  m_Entry.reset();
  m_Back.reset();
  m_Running = false;
  return code;
}

void GameDriver::Frame(std::uint32_t ms) {
  if (!m_Running) return;
  platform::AdvanceVirtualClock(ms);
  m_GameTime += ms;
  ++m_Frames;
  const int presents = m_Back->PresentCount();
  for (int pass = 0; pass < kPassesPerFrame && m_Back->PresentCount() == presents; ++pass) {
    if (!m_Entry->Pump()) {
      m_Running = false;
      return;
    }
  }
}

void GameDriver::Idle(std::uint32_t ms) {
  for (std::uint32_t t = 0; t < ms && m_Running; t += kWaitFrameMs) Frame(kWaitFrameMs);
}

bool GameDriver::RunUntil(const std::function<bool()>& done, std::uint32_t limitMs, const std::string& what) {
  for (std::uint32_t t = 0; m_Running; t += kWaitFrameMs) {
    if (done()) return true;
    if (t >= limitMs) break;
    Frame(kWaitFrameMs);
  }
  Fault(what + " (top scene " + std::to_string(m_Running ? TopScene() : -2) + ")");
  return false;
}

bool GameDriver::WaitForScene(std::int32_t id, std::uint32_t limitMs) {
  return RunUntil([id] { return TopScene() == id; }, limitMs, "scene " + std::to_string(id) + " never came on top");
}

void GameDriver::MoveMouse(Point at) {
  m_Input->cursor = {at.x, at.y};
}

void GameDriver::Click(Point at, std::uint32_t releaseMs) {
  MoveMouse(at);
  m_Input->buttons[0] = true;
  Frame();
  m_Input->buttons[0] = false;
  Frame(releaseMs);
}

void GameDriver::RightClick(Point at) {
  MoveMouse(at);
  m_Input->buttons[1] = true;
  Frame();
  m_Input->buttons[1] = false;
  Frame();
}

void GameDriver::Wheel(int notches) {
  platform::NotifyMouseWheel(notches, false);
  Frame();
}

Point GameDriver::RectCentre(const std::string& file, const std::string& section) {
  const int left = nsVesk::GetParamInt(file, section, "ClickRect_Left", 0);
  const int top = nsVesk::GetParamInt(file, section, "ClickRect_Top", 0);
  const int right = nsVesk::GetParamInt(file, section, "ClickRect_Right", 0);
  const int bottom = nsVesk::GetParamInt(file, section, "ClickRect_Bottom", 0);
  return Point{(left + right) / 2, (top + bottom) / 2};
}

void GameDriver::HoldKey(std::uint8_t pcScanCode) { m_Input->Press(pcScanCode); }
void GameDriver::ReleaseKey(std::uint8_t pcScanCode) { m_Input->Release(pcScanCode); }

void GameDriver::CloseWindow(platform::MessageBoxAnswer answer) {
  if (!m_Running) return;
  m_Answers.push_back(answer);
  platform::SimulateCloseButton(nsVesk::g_Graphic.GetMainWindow());
  Frame();
}

std::int32_t GameDriver::TopScene() { return nsVesk::g_SceneManager.GetTopScene()->GetStatus(); }

std::uint32_t GameDriver::Pixel(int x, int y) const {
  return m_Back ? (m_Back->Pixel(x, y) & 0xFFFFFFu) : 0u;
}

bool GameDriver::ShowsPicture(std::size_t colours) const {
  std::set<std::uint32_t> seen;
  bool lit = false;
  for (int y = 30; y < 600; y += 90) {
    for (int x = 40; x < 800; x += 120) {
      const std::uint32_t colour = Pixel(x, y);
      seen.insert(colour);
      lit = lit || colour != 0;
    }
  }
  return lit && seen.size() >= colours;
}

bool GameDriver::CheckPicture(const std::string& screen, std::size_t colours) {
  constexpr std::uint32_t kLimitMs = 1500;
  for (std::uint32_t t = 0; m_Running; t += kWaitFrameMs) {
    if (ShowsPicture(colours)) return true;
    if (t >= kLimitMs) break;
    Frame(kWaitFrameMs);
  }
  // A folder named by VESK_PLAY_FRAMES receives the frames that failed, to be looked at.
  if (const char* folder = std::getenv("VESK_PLAY_FRAMES"); folder != nullptr) {
    SaveFrame(std::string(folder) + "/" + std::to_string(m_Faults.size()) + ".ppm");
  }
  Fault(screen + " shows no picture");
  return false;
}

void GameDriver::SaveFrame(const std::string& file) const {
  std::ofstream out(file, std::ios::binary);
  out << "P6\n800 600\n255\n";
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const std::uint32_t colour = Pixel(x, y);
      const char rgb[3] = {static_cast<char>(colour >> 16), static_cast<char>(colour >> 8), static_cast<char>(colour)};
      out.write(rgb, 3);
    }
  }
}

void GameDriver::Fault(const std::string& what) {
  std::ostringstream text;
  text << "[" << (m_Steps.empty() ? std::string("start") : m_Steps.back()) << " @" << m_GameTime << "ms] " << what;
  m_Faults.push_back(text.str());
}

bool GameDriver::Check(bool condition, const std::string& what) {
  if (!condition) Fault(what);
  return condition;
}

}  // namespace vesk_play
