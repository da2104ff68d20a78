// The symbol table and the command heap: values, dumps, the stream forms, the script
// position stack and its messages, and commands made by registered factories.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/api/command.h"
#include "engine/api/plugin_api.h"
#include "engine/heap/command_heap.h"
#include "engine/heap/single_heap.h"
#include "engine/iostream/base_io_stream.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/support/temp_dir.h"

namespace {

using nsTamskLib::ICmd_Base;
using nsTamskLib::nsIOStream::BaseIOStream;
using nsTamskLib::nsSimulatedHeap::CommandHeap;
using nsTamskLib::nsSimulatedHeap::SingleHeap;

// What the test commands did, in order.
std::vector<std::string>& Trace() {
  static std::vector<std::string> trace;
  return trace;
}

// A command whose body is one number; it records every call the heap makes.
class TraceCommand final : public ICmd_Base {
 public:
  explicit TraceCommand(std::uint32_t type) : m_Type(type) {}
  void Reset() override { Trace().push_back("reset " + Name()); }
  void Destroy() override {
    Trace().push_back("destroy " + Name());
    delete this;
  }
  int Execute() override {
    Trace().push_back("execute " + Name());
    return 0;
  }
  void SetEngine(nsTamskLib::nsCore::INovelEngine* engine) override {
    Trace().push_back(std::string(engine != nullptr ? "engine " : "no engine ") + Name());
  }
  void Setup(const nsTamskLib::CommandParam& /*param*/) override {}
  std::uint32_t GetID() override { return m_Type; }
  void Dump(nsTamskLib::nsTextStream::ITextStream* out) override { out->Write("cmd %d\n", m_Body); }
  void Save(nsTamskLib::nsIOStream::IIOStream* stream) override { stream->SaveNum(m_Body); }
  void Load(nsTamskLib::nsIOStream::IIOStream* stream) override {
    stream->LoadNum(&m_Body);
    Trace().push_back("load " + Name());
  }

 private:
  std::string Name() const { return std::to_string(m_Type) + ":" + std::to_string(m_Body); }

  std::uint32_t m_Type;
  std::int32_t m_Body = 0;
};

ICmd_Base* MakeType1() { return new TraceCommand(1); }
ICmd_Base* MakeType2() { return new TraceCommand(2); }

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

TEST(SingleHeapTest, SetGetExistsAndTheMissingNameMessage) {
  vesk_test::FatalTrap trap;
  SingleHeap heap;
  heap.Set("a", 1);
  heap.Set("a", 5);
  EXPECT_EQ(heap.GetMap().size(), 1u);
  EXPECT_EQ(heap.Get("a"), 5);
  EXPECT_TRUE(heap.Exists("a"));
  EXPECT_FALSE(heap.Exists("b"));
  EXPECT_FATAL(heap.Get("b"), "bは存在しないシンボルです！");
  heap.Clear();
  EXPECT_FALSE(heap.Exists("a"));
}

TEST(SingleHeapTest, DumpWritesOneLinePerNameInNameOrder) {
  SingleHeap heap;
  heap.Set("zeta", -1);
  heap.Set("alpha", 2);
  vesk_test::RecordingTextStream out;
  heap.Dump(&out);
  EXPECT_EQ(out.text, "alpha：2\nzeta：-1\n");
  heap.Dump(nullptr);  // nothing, no crash
}

TEST(SingleHeapTest, SavesAndLoadsTheMapForm) {
  vesk_test::TempDir dir;
  const std::string path = dir.file("heap.dat");
  SingleHeap heap;
  heap.Set("b", 2);
  heap.Set("a", 1);
  BaseIOStream stream;
  ASSERT_TRUE(stream.Open(path.c_str(), "wb"));
  heap.Save(&stream);
  stream.Close();
  EXPECT_EQ(vesk_test::ReadFile(path), Bytes({2, 0, 0, 0, 0x9E, 0, 1, 0, 0, 0, 0x9D, 0, 2, 0, 0, 0}));
  SingleHeap read;
  read.Set("old", 9);
  ASSERT_TRUE(stream.Open(path.c_str(), "rb"));
  read.Load(&stream);
  stream.Close();
  EXPECT_EQ(read.GetMap(), heap.GetMap());
}

class CommandHeapTest : public testing::Test {
 protected:
  void SetUp() override {
    Trace().clear();
    heap.SetEngine(&engine);
  }

  // Writes a command section and loads it into the heap.
  void LoadSection(const std::string& bytes) {
    vesk_test::WriteFile(path, bytes);
    BaseIOStream stream;
    ASSERT_TRUE(stream.Open(path.c_str(), "rb"));
    heap.Load(&stream);
    failed = stream.HasReadFailed();
    stream.Close();
  }

