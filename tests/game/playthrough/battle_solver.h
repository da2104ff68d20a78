#pragma once
// Plays a battle round through clicks only. The board model is read to choose a
// cell (a safe one to win, a mine to lose), and the cell is opened by clicking
// its place on the screen, where the battle reads the mouse.

#include <cstdint>

#include "tests/game/playthrough/game_driver.h"

namespace vesk_play {

class BattleSolver {
 public:
  explicit BattleSolver(GameDriver& driver) : m_Driver(driver) {}

  // Waits for the round to take input, then opens safe cells of the top board
  // until the round is cleared; false, with a fault, when it is not.
  bool Win();
  // Opens one safe cell (the first opening never meets a mine), then mines,
  // until the round is lost; false, with a fault, when it is not.
  bool Lose();
  // Whether the battle takes input: its scene on top and its fades over.
  static bool Playable();
  static bool Cleared();
  static bool Lost();
  int Clicks() const { return m_Clicks; }

 private:
  // Clicks a closed cell of the top board: one without a mine when `mine` is
  // false, one with a mine otherwise. False when there is no such cell.
  bool ClickCell(bool mine);

  GameDriver& m_Driver;
  int m_Clicks = 0;
};

}  // namespace vesk_play
