#include "tests/game/playthrough/playthrough.h"


#include <time.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

#include "engine/api/draw_manager.h"
#include "engine/api/draw_records.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/sound_manager.h"
#include "engine/api/token_containers.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "engine/taskmanager/task_manager.h"
#include "framework/file/file_reader.h"
#include "framework/sound/ogg_reader.h"
#include "game/battle/battle_context.h"
#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/option/option_scene.h"
#include "game/select/select_scene.h"
#include "game/selection/selection_state.h"
#include "game/shell/novel_player_fd.h"
#include "game/shell/shell_objects.h"
#include "game/story/vesk_normal_scene.h"
#include "platform/graphics/texture.h"
#include "platform/text/cp932.h"
#include "tests/game/playthrough/battle_solver.h"
#include "tests/game/playthrough/section_start.h"

namespace vesk_play {
namespace {

using platform::MessageBoxAnswer;

constexpr const char* kTitleIni = "Data/Title/Title.ini";
constexpr const char* kOptionIni = "Data/Option/Option.ini";
constexpr const char* kSelectIni = "Data/Select/Select.ini";
constexpr const char* kStoryIni = "Data/ADV/Common.ini";
// Inside the text window and clear of the story screen's buttons.
constexpr Point kTextClick{400, 500};
// The battle's loss overlay and the click that leaves a cleared round.
constexpr Point kRestartButton{240, 300};
constexpr Point kAnywhere{400, 300};
constexpr const char* kNextButton = "bNext";
// The last reward's choice that ends the game from the story.
constexpr const char* kEndGameChoice = "ゲームを終える";
constexpr const char* kSaveButton = "bSave";
constexpr const char* kLoadButton = "bLoad";
constexpr const char* kBacklogButton = "bLog";
// The choice the section saved mid-story (m_SavedSection) remembers, and the line
// of it at which it is saved (before its choice).
constexpr const char* kSavedChoice = "aoriaWay";
constexpr std::size_t kSavedLineIndex = 4;
// The save and load screens' first slot and their back button.
constexpr Point kFirstSlot{470, 100};
constexpr Point kSlotBackButton{520, 505};
constexpr const char* kFirstSlotFile = "Save00.dat";
// The command type of a timed choice.
constexpr std::uint32_t kTimedChoiceCommand = 49;
constexpr int kStoryClickLimit = 600;
constexpr std::uint32_t kSceneLimitMs = 6000;
// The story runs one command a frame, and the first section of a game sets the
// story screen up (a few dozen commands) before its first line.
constexpr std::uint32_t kFirstLineLimitMs = 40000;
constexpr std::uint32_t kNewGameDelayMs = 500;
// A reward plays its jingle once, then its own music again.
constexpr const char* kJingle = "Data/Sound/BGM/jingle.ogg";
constexpr const char* kRewardMusic = "Data/Sound/BGM/reward.ogg";
// Chip pictures: frames of ChipWidth by ChipHeight, one under the other; the
// active board's column first, frame 12 the closed cell.
constexpr int kClosedFrame = 12;

template <typename... Parts>
std::string Join(const Parts&... parts) {
  std::ostringstream out;
  (out << ... << parts);
  return out.str();
}

std::string SectionText(const nsTamskLib::TextTokenSection* section) {
  std::string text;
  if (section == nullptr) return text;
  for (std::uint32_t l = 0; l < section->size(); ++l) {
    const nsTamskLib::TextTokenLine& line = section->at(l);
    for (std::uint32_t t = 0; t < line.size(); ++t) text += line.at(t).Text.c_str();
  }
  return text;
}

nsTamskLib::nsDrawManager::BaseDrawManager* StoryDrawing() {
  if (nsVesk::g_NovelPlayer == nullptr) return nullptr;
  return dynamic_cast<nsTamskLib::nsDrawManager::BaseDrawManager*>(nsVesk::g_NovelPlayer->GetDrawManager());
}

}  // namespace

// Where a story button stands when it is shown and takes clicks.
bool Playthrough::StoryButton(const char* name, Point& centre) {
  nsTamskLib::nsTaskManager::TaskManager& tasks = nsVesk::g_NovelPlayer->Tasks();
  const auto found = tasks.Buttons().find(name);
  if (found == tasks.Buttons().end()) return false;
  const nsTamskLib::nsTaskManager::Button& button = found->second;
  const std::uint32_t page = tasks.GetPage();
  const nsTamskLib::nsTaskManager::DrawTask& shown = button.Task[page];
  // Between frames the buttons are locked; one that takes clicks shows a picture
  // other than its disabled one.
  const nsTamskLib::TRect& disabled = button.SrcRect[page][nsTamskLib::nsTaskManager::kButtonDisable];
  const bool looksDisabled = shown.SrcRect.left == disabled.left && shown.SrcRect.top == disabled.top &&
                             shown.SrcRect.right == disabled.right && shown.SrcRect.bottom == disabled.bottom;
  if (looksDisabled || !shown.Visible || shown.A == 0) return false;
  centre = Point{shown.X + (button.ClickRect.left + button.ClickRect.right) / 2,
                 shown.Y + (button.ClickRect.top + button.ClickRect.bottom) / 2};
  return true;
}

namespace {

template <typename Scene>
Scene* Top() {
  return dynamic_cast<Scene*>(nsVesk::g_SceneManager.GetTopScene());
}

std::string EnemyFile(int chara) {
  return nsVesk::GetParamString(kSelectIni, Join("CharaSelect", chara), "EnemySelectIni", "");
}

// The length of a music file of the working folder, in milliseconds.
std::uint32_t MusicLengthMs(const std::string& file) {
  using nsZarn::nsSound::nsISoundReader::COggReader;
  auto* reader = new COggReader(new nsZarn::nsFile::nsFileReader::CFileReader(), file.c_str());
  const std::uint32_t rate = reader->GetFormat().samplesPerSec;
  const std::uint64_t length = reader->GetLength();
  reader->Release();
  return rate == 0 ? 0 : static_cast<std::uint32_t>(length * 1000 / rate);
}

double WallMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

Playthrough::Playthrough(const std::string& dataFolder, const std::string& scenario, const std::string& scriptSource)
    : m_Driver(dataFolder, scenario), m_ScriptSource(scriptSource) {}

void Playthrough::Run() {
  const double start = WallMs();
  Play();
  m_Record.wallMs = WallMs() - start;
}

void Playthrough::Play() {
  m_Driver.Step("start");
  if (!m_Driver.Start()) return;
  PlayLogoAndTitle();
  ChangeOptions();
  const int characters = nsVesk::GetParamInt(kSelectIni, "CG", "CharaNum", 0);
  m_Driver.Check(characters >= 2, "the select screen offers fewer than two characters");
  for (int chara = 0; chara < characters && m_Driver.Running(); ++chara) {
    const int enemies = nsVesk::GetParamInt(EnemyFile(chara), "CG", "EnemyNum", 0);
    for (int enemy = 0; enemy < enemies && m_Driver.Running(); ++enemy) {
      const bool first = chara == 0 && enemy == 0;
      m_LastStage = chara + 1 == characters && enemy + 1 == enemies;
      if (first) ReturnToTitleMidMessage(chara, enemy);
      PlayStage(chara, enemy, first);
    }
  }
  m_Driver.Check(m_EndChosen, "the last reward never offered to end the game");
  // Without the end from the story, the game is closed at the title.
  if (m_Driver.Running()) AnswerTheCloseQuestion(kSceneTitle);
  CheckWhatWasKept();
  LoadTheSave();
  m_Driver.Check(m_TimedOut, "the story offered no timed choice to leave alone");
  m_Driver.Check(m_BacklogButtonUsed, "the backlog button was never pressed");
  m_Driver.Check(!m_SavedLine.message.empty(), "the story was never saved mid-story");
  CheckFirstTexts();
}

void Playthrough::PlayLogoAndTitle() {
  m_Driver.Step("logo");
  m_Driver.Check(GameDriver::TopScene() == kSceneLogo, "the logo is not the first scene");
  m_Driver.Idle(450);
  m_Driver.CheckPicture("the logo");
  m_Driver.Step("title");
  if (!m_Driver.WaitForScene(kSceneTitle)) return;
  m_Driver.Idle(600);
  m_Driver.CheckPicture("the title");
}

bool Playthrough::ClickUntil(Point at, const std::function<bool()>& done, const std::string& what) {
  for (int tries = 0; tries < 20 && m_Driver.Running(); ++tries) {
    // The player looks at what the click did for a moment before clicking again.
    m_Driver.Click(at, GameDriver::kWaitFrameMs);
    for (int frame = 0; frame < 2; ++frame) {
      if (done()) return true;
      m_Driver.Frame(GameDriver::kWaitFrameMs);
    }
  }
  m_Driver.Fault(what);
  return false;
}

void Playthrough::ChangeOptions() {
  m_Driver.Step("options");
  if (!ClickUntil(GameDriver::RectCentre(kTitleIni, "Option"), [] { return GameDriver::TopScene() == kSceneOption; },
                  "the title's option button did not open the option screen"))
    return;
  m_Driver.RunUntil([] { return !Top<nsVesk::nsOption::cOptionScene>()->IsFadingIn(); }, kSceneLimitMs,
                    "the option screen's fade-in never ended");
  m_Driver.CheckPicture("the option screen");
  auto* sound = nsVesk::g_NovelPlayer->GetSoundManager();
  auto* draw = nsVesk::g_NovelPlayer->GetDrawManager();
  const int volume = sound->GetDefaultBGMVolume();
  ClickUntil(GameDriver::RectCentre(kOptionIni, volume > 0 ? "BGM_Down" : "BGM_Up"),
             [&] { return sound->GetDefaultBGMVolume() != volume; }, "a click on a music volume arrow did not change it");
  m_BGMVolume = static_cast<unsigned>(sound->GetDefaultBGMVolume());
  const std::int32_t speed = draw->GetConfigTextSpeed();
  ClickUntil(GameDriver::RectCentre(kOptionIni, speed > 30 ? "TextSpeed_Up" : "TextSpeed_Down"),
             [&] { return draw->GetConfigTextSpeed() != speed; }, "a click on a text speed arrow did not change it");
  m_TextSpeed = draw->GetConfigTextSpeed();
  m_Driver.Check(sound->GetDefaultBGMVolume() == static_cast<int>(m_BGMVolume),
                 "the music volume changed by more than one click");
  ClickUntil(GameDriver::RectCentre(kOptionIni, "BackButton"), [] { return GameDriver::TopScene() == kSceneTitle; },
             "the option screen's back button did not return to the title");
}

void Playthrough::OpenSelect() {
  m_Driver.Step("select");
  if (GameDriver::TopScene() != kSceneTitle && !m_Driver.WaitForScene(kSceneTitle)) return;
  ClickUntil(GameDriver::RectCentre(kTitleIni, "Start"), [] { return GameDriver::TopScene() == kSceneSelect; },
             "the title's start button did not open the select screen");
}

bool Playthrough::ChooseStage(int chara, int enemy) {
  OpenSelect();
  m_Driver.Step(Join("select c", chara, "e", enemy));
  if (GameDriver::TopScene() != kSceneSelect) return false;
  m_Driver.RunUntil([] { return !Top<nsVesk::nsSelect::cSelectScene>()->IsFadingIn(); }, kSceneLimitMs,
                    "the select screen's fade-in never ended");
  m_Driver.CheckPicture("the select screen");
  if (!ClickUntil(GameDriver::RectCentre(kSelectIni, Join("CharaSelect", chara)),
                  [] {
                    auto* select = Top<nsVesk::nsSelect::cSelectScene>();
                    return select != nullptr && select->GetPage() == 1 && !select->IsChangingPage();
                  },
                  Join("character ", chara, " was not taken")))
    return false;
  m_Driver.CheckPicture("the stage page");
  const std::string enemies = EnemyFile(chara);
  // Every later stage is locked until its story opens it: a click on it stays here.
  const int count = nsVesk::GetParamInt(enemies, "CG", "EnemyNum", 0);
  for (int locked = enemy + 1; locked < count; ++locked) {
    if (nsVesk::nsSelect::IsStageOpen(chara, locked)) continue;
    m_Driver.Click(GameDriver::RectCentre(enemies, Join("EnemySelect", locked)));
    m_Driver.Idle(200);
    m_Driver.Check(GameDriver::TopScene() == kSceneSelect && !Top<nsVesk::nsSelect::cSelectScene>()->IsDecided(),
                   Join("the locked stage c", chara, "e", locked, " could be chosen"));
    break;
  }
  return ClickUntil(GameDriver::RectCentre(enemies, Join("EnemySelect", enemy)),
                    [] { return GameDriver::TopScene() == kSceneStory; },
                    Join("stage c", chara, "e", enemy, " could not be opened"));
}

int Playthrough::RoundsOf(int chara, int enemy) const {
  return nsVesk::GetParamInt(EnemyFile(chara), Join("EnemySelect", enemy), "RoundNum", 0);
}

StoryLine Playthrough::CurrentLine() {
  auto* draw = nsVesk::g_NovelPlayer->GetDrawManager();
  return StoryLine{SectionText(draw->GetTalkerText()), SectionText(draw->GetMessageText())};
}

bool Playthrough::ChoiceOpen() const {
  auto* drawing = StoryDrawing();
  if (drawing == nullptr) return false;
  const std::int32_t state = drawing->Settings().SelectState;
  return state >= 0 && state < nsTamskLib::nsDrawManager::kSelectChosenBase && !drawing->Settings().SelectItems.empty();
}

void Playthrough::TakeChoice() {
  auto* drawing = StoryDrawing();
  const auto& items = drawing->Settings().SelectItems;
  std::string key;
  for (std::uint32_t i = 0; i < items.size(); ++i) key += SectionText(&items[i]) + "\n";
  // The same choice met again takes its next branch; the last stage's reward ends
  // the game where it offers to, and no other does.
  std::vector<std::uint32_t> ways;
  std::uint32_t end = 0;
  for (std::uint32_t i = 1; i <= items.size(); ++i) {
    if (SectionText(&items[i - 1]) == kEndGameChoice) {
      end = i;
    } else {
      ways.push_back(i);
    }
  }
  const int seen = m_ChoicesSeen[key]++;
  std::uint32_t item = ways.empty() ? end : ways[static_cast<std::size_t>(seen) % ways.size()];
  if (m_LastStage && end != 0) item = end;
  m_EndChosen = SectionText(&items[item - 1]) == kEndGameChoice;
  const nsTamskLib::TRect box = drawing->GetSelectItemRect(item);
  m_Driver.Click(Point{(box.left + box.right) / 2, (box.top + box.bottom) / 2});
  m_Driver.Idle(64);
  if (m_Driver.Check(!m_Driver.Running() || !ChoiceOpen(), "a click on a choice did not close the choice window")) {
    ++m_Record.choicesTaken;
  }
}

void Playthrough::VisitBacklog(const std::vector<StoryLine>& lines) {
  m_BacklogVisited = true;
  // The wheel is read while the text waits for its click.
  m_Driver.Idle(1500);
  const StoryLine shown = CurrentLine();
  m_Driver.Wheel(1);
  m_Driver.Frame();
  if (!m_Driver.Check(nsVesk::g_NovelPlayer->GetState() == nsTamskLib::nsCore::kStateBackLog,
                      "the wheel did not open the backlog"))
    return;
  m_Driver.CheckPicture("the backlog", 2);
  const StoryLine record = CurrentLine();
  bool earlier = false;
  for (const StoryLine& line : lines) {
    earlier = earlier || (!line.message.empty() && record.message.starts_with(line.message));
  }
  m_Driver.Check(earlier && record.message != shown.message, "the backlog does not show an earlier line");
  m_Driver.RightClick(kTextClick);
  m_Driver.Frame();
  m_Driver.Check(nsVesk::g_NovelPlayer->GetState() == nsTamskLib::nsCore::kStateNormal,
                 "the right button did not close the backlog");
  // The line on screen comes back (its last glyphs may have come meanwhile).
  m_Driver.Check(CurrentLine().talker == shown.talker && CurrentLine().message.starts_with(shown.message),
                 "the closed backlog did not put the line back");
}

bool Playthrough::TimedChoiceOpen() {
  auto& commands = nsVesk::g_NovelPlayer->Commands();
  const std::int32_t at = commands.GetIterator();
  if (at < 0 || static_cast<std::size_t>(at) >= commands.GetCommandList().size()) return false;
  return commands.GetCommandList()[static_cast<std::size_t>(at)]->GetID() == kTimedChoiceCommand;
}

void Playthrough::LetTheChoiceTimeOut() {
  m_TimedOut = true;
  m_Driver.Step("a timed choice left alone");
  m_Driver.MoveMouse(kTextClick);
  if (!m_Driver.RunUntil([this] { return ChoiceOpen(); }, kSceneLimitMs, "the timed choice never opened")) return;
  const std::string variable = StoryDrawing()->Settings().SelectVariable.c_str();
  if (!m_Driver.RunUntil([] { return !TimedChoiceOpen(); }, 10000, "the timed choice never closed by itself")) return;
  // The variable of a choice that timed out holds 0.
  std::int32_t taken = -1;
  const auto* locals = nsVesk::g_NovelPlayer->GetLocalHeap();
  if (locals->Exists(variable.c_str())) taken = locals->Get(variable.c_str());
  m_Driver.Check(taken == 0, Join("the timed-out choice set ", variable, " to ", taken));
}

bool Playthrough::PressStoryButton(const char* name, std::int32_t state, const std::string& screen) {
  Point at{};
  if (!m_Driver.RunUntil([&at, name] { return StoryButton(name, at); }, kSceneLimitMs,
                         std::string(name) + " never took clicks"))
    return false;
  if (!ClickUntil(at, [state] { return nsVesk::g_NovelPlayer->GetState() == state; },
                  std::string(name) + " did not open " + screen))
    return false;
  return m_Driver.CheckPicture(screen, 2);
}

bool Playthrough::BackToTheStory(Point at, const std::string& what) {
  return ClickUntil(at, [] { return nsVesk::g_NovelPlayer->GetState() == nsTamskLib::nsCore::kStateNormal; }, what);
}

void Playthrough::OpenBacklogByButton() {
  m_BacklogButtonUsed = true;
  m_Driver.Step("the backlog button");
  if (!PressStoryButton(kBacklogButton, nsTamskLib::nsCore::kStateBackLog, "the backlog")) return;
  m_Driver.RightClick(kTextClick);
  m_Driver.Frame();
  m_Driver.Check(nsVesk::g_NovelPlayer->GetState() == nsTamskLib::nsCore::kStateNormal,
                 "the right button did not close the backlog opened by its button");
}

void Playthrough::SaveMidStory() {
  m_Driver.Step("save mid-story");
  const StoryLine line = CurrentLine();
  if (!PressStoryButton(kSaveButton, nsTamskLib::nsCore::kStateSave, "the save screen")) return;
  m_Driver.AnswerNextQuestion(MessageBoxAnswer::Yes);
  ClickUntil(kFirstSlot, [] { return std::filesystem::exists(kFirstSlotFile); }, "a click on the first slot saved nothing");
  BackToTheStory(kSlotBackButton, "the save screen's back button did not return to the story");
  m_Driver.Check(CurrentLine().talker == line.talker && CurrentLine().message.starts_with(line.message),
                 "the story did not come back to its line after the save");
  m_SavedLine = CurrentLine();
}

void Playthrough::LoadTheSave() {
  if (m_SavedLine.message.empty() || !m_Driver.Running()) return;
  StoryVariable(kSavedChoice, m_FirstWay);
  // The other character's story; the slot brings back the saved one's.
  if (!ChooseStage(1, 0)) return;
  WatchSection("c1e0r0");
  m_Driver.Step("load the save");
  if (!m_Driver.RunUntil([] { return !CurrentLine().message.empty(); }, kFirstLineLimitMs,
                         "the story showed no text before the load"))
    return;
  // The first section of a new game declares the stage locks; the ones kept from
  // the last run stay open.
  for (const char* lock : {"Stage0_1", "Stage1_1"}) {
    std::int32_t value = 0;
    m_Driver.Check(StoryVariable(lock, value) && value != 0, std::string(lock) + " was closed by the story after the fresh start");
  }
  if (!PressStoryButton(kLoadButton, nsTamskLib::nsCore::kStateLoad, "the load screen")) return;
  m_Driver.AnswerNextQuestion(MessageBoxAnswer::Yes);
  if (!BackToTheStory(kFirstSlot, "a click on the saved slot did not load it")) return;
  m_Driver.Frame(GameDriver::kWaitFrameMs);
  const StoryLine resumed = CurrentLine();
  m_Driver.Check(resumed.talker == m_SavedLine.talker && m_SavedLine.message.starts_with(resumed.message),
                 "the loaded slot did not resume at its line: " + m_SavedLine.talker + ":" + m_SavedLine.message +
                     " / " + resumed.talker + ":" + resumed.message);
  const std::vector<StoryLine> lines = ReadStory(m_SavedSection + " (loaded)", kSceneStory);
  m_Driver.Check(!lines.empty() && lines.front().talker == m_SavedLine.talker,
                 "the loaded story did not go on from its line");
  // The section played the second time takes the other branch of its choice.
  std::int32_t way = 0;
  StoryVariable(kSavedChoice, way);
  m_Driver.Check(way != 0 && way != m_FirstWay, Join("the choice took branch ", way, " after branch ", m_FirstWay));
  if (!m_Driver.WaitForScene(kSceneBattle)) return;
  m_Driver.Check(dynamic_cast<nsVesk::nsGame::nsMine::nsEXPlayer::cPlayerAoria*>(nsVesk::nsGame::TheBattleContext().GetPlayer()),
                 "the loaded story led to another character's battle");
  AnswerTheCloseQuestion(kSceneBattle);
}

void Playthrough::WatchSection(const std::string& name) {
  const std::uint32_t picture = WatchSectionStart(m_Driver, m_ScriptSource, name);
  if (picture == 0) return;
  // The display's pace, so that the time is the player's.
  while (m_Driver.Running() && CurrentLine().message.empty() && m_Driver.GameTimeMs() - picture < kFirstLineLimitMs) {
    m_Driver.Frame();
  }
  m_FirstTextMs[name].push_back(m_Driver.GameTimeMs() - picture);
}

void Playthrough::CheckFirstTexts() {
  for (const auto& [name, times] : m_FirstTextMs) {
    if (times.size() < 2) continue;
    const std::uint32_t again = *std::min_element(times.begin() + 1, times.end());
    m_Driver.Check(times.front() <= again + kNewGameDelayMs,
                   Join("story ", name, " came to its first text ", times.front(), " ms after its picture the first time, ",
                        again, " ms when it started again"));
  }
}

std::uint32_t Playthrough::ClosedCellColour(const nsVesk::nsGame::nsMine::nsCore::IMine& board) {
  const std::string file = board.GetChipImage();
  const auto known = m_ClosedColours.find(file);
  if (known != m_ClosedColours.end()) return known->second;
  const std::unique_ptr<platform::Texture> picture = ReadPictureFile(file);
  std::uint32_t colour = 0;
  if (m_Driver.Check(picture != nullptr, "the chip picture " + file + " cannot be read")) {
    colour = picture->At(board.GetChipWidth() / 2, kClosedFrame * board.GetChipHeight() + board.GetChipHeight() / 2) &
             0xFFFFFFu;
  }
  return m_ClosedColours[file] = colour;
}

void Playthrough::CheckChipPictures(const std::string& round) {
  std::set<std::string> files;
  std::vector<std::uint32_t> colours;
  const auto& boards = nsVesk::nsGame::TheBattleContext().GetBoards();
  for (const auto& board : boards) {
    files.insert(board->GetChipImage());
    colours.push_back(ClosedCellColour(*board));
  }
  const std::size_t different = std::set<std::uint32_t>(colours.begin(), colours.end()).size();
  m_Driver.Check(files.size() == boards.size() && different == boards.size(),
                 Join("the ", boards.size(), " boards of ", round, " lie in ", files.size(), " chip pictures of ",
                      different, " closed-cell colours"));
  // Played again, after whatever came between, a round shows the same colours.
  const auto first = m_RoundColours.emplace(round, colours).first;
  m_Driver.Check(first->second == colours, "the boards of " + round + " changed their colours since it was first played");
}

std::vector<StoryLine> Playthrough::ReadStory(const std::string& name, std::int32_t scene) {
  m_Driver.Step("story " + name);
  // A section read from its start is named by its label (one resumed from a slot is not).
  if (m_ScriptSource.find("\n@" + name + ":") != std::string::npos) WatchSection(name);
  std::vector<StoryLine> lines;
  bool pictureChecked = false;
  bool settingsChecked = false;
  if (m_SkipStories) m_Driver.HoldKey(nsVesk::nsADV::VeskNormalScene::kLeftControl);
  // When the jingle was first heard, and when the reward's music after it.
  std::uint32_t jingleAt = 0;
  std::uint32_t musicBackAt = 0;
  auto* sound = nsVesk::g_NovelPlayer->GetSoundManager();
  for (int clicks = 0; clicks < kStoryClickLimit && m_Driver.Running() && GameDriver::TopScene() == scene; ++clicks) {
    if (!settingsChecked && !StoryKeepsPlayerSettings()) {
      settingsChecked = true;
      m_Driver.Fault("story " + name + " set a volume or a text speed of its own over the player's");
    }
    if (jingleAt == 0 && sound->IsBGMPlaying(kJingle)) jingleAt = m_Driver.GameTimeMs();
    if (jingleAt != 0 && musicBackAt == 0 && sound->IsBGMPlaying(kRewardMusic)) musicBackAt = m_Driver.GameTimeMs();
    if (!m_TimedOut && TimedChoiceOpen()) {
      LetTheChoiceTimeOut();
      continue;
    }
    if (ChoiceOpen()) {
      TakeChoice();
      continue;
    }
    const StoryLine line = CurrentLine();
    // A line still being revealed is the same line when it grows.
    if (!lines.empty() && line.talker == lines.back().talker && line.message.starts_with(lines.back().message)) {
      lines.back() = line;
    } else if (!line.message.empty()) {
      lines.push_back(line);
      // The text window over the background: at least two colours.
      if (!pictureChecked) m_Driver.CheckPicture("story " + name, 2);
      pictureChecked = true;
    }
    if (!m_BacklogVisited && lines.size() == 3) VisitBacklog(lines);
    if (m_BacklogVisited && !m_BacklogButtonUsed && lines.size() == 2) OpenBacklogByButton();
    if (name == m_SavedSection && m_SavedLine.message.empty() && lines.size() == kSavedLineIndex + 1) SaveMidStory();
    // The story waits for its "つづける" button rather than for a click on the text;
    // the player presses it and looks until the story hides it (a second press
    // while its action runs would run the action again).
    Point next{};
    if (StoryButton(kNextButton, next)) {
      m_Driver.Click(next, GameDriver::kWaitFrameMs);
      for (int frame = 0; frame < 5 && StoryButton(kNextButton, next); ++frame) m_Driver.Frame(GameDriver::kWaitFrameMs);
      continue;
    }
    m_Driver.Click(kTextClick, GameDriver::kWaitFrameMs);
  }
  if (m_SkipStories) m_Driver.ReleaseKey(nsVesk::nsADV::VeskNormalScene::kLeftControl);
  m_Driver.Check(!m_Driver.Running() || GameDriver::TopScene() != scene, "story " + name + " never ended");
  m_Driver.Check(!lines.empty(), "story " + name + " showed no text");
  // Skipping cuts the jingle short on purpose.
  if (jingleAt != 0 && !m_SkipStories) {
    const std::uint32_t length = MusicLengthMs(kJingle);
    m_Driver.Check(musicBackAt != 0, "story " + name + " never brought its music back after the jingle");
    m_Driver.Check(musicBackAt == 0 || musicBackAt - jingleAt >= length,
                   Join("story ", name, " brought its music back ", musicBackAt - jingleAt, " ms after a jingle of ",
                        length, " ms"));
  }
  m_Record.sections.emplace_back(name, lines);
  return lines;
}

void Playthrough::ReturnToTitleMidMessage(int chara, int enemy) {
  if (!ChooseStage(chara, enemy)) return;
  const std::string name = Join("c", chara, "e", enemy, "r0");
  m_Driver.Step("return to the title from " + name);
  WatchSection(name);
  if (!m_Driver.RunUntil([] { return !CurrentLine().message.empty(); }, kFirstLineLimitMs, name + " showed no text"))
    return;
  m_Driver.ClickButton(kStoryIni, "ButtonReturnTitle");
  auto* normal = dynamic_cast<nsVesk::nsADV::VeskNormalScene*>(nsVesk::g_NovelPlayer->GetScene(0));
  if (!m_Driver.Check(normal != nullptr && normal->IsConfirmOpen(), "タイトルに戻る did not ask for confirmation")) return;
  const StoryLine first = CurrentLine();
  m_Record.sections.emplace_back(name + " (left)", std::vector<StoryLine>{first});
  m_Driver.CheckPicture("the return confirmation", 2);
  m_Driver.Click(kTextClick);
  m_Driver.Idle(100);
  m_Driver.Check(CurrentLine() == first, "the text went on while the confirmation was open: " + first.message + " / " + CurrentLine().message);
  m_Driver.ClickButton(kStoryIni, "ButtonReturnTitleYes");
  m_Driver.WaitForScene(kSceneTitle);
  m_Driver.Idle(300);
  m_Driver.CheckPicture("the title after タイトルに戻る");
}

void Playthrough::PlayStage(int chara, int enemy, bool loseFirst) {
  if (!ChooseStage(chara, enemy)) return;
  const int rounds = RoundsOf(chara, enemy);
  BattleSolver solver(m_Driver);
  for (int round = 0; round < rounds && m_Driver.Running(); ++round) {
    const std::string name = Join("c", chara, "e", enemy, "r", round);
    // The last stage's last story is read with Control held, the held skip.
    const bool skipping = m_LastStage && round + 1 == rounds;
    if (skipping) m_Driver.HoldKey(nsVesk::nsADV::VeskNormalScene::kLeftControl);
    const std::vector<StoryLine> lines = ReadStory(name, kSceneStory);
    if (skipping) m_Driver.ReleaseKey(nsVesk::nsADV::VeskNormalScene::kLeftControl);
    if (round == 0 && !lines.empty()) {
      // The section played again after the return to the title starts as it did.
      for (const auto& [section, seen] : m_Record.sections) {
        if (section != name + " (left)") continue;
        // The line was left while it was still being revealed.
        const StoryLine& left = seen.front();
        m_Driver.Check(lines.front().talker == left.talker && lines.front().message.starts_with(left.message),
                       "the story played again does not start with the line (and talker) it showed first: " + left.talker + ":" + left.message + " / " + lines.front().talker + ":" + lines.front().message);
      }
    }
    m_Driver.Step("battle " + name);
    if (!m_Driver.WaitForScene(kSceneBattle)) return;
    if (!m_Driver.RunUntil(BattleSolver::Playable, kSceneLimitMs, "the battle never took input")) return;
    m_Driver.Check(nsVesk::g_Round == round, Join("the battle plays round ", nsVesk::g_Round, " for ", round));
    m_Driver.CheckPicture("battle " + name);
    CheckChipPictures(name);
    if ((loseFirst && round == 0) || m_LoseEveryRound) {
      if (!solver.Lose()) return;
      m_Driver.Idle(300);
      m_Driver.CheckPicture("the lost battle");
      m_Driver.Click(kRestartButton);
      m_Driver.Check(!BattleSolver::Lost() && GameDriver::TopScene() == kSceneBattle,
                     "the restart button did not put the round back");
      CheckChipPictures(name);
    }
    if (!solver.Win()) return;
    m_Driver.Idle(300);
    m_Driver.CheckPicture("the cleared battle");
    const std::int32_t next = round + 1 < rounds ? kSceneStory : kSceneReward;
    ClickUntil(kAnywhere, [next] { return GameDriver::TopScene() == next; },
               "a click after the cleared round did not go on");
  }
  m_Record.battleClicks = solver.Clicks() + m_Record.battleClicks;
  const std::string reward = Join("c", chara, "e", enemy, "g");
  ReadStory(reward, kSceneReward);
  if (m_EndChosen) {
    m_Driver.Step("the game ended from the story");
    m_Driver.Idle(100);
    if (m_Driver.Check(!m_Driver.Running(), "ゲームを終える did not end the game")) ++m_Record.stagesCleared;
    CheckShutdown();
    return;
  }
  if (!m_Driver.WaitForScene(kSceneTitle)) return;
  m_Driver.Check(nsVesk::g_Round == 0, "the round count was not put back after the reward");
  ++m_Record.stagesCleared;
  m_Driver.Idle(300);
  m_Driver.CheckPicture("the title after the reward");

  // The reward opens the character's next stage.
  const int enemies = nsVesk::GetParamInt(EnemyFile(chara), "CG", "EnemyNum", 0);
  if (enemy + 1 >= enemies) return;
  const std::string lock = Join("Stage", chara, "_", enemy + 1);
  std::int32_t value = 0;
  const bool opened = StoryVariable(lock, value) && value != 0;
  if (m_ScriptSource.find(lock) != std::string::npos) {
    m_Driver.Check(opened, "the reward of " + reward + " did not set " + lock);
  } else if (!opened) {
    nsVesk::g_NovelPlayer->GetGlobalHeap()->Set(lock.c_str(), 1);
    m_Record.locksOpenedByThePlay.push_back(lock);
  }
}

// The current volumes a story leaves at "the default" (outside 0 to 10000) and its
// text speed unset (negative: the setting's), so the option screen's values count.
bool Playthrough::StoryKeepsPlayerSettings() {
  auto* sound = nsVesk::g_NovelPlayer->GetSoundManager();
  auto* draw = nsVesk::g_NovelPlayer->GetDrawManager();
  return sound->IsSEVolumeInvalid() && sound->IsBGMVolumeInvalid() && sound->IsVoiceVolumeInvalid() &&
         draw->GetTextSpeed() == -draw->GetConfigTextSpeed();
}

bool Playthrough::StoryVariable(const std::string& name, std::int32_t& value) {
  const auto* globals = nsVesk::g_NovelPlayer->GetGlobalHeap();
  if (!globals->Exists(name.c_str())) return false;
  value = globals->Get(name.c_str());
  return true;
}

void Playthrough::AnswerTheCloseQuestion(std::int32_t scene) {
  m_Driver.Step("close");
  const std::size_t boxesBefore = m_Driver.Boxes().size();
  m_Driver.CloseWindow(MessageBoxAnswer::No);
  m_Driver.Idle(100);
  m_Driver.Check(m_Driver.Running() && GameDriver::TopScene() == scene, "the answer No did not keep the game");
  m_Driver.CheckPicture("the screen after the answer No");
  m_Driver.CloseWindow(MessageBoxAnswer::Yes);
  m_Driver.Idle(100);
  m_Driver.Check(!m_Driver.Running(), "the answer Yes did not end the loop");
  m_Driver.Check(m_Driver.Boxes().size() == boxesBefore + 2,
                 Join(m_Driver.Boxes().size() - boxesBefore, " boxes for two close questions"));
  CheckShutdown();
}

void Playthrough::CheckShutdown() {
  m_Driver.Check(m_Driver.Shutdown() == 0, "the shut-down did not end with 0");
  for (const char* file : {"global.dat", "kidoku.dat", "env.dat"}) {
    m_Driver.Check(std::filesystem::exists(file), Join(file, " was not written"));
  }
}

void Playthrough::CheckWhatWasKept() {
  m_Driver.Step("fresh start");
  const std::size_t boxesBefore = m_Driver.Boxes().size();
  if (!m_Driver.Start()) return;
  m_Driver.Check(m_Driver.Boxes().size() == boxesBefore, "the fresh start showed a box");
  auto* sound = nsVesk::g_NovelPlayer->GetSoundManager();
  m_Driver.Check(static_cast<unsigned>(sound->GetDefaultBGMVolume()) == m_BGMVolume,
                 "the music volume was not kept in env.dat");
  m_Driver.Check(nsVesk::g_NovelPlayer->GetDrawManager()->GetConfigTextSpeed() == m_TextSpeed,
                 "the text speed was not kept in env.dat");
  const int characters = nsVesk::GetParamInt(kSelectIni, "CG", "CharaNum", 0);
  for (int chara = 0; chara < characters; ++chara) {
    const int enemies = nsVesk::GetParamInt(EnemyFile(chara), "CG", "EnemyNum", 0);
    for (int enemy = 1; enemy < enemies; ++enemy) {
      const std::string lock = Join("Stage", chara, "_", enemy);
      std::int32_t value = 0;
      m_Driver.Check(StoryVariable(lock, value) && value != 0, lock + " was not kept in global.dat");
    }
  }
  m_Driver.WaitForScene(kSceneTitle);
}

}  // namespace vesk_play
