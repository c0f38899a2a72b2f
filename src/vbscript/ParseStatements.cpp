// ParseStatements: blocks and the executable statements.
#include <utility>

#include "vbscript/ParserImpl.h"

namespace vbs::detail {

using namespace ast;

Parser::Parser(std::string_view source, const CompilePoll& poll)
    : tokens_(Tokenize(source, poll)), poll_(poll) {}

const Token& Parser::peekTok(int ahead) const {
  const std::size_t i = pos_ + static_cast<std::size_t>(ahead);
  return i < tokens_.size() ? tokens_[i] : tokens_.back();
}

bool Parser::isWord(std::string_view word) const {
  return tok().kind == Tok::Identifier && NamesEqual(tok().text, word);
}

void Parser::advance() {
  if (pos_ + 1 < tokens_.size()) ++pos_;
  if ((++advanced_ & 0xFFF) == 0 && poll_) poll_();
}

bool Parser::accept(Tok kind) {
  if (!is(kind)) return false;
  advance();
  return true;
}

bool Parser::acceptKw(Kw kw) {
  if (!isKw(kw)) return false;
  advance();
  return true;
}

void Parser::expect(Tok kind, int error) {
  if (!accept(kind)) fail(error);
}

void Parser::expectKw(Kw kw, int error) {
  if (!acceptKw(kw)) fail(error);
}

bool Parser::isName() const { return is(Tok::Identifier) || isKw(Kw::Property); }

bool Parser::propertyDeclarationAhead() const {
  if (!isKw(Kw::Property)) return false;
  const Token& next = peekTok();
  return (next.kind == Tok::Identifier && NamesEqual(next.text, "Get")) ||
         (next.kind == Tok::Keyword && (next.keyword == Kw::Let || next.keyword == Kw::Set));
}

std::string Parser::expectName() {
  if (!isName()) fail(cerr::kExpectedIdentifier);
  std::string name = tok().text;
  advance();
  return name;
}

bool Parser::atStatementEnd() const {
  return is(Tok::Newline) || is(Tok::Colon) || is(Tok::End);
}

void Parser::expectStatementEnd() {
  if (!atStatementEnd()) fail(cerr::kExpectedEndOfStatement);
}

void Parser::skipSeparators() {
  while (is(Tok::Newline) || is(Tok::Colon)) advance();
}

void Parser::fail(int error) const { failAt(error, tok()); }

void Parser::failAt(int error, const Token& at) const {
  throw CompileError(error, at.line, at.column);
}

StmtPtr Parser::makeStmt(StmtKind kind, const Token& at) {
  auto s = std::make_unique<Stmt>();
  s->kind = kind;
  s->line = at.line;
  s->column = at.column;
  return s;
}

// A block ends before a keyword that closes or divides it, or at the end of the text.
static bool IsTerminator(const Token& t) {
  if (t.kind == Tok::End) return true;
  if (t.kind != Tok::Keyword) return false;
  switch (t.keyword) {
    case Kw::End:
    case Kw::Else:
    case Kw::ElseIf:
    case Kw::Loop:
    case Kw::Next:
    case Kw::Wend:
    case Kw::Case:
      return true;
    default:
      return false;
  }
}

// block -> { [statement] (Newline | ":") }
Block Parser::block() {
  DepthGuard guard(*this);
  Block out;
  for (;;) {
    skipSeparators();
    if (IsTerminator(tok())) return out;
    statement(out);
    // "End Sub", "End If", ... may follow a statement on its line without a colon.
    if (!isKw(Kw::End)) expectStatementEnd();
  }
}

// A terminator that the enclosing construct did not expect.
void Parser::failTerminator() const {
  if (isKw(Kw::Next)) fail(cerr::kUnexpectedNext);
  if (isKw(Kw::Loop)) fail(cerr::kLoopWithoutDo);
  fail(cerr::kExpectedStatement);
}

// "End" what, as the closing line of a construct; error when anything else stands there.
void Parser::expectEnd(Kw what, int error) {
  if (isKw(Kw::End)) {
    advance();
    if (!acceptKw(what)) fail(error);
    return;
  }
  if (is(Tok::End)) fail(cerr::kExpectedEnd);
  if (isKw(Kw::Next) || isKw(Kw::Loop)) failTerminator();
  fail(cerr::kExpectedEnd);
}

// statementsOnLine -> statement { ":" statement } [End If]   (the parts of a one-line If)
// A one-line If may close with End If on its own line; nothing may follow that but the line end.
void Parser::statementsOnLine(Block& out, bool stopAtElse) {
  auto closed = [&] {
    if (!isKw(Kw::End) || peekTok().kind != Tok::Keyword || peekTok().keyword != Kw::If) {
      return false;
    }
    advance();
    advance();
    return true;
  };
  for (;;) {
    while (accept(Tok::Colon)) {
    }
    if (closed()) return;
    if (is(Tok::Newline) || is(Tok::End) || (stopAtElse && isKw(Kw::Else))) return;
    statement(out);
    if (is(Tok::Colon)) continue;
    if (closed()) return;
    if (is(Tok::Newline) || is(Tok::End) || (stopAtElse && isKw(Kw::Else))) return;
    fail(cerr::kExpectedEndOfStatement);
  }
}

void Parser::statement(Block& out) {
  DepthGuard guard(*this);
  const Token start = tok();
  const bool topLevel = proc_ == &unit_->main && class_ == nullptr;
  if (start.kind == Tok::Keyword && start.keyword == Kw::Option) {
    advance();
    if (!isWord("Explicit")) fail(cerr::kSyntaxError);
    if (!topLevel || sawStatement_) failAt(cerr::kExpectedStatement, start);
    advance();
    unit_->optionExplicit = true;
    return;
  }
  sawStatement_ = true;
  if (start.kind == Tok::Identifier) {
    if (NamesEqual(start.text, "Stop") && (peekTok().kind == Tok::Newline ||
                                          peekTok().kind == Tok::Colon ||
                                          peekTok().kind == Tok::End)) {
      advance();  // Stop: a breakpoint for a debugger; none here
      return;
    }
    if (NamesEqual(start.text, "Randomize")) return randomizeStatement(out, start);
    return callOrAssign(out, start);
  }
  if (start.kind == Tok::Dot) return callOrAssign(out, start);
  if (start.kind != Tok::Keyword) fail(cerr::kExpectedStatement);
  switch (start.keyword) {
    case Kw::Dim: return dimStatement(out);
    case Kw::ReDim: return redimStatement(out, start);
    case Kw::Erase: return eraseStatement(out, start);
    case Kw::Const: advance(); return constStatement();
    case Kw::Public:
    case Kw::Private:
      if (!topLevel) fail(cerr::kExpectedStatement);
      return declarationStatement(start, out);
    case Kw::Sub:
    case Kw::Function:
      if (!topLevel) fail(cerr::kExpectedStatement);
      return procedure(start, true, false, nullptr);
    case Kw::Property:
      if (propertyDeclarationAhead()) fail(cerr::kMustBeInsideClass);
      return callOrAssign(out, start);  // Property as an ordinary name
    case Kw::Class:
      if (!topLevel) fail(cerr::kExpectedStatement);
      return classDeclaration(start);
    case Kw::Set:
    case Kw::Let: {
      advance();
      auto s = makeStmt(start.keyword == Kw::Set ? StmtKind::Set : StmtKind::Assign, start);
      s->target = postfix(primary());
      const ExprKind k = s->target->kind;
      if (k != ExprKind::Name && k != ExprKind::Member && k != ExprKind::Call) {
        fail(cerr::kExpectedIdentifier);
      }
      expect(Tok::Eq, cerr::kExpectedEquals);
      s->value = expression();
      out.push_back(std::move(s));
      return;
    }
    case Kw::Call: return callStatement(out, start);
    case Kw::Me: return callOrAssign(out, start);
    case Kw::If: return ifStatement(out, start);
    case Kw::Select: return selectStatement(out, start);
    case Kw::For: return forStatement(out, start);
    case Kw::Do: return doStatement(out, start);
    case Kw::While: return whileStatement(out, start);
    case Kw::With: return withStatement(out, start);
    case Kw::Exit: return exitStatement(out, start);
    case Kw::On: return onErrorStatement(out, start);
    default: fail(cerr::kExpectedStatement);
  }
}

// callOrAssign -> target "=" expression | target [argument { "," argument }]
// In a statement call, "Foo (x)" passes the parenthesised value (x) and "Foo (x) + 1, y"
// starts its first argument with it; "Foo(x, y)" is error 1044.
void Parser::callOrAssign(Block& out, const Token& start) {
  ExprPtr lhs = postfix(primary());
  if (lhs->kind != ExprKind::Name && lhs->kind != ExprKind::Member &&
      lhs->kind != ExprKind::Call && lhs->kind != ExprKind::Me) {
    failAt(cerr::kExpectedStatement, start);
  }
  if (accept(Tok::Eq)) {
    auto s = makeStmt(StmtKind::Assign, start);
    s->target = std::move(lhs);
    s->value = expression();
    out.push_back(std::move(s));
    return;
  }
  auto s = makeStmt(StmtKind::Call, start);
  auto call = makeNode(ExprKind::Call, start);
  const bool ended = atStatementEnd() || isKw(Kw::Else) || isKw(Kw::End);
  if (lhs->kind == ExprKind::Call && lhs->parens) {
    if (lhs->args.size() >= 2) failAt(cerr::kCannotUseParens, start);
    call->target = std::move(lhs->target);
    if (lhs->args.size() == 1) {
      if (!lhs->args[0]) failAt(cerr::kSyntaxError, start);
      auto paren = makeNode(ExprKind::Paren, start);
      paren->target = std::move(lhs->args[0]);
      setDepth(*paren);
      call->args.push_back(ended ? std::move(paren) : binary(1, std::move(paren)));
    } else if (!ended) {
      fail(cerr::kExpectedEndOfStatement);
    }
    if (!ended) {
      while (accept(Tok::Comma)) {
        call->args.push_back(is(Tok::Comma) || atStatementEnd() ? nullptr : expression());
      }
    }
  } else {
    call->target = std::move(lhs);
    if (!ended) {
      for (;;) {
        call->args.push_back(is(Tok::Comma) ? nullptr : expression());
        if (!accept(Tok::Comma)) break;
        if (atStatementEnd()) call->args.push_back(nullptr);
      }
    }
  }
  setDepth(*call);
  s->target = std::move(call);
  out.push_back(std::move(s));
}

// randomizeStatement -> Randomize [expression]
// Randomize is a statement: inside an expression it names no value (primary binds it so).
void Parser::randomizeStatement(Block& out, const Token& start) {
  auto s = makeStmt(StmtKind::Call, start);
  auto call = makeNode(ExprKind::Call, start);
  call->target = makeNode(ExprKind::Name, start);
  call->target->name = start.text;
  advance();
  if (!atStatementEnd()) call->args.push_back(expression());
  setDepth(*call);
  s->target = std::move(call);
  out.push_back(std::move(s));
}

// callStatement -> Call target ["(" arguments ")"]     target may start "(" (Call (New C).M())
void Parser::callStatement(Block& out, const Token& start) {
  advance();
  if (isWord("Randomize")) return randomizeStatement(out, tok());
  if (!isName() && !is(Tok::Dot) && !isKw(Kw::Me) && !is(Tok::LParen)) {
    fail(cerr::kExpectedIdentifier);
  }
  ExprPtr target = postfix(primary());
  auto s = makeStmt(StmtKind::Call, start);
  if (target->kind == ExprKind::Call) {
    s->target = std::move(target);
  } else if (target->kind == ExprKind::Name || target->kind == ExprKind::Member) {
    auto call = makeNode(ExprKind::Call, start);
    call->target = std::move(target);
    setDepth(*call);
    s->target = std::move(call);
  } else {
    fail(cerr::kExpectedIdentifier);
  }
  out.push_back(std::move(s));
}

// ifStatement -> If expression Then Newline block {ElseIf expression Then block}
//                [Else block] End If
//              | If expression Then statementsOnLine [Else statementsOnLine]
// Only a Then that ends its line opens a block: "If c Then :" is a whole one-line If.
void Parser::ifStatement(Block& out, const Token& start) {
  advance();
  auto s = makeStmt(StmtKind::If, start);
  IfArm first;
  first.cond = expression();
  expectKw(Kw::Then, cerr::kExpectedThen);
  if (!is(Tok::Newline)) {
    statementsOnLine(first.body, true);
    s->arms.push_back(std::move(first));
    if (acceptKw(Kw::Else)) {
      IfArm otherwise;
      statementsOnLine(otherwise.body, true);
      s->arms.push_back(std::move(otherwise));
    }
    out.push_back(std::move(s));
    return;
  }
  first.body = block();
  s->arms.push_back(std::move(first));
  for (;;) {
    if (acceptKw(Kw::ElseIf)) {
      IfArm arm;
      arm.cond = expression();
      expectKw(Kw::Then, cerr::kExpectedThen);
      arm.body = block();
      s->arms.push_back(std::move(arm));
      continue;
    }
    if (acceptKw(Kw::Else)) {
      IfArm arm;
      arm.body = block();
      s->arms.push_back(std::move(arm));
    }
    break;
  }
  expectEnd(Kw::If, cerr::kExpectedIf);
  out.push_back(std::move(s));
}

// selectStatement -> Select Case expression { Case (Else | expression {"," expression}) block }
//                    End Select
void Parser::selectStatement(Block& out, const Token& start) {
  advance();
  expectKw(Kw::Case, cerr::kExpectedCase);
  auto s = makeStmt(StmtKind::Select, start);
  s->value = expression();
  expectStatementEnd();
  skipSeparators();
  bool sawElse = false;
  while (acceptKw(Kw::Case)) {
    if (sawElse) fail(cerr::kExpectedEnd);
    CaseArm arm;
    if (acceptKw(Kw::Else)) {
      arm.isElse = true;
      sawElse = true;
    } else {
      do {
        arm.values.push_back(expression());
      } while (accept(Tok::Comma));
    }
    arm.body = block();
    s->cases.push_back(std::move(arm));
  }
  if (!isKw(Kw::End)) fail(s->cases.empty() ? cerr::kExpectedCase : cerr::kExpectedEnd);
  expectEnd(Kw::Select, cerr::kExpectedSelect);
  out.push_back(std::move(s));
}

// forStatement -> For name "=" expression To expression [Step expression] block Next
//               | For Each name In expression block Next
void Parser::forStatement(Block& out, const Token& start) {
  advance();
  const bool each = acceptKw(Kw::Each);
  auto s = makeStmt(each ? StmtKind::ForEach : StmtKind::For, start);
  const Token at = tok();
  if (!isName()) fail(cerr::kExpectedIdentifier);
  s->target = makeNode(ExprKind::Name, at);
  s->target->name = at.text;
  advance();
  if (each) {
    expectKw(Kw::In, cerr::kExpectedIn);
    s->value = expression();
  } else {
    if (is(Tok::LParen) || is(Tok::Dot)) fail(cerr::kInvalidForVariable);
    expect(Tok::Eq, cerr::kExpectedEquals);
    s->value = expression();
    expectKw(Kw::To, cerr::kExpectedTo);
    s->limit = expression();
    if (isWord("Step")) {
      advance();
      s->step = expression();
    }
  }
  expectStatementEnd();
  ++forDepth_;
  s->body = block();
  --forDepth_;
  if (!acceptKw(Kw::Next)) fail(cerr::kExpectedNext);
  if (isName()) advance();  // Next i: the name is optional and not checked
  out.push_back(std::move(s));
}

// doStatement -> Do [(While | Until) expression] block Loop [(While | Until) expression]
void Parser::doStatement(Block& out, const Token& start) {
  advance();
  auto s = makeStmt(StmtKind::Do, start);
  if (isKw(Kw::While) || isKw(Kw::Until)) {
    s->doKind = isKw(Kw::While) ? DoKind::PreWhile : DoKind::PreUntil;
    advance();
    s->cond = expression();
  } else if (!atStatementEnd()) {
    fail(cerr::kExpectedWhileUntilEos);
  }
  expectStatementEnd();
  ++doDepth_;
  s->body = block();
  --doDepth_;
  if (!acceptKw(Kw::Loop)) fail(cerr::kExpectedLoop);
  if (isKw(Kw::While) || isKw(Kw::Until)) {
    if (s->cond) fail(cerr::kExpectedEndOfStatement);
    s->doKind = isKw(Kw::While) ? DoKind::PostWhile : DoKind::PostUntil;
    advance();
    s->cond = expression();
  }
  out.push_back(std::move(s));
}

// whileStatement -> While expression block Wend
void Parser::whileStatement(Block& out, const Token& start) {
  advance();
  auto s = makeStmt(StmtKind::While, start);
  s->cond = expression();
  expectStatementEnd();
  s->body = block();
  if (!acceptKw(Kw::Wend)) fail(cerr::kExpectedWend);
  out.push_back(std::move(s));
}

// withStatement -> With expression block End With
void Parser::withStatement(Block& out, const Token& start) {
  advance();
  auto s = makeStmt(StmtKind::With, start);
  s->value = expression();
  expectStatementEnd();
  ++withDepth_;
  s->body = block();
  --withDepth_;
  expectEnd(Kw::With, cerr::kExpectedWith);
  out.push_back(std::move(s));
}

// exitStatement -> Exit (Do | For | Sub | Function | Property), only inside what it leaves
void Parser::exitStatement(Block& out, const Token& start) {
  advance();
  auto s = makeStmt(StmtKind::Exit, start);
  const ProcKind kind = proc_->kind;
  bool valid = false;
  if (isKw(Kw::Do)) {
    s->exitKind = ExitKind::Do;
    valid = doDepth_ > 0;
  } else if (isKw(Kw::For)) {
    s->exitKind = ExitKind::For;
    valid = forDepth_ > 0;
  } else if (isKw(Kw::Sub)) {
    s->exitKind = ExitKind::Sub;
    valid = kind == ProcKind::Sub;
  } else if (isKw(Kw::Function)) {
    s->exitKind = ExitKind::Function;
    valid = kind == ProcKind::Function;
  } else if (isKw(Kw::Property)) {
    s->exitKind = ExitKind::Property;
    valid = kind == ProcKind::PropertyGet || kind == ProcKind::PropertyLet ||
            kind == ProcKind::PropertySet;
  }
  if (!valid) failAt(cerr::kInvalidExit, start);
  advance();
  out.push_back(std::move(s));
}

// onErrorStatement -> On Error (Resume Next | GoTo 0)
void Parser::onErrorStatement(Block& out, const Token& start) {
  advance();
  if (!isWord("Error")) fail(cerr::kSyntaxError);
  advance();
  if (isWord("Resume")) {
    advance();
    expectKw(Kw::Next, cerr::kSyntaxError);
    out.push_back(makeStmt(StmtKind::OnErrorResumeNext, start));
    return;
  }
  if (acceptKw(Kw::GoTo)) {
    if (!is(Tok::Number) || tok().value.type() != VarType::Integer || tok().value.rawInt() != 0) {
      fail(cerr::kSyntaxError);
    }
    advance();
    out.push_back(makeStmt(StmtKind::OnErrorGoTo0, start));
    return;
  }
  fail(cerr::kSyntaxError);
}

// redimStatement -> ReDim [Preserve] name "(" expression {"," expression} ")" {"," ...}
void Parser::redimStatement(Block& out, const Token& start) {
  advance();
  bool preserve = false;
  if (isWord("Preserve")) {
    preserve = true;
    advance();
  }
  do {
    const Token at = tok();
    auto s = makeStmt(StmtKind::ReDim, start);
    s->preserve = preserve;
    s->target = makeNode(ExprKind::Name, at);
    s->target->name = expectName();
    expect(Tok::LParen, cerr::kExpectedLParen);
    do {
      s->exprs.push_back(expression());
    } while (accept(Tok::Comma));
    expect(Tok::RParen, cerr::kExpectedRParen);
    ast::ProcDef::DimDecl decl;
    decl.name = s->target->name;
    decl.line = at.line;
    decl.column = at.column;
    decl.fromReDim = true;
    proc_->dims.push_back(std::move(decl));
    out.push_back(std::move(s));
  } while (accept(Tok::Comma));
}

// eraseStatement -> Erase name
void Parser::eraseStatement(Block& out, const Token& start) {
  advance();
  auto s = makeStmt(StmtKind::Erase, start);
  const Token at = tok();
  s->target = makeNode(ExprKind::Name, at);
  s->target->name = expectName();
  out.push_back(std::move(s));
}

}  // namespace vbs::detail

namespace vbs {
std::unique_ptr<ast::Unit> ParseProgram(std::string_view source, const CompilePoll& poll) {
  return detail::Parser(source, poll).program();
}
ast::ExprPtr ParseExpression(std::string_view source, const CompilePoll& poll) {
  return detail::Parser(source, poll).expressionOnly();
}
}  // namespace vbs
