#pragma once
// The draw manager's tests: a recording draw manager wired into the story-screen
// engine (a real task manager, a scripted mouse, sounds played recorded), with
// the fatal-error trap, and small builders of laid-out text.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/api/token_containers.h"
#include "tests/engine/fakes/recording_draw_manager.h"
#include "tests/engine/fakes/story_screen_engine.h"
#include "tests/engine/kit/fatal_trap.h"

namespace vesk_test {

using Log = std::vector<std::string>;

class DrawManagerTest : public testing::Test {
 protected:
  DrawManagerTest() {
    engine.drawManager = &dm;
    dm.SetEngine(&engine);
  }

  FatalTrap trap;
  StoryScreenEngine engine;
  RecordingDrawManager dm;
};

// A glyph of the given advance and height in "f" size 20, white, alpha 255.
inline nsTamskLib::TextToken Glyph(const char* text, std::int32_t width, std::int32_t height) {
  nsTamskLib::TextToken token;
  token.Text = text;
  token.Size = 20;
  token.Colour = 0xFFFFFF;
  token.FontFace = "f";
  token.Alpha = 255;
  token.Width = width;
  token.Height = height;
  return token;
}

inline nsTamskLib::RubyToken RubyGlyph(const char* text, std::int32_t width, std::int32_t height) {
  nsTamskLib::RubyToken token;
  token.Text = text;
  token.Size = 10;
  token.Colour = 0xFFFFFF;
  token.FontFace = "r";
  token.Alpha = 255;
  token.Width = width;
  token.Height = height;
  return token;
}

inline nsTamskLib::TextTokenLine Line(std::initializer_list<nsTamskLib::TextToken> tokens) {
  nsTamskLib::TextTokenLine line;
  for (const nsTamskLib::TextToken& token : tokens) line.push_back(token);
  return line;
}

inline nsTamskLib::TextTokenSection Section(
    std::initializer_list<nsTamskLib::TextTokenLine> lines) {
  nsTamskLib::TextTokenSection section;
  for (const nsTamskLib::TextTokenLine& line : lines) section.push_back(line);
  return section;
}

}  // namespace vesk_test
