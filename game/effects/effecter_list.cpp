#include "game/effects/effecter_list.h"

namespace nsVesk::nsEffect {

cEffecterList::~cEffecterList() {
  for (IEffecter* effecter : m_Effecters) delete effecter;
}

void cEffecterList::Add(IEffecter* effecter) {
  if (effecter == nullptr) return;
  effecter->Start();
  m_Effecters.push_back(effecter);
}

void cEffecterList::Run() {
  if (!m_Enabled) return;
  for (auto it = m_Effecters.begin(); it != m_Effecters.end();) {
    if ((*it)->IsRunning()) {
      (*it)->Update();
      ++it;
    } else {
      delete *it;
      it = m_Effecters.erase(it);
    }
  }
}

void cEffecterList::Clear() {
  for (IEffecter* effecter : m_Effecters) {
    effecter->Stop();
    delete effecter;
  }
  m_Effecters.clear();
  m_Enabled = false;
}

}  // namespace nsVesk::nsEffect
