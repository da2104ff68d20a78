#include "plugin/commands/command_families.h"

#include "engine/api/command_param.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/text_stream.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/stream_fields.h"

namespace nsWendrick {

void SimpleCmd::Setup(const CommandParam& /*param*/) {}
void SimpleCmd::Save(IIOStream* /*stream*/) {}
void SimpleCmd::Load(IIOStream* /*stream*/) {}

void KindCmd::Setup(const CommandParam& param) { m_Kind = param.Int[0]; }
void KindCmd::Save(IIOStream* stream) { SaveIntField(stream, m_Kind); }
void KindCmd::Load(IIOStream* stream) { m_Kind = LoadIntField(stream); }

void NamedCmd::Setup(const CommandParam& param) {
  m_Kind = param.Int[0];
  m_Name = param.Str[0].c_str();
}

void NamedCmd::Save(IIOStream* stream) {
  SaveIntField(stream, m_Kind);
  SaveStringField(stream, m_Name);
}

void NamedCmd::Load(IIOStream* stream) {
  m_Kind = LoadIntField(stream);
  m_Name = LoadStringField(stream);
}

void LabelCmd::Setup(const CommandParam& param) { m_Label = param.Str[0].c_str(); }
void LabelCmd::Save(IIOStream* stream) { SaveStringField(stream, m_Label); }
void LabelCmd::Load(IIOStream* stream) { m_Label = LoadStringField(stream); }

void LabelCmd::DumpLabelStatement(ITextStream* out,
                                  const char* keyword) const {
  if (out == nullptr) return;
  const nsTamskLib::nsSimulatedHeap::ISingleHeap* labels =
      m_Engine != nullptr ? m_Engine->GetLabelHeap() : nullptr;
  if (labels != nullptr && labels->Exists(m_Label.c_str())) {
    out->Write("%s %s（%d）;\n", keyword, m_Label.c_str(), labels->Get(m_Label.c_str()));
  } else {
    out->Write("%s %s（未定義）;\n", keyword, m_Label.c_str());
  }
}

void ExprCmd::Setup(const CommandParam& param) { m_Value = param.Expr[0]; }
void ExprCmd::Save(IIOStream* stream) { SaveExpressionField(stream, m_Value); }
void ExprCmd::Load(IIOStream* stream) { LoadExpressionField(stream, m_Value); }

}  // namespace nsWendrick
