#pragma once
// The shipped sample game played from its start to its end: logo, title, the
// option screen (a volume and the text speed changed), the select screen, every
// stage of both characters with each round's story, battle and the reward, a
// battle lost and restarted, "タイトルに戻る" in the middle of a message and the
// stage played again, the backlog opened by the wheel and by its button, a timed
// choice left to time out, a save to a slot through the story screen's save
// button, the last reward's "ゲームを終える" ending the program, a fresh start
// that reads back what the first run wrote, and the saved slot loaded through
// the load button in the other character's story: the story goes on from the
// saved line, its choice takes the other branch and the saved character's battle
// follows; then the close question is answered No and then Yes. The story is read
// as it comes: its text is clicked on until it suspends, and an open choice window
// gets a click on one of its choices. Each section read from its start must come
// onto the screen on its own picture (section_start.h), the first section of the
// program no more than half a second slower to its first text than when it starts
// again; no story may set a volume or a text speed over the player's; a reward's
// music comes back after its jingle, and the boards of every round lie in chip
// pictures of their own, each in its own closed-cell colour.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/game/playthrough/game_driver.h"

namespace nsVesk::nsGame::nsMine::nsCore {
class IMine;
}

namespace vesk_play {

struct StoryLine {
  std::string talker;
  std::string message;
  bool operator==(const StoryLine&) const = default;
};

// What the play saw, for the checks and the report.
struct PlayRecord {
  // The lines of every story section played, in the order met; a section played
  // twice is listed twice under its name ("c<c>e<e>r<r>" or "c<c>e<e>g").
  std::vector<std::pair<std::string, std::vector<StoryLine>>> sections;
  int choicesTaken = 0;
  int battleClicks = 0;
  int stagesCleared = 0;
  // The play's length on the wall clock.
  double wallMs = 0;
  // Stages whose lock the story never opened, opened by the play itself.
  std::vector<std::string> locksOpenedByThePlay;
};

class Playthrough {
 public:
  // `scriptSource` is the story's source text (UTF-8), read to learn which stage
  // locks the story promises to open.
  Playthrough(const std::string& dataFolder, const std::string& scenario, const std::string& scriptSource);

  // The whole play; faults are collected in the driver.
  void Run();

  GameDriver& Driver() { return m_Driver; }
  const PlayRecord& Record() const { return m_Record; }

 protected:
  void Play();
  void PlayLogoAndTitle();
  void ChangeOptions();
  void OpenSelect();
  // From the select screen's first page into the stage's first story.
  bool ChooseStage(int chara, int enemy);
  // Every round's story and battle of the chosen stage, then the reward, back to
  // the title. The first battle is lost and restarted when `loseFirst`.
  void PlayStage(int chara, int enemy, bool loseFirst);
  // The start of a section read from its label: its own picture (section_start.h),
  // then, at the display's pace, its first text; the time between is kept.
  void WatchSection(const std::string& name);
  // The boards of the round just built: chip pictures no other board of theirs
  // takes, whose closed cells differ in colour, the same colours every time the
  // round is played.
  void CheckChipPictures(const std::string& round);
  // A section played again comes to its first text after its picture no more than
  // kNewGameDelayMs later the first time (the first section of a game sets the
  // story screen up on the way) than at its fastest start after that.
  void CheckFirstTexts();
  // One story section to its end (the scene on top changes); its lines.
  std::vector<StoryLine> ReadStory(const std::string& name, std::int32_t scene);
  // The first story of the stage left by "タイトルに戻る" mid-message.
  void ReturnToTitleMidMessage(int chara, int enemy);
  // The close question answered No (the game stays on `scene`), then Yes.
  void AnswerTheCloseQuestion(std::int32_t scene);
  // The ended program shuts down with 0 and has written its three files.
  void CheckShutdown();
  void CheckWhatWasKept();
  // The story screen's save button mid-story: the slot is written and the story
  // goes on from its line.
  void SaveMidStory();
  // After a fresh start: the story screen's load button takes the saved slot, the
  // story goes on from the saved line and its choice takes its other branch.
  void LoadTheSave();
  // The story screen's backlog button opens the backlog; the right button closes it.
  void OpenBacklogByButton();
  // A timed choice left alone closes by itself and takes no choice.
  void LetTheChoiceTimeOut();
  // Clicks a story button until the player state `state` (its screen) is on.
  bool PressStoryButton(const char* name, std::int32_t state, const std::string& screen);
  bool BackToTheStory(Point at, const std::string& what);

  // Clicks `at` until `done` holds (a scene may still be fading in and not take
  // the first click); false, with a fault naming `what`, when it never does.
  bool ClickUntil(Point at, const std::function<bool()>& done, const std::string& what);
  // The backlog opened with the wheel over the story's second line and closed
  // with the right button: it shows an earlier line and puts the screen back.
  void VisitBacklog(const std::vector<StoryLine>& lines);
  bool ChoiceOpen() const;
  static bool TimedChoiceOpen();
  void TakeChoice();
  static StoryLine CurrentLine();
  static bool StoryButton(const char* name, Point& centre);
  static bool StoryVariable(const std::string& name, std::int32_t& value);
  static bool StoryKeepsPlayerSettings();
  // The closed-cell colour of a board's chip picture (0xRRGGBB), read once per file.
  std::uint32_t ClosedCellColour(const nsVesk::nsGame::nsMine::nsCore::IMine& board);
  int RoundsOf(int chara, int enemy) const;

  GameDriver m_Driver;
  std::string m_ScriptSource;
  PlayRecord m_Record;
  std::map<std::string, int> m_ChoicesSeen;
  // Per section read from its start, in the order played: game time from its
  // picture to its first text.
  std::map<std::string, std::vector<std::uint32_t>> m_FirstTextMs;
  std::map<std::string, std::uint32_t> m_ClosedColours;
  // The closed-cell colours of each round's boards, top first, when first played.
  std::map<std::string, std::vector<std::uint32_t>> m_RoundColours;
  unsigned m_BGMVolume = 0;
  std::int32_t m_TextSpeed = 0;
  bool m_LastStage = false;
  bool m_BacklogVisited = false;
  bool m_BacklogButtonUsed = false;
  bool m_TimedOut = false;
  bool m_EndChosen = false;
  // Every story read with Control held (the held skip), and every round lost and
  // restarted before it is won.
  bool m_SkipStories = false;
  bool m_LoseEveryRound = false;
  // The line on screen when the slot was saved (empty before the save).
  StoryLine m_SavedLine;
  // The section saved mid-story and loaded after the fresh start.
  std::string m_SavedSection = "c0e0r0";
  std::int32_t m_FirstWay = 0;
};

}  // namespace vesk_play
