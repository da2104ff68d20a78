#include "engine/api/text_stream.h"

#include "engine/api/token_containers.h"

namespace nsTamskLib::nsTextStream {

void WriteExpressionTokens(ITextStream& out, const Expression& expr) {
  for (std::uint32_t i = 0; i < expr.size(); ++i) {
    const ExpressionToken& token = expr.at(i);
    if (token.Type == kTokenNumber) {
      out.Write("(%d)", token.Value);
    } else {
      out.Write("(%s)", token.Name.c_str());
    }
  }
}

}  // namespace nsTamskLib::nsTextStream
