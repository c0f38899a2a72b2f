// ParserImpl: the recursive-descent parser shared by the parse files (expressions,
// statements, declarations). Internal to the engine.
//
// Invariants: pos_ always indexes a valid token (the token list ends with Newline, End);
// depth_ counts the nesting of blocks and expressions being parsed and never exceeds
// kMaxNesting; exactly one of proc_ (inside a Sub, Function or Property) and the unit's
// main procedure receives the Dim and Const declarations met.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "vbscript/Ast.h"
#include "vbscript/CompileError.h"
#include "vbscript/Lexer.h"
#include "vbscript/Parser.h"

namespace vbs::detail {

class Parser {
 public:
  Parser(std::string_view source, const CompilePoll& poll);

  std::unique_ptr<ast::Unit> program();
  ast::ExprPtr expressionOnly();

 private:
  friend struct DepthGuard;

  // tokens
  const Token& tok() const { return tokens_[pos_]; }
  const Token& peekTok(int ahead = 1) const;
  bool is(Tok kind) const { return tok().kind == kind; }
  bool isKw(Kw kw) const { return tok().kind == Tok::Keyword && tok().keyword == kw; }
  bool isWord(std::string_view word) const;  // an identifier spelled so (any case)
  void advance();
  bool accept(Tok kind);
  bool acceptKw(Kw kw);
  void expect(Tok kind, int error);
  void expectKw(Kw kw, int error);
  std::string expectName();  // an identifier; 1010 otherwise
  // An identifier, or Property, which serves as an ordinary name outside its declarations.
  bool isName() const;
  bool propertyDeclarationAhead() const;  // Property Get, Property Let, Property Set
  bool atStatementEnd() const;
  void expectStatementEnd();
  void skipSeparators();
  [[noreturn]] void fail(int error) const;
  [[noreturn]] void failAt(int error, const Token& at) const;

  // expressions (ParseExpressions.cpp)
  ast::ExprPtr expression();
  ast::ExprPtr binary(int minPrecedence, ast::ExprPtr left);
  ast::ExprPtr operand(int minPrecedence);
  ast::ExprPtr postfix(ast::ExprPtr base);
  ast::ExprPtr primary();
  void arguments(ast::Expr& call);  // after "(": arguments and ")"
  ast::ExprPtr makeNode(ast::ExprKind kind, const Token& at);
  ast::ExprPtr makeBinary(ast::BinOp op, ast::ExprPtr left, ast::ExprPtr right, const Token& at);
  void setDepth(ast::Expr& e);

  // statements (ParseStatements.cpp)
  ast::Block block();
  void statement(ast::Block& out);
  void statementsOnLine(ast::Block& out, bool stopAtElse);
  ast::StmtPtr makeStmt(ast::StmtKind kind, const Token& at);
  void callOrAssign(ast::Block& out, const Token& start);
  void callStatement(ast::Block& out, const Token& start);
  void randomizeStatement(ast::Block& out, const Token& start);
  void ifStatement(ast::Block& out, const Token& start);
  void selectStatement(ast::Block& out, const Token& start);
  void forStatement(ast::Block& out, const Token& start);
  void doStatement(ast::Block& out, const Token& start);
  void whileStatement(ast::Block& out, const Token& start);
  void withStatement(ast::Block& out, const Token& start);
  void exitStatement(ast::Block& out, const Token& start);
  void onErrorStatement(ast::Block& out, const Token& start);
  void redimStatement(ast::Block& out, const Token& start);
  void eraseStatement(ast::Block& out, const Token& start);
  void expectEnd(Kw what, int error);
  [[noreturn]] void failTerminator() const;

  // declarations (ParseDeclarations.cpp)
  void dimStatement(ast::Block& out);
  void constStatement();
  void variableDeclaration(bool isPublic, bool inClass, ast::Block* out = nullptr);
  std::vector<std::int32_t> dimBounds();
  void declarationStatement(const Token& start, ast::Block& out);  // Public/Private, global
  void procedure(const Token& start, bool isPublic, bool isDefault, ast::ClassDecl* cls);
  void classDeclaration(const Token& start);
  void classMember(ast::ClassDecl& cls);
  Variant constantValue();

  TokenList tokens_;
  std::size_t pos_ = 0;
  const CompilePoll& poll_;
  std::uint32_t advanced_ = 0;
  int depth_ = 0;
  ast::Unit* unit_ = nullptr;
  ast::ProcDef* proc_ = nullptr;  // the procedure being parsed; unit main at top level
  ast::ClassDecl* class_ = nullptr;
  int doDepth_ = 0;
  int forDepth_ = 0;
  int withDepth_ = 0;
  bool sawStatement_ = false;  // Option Explicit must come before any
};

// Counts one level of nesting for the lifetime of the guard; 28 beyond kMaxNesting.
struct DepthGuard {
  explicit DepthGuard(Parser& parser);
  ~DepthGuard() { --parser.depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;
  Parser& parser;
};

}  // namespace vbs::detail
