#pragma once
// One backlog entry of the text manager: the message and talker name as they were
// shown, and strings carried with the entry (stored and saved, not read by the
// engine). Copies are deep.

#include "engine/api/token_containers.h"

namespace nsTamskLib::nsTextManager {

struct BackLogRecord {
  TextTokenSection Message;
  TextTokenSection Talker;
  vector_mystr Extra;

  void Clear();
};

}  // namespace nsTamskLib::nsTextManager
