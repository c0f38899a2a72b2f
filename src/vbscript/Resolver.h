// Resolver: the compile step after parsing. It binds every name of a unit to where its value
// lives — a slot of the procedure's frame, a field or member of Me's class, a global found by
// name at run time (with an implicit local behind it inside procedures), a built-in function,
// or a constant folded into a literal — and gives each procedure its frame layout.
//
// Errors are CompileError: 1041 Name redefined, 1037 Invalid use of 'Me' keyword, 1052
// Cannot have multiple default property/method in a Class.
#pragma once

#include <functional>
#include <string_view>

#include "vbscript/Ast.h"

namespace vbs {

struct ResolveScope {
  // Code run by Execute or Eval inside a procedure sees that procedure's locals and class.
  const ast::ProcDef* outerProc = nullptr;
  const ast::ClassDecl* cls = nullptr;
  // Whether a name is a global of the engine at compile time (named objects, globals of
  // earlier units).
  std::function<bool(std::string_view)> isKnownGlobal;
  // The part of the same program compiled before this one (the host adds a program in two
  // parts): its Option Explicit holds here, its constants are known, and a name it declares
  // may not be declared again, not even as a procedure (1041).
  const ast::Unit* earlier = nullptr;
  // Called every few thousand statements and expressions resolved; may throw to stop.
  std::function<void()> poll;
};

void ResolveUnit(ast::Unit& unit, const ResolveScope& scope);

// Resolves an expression for Eval; the unit's main procedure will hold its implicit locals.
void ResolveExpression(ast::Expr& e, ast::Unit& unit, const ResolveScope& scope);

}  // namespace vbs
