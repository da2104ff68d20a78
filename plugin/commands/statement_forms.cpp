#include "plugin/commands/statement_forms.h"

#include <initializer_list>
#include <map>
#include <vector>

#include "plugin/commands/button_commands.h"
#include "plugin/commands/effect_command.h"
#include "plugin/commands/engine_state_commands.h"
#include "plugin/commands/flow_commands.h"
#include "plugin/commands/layer_commands.h"
#include "plugin/commands/mode_commands.h"
#include "plugin/commands/select_command.h"
#include "plugin/commands/sound_commands.h"
#include "plugin/commands/style_commands.h"
#include "plugin/commands/text_command.h"
#include "plugin/commands/timed_choice.h"
#include "plugin/commands/update_commands.h"
#include "plugin/commands/window_config_commands.h"

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
  Assign(table, {Cmd_if::kType}, {Form({A, "{"})});
  Assign(table, {Cmd_se::kType, Cmd_bgm::kType, Cmd_image::kType, Cmd_voice::kType},
         {Form({";"}), Form({S, ";"})});
  Assign(table, {Cmd_end::kType, Cmd_return::kType, Cmd_setscreen::kType, Cmd_setskip::kType,
                 Cmd_setauto::kType, Cmd_clearcg::kType, Cmd_chpriority::kType, Cmd_suspend::kType,
                 Cmd_systemcall::kType, Cmd_textwindow::kType, Cmd_cleartext::kType,
                 Cmd_menu::kType, Cmd_initialize::kType, Cmd_break::kType,
                 Cmd_forcetextwindow::kType}, {Form({";"})});
  Assign(table, {Cmd_set::kType},
         {Form({kWordUndefinedVariable, ";"}), Form({kWordUndefinedVariable, "=", A, ";"})});
  Assign(table, {Cmd_calc::kType}, {Form({kWordVariable, kWordOperator, A, ";"})});
  Assign(table, {Cmd_goto::kType, Cmd_gosub::kType}, {Form({kWordLabel, ";"})});
  Assign(table, {Cmd_text::kType}, {Form({S, ",", S, ";"})});
  Assign(table, {Cmd_settext::kType, Cmd_settalker::kType},
         {Form({";"}), Form({S, ";"}), Form({Arguments{1}, ";"}), Form({Arguments{2}, ";"}),
          Form({Arguments{3}, ";"})});
  Assign(table, {Cmd_wait::kType, Cmd_volume::kType, Cmd_jump::kType, Cmd_sleep::kType,
                 Cmd_charaspace::kType, Cmd_waittimeskip::kType}, {Form({A, ";"})});
  Assign(table, {Cmd_setcg::kType},
         {Form({S, ",", Arguments{6}, ";"}), Form({S, ",", Arguments{8}, ";"})});
  Assign(table, {Cmd_update::kType}, {Form({Arguments{2}, ";"})});
  Assign(table, {Cmd_bgcolor::kType, Cmd_update2::kType}, {Form({Arguments{3}, ";"})});
  const char* const B = kWordButton;
  Assign(table, {Cmd_setbutton::kType},
         {Form({";"}), Form({B, ";"}), Form({B, ",", kWordLabel, ";"}),
          Form({B, ",", S, ",", S, ";"}), Form({B, ",", Arguments{4}, ";"}),
          Form({B, ",", S, ",", Arguments{17}, ";"})});
  const char* const P = kWordSprite;
  Assign(table, {Cmd_setsprite::kType},
         {Form({";"}), Form({P, ";"}), Form({P, ",", Arguments{4}, ";"}),
          Form({P, ",", S, ",", Arguments{5}, ";"}),
          Form({P, ",", S, ",", S, ",", Arguments{4}, ";"})});
  Assign(table, {Cmd_effect::kType},
         {Form({Arguments{2}, ";"}), Form({Arguments{3}, ";"}), Form({Arguments{4}, ";"}),
          Form({Arguments{5}, ";"})});
  Assign(table, {Cmd_settextwindow::kType},
         {Form({S, ",", Arguments{7}, ";"}), Form({Arguments{12}, ";"})});
  Assign(table, {Cmd_settextcursor::kType},
         {Form({Arguments{4}, ";"}), Form({S, ",", Arguments{8}, ";"})});
  Assign(table, {Cmd_setselecttext::kType},
         {Form({";"}), Form({S, ";"}), Form({A, ";"}), Form({Arguments{3}, ";"})});
  Assign(table, {Cmd_setselectwindow::kType},
         {Form({A, ";"}), Form({S, ",", Arguments{13}, ";"}), Form({Arguments{21}, ";"})});
  Assign(table, {Cmd_setselect::kType, Cmd_kinsoku::kType, Cmd_loadobject::kType, Cmd_gotod::kType,
                 Cmd_gosubd::kType}, {Form({S, ";"})});
  Assign(table, {Cmd_setruby::kType}, {Form({S, ";"}), Form({A, ";"})});
  Assign(table, {Cmd_setselectl::kType},
         {Form({A, ";"}), Form({A, ",", S, ",", Arguments{8}, ";"}),
          Form({A, ",", S, ",", Arguments{9}, ";"}), Form({A, ",", S, ",", Arguments{10}, ";"}),
          Form({A, ",", S, ",", Arguments{11}, ";"})});
  Assign(table, {Cmd_rand::kType}, {Form({kWordVariable, ",", A, ",", A, ";"})});
  Assign(table, {Cmd_loop::kType},
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
