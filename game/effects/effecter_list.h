#pragma once
// cEffecterList: a set of effecters run once per frame in the order they were
// added; the list owns them and deletes each one when it has finished.

#include <vector>

#include "game/effects/effecter.h"

namespace nsVesk::nsEffect {

class cEffecterList {
 public:
  // Empty and disabled.
  cEffecterList() = default;
  cEffecterList(const cEffecterList&) = delete;
  cEffecterList& operator=(const cEffecterList&) = delete;
  ~cEffecterList();

  void Enable() { m_Enabled = true; }
  bool IsEnabled() const { return m_Enabled; }
  // Starts the effecter and keeps it (enabled or not); the list owns it from now.
  void Add(IEffecter* effecter);
  // While enabled: every running effecter is updated (and drawn) once, every
  // finished one is deleted, in the order of the list.
  void Run();
  // Stops and deletes every effecter and disables the list.
  void Clear();

  std::size_t Size() const { return m_Effecters.size(); }

 private:
  bool m_Enabled = false;
  std::vector<IEffecter*> m_Effecters;
};

}  // namespace nsVesk::nsEffect
