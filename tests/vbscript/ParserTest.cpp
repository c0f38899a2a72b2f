// Parser and lexer: the tree built for operator precedence, statement-call forms, and compile
// errors with their numbers and places.
#include <gtest/gtest.h>

#include <string>

#include "vbscript/CompileError.h"
#include "vbscript/Parser.h"

namespace vbs {
namespace {

using ast::ExprKind;

std::string OpName(ast::BinOp op) {
  static const char* names[] = {"+",  "-",  "*",  "/",  "\\", "Mod", "^",  "&",  "=",   "<>",
                                "<",  ">",  "<=", ">=", "Is", "And", "Or", "Xor", "Eqv", "Imp"};
  return names[static_cast<int>(op)];
}

// The tree in prefix form: (op left right), (neg x), (not x), call[args], a.b, literals as text.
std::string Show(const ast::Expr* e) {
  if (!e) return "_";
  switch (e->kind) {
    case ExprKind::Literal:
      if (e->value.isObject()) return "Nothing";
      return e->value.isString() ? '"' + e->value.toString() + '"' : e->value.toString();
    case ExprKind::Name: return e->name;
    case ExprKind::Member: return (e->target ? Show(e->target.get()) : "") + "." + e->name;
    case ExprKind::Paren: return "(" + Show(e->target.get()) + ")";
    case ExprKind::Unary:
      return std::string(e->unOp == ast::UnOp::Not ? "(not " : e->unOp == ast::UnOp::Neg ? "(neg " : "(pos ") +
             Show(e->target.get()) + ")";
    case ExprKind::Binary:
      return "(" + OpName(e->binOp) + " " + Show(e->target.get()) + " " + Show(e->right.get()) + ")";
    case ExprKind::Call: {
      std::string s = Show(e->target.get()) + "[";
      for (std::size_t i = 0; i < e->args.size(); ++i) s += (i ? "," : "") + Show(e->args[i].get());
      return s + "]";
    }
    case ExprKind::New: return "new " + e->name;
    case ExprKind::Me: return "me";
  }
  return "?";
}

struct PrecedenceCase {
  const char* source;
  const char* tree;
};

TEST(ParserTest, OperatorPrecedenceAndAssociativity) {
  const PrecedenceCase cases[] = {
      {"1 + 2 * 3", "(+ 1 (* 2 3))"},
      {"-2 ^ 2", "(^ (neg 2) 2)"},
      {"a * -b ^ 2", "(* a (^ (neg b) 2))"},
      {"2 ^ -1", "(^ 2 (neg 1))"},
      {"2 ^ 3 ^ 2", "(^ (^ 2 3) 2)"},
      {"a * b \\ c", "(\\ (* a b) c)"},
      {"a \\ b Mod c", "(Mod (\\ a b) c)"},
      {"a Mod b + c", "(+ (Mod a b) c)"},
      {"a + b & c", "(& (+ a b) c)"},
      {"a & b = c", "(= (& a b) c)"},
      {"Not a = b", "(not (= a b))"},
      {"a And Not b Or c", "(Or (And a (not b)) c)"},
      {"a Or b Xor c Eqv d Imp e", "(Imp (Eqv (Xor (Or a b) c) d) e)"},
      {"a - b - c", "(- (- a b) c)"},
      {"a < b = c", "(= (< a b) c)"},
      {"x Is Nothing", "(Is x Nothing)"},
      {"a.b(1).c", "a.b[1].c"},
      {"f(, 2)", "f[_,2]"},
      {"-a * b", "(* (neg a) b)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(Show(ParseExpression(c.source).get()), c.tree);
  }
}

// The one statement of a program, as a call: target and arguments.
std::string CallOf(const char* source) {
  auto unit = ParseProgram(source);
  const auto& body = unit->main.body;
  if (body.size() != 1 || body[0]->kind != ast::StmtKind::Call) return "not a call";
  return Show(body[0]->target.get());
}

TEST(ParserTest, StatementCallForms) {
  EXPECT_EQ(CallOf("Foo"), "Foo[]");
  EXPECT_EQ(CallOf("Foo 1, 2"), "Foo[1,2]");
  EXPECT_EQ(CallOf("Foo (1)"), "Foo[(1)]");
  EXPECT_EQ(CallOf("Foo (1) + 2, 3"), "Foo[(+ (1) 2),3]");
  EXPECT_EQ(CallOf("Foo , 2"), "Foo[_,2]");
  EXPECT_EQ(CallOf("Call Foo(1, 2)"), "Foo[1,2]");
  EXPECT_EQ(CallOf("obj.Run -1"), "obj.Run[(neg 1)]");
  EXPECT_EQ(CallOf("Foo()"), "Foo[]");
}

TEST(ParserTest, AssignmentTargets) {
  auto unit = ParseProgram("a(1, 2) = 3\nSet o.p = Nothing\nx.y.z = 1");
  const auto& body = unit->main.body;
  ASSERT_EQ(body.size(), 3u);
  EXPECT_EQ(Show(body[0]->target.get()), "a[1,2]");
  EXPECT_EQ(body[1]->kind, ast::StmtKind::Set);
  EXPECT_EQ(Show(body[2]->target.get()), "x.y.z");
}

struct ErrorCase {
  const char* source;
  int number;
  int line;
  int column;
};

TEST(ParserTest, CompileErrorsWithPlace) {
  const ErrorCase cases[] = {
      {"x = 1 2", 1025, 1, 7},
      {"x = \"abc", 1033, 1, 5},
      {"x = 1 $ 2", 1032, 1, 7},
      {"x = 12abc", 1031, 1, 5},
      {"Dim 5", 1010, 1, 5},
      {"If x Then\ny = 1", 1014, 2, 6},
      {"If x\ny = 1\nEnd If", 1017, 1, 5},
      {"For i 1 To 2\nNext", 1011, 1, 7},
      {"For i = 1 2\nNext", 1013, 1, 11},
      {"Do\nx = 1", 1019, 2, 6},
      {"While x\ny = 1", 1018, 2, 6},
      {"Sub A\nEnd Function", 1016, 2, 5},
      {"Exit Do", 1039, 1, 1},
      {"Sub A\nExit Function\nEnd Sub", 1039, 2, 1},
      {"Next", 1055, 1, 1},
      {"Loop", 1038, 1, 1},
      {"Foo(1, 2)", 1044, 1, 1},
      {"Const c = x", 1045, 1, 11},
      {"Dim a(n)", 1026, 1, 7},
      {"Select Case x\nx = 1\nEnd Select", 1021, 2, 1},
      {"x = 1\nOption Explicit", 1024, 2, 1},
      {"Class C\nPublic Default Property Let P(v)\nEnd Property\nEnd Class", 1058, 2, 1},
      {"Class C\nSub Class_Initialize(x)\nEnd Sub\nEnd Class", 1053, 2, 1},
      {"Property Get P\nEnd Property", 1048, 1, 1},
      {"x = (1", 1006, 1, 7},
      {"On Error GoTo 1", 1002, 1, 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    try {
      ParseProgram(c.source);
      ADD_FAILURE() << "no error";
    } catch (const CompileError& e) {
      EXPECT_EQ(e.number(), c.number);
      EXPECT_EQ(e.description(), CompileErrorText(c.number));
      EXPECT_EQ(e.line(), c.line);
      EXPECT_EQ(e.column(), c.column);
    }
  }
}

TEST(ParserTest, LineContinuationCommentsAndSeparators) {
  auto unit = ParseProgram(
      "x = 1 + _\n   2 ' comment\nRem whole line\ny = 3: z = 4 Rem after colon\r\nw = [odd name]");
  EXPECT_EQ(unit->main.body.size(), 4u);
  EXPECT_EQ(Show(unit->main.body[0]->value.get()), "(+ 1 2)");
  EXPECT_EQ(unit->main.body[3]->value->name, "odd name");
}

TEST(ParserTest, DeepNestingIsOutOfStackSpaceNotACrash) {
  const std::string deep = std::string(20000, '(') + "1" + std::string(20000, ')');
  try {
    ParseExpression(deep);
    ADD_FAILURE() << "no error";
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), 28);
  }
  std::string chain = "x = 1";
  for (int i = 0; i < 5000; ++i) chain += " + 1";
  try {
    ParseProgram(chain);
    ADD_FAILURE() << "no error";
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), 28);
  }
  std::string blocks;
  for (int i = 0; i < 3000; ++i) blocks += "If x Then\n";
  try {
    ParseProgram(blocks);
    ADD_FAILURE() << "no error";
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), 28);
  }
}

}  // namespace
}  // namespace vbs
