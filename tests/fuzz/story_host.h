#pragma once
// The story side of the harnesses: the real plug-in loaded once for the process,
// scripts compiled with the script compiler host, and the engine's script player
// over recording back ends run for a few frames.

#include <string>

#include "tests/engine/fakes/test_player.h"

namespace vesk_fuzz {

// Loads the plug-in, routes the engine's fatal errors to Rejected and answers
// every message box; once per process. Also enters the scratch folder.
void StartStoryHost();

// Compiles the source and writes it to the file; false on any error.
bool CompileScript(const std::string& source, const std::string& file, bool object = false);

// Runs frames of the player; an error box that ends the game ends the run.
void RunFrames(vesk_test::TestPlayer& player, int frames);

}  // namespace vesk_fuzz
