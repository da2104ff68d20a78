#pragma once
// Script commands for engine tests, registered in-process through the plug-in
// exports (RegisterPFactory, RegisterPEnableSystemCommand) as a plug-in would. Each
// has the same body, an i32, a string and an expression, written by Save and read
// back by Load, so a compiled test script goes through the real section reader.
//
// What they do when executed (number, text and expression are the body):
// - Step:   logs "step <number>", moves to the next command;
// - Stay:   logs "stay <number>"; stays <number> frames (forever when negative),
//           then moves on; its type accepts the player's system input;
// - Hold:   as Stay, but its type does not accept system input;
// - Jump:   continues at the label <text>;
// - Call:   moves on, then pushes the position of the label <text>;
// - Return: pops the position stack;
// - State:  pushes player state <number>, moves on;
// - Set:    sets the variable <text> (local; global when <number> is 1) to the
//           expression's value, moves on;
// - Link:   links the object file <text> through the engine's own stream, logs
//           "link <text> ok" or "link <text> refused", moves on.
// Every creation, SetEngine, Load, Reset and Destroy is logged too.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/api/tamsk.h"

namespace vesk_test {

enum TestCommandType : unsigned {
  kTestStep = 9001,
  kTestStay = 9002,
  kTestHold = 9003,
  kTestJump = 9004,
  kTestCall = 9005,
  kTestReturn = 9006,
  kTestState = 9007,
  kTestSet = 9008,
  kTestLink = 9009,
};

// A command type that no factory is registered for.
inline constexpr unsigned kUnregisteredCommandType = 9099;

// The body of a test command.
struct TestCommandBody {
  std::int32_t number = 0;
  std::string text;
  nsTamskLib::Expression expr;
};

// What the test commands did in this process, in order.
struct TestCommandLog {
  // "create <type>", "engine <type>", "load <type>", "reset <type>", "destroy <type>".
  std::vector<std::string> lifecycle;
  // What Execute did ("step 3", "stay 1", "link a.obj ok").
  std::vector<std::string> executed;
  int created = 0;
  int destroyed = 0;

  void Clear() { *this = TestCommandLog(); }
  // The entries of executed that start with prefix.
  std::vector<std::string> Executed(const std::string& prefix) const;
};

TestCommandLog& CommandLog();

// Registers the factories of every test type and marks kTestStay as accepting
// system input; does nothing while they are registered.
void RegisterTestCommands();

// A test command of the type with the body, for writers; not logged. Release it
// with Destroy.
nsTamskLib::ICmd_Base* NewTestCommand(unsigned type, const TestCommandBody& body);

}  // namespace vesk_test
