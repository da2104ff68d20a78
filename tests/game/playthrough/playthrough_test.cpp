// The sample game played from the logo to the close question on the real entry
// and the real plug-in; every checkpoint on the way that failed is listed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/text/cp932.h"
#include "tests/game/playthrough/playthrough.h"

namespace {

std::string ReadText(const char* file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(Playthrough, TheSampleGamePlaysFromItsLogoToItsEnd) {
  vesk_play::Playthrough play(VESK_SAMPLE_DATA, VESK_SAMPLE_SCENARIO, ReadText(VESK_SAMPLE_SCENARIO_SOURCE));
  play.Run();

  for (const std::string& fault : play.Driver().Faults()) ADD_FAILURE() << platform::Cp932ToUtf8(fault);
  const vesk_play::PlayRecord& record = play.Record();
  EXPECT_EQ(record.stagesCleared, 4);
  const bool printLines = std::getenv("VESK_PLAY_LINES") != nullptr;
  for (const auto& [name, lines] : record.sections) {
    for (const auto& line : lines) {
      EXPECT_FALSE(line.message.empty()) << name;
      if (printLines) {
        std::cout << name << " | " << platform::Cp932ToUtf8(line.talker) << " | "
                  << platform::Cp932ToUtf8(line.message) << "\n";
      }
    }
  }
  for (const std::string& lock : record.locksOpenedByThePlay) {
    std::cout << "note: the story does not open " << lock << "; the play opened it\n";
  }
  std::cout << "game time " << play.Driver().GameTimeMs() << " ms in " << play.Driver().Frames() << " frames, "
            << record.sections.size() << " story sections, " << record.choicesTaken << " choices, "
            << record.battleClicks << " battle clicks; " << play.Driver().GameTimeMs() / record.wallMs << "x real time\n";
}

}  // namespace
