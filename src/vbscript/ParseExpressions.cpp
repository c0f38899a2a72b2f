// ParseExpressions: expressions by precedence climbing, with VBScript's operator levels
// (tightest first): ^, unary -, * /, \, Mod, + -, &, comparisons and Is, Not, And, Or, Xor,
// Eqv, Imp. All binary operators associate to the left.
#include <algorithm>
#include <utility>

#include "vbscript/ParserImpl.h"
#include "vbscript/VbError.h"

namespace vbs::detail {

using namespace ast;

namespace {

constexpr int kNotLevel = 6;
constexpr int kUnaryLevel = 13;

struct OpInfo {
  BinOp op;
  int precedence;  // 0: not a binary operator
};

OpInfo BinaryOperator(const Token& t) {
  switch (t.kind) {
    case Tok::Caret: return {BinOp::Pow, 14};
    case Tok::Star: return {BinOp::Mul, 12};
    case Tok::Slash: return {BinOp::Div, 12};
    case Tok::Backslash: return {BinOp::IntDiv, 11};
    case Tok::Plus: return {BinOp::Add, 9};
    case Tok::Minus: return {BinOp::Sub, 9};
    case Tok::Ampersand: return {BinOp::Concat, 8};
    case Tok::Eq: return {BinOp::Eq, 7};
    case Tok::Ne: return {BinOp::Ne, 7};
    case Tok::Lt: return {BinOp::Lt, 7};
    case Tok::Gt: return {BinOp::Gt, 7};
    case Tok::Le: return {BinOp::Le, 7};
    case Tok::Ge: return {BinOp::Ge, 7};
    case Tok::Keyword:
      switch (t.keyword) {
        case Kw::Mod: return {BinOp::Mod, 10};
        case Kw::Is: return {BinOp::Is, 7};
        case Kw::And: return {BinOp::And, 5};
        case Kw::Or: return {BinOp::Or, 4};
        case Kw::Xor: return {BinOp::Xor, 3};
        case Kw::Eqv: return {BinOp::Eqv, 2};
        case Kw::Imp: return {BinOp::Imp, 1};
        default: break;
      }
      break;
    default:
      break;
  }
  return {BinOp::Add, 0};
}

}  // namespace

DepthGuard::DepthGuard(Parser& p) : parser(p) {
  if (++parser.depth_ > kMaxNesting) {
    --parser.depth_;
    parser.fail(err::kOutOfStackSpace);
  }
}

ExprPtr Parser::makeNode(ExprKind kind, const Token& at) {
  auto e = std::make_unique<Expr>();
  e->kind = kind;
  e->line = at.line;
  e->column = at.column;
  return e;
}

void Parser::setDepth(Expr& e) {
  int d = 0;
  if (e.target) d = std::max(d, e.target->depth);
  if (e.right) d = std::max(d, e.right->depth);
  for (const auto& a : e.args) {
    if (a) d = std::max(d, a->depth);
  }
  e.depth = d + 1;
  if (e.depth > kMaxNesting) fail(err::kOutOfStackSpace);
}

ExprPtr Parser::makeBinary(BinOp op, ExprPtr left, ExprPtr right, const Token& at) {
  auto e = makeNode(ExprKind::Binary, at);
  e->binOp = op;
  e->target = std::move(left);
  e->right = std::move(right);
  setDepth(*e);
  return e;
}

// expression -> binary(1)
ExprPtr Parser::expression() { return binary(1, nullptr); }

// binary(p) -> operand(p) { op binary(prec(op) + 1) }   for every op with prec(op) >= p
// A caller that has already parsed the leftmost operand passes it as left.
ExprPtr Parser::binary(int minPrecedence, ExprPtr left) {
  DepthGuard guard(*this);
  if (!left) left = operand(minPrecedence);
  for (;;) {
    const OpInfo info = BinaryOperator(tok());
    if (info.precedence == 0 || info.precedence < minPrecedence) return left;
    const Token at = tok();
    advance();
    ExprPtr right = binary(info.precedence + 1, nullptr);
    left = makeBinary(info.op, std::move(left), std::move(right), at);
  }
}

// operand(p) -> Not binary(max(p, 6)) | (- | +) operand(p) | postfix
// A sign belongs to the operand right after it, so -3 ^ 2 is (-3) ^ 2 = 9 as the Windows
// engine computes it; 2 ^ -1 is allowed, and Not a = b is Not (a = b).
ExprPtr Parser::operand(int minPrecedence) {
  DepthGuard guard(*this);
  const Token at = tok();
  if (isKw(Kw::Not) || is(Tok::Minus) || is(Tok::Plus)) {
    auto e = makeNode(ExprKind::Unary, at);
    int level = kUnaryLevel;
    if (isKw(Kw::Not)) {
      e->unOp = UnOp::Not;
      level = minPrecedence <= kNotLevel ? kNotLevel : kUnaryLevel;
    } else {
      e->unOp = is(Tok::Minus) ? UnOp::Neg : UnOp::Plus;
    }
    advance();
    e->target = e->unOp == UnOp::Not ? binary(std::max(minPrecedence, level), nullptr)
                                     : operand(minPrecedence);
    setDepth(*e);
    return e;
  }
  return postfix(primary());
}

// postfix -> primary { "." name | "(" arguments ")" }
ExprPtr Parser::postfix(ExprPtr base) {
  for (;;) {
    if (is(Tok::Dot) && tok().attached) {
      const Token at = tok();
      advance();
      if (!is(Tok::Identifier) && !is(Tok::Keyword)) fail(cerr::kExpectedIdentifier);
      auto e = makeNode(ExprKind::Member, at);
      e->name = tok().text;
      advance();
      e->target = std::move(base);
      setDepth(*e);
      base = std::move(e);
    } else if (is(Tok::LParen) && base->kind != ExprKind::Literal &&
               base->kind != ExprKind::New) {
      const Token at = tok();
      advance();
      auto e = makeNode(ExprKind::Call, at);
      e->target = std::move(base);
      e->parens = true;
      arguments(*e);
      setDepth(*e);
      base = std::move(e);
    } else {
      return base;
    }
  }
}

// arguments -> [ [expression] { "," [expression] } ] ")"
void Parser::arguments(Expr& call) {
  DepthGuard guard(*this);
  if (accept(Tok::RParen)) return;
  for (;;) {
    if (is(Tok::Comma) || is(Tok::RParen)) {
      call.args.push_back(nullptr);
    } else {
      call.args.push_back(expression());
    }
    if (accept(Tok::Comma)) continue;
    expect(Tok::RParen, cerr::kExpectedRParen);
    return;
  }
}

// primary -> number | string | date | True | False | Empty | Null | Nothing | name
//          | "(" expression ")" | New name | Me | "." name (inside With)
ExprPtr Parser::primary() {
  const Token at = tok();
  switch (at.kind) {
    case Tok::Number:
    case Tok::String:
    case Tok::Date: {
      auto e = makeNode(ExprKind::Literal, at);
      e->value = at.value;
      advance();
      return e;
    }
    case Tok::Identifier: {
      auto e = makeNode(ExprKind::Name, at);
      e->name = at.text;
      if (NamesEqual(at.text, "Randomize")) {  // a statement; bound here to fail as a value
        e->bind = Bind::Intrinsic;
        e->slot = static_cast<int>(Intrinsic::Randomize);
      }
      advance();
      return e;
    }
    case Tok::LParen: {
      DepthGuard guard(*this);
      advance();
      auto e = makeNode(ExprKind::Paren, at);
      e->target = expression();
      expect(Tok::RParen, cerr::kExpectedRParen);
      setDepth(*e);
      return e;
    }
    case Tok::Dot: {
      // Outside a With block this compiles and fails when it runs (505).
      advance();
      if (!is(Tok::Identifier) && !is(Tok::Keyword)) fail(cerr::kExpectedIdentifier);
      auto e = makeNode(ExprKind::Member, at);
      e->name = tok().text;
      advance();
      return e;
    }
    case Tok::Keyword:
      switch (at.keyword) {
        case Kw::True:
        case Kw::False:
        case Kw::Empty:
        case Kw::Null:
        case Kw::Nothing: {
          auto e = makeNode(ExprKind::Literal, at);
          if (at.keyword == Kw::True) e->value = Variant::fromBool(true);
          if (at.keyword == Kw::False) e->value = Variant::fromBool(false);
          if (at.keyword == Kw::Null) e->value = Variant::Null();
          if (at.keyword == Kw::Nothing) e->value = Variant::fromObject(nullptr);
          advance();
          return e;
        }
        case Kw::Me: {
          advance();
          return makeNode(ExprKind::Me, at);
        }
        case Kw::Property: {  // an ordinary name outside its declarations
          auto e = makeNode(ExprKind::Name, at);
          e->name = at.text;
          advance();
          return e;
        }
        case Kw::New: {
          advance();
          auto e = makeNode(ExprKind::New, at);
          e->name = expectName();
          return e;
        }
        default:
          break;
      }
      break;
    default:
      break;
  }
  if (atStatementEnd()) fail(cerr::kExpectedExpression);
  fail(cerr::kSyntaxError);
}

ExprPtr Parser::expressionOnly() {
  while (is(Tok::Newline)) advance();
  ExprPtr e = expression();
  while (is(Tok::Newline)) advance();
  if (!is(Tok::End)) fail(cerr::kExpectedEndOfStatement);
  return e;
}

}  // namespace vbs::detail
