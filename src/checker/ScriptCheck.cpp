#include "checker/ScriptCheck.h"

#include <exception>
#include <functional>

#include "checker/CheckContext.h"
#include "common/TextEncoding.h"
#include "project/ProjectFolders.h"
#include "scripting/ActionObject.h"
#include "scripting/ElementObjects.h"
#include "vbscript/Ast.h"
#include "vbscript/CompileError.h"
#include "vbscript/Engine.h"
#include "vbscript/Parser.h"
#include "vbscript/Resolver.h"

namespace tw::checker {

namespace {

using vbs::ast::Bind;
using vbs::ast::Expr;
using vbs::ast::ExprKind;
using vbs::ast::Stmt;
using vbs::ast::StmtKind;

// The objects the script host names for every run; their members answer as global names too.
constexpr const char* kHostObjects[] = {"Action", "Hotspot", "Text", "ScreenObject", "AppObject",
                                        "WindowObject",
                                        // members of every variable's object
                                        "Value", "Name"};

std::string LineField(int line) {
  return "line " + std::to_string(line);
}

// The names a unit declares at its top: procedures, classes, constants and variables.
void CollectDeclared(const vbs::ast::Unit& unit, std::set<std::string>& names) {
  for (const auto& p : unit.procs) names.insert(FoldCase(p->name));
  for (const auto& c : unit.classes) names.insert(FoldCase(c->name));
  for (const auto& g : unit.globals) names.insert(FoldCase(g.name));
  for (const auto& c : unit.consts) names.insert(FoldCase(c.name));
  for (const auto& d : unit.main.dims) names.insert(FoldCase(d.name));
}

// A literal text; nullptr when the value is computed. An empty text names nothing (an empty
// frame request is no frame change), so it is not followed either.
const vbs::Variant* LiteralText(const Expr* e) {
  if (e == nullptr || e->kind != ExprKind::Literal || !e->value.isString()) return nullptr;
  return e->value.toString().empty() ? nullptr : &e->value;
}

const vbs::Variant* TextArgument(const Expr& call, std::size_t index) {
  return index < call.args.size() ? LiteralText(call.args[index].get()) : nullptr;
}

// Walks every statement and expression of a unit, procedures and class members included.
class Walker {
 public:
  std::function<void(const Expr&)> onExpr;
  std::function<void(const Stmt&)> onStmt;

  void unit(const vbs::ast::Unit& u) {
    block(u.main.body);
    for (const auto& p : u.procs) block(p->body);
    for (const auto& c : u.classes) {
      for (const auto& p : c->procs) block(p->body);
    }
  }

