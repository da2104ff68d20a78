#include "tests/engine/kit/command_bodies.h"

#include <gtest/gtest.h>

#include "engine/iostream/base_io_stream.h"
#include "tests/engine/kit/fake_engine.h"

namespace vesk_test {

using nsTamskLib::nsIOStream::BaseIOStream;

std::string SaveBody(nsTamskLib::ICmd_Base& command) {
  std::string bytes;
  BaseIOStream out;
  EXPECT_TRUE(out.OpenMemoryForWriting(bytes));
  command.Save(&out);
  EXPECT_TRUE(out.Close());
  return bytes;
}

std::string SaveCommands(const std::vector<nsTamskLib::ICmd_Base*>& commands) {
  std::string bytes;
  BaseIOStream out;
  EXPECT_TRUE(out.OpenMemoryForWriting(bytes));
  for (nsTamskLib::ICmd_Base* command : commands) {
    out.SaveNum(static_cast<std::int32_t>(command->GetID()));
    command->Save(&out);
  }
  EXPECT_TRUE(out.Close());
  return bytes;
}

ReloadedCommand Reload(nsTamskLib::ICmd_Base& command, nsTamskLib::ICmd_Base& fresh) {
  ReloadedCommand reloaded;
  reloaded.body = SaveBody(command);
  BaseIOStream in;
  EXPECT_TRUE(in.OpenMemoryForReading(reloaded.body));
  fresh.Load(&in);
  EXPECT_FALSE(in.HasReadFailed()) << "the body ended early";
  char extra = 0;
  in.LoadPrimitive(&extra, 1);
  EXPECT_TRUE(in.HasReadFailed()) << "the body was not read to its end";
  in.Close();
  reloaded.resaved = SaveBody(fresh);
  RecordingTextStream text;
  fresh.Dump(&text);
  reloaded.dump = text.text;
  return reloaded;
}

}  // namespace vesk_test
