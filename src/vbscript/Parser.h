// Parser: builds the tree of a program text or of one expression (Eval).
//
// Errors are CompileError with the compiler's number and the place of the offending token.
// The tree's height is bounded (kMaxNesting): deeper nesting raises error 28, "Out of stack
// space", so that neither the parser nor the interpreter recurses without limit.
#pragma once

#include <memory>
#include <string_view>

#include "vbscript/Ast.h"

namespace vbs {

inline constexpr int kMaxNesting = 1000;

// A whole program: Option Explicit, declarations, procedures, classes and statements.
std::unique_ptr<ast::Unit> ParseProgram(std::string_view source);

// One expression and nothing after it (Eval's argument).
ast::ExprPtr ParseExpression(std::string_view source);

}  // namespace vbs