 private:
  void block(const vbs::ast::Block& b) {
    for (const auto& s : b) stmt(*s);
  }
  void stmt(const Stmt& s) {
    onStmt(s);
    for (const auto* e : {&s.target, &s.value, &s.limit, &s.step, &s.cond}) expr(e->get());
    for (const auto& e : s.exprs) expr(e.get());
    block(s.body);
    for (const auto& arm : s.arms) {
      expr(arm.cond.get());
      block(arm.body);
    }
    for (const auto& c : s.cases) {
      for (const auto& v : c.values) expr(v.get());
      block(c.body);
    }
  }
  void expr(const Expr* e) {
    if (e == nullptr) return;
    onExpr(*e);
    expr(e->target.get());
    expr(e->right.get());
    for (const auto& a : e->args) expr(a.get());
  }
};

}  // namespace

ScriptCheck::ScriptCheck(CheckContext& context) : context_(context) {
  for (const char* name : kHostObjects) hostNames_.insert(FoldCase(name));
  for (std::string_view name : scripting::ActionMemberNames()) hostNames_.insert(FoldCase(name));
  for (std::string_view name : scripting::GlobalElementMemberNames()) {
    hostNames_.insert(FoldCase(name));
  }
}

void ScriptCheck::setProcedures(const std::string& path, const std::string& text, int lineOffset) {
  procedureNames_.clear();
  proceduresBroken_ = false;
  try {
    vbs::Engine engine;
    engine.compile(text);
    const auto unit = vbs::ParseProgram(text);
    CollectDeclared(*unit, procedureNames_);
  } catch (const vbs::ScriptException& e) {
    context_.report(path, LineField(e.error().line + lineOffset),
                    "does not compile: " + e.error().description);
    proceduresBroken_ = true;
    return;
  } catch (const std::exception& e) {
    context_.report(path, "", std::string("does not compile: ") + e.what());
    proceduresBroken_ = true;
    return;
  }
  // Its procedures are read for what they name like any other script, without a second
  // report of its compilation.
  check(path, "", text, lineOffset);
}

void ScriptCheck::check(const std::string& path, const std::string& field, const std::string& text,
                        int lineOffset) {
  const auto where = [&](int line) {
    const std::string l = LineField(line + lineOffset);
    return field.empty() ? l : field + ", " + l;
  };
  std::unique_ptr<vbs::ast::Unit> unit;
  try {
    vbs::Engine engine;
    engine.compile(text);
    unit = vbs::ParseProgram(text);
    vbs::ResolveScope scope;
    scope.isKnownGlobal = [this](std::string_view name) {
      const std::string key = FoldCase(name);
      return hostNames_.count(key) > 0 || procedureNames_.count(key) > 0 ||
             context_.isVariableForScripts(key);
    };
    vbs::ResolveUnit(*unit, scope);
  } catch (const vbs::ScriptException& e) {
    context_.report(path, where(e.error().line),
                    "the script does not compile: " + e.error().description);
    return;
  } catch (const vbs::CompileError& e) {
    context_.report(path, where(e.line()), "the script does not compile: " + e.description());
    return;
  } catch (const std::exception& e) {
    context_.report(path, field, std::string("the script does not compile: ") + e.what());
    return;
  }

  std::set<std::string> declared;
  CollectDeclared(*unit, declared);
  const auto isHostName = [&](const Expr& e, const char* name) {
    if (!EqualsNoCase(e.name, name)) return false;
    if (e.kind == ExprKind::Name) return declared.count(FoldCase(e.name)) == 0;
    // Action.X, or X inside With Action
    return e.kind == ExprKind::Member && (!e.target || (e.target->kind == ExprKind::Name &&
                                                        EqualsNoCase(e.target->name, "Action")));
  };
  const auto names = [](const Expr& e) {
    return e.kind == ExprKind::Name || e.kind == ExprKind::Member;
  };

  std::set<std::string> reported;
  Walker walker;
  walker.onStmt = [&](const Stmt& s) {
    if (s.kind != StmtKind::Assign || !s.target || !s.value) return;
    if (names(*s.target) && isHostName(*s.target, "sFrameToLoad")) {
      if (const auto* v = LiteralText(s.value.get())) {
        context_.checkFrameName(path, where(s.line), v->toString());
      }
    }
  };
  walker.onExpr = [&](const Expr& e) {
    if (e.kind == ExprKind::Call && e.target && names(*e.target)) {
      const Expr& method = *e.target;
      if (isHostName(method, "GoToFrame")) {
        if (const auto* v = TextArgument(e, 0))
          context_.checkFrameName(path, where(e.line), v->toString());
      } else if (isHostName(method, "AddItem") || isHostName(method, "RemoveItem")) {
        if (const auto* v = TextArgument(e, 0))
          context_.checkItemName(path, where(e.line), v->toString());
      } else if (isHostName(method, "LoadGraphicFile")) {
        if (const auto* v = TextArgument(e, 0)) {
          context_.checkDataFile(path, where(e.line), context_.folders().AreasFolder, v->toString(),
                                 FileKind::Picture);
        }
      } else if (isHostName(method, "LoadAPicture")) {
        if (const auto* v = TextArgument(e, 1)) {
          context_.checkDataFile(path, where(e.line), context_.folders().AreasFolder, v->toString(),
                                 FileKind::Picture);
        }
      }
    }
    if (e.kind == ExprKind::Name && e.bind == Bind::Global && !proceduresBroken_) {
      const std::string key = FoldCase(e.name);
      if (declared.count(key) == 0 && procedureNames_.count(key) == 0 &&
          hostNames_.count(key) == 0 && !context_.isVariableForScripts(key) &&
          reported.insert(key).second) {
        context_.report(
            path, where(e.line),
            "\"" + e.name +
                "\" is not declared: not a variable of Config/Variables, "
                "nor a Dim, procedure or constant of the script or of Config/Procedures");
      }
    }
  };
  walker.unit(*unit);
}

}  // namespace tw::checker