  vesk_test::FatalTrap trap;
  vesk_test::FakeEngine engine;
  CommandHeap heap;
  vesk_test::TempDir dir;
  std::string path = dir.file("section.dat");
  bool failed = false;
};

TEST_F(CommandHeapTest, PositionStackStartsAtMinusOneAndMovesPushesAndPops) {
  EXPECT_EQ(heap.GetIterator(), -1);
  heap.SetIterator(3);
  heap.MoveIterator(1);
  EXPECT_EQ(heap.GetIterator(), 4);
  heap.PushIterator(10);
  EXPECT_EQ(heap.GetIterator(), 10);
  heap.MoveIterator(-2);
  EXPECT_EQ(heap.GetIterator(), 8);
  heap.PopIterator();
  EXPECT_EQ(heap.GetIterator(), 4);
  vesk_test::RecordingTextStream out;
  heap.PushIterator(7);
  heap.DumpIterators(&out);
  EXPECT_EQ(out.text, "0：4\n1：7\n");
  heap.PopIterator();
  heap.PopIterator();  // popping the last one is allowed
  EXPECT_FATAL(heap.GetIterator(), "イテレータは存在しません！");
  EXPECT_FATAL(heap.MoveIterator(1), "イテレータは存在しません！");
  EXPECT_FATAL(heap.SetIterator(1), "イテレータは存在しません！");
  EXPECT_FATAL(heap.PopIterator(), "イテレータは既に存在しません！");
}

TEST_F(CommandHeapTest, CommandsAreMadeByTheirFactoriesAndGivenTheEngineBeforeTheirBody) {
  RegisterPFactory(1, MakeType1);
  RegisterPFactory(2, MakeType2);
  LoadSection(Bytes({2, 0, 0, 0, 2, 0, 0, 0, 20, 0, 0, 0, 1, 0, 0, 0, 10, 0, 0, 0}));
  EXPECT_FALSE(failed);
  ASSERT_EQ(heap.GetCommandList().size(), 2u);
  EXPECT_EQ(heap.GetCommandList()[0]->GetID(), 2u);
  EXPECT_EQ(Trace(), (std::vector<std::string>{"engine 2:0", "load 2:20", "engine 1:0", "load 1:10"}));
  EXPECT_EQ(heap.GetIterator(), -1);

  Trace().clear();
  heap.SetIterator(1);
  heap.Execute();
  heap.Execute();  // the heap never moves the position itself
  EXPECT_EQ(Trace(), (std::vector<std::string>{"execute 1:10", "execute 1:10"}));

  vesk_test::RecordingTextStream out;
  heap.Dump(&out);
  EXPECT_EQ(out.text, "   0：cmd 20\n   1：cmd 10\n");

  Trace().clear();
  heap.PushIterator(0);
  heap.ResetCommands();
  EXPECT_EQ(heap.GetIterators(), std::vector<std::int32_t>{-1});
  EXPECT_EQ(Trace(), (std::vector<std::string>{"reset 2:20", "engine 2:20", "reset 1:10", "engine 1:10"}));

  Trace().clear();
  heap.Clear();
  EXPECT_TRUE(heap.GetCommandList().empty());
  EXPECT_EQ(Trace(), (std::vector<std::string>{"destroy 2:20", "destroy 1:10"}));
}

TEST_F(CommandHeapTest, LoadingReplacesTheCommandsAndTheDestructorDestroysThem) {
  RegisterPFactory(1, MakeType1);
  LoadSection(Bytes({1, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0}));
  Trace().clear();
  LoadSection(Bytes({1, 0, 0, 0, 1, 0, 0, 0, 6, 0, 0, 0}));
  EXPECT_EQ(Trace().front(), "destroy 1:5");
  {
    CommandHeap other;
    vesk_test::WriteFile(path, Bytes({1, 0, 0, 0, 1, 0, 0, 0, 7, 0, 0, 0}));
    BaseIOStream stream;
    ASSERT_TRUE(stream.Open(path.c_str(), "rb"));
    other.Load(&stream);
    Trace().clear();
  }
  EXPECT_EQ(Trace(), std::vector<std::string>{"destroy 1:7"});
}

TEST_F(CommandHeapTest, ExecuteChecksTheListAndThePosition) {
  LoadSection(Bytes({0, 0, 0, 0}));
  EXPECT_FALSE(failed);
  EXPECT_FATAL(heap.Execute(), "命令リストが存在しません！");
  RegisterPFactory(1, MakeType1);
  LoadSection(Bytes({1, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0}));
  EXPECT_FATAL(heap.Execute(), "スクリプトを実行出来ません！（イテレータが0未満）");
  heap.SetIterator(0);
  heap.MoveIterator(1);
  EXPECT_FATAL(heap.Execute(), "スクリプトを実行出来ません！（イテレータが終端以上）");
  heap.PopIterator();
  EXPECT_FATAL(heap.Execute(), "イテレータが存在しません！");
}

TEST_F(CommandHeapTest, AnUnknownCommandTypeIsFatal) {
  EXPECT_FATAL(LoadSection(Bytes({1, 0, 0, 0, 9, 0, 0, 0})), "不正な命令です！（CommandType = 9）");
}

TEST_F(CommandHeapTest, ATruncatedSectionStopsAtTheShortRead) {
  RegisterPFactory(1, MakeType1);
  // A count of 0xFFFFFFFF with one whole command and half a type behind it.
  LoadSection(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 5, 0, 0, 0, 1, 0}));
  EXPECT_TRUE(failed);
  EXPECT_EQ(heap.GetCommandList().size(), 1u);
}

TEST_F(CommandHeapTest, PositionStackStreamForm) {
  BaseIOStream stream;
  ASSERT_TRUE(stream.Open(path.c_str(), "wb"));
  heap.SaveIterators(&stream);
  stream.Close();
  EXPECT_EQ(vesk_test::ReadFile(path), Bytes({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));

  vesk_test::WriteFile(path, Bytes({2, 0, 0, 0, 3, 0, 0, 0, 8, 0, 0, 0}));
  ASSERT_TRUE(stream.Open(path.c_str(), "rb"));
  heap.LoadIterators(&stream);
  stream.Close();
  EXPECT_EQ(heap.GetIterators(), (std::vector<std::int32_t>{3, 8}));

  BaseIOStream closed;
  EXPECT_FATAL(heap.SaveIterators(&closed), "ファイルがオープンされていません！");
  EXPECT_FATAL(heap.LoadIterators(&closed), "ファイルがオープンされていません！");
  EXPECT_FATAL(heap.Load(&closed), "ファイルがオープンされていません！");
}

}  // namespace
