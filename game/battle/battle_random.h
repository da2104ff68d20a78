#pragma once
// Random numbers of the battle: board generation draws from the program's own
// generator, never from the C library's shared one, so that nothing else in the
// process (the plug-in's shakes and `rand` command) can disturb a board's layout.

#include <cstdint>

namespace nsVesk::nsGame {

// A source of random numbers with the C library's `rand` contract: each call gives
// a value from 0 to 32767.
class IBattleRandom {
 public:
  virtual ~IBattleRandom() = default;
  virtual std::uint32_t Next() = 0;
};

// The program's generator: the classic linear congruential `rand`
// (state = state x 214013 + 2531011, value = bits 16-30 of the state), so a seed
// gives the same boards on every platform.
class BattleRandom : public IBattleRandom {
 public:
  static constexpr std::uint32_t kMaxValue = 0x7FFF;

  BattleRandom() = default;
  explicit BattleRandom(std::uint32_t seed) : m_State(seed) {}

  void Seed(std::uint32_t seed) { m_State = seed; }
  std::uint32_t Next() override;

 private:
  // An unseeded generator behaves as if seeded with 1, as `rand` does.
  std::uint32_t m_State = 1;
};

// The program's one generator, seeded once at start-up; every board draws from it
// unless it has been given another source.
BattleRandom& TheBattleRandom();

}  // namespace nsVesk::nsGame
