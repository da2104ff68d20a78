#include "plugin/commands/statement_forms.h"

#include <initializer_list>
#include <map>
#include <vector>

namespace nsWendrick {
namespace {

// A run of arguments separated by commas.
struct Arguments {
  int count;
};

// One piece of a form: a pattern word or a run of arguments.
struct Piece {
  Piece(const char* w) : word(w) {}
  Piece(Arguments run) : arguments(run.count) {}

  const char* word = nullptr;
  int arguments = 0;
};

SyntaxPattern Form(std::initializer_list<Piece> pieces) {
  SyntaxPattern pattern;
  for (const Piece& piece : pieces) {
    if (piece.word != nullptr) {
      pattern.push_back(piece.word);
    } else {
      AppendArguments(pattern, piece.arguments);
    }
  }
  return pattern;
}

using FormTable = std::map<std::uint32_t, std::vector<SyntaxPattern>>;

void Assign(FormTable& table, std::initializer_list<std::uint32_t> types,
            const std::vector<SyntaxPattern>& forms) {
  for (std::uint32_t type : types) table[type] = forms;
}

FormTable BuildFormTable() {
  const char* const A = kWordArgument;
  const char* const S = kWordString;
  FormTable table;
  Assign(table, {1}, {Form({A, "{"})});
  Assign(table, {2, 3, 32, 37}, {Form({";"}), Form({S, ";"})});
  Assign(table, {4, 15, 16, 17, 18, 21, 25, 29, 30, 31, 33, 34, 43, 53, 57}, {Form({";"})});
  Assign(table, {5},
         {Form({kWordUndefinedVariable, ";"}), Form({kWordUndefinedVariable, "=", A, ";"})});
  Assign(table, {6}, {Form({kWordVariable, kWordOperator, A, ";"})});
  Assign(table, {8, 14}, {Form({kWordLabel, ";"})});
  Assign(table, {9}, {Form({S, ",", S, ";"})});
  Assign(table, {11, 12},
         {Form({";"}), Form({S, ";"}), Form({Arguments{1}, ";"}), Form({Arguments{2}, ";"}),
          Form({Arguments{3}, ";"})});
  Assign(table, {13, 26, 27, 35, 36, 46}, {Form({A, ";"})});
  Assign(table, {19}, {Form({S, ",", Arguments{6}, ";"}), Form({S, ",", Arguments{8}, ";"})});
  Assign(table, {20}, {Form({Arguments{2}, ";"})});
  Assign(table, {22, 48}, {Form({Arguments{3}, ";"})});
  const char* const B = kWordButton;
  Assign(table, {23},
         {Form({";"}), Form({B, ";"}), Form({B, ",", kWordLabel, ";"}),
          Form({B, ",", S, ",", S, ";"}), Form({B, ",", Arguments{4}, ";"}),
          Form({B, ",", S, ",", Arguments{17}, ";"})});
  const char* const P = kWordSprite;
  Assign(table, {24},
         {Form({";"}), Form({P, ";"}), Form({P, ",", Arguments{4}, ";"}),
          Form({P, ",", S, ",", Arguments{5}, ";"}),
          Form({P, ",", S, ",", S, ",", Arguments{4}, ";"})});
  Assign(table, {28},
         {Form({Arguments{2}, ";"}), Form({Arguments{3}, ";"}), Form({Arguments{4}, ";"}),
          Form({Arguments{5}, ";"})});
  Assign(table, {38}, {Form({S, ",", Arguments{7}, ";"}), Form({Arguments{12}, ";"})});
  Assign(table, {39}, {Form({Arguments{4}, ";"}), Form({S, ",", Arguments{8}, ";"})});
  Assign(table, {40}, {Form({";"}), Form({S, ";"}), Form({A, ";"}), Form({Arguments{3}, ";"})});
  Assign(table, {41},
         {Form({A, ";"}), Form({S, ",", Arguments{13}, ";"}), Form({Arguments{21}, ";"})});
  Assign(table, {42, 47, 54, 55, 56}, {Form({S, ";"})});
  Assign(table, {45}, {Form({S, ";"}), Form({A, ";"})});
  Assign(table, {50},
         {Form({A, ";"}), Form({A, ",", S, ",", Arguments{8}, ";"}),
          Form({A, ",", S, ",", Arguments{9}, ";"}), Form({A, ",", S, ",", Arguments{10}, ";"}),
          Form({A, ",", S, ",", Arguments{11}, ";"})});
  Assign(table, {51}, {Form({kWordVariable, ",", A, ",", A, ";"})});
  Assign(table, {52},
         {Form({",", ";"}), Form({A, ",", ";"}), Form({",", kWordVariable, kWordOperator, A, ";"}),
          Form({A, ",", kWordVariable, kWordOperator, A, ";"})});
  return table;
}

}  // namespace

std::span<const SyntaxPattern> StatementForms(std::uint32_t type) {
  static const FormTable table = BuildFormTable();
  const auto it = table.find(type);
  if (it == table.end()) return {};
  return it->second;
}

}  // namespace nsWendrick
