#pragma once
// The program-wide objects a game benchmark draws with, set up as the entry sets
// them up: a temporary working folder of its own, whose "Data" folder the
// benchmark fills and then packs; the archive and the parameter manager reading
// from it; and the graphics object's 800 x 600 window on the graphics test back end.
// Everything is released, and the folder removed, at the end.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/filepack/file_pack_manager.h"
#include "framework/param/param_manager.h"
#include "game/core/program_objects.h"
#include "platform/window/window.h"
#include "tests/platform/support/graphics_test_back_end.h"

namespace vesk_bench {

class PackedDataStage {
 public:
  // Makes the folder, named after the benchmark, the working folder.
  explicit PackedDataStage(const std::string& name) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    m_Folder = std::filesystem::temp_directory_path() / ("vesk-" + name + "-" + std::to_string(getpid()));
    std::filesystem::create_directories(m_Folder);
    m_Previous = std::filesystem::current_path();
    std::filesystem::current_path(m_Folder);
  }
  PackedDataStage(const PackedDataStage&) = delete;
  PackedDataStage& operator=(const PackedDataStage&) = delete;
  ~PackedDataStage() {
    delete nsVesk::g_ParamManager;
    nsVesk::g_ParamManager = nullptr;
    delete nsVesk::g_FilePackManager;
    nsVesk::g_FilePackManager = nullptr;
    std::filesystem::current_path(m_Previous);
    std::filesystem::remove_all(m_Folder);
  }

  // Packs "Data" and opens the archive and the window. False when any of them fails.
  bool Start() {
    using nsZarn::nsFile::nsFileReader::CFileReader;
    using nsZarn::nsFile::nsFileWriter::CFileWriter;
    nsVesk::g_FilePackManager = new nsZarn::nsFramework::nsFilePack::FilePackManager(new CFileReader, new CFileWriter);
    nsVesk::g_ParamManager = new nsZarn::nsFramework::nsParam::ParamManager(new CFileReader, new CFileWriter);
    if (!nsVesk::g_FilePackManager->ConvertToFilePack("Data", nsVesk::g_ParamManager) ||
        !nsVesk::g_FilePackManager->OpenFilePack("Data.dat") ||
        !nsVesk::g_Graphic.Init("bench", Procedure, 800, 600, 0xA00000, false, false, false)) {
      return false;
    }
    nsVesk::g_ParamManager->SetFileReader(nsVesk::g_FilePackManager->GetFileReader("Data.dat"));
    return true;
  }

 private:
  static std::intptr_t Procedure(platform::WindowHandle, platform::MessageId, std::uintptr_t, std::intptr_t) {
    return 0;
  }

  vesk_test::GraphicsTestBackEnd m_Back;
  std::filesystem::path m_Folder;
  std::filesystem::path m_Previous;
};

}  // namespace vesk_bench
