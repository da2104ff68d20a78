#pragma once
// Packs a folder tree into a data archive (file_pack_manager.h has the format), at
// the speed of the disk: the folder is walked once, every file is opened once and
// read in large blocks straight into the block that is written next.
//
// The folder's ".ini" parameter files are converted to their converted form, each
// written to the file its entry name names. The archive is first written in a
// folder the packing creates for the run beside the archive, each converted form in
// its own file's folder (the folder packed may lie on another file system than the
// archive, and a rename stays within one) under a name the platform reserves,
// which no script can name (staging_files.h); all are synced, and put in place
// only once the archive is complete: a packing that fails before that leaves the
// parameter files as they were and no archive behind, and none changes any other
// file of the folder.
//
// A packing first removes what earlier packings, killed on their way, left under
// those reserved names: staging folders beside the archive that hold only what a
// packing writes there, and files waiting beside parameter files, in the folder
// packed and the folders inside it, but never in one reached through a link. It
// does so only while the caller holds the lock of the archive's folder for the
// whole packing, so that no other packing is still writing them.
//
// A termination signal (load_quit.h) stops the packing between two files and
// between two blocks written: it fails as on any failure, and what it staged is
// removed.

#include <cstdint>
#include <string>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/param/param_manager.h"
#include "platform/files/folder_lock.h"

namespace nsZarn::nsFramework::nsFilePack {

// Packs folderPath into archivePath; entry names start with prefix. The reader
// reads the files, the writer writes the archive, the names are stored with the
// key byte. Leftovers are removed only while archiveFolderLock is held. False on
// any failure.
bool PackFolder(const std::string& folderPath, const std::string& prefix, const std::string& archivePath,
                std::uint8_t key, nsFile::nsFileReader::IFileReader& reader, nsFile::nsFileWriter::IFileWriter& writer,
                nsParam::ParamManager& params, const platform::FolderLock& archiveFolderLock);

}  // namespace nsZarn::nsFramework::nsFilePack
