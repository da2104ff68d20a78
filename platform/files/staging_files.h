#pragma once
// The reserved names under which new files wait until they take the place of the
// files they replace, and the removal of what a run killed on its way left under
// them.
//
// A file's new contents wait beside it under its name followed by "·staging-" and
// six letters or digits. The middle dot (U+00B7) has no Shift-JIS form: no name the
// game uses reaches such a file, so it is never read as data. A run that writes
// several new files first waits them out in a folder beside the file it makes,
// named by that file's name followed by ".staging-" and six letters or digits (a
// Shift-JIS name, so the game's own writers can write in it).
//
// The removals take only names of these forms; a caller runs them while no other
// run can be writing under them (under the single-instance lock).

#include <string>
#include <string_view>

#include "platform/files/files.h"

namespace platform {

// The template, as the file system names it, of a new file to replace the file
// cp932Target names: beside it, its reserved name ending in six 'X' for mkostemp to
// replace.
std::string StagingFileTemplate(std::string_view cp932Target);

// Creates a new folder beside the file cp932Target names, readable and writable by
// this user only, under its reserved name, and gives its name. False when none
// could be created.
bool CreateStagingFolder(std::string_view cp932Target, std::string& cp932Folder);

// Whether a folder's entry is a file under the reserved name of a replacement, left
// by a run that never put it in place.
bool IsStagingLeftover(const FolderEntry& entry);

// Removes the entry of the folder cp932Folder when it is a staging leftover; false
// when it is none (or could not be removed), so that the caller treats it as any
// other entry.
bool RemoveStagingLeftover(std::string_view cp932Folder, const FolderEntry& entry);

// Removes the staging folders that earlier runs left beside the file cp932Target
// names, with the files in them. A link is never followed into: only a folder of
// the reserved name itself is emptied.
void RemoveStagingFolders(std::string_view cp932Target);

}  // namespace platform
