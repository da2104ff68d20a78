// The program takes no command-line options: it runs in its working folder, where
// "Data", "Data.dat" and the save files live.
#include "game/app/vesk_entry.h"
#include "platform/window/window.h"

int main() {
  platform::InstallQuitSignalHandlers();
  return nsVesk::VeskMain();
}
