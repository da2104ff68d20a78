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
// Shift-JIS name, so the game's own writers can write in it); it writes there only
// files named by decimal numbers ("0", "1", ...) and the new file under its
// target's own name.
//
// The removals take only what a run makes under these names: an author's file or
// folder that merely looks like one is kept. A caller runs them while it holds the
// lock of the target's folder (folder_lock.h), so that no other run is writing
// under them.

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

// Whether a folder's entry is a file (no folder, no link) under the reserved name of
// a replacement of the file that the entry `target` of the same folder names.
bool IsWaitingFileOf(const FolderEntry& entry, const FolderEntry& target);

// Removes a file waiting in the folder cp932Folder that a run never put in place.
// False when it could not be removed.
bool RemoveWaitingFile(std::string_view cp932Folder, const FolderEntry& entry);

// Removes the staging folders that earlier runs left beside the file cp932Target
// names, with the files in them. A link is never followed into: only a folder of
// the reserved name itself is emptied, and only when it holds nothing but what a
// run writes there; one that holds anything else is left whole, with a debug line
// naming it.
void RemoveStagingFolders(std::string_view cp932Target);

}  // namespace platform
