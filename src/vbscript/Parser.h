// Parser: builds the tree of a program text or of one expression (Eval).
//
// Errors are CompileError with the compiler's number and the place of the offending token.
// A text may be huge (Execute of generated code): `poll`, when given, is called every few
// thousand characters lexed and tokens parsed, and may throw to end the compile (the time-out
// of a running script does so).
// The tree's height is bounded (kMaxNesting): deeper nesting raises error 28, "Out of stack
// space", so that neither the parser nor the interpreter recurses without limit.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "vbscript/Ast.h"

namespace vbs {

inline constexpr int kMaxNesting = 1000;

// A whole program: Option Explicit, declarations, procedures, classes and statements.
using CompilePoll = std::function<void()>;

std::unique_ptr<ast::Unit> ParseProgram(std::string_view source, const CompilePoll& poll = {});

// One expression and nothing after it (Eval's argument).
ast::ExprPtr ParseExpression(std::string_view source, const CompilePoll& poll = {});

}  // namespace vbs
