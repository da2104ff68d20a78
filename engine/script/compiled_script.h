#pragma once
// The compiled script ("scenario.dat") and compiled objects (".obj"): a raw
// four-byte magic, then three sections read through the save stream:
// - labels: the map form (name, command index);
// - commands: u32 count, then per command its u32 type and the body that the
//   command's own Load reads (the registered factory of the type creates it);
// - symbols: the map form (name, kind).
//
// In an object a label of 0 or more is defined by the object (an index into its
// own commands) and a negative one is used by it and must already exist; a symbol
// of 0 or more declares a name of that kind, a negative one refers to a name
// declared elsewhere (the kind negated).

#include <string>

#include "engine/api/io_stream.h"
#include "engine/api/stream_words.h"
#include "engine/heap/command_heap.h"
#include "engine/heap/single_heap.h"

namespace nsTamskLib::nsScript {

inline constexpr char kScriptMagic[4] = {'.', 's', 'c', 'r'};
inline constexpr char kObjectMagic[4] = {'.', 'o', 'b', 'j'};

// What a compiled file holds, or what the player has of a script.
struct ScriptParts {
  nsSimulatedHeap::SingleHeap& labels;
  nsSimulatedHeap::CommandHeap& commands;
  nsSimulatedHeap::SingleHeap& symbols;
};

// Reads four raw bytes; true when they are the magic.
using nsIOStream::ReadMagic;

// Reads the three sections into the parts (each emptied first). False when the file
// ended early or held a string too long to be one: what was read is then garbage.
bool ReadSections(nsIOStream::IIOStream& stream, const ScriptParts& parts);

// Whether an object may be linked into a script: every label the script defines is
// only used by the object (negative), every other label is defined by it; every
// symbol the script declares has the same kind in the object (compared by absolute
// value), or is a global (2) the object refers to as a local (-1); every other
// symbol is declared by the object.
bool CanLink(const ScriptParts& script, const ScriptParts& object);

// Appends the object to the script: its labels of 0 or more land behind the
// script's commands, its commands are moved over in order (the object's list is
// left empty), its declared symbols are added.
void Link(const ScriptParts& script, const ScriptParts& object);

// The script's name after an object was linked: "script, object", or the object's
// name alone when no script is named yet.
std::string JoinScriptName(const std::string& script, const std::string& object);

}  // namespace nsTamskLib::nsScript
