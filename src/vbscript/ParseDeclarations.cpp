// ParseDeclarations: the program as a whole, Dim, Const, procedures and classes.
#include <utility>

#include "vbscript/ParserImpl.h"

namespace vbs::detail {

using namespace ast;

// program -> [Option Explicit] { statement | procedure | class }
std::unique_ptr<Unit> Parser::program() {
  auto unit = std::make_unique<Unit>();
  unit_ = unit.get();
  proc_ = &unit->main;
  unit->main.kind = ProcKind::Main;
  unit->main.body = block();
  if (!is(Tok::End)) failTerminator();
  return unit;
}

// dimStatement -> Dim variable {"," variable}
void Parser::dimStatement(Block& out) {
  advance();
  do {
    variableDeclaration(true, class_ != nullptr && proc_ == nullptr, &out);
  } while (accept(Tok::Comma));
}

// dimBounds -> "(" [integer {"," integer}] ")"   — Dim needs constant bounds
std::vector<std::int32_t> Parser::dimBounds() {
  std::vector<std::int32_t> uppers;
  if (accept(Tok::RParen)) return uppers;
  do {
    if (!is(Tok::Number) || tok().value.type() == VarType::Double) fail(cerr::kExpectedInteger);
    uppers.push_back(static_cast<std::int32_t>(tok().value.rawInt()));
    advance();
  } while (accept(Tok::Comma));
  expect(Tok::RParen, cerr::kExpectedRParen);
  return uppers;
}

// variable -> name [dimBounds]
// The name is declared for its whole scope; an array is made when the declaration runs, by a
// Dim statement put in `out` (class variables get theirs with each object).
void Parser::variableDeclaration(bool isPublic, bool inClass, Block* out) {
  const Token at = tok();
  std::string name = expectName();
  bool hasBounds = false;
  std::vector<std::int32_t> uppers;
  if (accept(Tok::LParen)) {
    hasBounds = true;
    uppers = dimBounds();
  }
  if (hasBounds && !inClass && out) {
    auto s = makeStmt(StmtKind::Dim, at);
    s->target = makeNode(ExprKind::Name, at);
    s->target->name = name;
    s->uppers = std::move(uppers);
    out->push_back(std::move(s));
  }
  if (inClass) {
    FieldDecl field;
    field.name = std::move(name);
    field.isPublic = isPublic;
    field.hasBounds = hasBounds;
    field.uppers = std::move(uppers);
    class_->fields.push_back(std::move(field));
    return;
  }
  if (proc_ == &unit_->main) {
    GlobalDecl decl;
    decl.name = std::move(name);
    decl.line = at.line;
    decl.column = at.column;
    unit_->globals.push_back(std::move(decl));
    return;
  }
  ProcDef::DimDecl decl;
  decl.name = std::move(name);
  decl.line = at.line;
  decl.column = at.column;
  proc_->dims.push_back(std::move(decl));
}

// constantValue -> ["-" | "+"] (number | string | date | True | False | Empty | Null | Nothing)
Variant Parser::constantValue() {
  bool negate = false;
  while (is(Tok::Minus) || is(Tok::Plus)) {
    if (is(Tok::Minus)) negate = !negate;
    advance();
  }
  Variant v;
  if (is(Tok::Number) || is(Tok::String) || is(Tok::Date)) {
    v = tok().value;
  } else if (isKw(Kw::True) || isKw(Kw::False)) {
    v = Variant::fromBool(isKw(Kw::True));
  } else if (isKw(Kw::Null)) {
    v = Variant::Null();
  } else if (isKw(Kw::Empty)) {
    v = Variant();
  } else if (isKw(Kw::Nothing)) {
    v = Variant::fromObject(nullptr);
  } else {
    fail(cerr::kExpectedLiteral);
  }
  advance();
  if (!negate) return v;
  switch (v.type()) {
    case VarType::Integer:
      return v.rawInt() == 0 ? v : Variant::fromInteger(static_cast<std::int16_t>(-v.rawInt()));
    case VarType::Long:
      if (v.rawInt() == 32768) return Variant::fromInteger(-32768);
      return Variant::fromLong(static_cast<std::int32_t>(-v.rawInt()));
    case VarType::Double: return Variant::fromDouble(-v.rawDouble());
    default: fail(cerr::kExpectedLiteral);
  }
}

// constStatement -> Const name "=" constantValue {"," name "=" constantValue}
void Parser::constStatement() {
  do {
    const Token at = tok();
    std::string name = expectName();
    expect(Tok::Eq, cerr::kExpectedEquals);
    Variant value = constantValue();
    if (proc_ == &unit_->main) {
      unit_->consts.push_back({std::move(name), std::move(value), at.line, at.column});
    } else {
      proc_->consts.emplace_back(std::move(name), std::move(value));
    }
  } while (accept(Tok::Comma));
}

// declarationStatement -> (Public | Private) (Const ... | procedure | variable {"," variable})
void Parser::declarationStatement(const Token& start, Block& out) {
  const bool isPublic = start.keyword == Kw::Public;
  advance();
  if (isWord("Default")) fail(cerr::kSyntaxError);
  if (acceptKw(Kw::Const)) return constStatement();
  if (isKw(Kw::Sub) || isKw(Kw::Function)) return procedure(tok(), isPublic, false, nullptr);
  if (propertyDeclarationAhead()) fail(cerr::kMustBeInsideClass);
  do {
    variableDeclaration(isPublic, false, &out);
  } while (accept(Tok::Comma));
}

// procedure -> (Sub | Function | Property (Get | Let | Set)) name
//              ["(" [param {"," param}] ")"] block End (Sub | Function | Property)
// param -> [ByVal | ByRef] name ["(" ")"]
void Parser::procedure(const Token& start, bool isPublic, bool isDefault, ClassDecl* cls) {
  auto proc = std::make_unique<ProcDef>();
  proc->isPublic = isPublic;
  proc->isDefault = isDefault;
  proc->line = start.line;
  proc->column = start.column;
  Kw closing = tok().keyword;
  int closingError = cerr::kExpectedSub;
  if (isKw(Kw::Sub)) {
    proc->kind = ProcKind::Sub;
  } else if (isKw(Kw::Function)) {
    proc->kind = ProcKind::Function;
    closingError = cerr::kExpectedFunction;
  } else {
    closingError = cerr::kExpectedProperty;
    advance();
    if (isWord("Get")) proc->kind = ProcKind::PropertyGet;
    else if (isKw(Kw::Let)) proc->kind = ProcKind::PropertyLet;
    else if (isKw(Kw::Set)) proc->kind = ProcKind::PropertySet;
    else fail(cerr::kExpectedLetSetGet);
  }
  advance();
  proc->name = expectName();
  if (accept(Tok::LParen)) {
    if (!accept(Tok::RParen)) {
      do {
        Param p;
        if (acceptKw(Kw::ByVal)) p.byVal = true;
        else acceptKw(Kw::ByRef);
        p.name = expectName();
        if (accept(Tok::LParen)) expect(Tok::RParen, cerr::kExpectedRParen);
        proc->params.push_back(std::move(p));
      } while (accept(Tok::Comma));
      expect(Tok::RParen, cerr::kExpectedRParen);
    }
  }
  if (isDefault && proc->kind != ProcKind::PropertyGet && proc->kind != ProcKind::Function &&
      proc->kind != ProcKind::Sub) {
    failAt(cerr::kDefaultOnlyOnGet, start);
  }
  if ((proc->kind == ProcKind::PropertyLet || proc->kind == ProcKind::PropertySet) &&
      proc->params.empty()) {
    failAt(cerr::kPropertyNeedsArgument, start);
  }
  if (cls && !proc->params.empty() &&
      (NamesEqual(proc->name, "Class_Initialize") || NamesEqual(proc->name, "Class_Terminate"))) {
    failAt(cerr::kInitTerminateArgs, start);
  }
  if (!isKw(Kw::End)) expectStatementEnd();

  ProcDef* const savedProc = proc_;
  const int savedDo = doDepth_, savedFor = forDepth_, savedWith = withDepth_;
  proc_ = proc.get();
  doDepth_ = forDepth_ = withDepth_ = 0;
  proc->body = block();
  proc_ = savedProc;
  doDepth_ = savedDo;
  forDepth_ = savedFor;
  withDepth_ = savedWith;
  expectEnd(closing, closingError);

  if (cls) cls->procs.push_back(std::move(proc));
  else unit_->procs.push_back(std::move(proc));
}

// classDeclaration -> Class name { classMember } End Class
void Parser::classDeclaration(const Token& start) {
  advance();
  auto cls = std::make_unique<ClassDecl>();
  cls->line = start.line;
  cls->column = start.column;
  cls->name = expectName();
  expectStatementEnd();
  class_ = cls.get();
  ProcDef* const savedProc = proc_;
  proc_ = nullptr;
  for (;;) {
    skipSeparators();
    if (isKw(Kw::End) || is(Tok::End)) break;
    classMember(*cls);
    if (!isKw(Kw::End)) expectStatementEnd();
  }
  proc_ = savedProc;
  class_ = nullptr;
  expectEnd(Kw::Class, cerr::kExpectedClass);
  unit_->classes.push_back(std::move(cls));
}

// classMember -> (Dim | Public | Private) variable {"," variable}
//              | [Public [Default] | Private] procedure
void Parser::classMember(ClassDecl& cls) {
  const Token start = tok();
  bool isPublic = true;
  bool isDefault = false;
  if (acceptKw(Kw::Dim)) {
    do {
      variableDeclaration(true, true);
    } while (accept(Tok::Comma));
    return;
  }
  if (isKw(Kw::Public) || isKw(Kw::Private)) {
    isPublic = isKw(Kw::Public);
    advance();
    if (isWord("Default")) {
      if (!isPublic) fail(cerr::kDefaultNotPublic);
      isDefault = true;
      advance();
    }
    if (!isKw(Kw::Sub) && !isKw(Kw::Function) && !propertyDeclarationAhead()) {
      if (isDefault) fail(cerr::kSyntaxError);
      if (isKw(Kw::Const)) fail(cerr::kExpectedStatement);
      do {
        variableDeclaration(isPublic, true);
      } while (accept(Tok::Comma));
      return;
    }
  }
  if (isKw(Kw::Sub) || isKw(Kw::Function) || isKw(Kw::Property)) {
    return procedure(isDefault || start.kind == Tok::Keyword ? start : tok(), isPublic, isDefault,
                     &cls);
  }
  fail(cerr::kExpectedStatement);
}

}  // namespace vbs::detail
