#pragma once
// The whole program driven as a player drives it: the real entry and the real
// plug-in over the test platform (captured frames, virtual clock, null audio
// device, recorded close questions with scripted answers), in a fresh working
// folder holding a copy of the sample data and the compiled story script. The
// mouse and the keys are pressed and released frame by frame; every click goes
// to a screen position, never to a scene's own functions.
//
// What the driver sees on the way (the scene on top, a picture that stayed
// black, a step that never finished) is collected as faults, so that a test and
// a benchmark share one play.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/core/scene_ids.h"
#include "platform/message_box/message_box.h"

namespace nsVesk {
class VeskEntry;
}
namespace platform {
class Texture;
}
namespace vesk_test {
class GraphicsTestBackEnd;
class ScopedWorkingDir;
class ScriptedInput;
}

namespace vesk_play {

// Scene ids as the scene stack reports them.
using nsVesk::nsCore::kSceneBattle;
using nsVesk::nsCore::kSceneLogo;
using nsVesk::nsCore::kSceneOption;
using nsVesk::nsCore::kSceneReward;
using nsVesk::nsCore::kSceneSelect;
using nsVesk::nsCore::kSceneStory;
using nsVesk::nsCore::kSceneTitle;

struct Point {
  int x;
  int y;
};

// A picture file of the working folder (the sample's "Data/..."), decoded as the
// game decodes it; null when it cannot be read.
std::unique_ptr<platform::Texture> ReadPictureFile(const std::string& file);

class GameDriver {
 public:
  // A click's press and release each last one frame of kFrameMs; waiting runs
  // frames of kWaitFrameMs (a slower display), which keeps the play quick.
  static constexpr std::uint32_t kFrameMs = 16;
  static constexpr std::uint32_t kWaitFrameMs = 100;

  // Makes the working folder with copies of `dataFolder` (as "Data") and of
  // `scenario` (as "scenario.dat") with the linked objects (".obj") beside it, and
  // makes it the working folder.
  GameDriver(const std::string& dataFolder, const std::string& scenario);
  GameDriver(const GameDriver&) = delete;
  GameDriver& operator=(const GameDriver&) = delete;
  ~GameDriver();

  // Starts the program (a fresh start: a new entry over the files of the folder);
  // false, with a fault, when the start-up failed.
  bool Start();
  // Whether the program runs (started and its loop not ended).
  bool Running() const { return m_Running; }
  // Runs the shut-down of an ended loop; its exit code.
  int Shutdown();
  int Frames() const { return m_Frames; }

  // One frame: the clock moves on by `ms` and the loop runs until a frame is
  // presented or the loop ends.
  void Frame(std::uint32_t ms = kFrameMs);
  void Idle(std::uint32_t ms);
  // Waiting frames until `done` holds; false, with a fault naming `what`, when it still
  // does not after `limitMs` of game time or the loop ended.
  bool RunUntil(const std::function<bool()>& done, std::uint32_t limitMs, const std::string& what);
  bool WaitForScene(std::int32_t id, std::uint32_t limitMs = 5000);

  // A left click as a hand makes it: the cursor moves there, the button goes
  // down for one frame and comes up in the next, which lasts `releaseMs` (the
  // player looks at what the click did before the next one).
  void Click(Point at, std::uint32_t releaseMs = kFrameMs);
  void MoveMouse(Point at);
  void RightClick(Point at);
  // Turns the wheel by `notches` (up is positive) in the next frame.
  void Wheel(int notches);
  // The centre of a ClickRect_* rectangle of a parameter file's section (read
  // through the game's parameter manager, as the scene reads it).
  static Point RectCentre(const std::string& file, const std::string& section);
  void ClickButton(const std::string& file, const std::string& section) { Click(RectCentre(file, section)); }
  void HoldKey(std::uint8_t pcScanCode);
  void ReleaseKey(std::uint8_t pcScanCode);

  // The window's close button; the question is answered with `answer`.
  void CloseWindow(platform::MessageBoxAnswer answer);
  // The next Yes/No question the game asks gets `answer` (unanswered ones get No).
  void AnswerNextQuestion(platform::MessageBoxAnswer answer) { m_Answers.push_back(answer); }
  // The questions asked so far (caption, text).
  const std::vector<std::pair<std::string, std::string>>& Boxes() const { return m_Boxes; }

  static std::int32_t TopScene();
  std::uint32_t GameTimeMs() const { return m_GameTime; }

  // The last presented frame's pixel (0xRRGGBB).
  std::uint32_t Pixel(int x, int y) const;
  // Whether the frame shows a picture: a grid of probes over the screen meets
  // at least `colours` colours, not only black.
  bool ShowsPicture(std::size_t colours) const;
  // Waits (a fade may still run) until the frame shows a picture; a fault naming
  // `screen` when it stays black or empty.
  bool CheckPicture(const std::string& screen, std::size_t colours = 3);
  // Writes the last presented frame as a binary PPM picture.
  void SaveFrame(const std::string& file) const;

  void Fault(const std::string& what);
  // Checks a condition; a fault naming `what` when it fails.
  bool Check(bool condition, const std::string& what);
  void Step(const std::string& what) { m_Steps.push_back(what); }
  const std::vector<std::string>& Faults() const { return m_Faults; }
  const std::vector<std::string>& Steps() const { return m_Steps; }

 private:
  std::unique_ptr<vesk_test::ScopedWorkingDir> m_Dir;
  std::unique_ptr<vesk_test::GraphicsTestBackEnd> m_Back;
  std::unique_ptr<nsVesk::VeskEntry> m_Entry;
  std::unique_ptr<vesk_test::ScriptedInput> m_Input;
  bool m_Running = false;
  std::uint32_t m_GameTime = 0;
  int m_Frames = 0;
  std::deque<platform::MessageBoxAnswer> m_Answers;
  std::vector<std::pair<std::string, std::string>> m_Boxes;
  std::vector<std::string> m_Faults;
  std::vector<std::string> m_Steps;
};

}  // namespace vesk_play
