#pragma once
// The timed choice: up to ten choices in the engine's choice window, with a time
// limit. While the player has not chosen, update pattern 28 runs the timer and
// draws the timer images that the script defined beforehand (fixed pictures,
// bars that shrink or grow, animations). The chosen entry's 1-based number goes
// into the script variable; when the time runs out the variable becomes 0.
//
//   Cmd_selectl    (49)  selectl
//   Cmd_setselectl (50)  selectlclearimage, selectlimage0 to selectlimage3

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/api/fwd.h"
#include "engine/api/token_containers.h"
#include "engine/api/types.h"
#include "plugin/commands/command_base.h"
#include "plugin/commands/keyword_list.h"

namespace nsWendrick {

// One timer image: kind -1 empty, 0 fixed, 1 bar, 2 animation, 3 animation with bar.
struct SelectLImage {
  std::uint8_t A = 0;
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t Kind = -1;
  std::string Name;
  std::vector<nsTamskLib::TRect> Frames;
  std::int32_t BltType = 0;
  std::int32_t BarPattern = 0;
};

// The timer images by number, drawn in ascending number. Not saved.
using SelectLImageMap = std::map<std::int32_t, SelectLImage>;
SelectLImageMap& SelectLImages();

// Pushes the timer images for the moment elapsed of total milliseconds; installed
// as the hook of update pattern 28.
void DrawSelectLImages(nsTamskLib::nsCore::INovelEngine* engine, std::uint32_t elapsed,
                       std::uint32_t total);

class Cmd_selectl final : public CommandBase {
 public:

  static nsTamskLib::ICmd_Base* Create() { return new Cmd_selectl(); }
  // "selectl" string {"," string} "," variable "," time ";" with at most ten strings.
  static int Parse(unsigned keywordToken);
  static constexpr const char* kKeywords[] = {"selectl"};
  static KeywordList Keywords() { return kKeywords; }

  void Reset() override;
  int Execute() override;
  void Setup(const nsTamskLib::CommandParam& param) override;
  static constexpr std::uint32_t kType = 49;
  std::uint32_t GetID() override { return kType; }
  void Dump(nsTamskLib::nsTextStream::ITextStream* out) override;
  void Save(nsTamskLib::nsIOStream::IIOStream* stream) override;
  void Load(nsTamskLib::nsIOStream::IIOStream* stream) override;

 private:
  void ShowChoices();
  void Finish();

  nsTamskLib::Expression m_Time;
  std::string m_Variable;
  std::vector<std::string> m_Choices;
  // The timer's start; a flag of its own, since the clock may read 0.
  std::uint32_t m_StartMark = 0;
  bool m_TimerStarted = false;
  bool m_FirstRun = true;
};

class Cmd_setselectl final : public CommandBase {
 public:
  enum Kind : std::int32_t { kClear = 0, kFixed, kBar, kAnimation, kAnimationBar };
  // The expressions after m_No, in member order.
  enum Member : std::uint32_t {
    kX = 0, kY, kA, kBltType, kRectX, kRectY, kRectWidth, kRectHeight, kBarPattern,
    kAnimationMaxNo, kAnimationPattern, kMemberCount
  };

  static nsTamskLib::ICmd_Base* Create() { return new Cmd_setselectl(); }
  static int Parse(unsigned keywordToken);
  static KeywordList Keywords();

  int Execute() override;
  void Setup(const nsTamskLib::CommandParam& param) override;
  static constexpr std::uint32_t kType = 50;
  std::uint32_t GetID() override { return kType; }
  void Dump(nsTamskLib::nsTextStream::ITextStream* out) override;
  void Save(nsTamskLib::nsIOStream::IIOStream* stream) override;
  void Load(nsTamskLib::nsIOStream::IIOStream* stream) override;

 private:
  std::int32_t m_Kind = 0;
  nsTamskLib::Expression m_No;
  std::string m_Image;
  nsTamskLib::Expression m_Expr[kMemberCount];
};

}  // namespace nsWendrick
