// Ast: the tree the parser builds and the resolver annotates, and that the interpreter walks.
//
// Invariants after resolution (Resolver.h): every Name and Member node knows how to reach its
// value (Bind); every procedure knows its frame size (localCount) and which slots hold fixed
// arrays; slot 0 of a Function or Property Get is its result. The mutable caches in Name and
// Member nodes are filled by the interpreter of the one engine that owns the unit.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "vbscript/Variant.h"

namespace vbs {

class Object;
struct BuiltinInfo;

namespace ast {

enum class BinOp : unsigned char {
  Add, Sub, Mul, Div, IntDiv, Mod, Pow, Concat,
  Eq, Ne, Lt, Gt, Le, Ge, Is,
  And, Or, Xor, Eqv, Imp,
};
enum class UnOp : unsigned char { Neg, Plus, Not };

enum class ExprKind : unsigned char {
  Literal,  // value
  Name,     // name, resolved by bind
  Member,   // target.name (target null: the subject of the enclosing With, in slot)
  Call,     // target(args) — a call or an index; parens tells whether args were bracketed
  Paren,    // (target): a value, never a reference
  Unary,    // op target
  Binary,   // target op right
  New,      // New name
  Me,
};

// How a Name node reaches what it names.
enum class Bind : unsigned char {
  Unbound,
  Local,        // slot of the current frame
  OuterLocal,   // slot of the frame that ran Execute or Eval
  Field,        // field slot of Me
  ClassMember,  // method or property of Me's class: slot = member index
  Global,       // engine global, found by name (cached); slot = implicit local or -1
  Builtin,      // builtin
  Intrinsic,    // the engine's own functions: slot = Intrinsic value
};

// Randomize: the statement's name used as a value, which compiles and raises 13 when it runs.
enum class Intrinsic : int { Err, Eval, Execute, ExecuteGlobal, GetRef, Randomize };

struct GlobalCache {
  std::uint64_t generation = 0;  // 0: never looked up
  int index = -1;                // -1: not a global (use the implicit local)
  void* entry = nullptr;         // the runtime's entry at index (entries never move)
};

// A member looked up at a call site: for script objects by class (every instance of a class
// has the same members), for host objects by the object itself.
struct MemberCache {
  std::weak_ptr<Object> object;
  const void* cls = nullptr;
  int id = -1;
  bool allowPrivate = false;
};

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
  ExprKind kind = ExprKind::Literal;
  BinOp binOp = BinOp::Add;
  UnOp unOp = UnOp::Neg;
  bool parens = false;  // Call: arguments were written in parentheses
  int depth = 1;        // height of the tree below, bounded by the parser
  int line = 0;
  int column = 0;
  Variant value;
  std::string name;
  ExprPtr target;
  ExprPtr right;
  std::vector<ExprPtr> args;  // Call; an omitted argument (f(1, , 3)) is nullptr

  Bind bind = Bind::Unbound;
  int slot = -1;
  bool outerSlot = false;  // Global: the implicit local in slot is the outer frame's
  const BuiltinInfo* builtin = nullptr;
  mutable GlobalCache globalCache;
  mutable MemberCache memberCache;
};

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

enum class StmtKind : unsigned char {
  Assign,  // target = value
  Set,     // Set target = value
  Call,    // target: the call expression
  ReDim,   // target: Name; exprs: upper bounds
  Dim,     // target: Name; uppers — a Dim with bounds, which makes its array when it runs
  Erase,   // target: Name
  If,      // arms
  Select,  // value: subject; cases
  For,     // target: counter; value: start; limit, step (may be null); body
  ForEach, // target: element variable; value: collection; body
  Do,      // cond (may be null), doKind; body
  While,   // cond; body
  Exit,    // exitKind
  With,    // value: subject stored in slot; body
  OnErrorResumeNext,
  OnErrorGoTo0,
  Nop,
};

enum class ExitKind : unsigned char { Do, For, Sub, Function, Property };
enum class DoKind : unsigned char { Forever, PreWhile, PreUntil, PostWhile, PostUntil };

struct IfArm {
  ExprPtr cond;  // null for Else
  Block body;
};

struct CaseArm {
  std::vector<ExprPtr> values;  // empty for Case Else
  Block body;
  bool isElse = false;
};

struct Stmt {
  StmtKind kind = StmtKind::Nop;
  int line = 0;
  int column = 0;
  ExprPtr target;
  ExprPtr value;
  ExprPtr limit;
  ExprPtr step;
  ExprPtr cond;
  std::vector<ExprPtr> exprs;
  bool preserve = false;
  DoKind doKind = DoKind::Forever;
  ExitKind exitKind = ExitKind::Do;
  int slot = -1;  // With: slot of the subject
  std::vector<std::int32_t> uppers;  // Dim
  Block body;
  std::vector<IfArm> arms;
  std::vector<CaseArm> cases;
};

enum class ProcKind : unsigned char { Sub, Function, PropertyGet, PropertyLet, PropertySet, Main };

struct Param {
  std::string name;
  bool byVal = false;
};

struct ClassDecl;

struct ProcDef {
  std::string name;
  ProcKind kind = ProcKind::Sub;
  bool isPublic = true;
  bool isDefault = false;
  int line = 0;
  int column = 0;
  std::vector<Param> params;
  Block body;
  // Dim statements of the procedure, collected by the parser: name and place (the array of
  // one with bounds is made by a Dim statement in the body).
  struct DimDecl {
    std::string name;
    int line = 0, column = 0;
    bool fromReDim = false;  // ReDim declares a name it does not find
  };
  std::vector<DimDecl> dims;
  std::vector<std::pair<std::string, Variant>> consts;  // Const in the procedure

  // Resolution
  int localCount = 0;
  std::vector<std::string> localNames;  // folded, by slot (Execute and Eval resolve by name)
  std::vector<bool> implicitSlots;      // by slot: an undeclared name's implicit local
  const ClassDecl* owner = nullptr;
  const struct Unit* unit = nullptr;
  bool explicitNames = false;  // Option Explicit of its unit
  bool hasResult() const {
    return kind == ProcKind::Function || kind == ProcKind::PropertyGet;
  }
};
using ProcPtr = std::unique_ptr<ProcDef>;

struct ClassMember {
  std::string name;
  bool isPublic = true;
  int field = -1;               // a variable of the class
  const ProcDef* method = nullptr;  // Sub or Function
  const ProcDef* get = nullptr;
  const ProcDef* let = nullptr;
  const ProcDef* set = nullptr;
};

struct FieldDecl {
  std::string name;
  bool isPublic = true;
  bool hasBounds = false;
  std::vector<std::int32_t> uppers;
};

struct ClassDecl {
  std::string name;
  int line = 0;
  int column = 0;
  std::vector<FieldDecl> fields;
  std::vector<ProcPtr> procs;
  // Resolution: member index = position in members; ids given to callers are index + 1.
  std::vector<ClassMember> members;
  std::unordered_map<std::string, int> memberIndex;  // folded name -> index
  int defaultMember = -1;
  const ProcDef* initialize = nullptr;
  const ProcDef* terminate = nullptr;
  const struct Unit* unit = nullptr;
};
using ClassPtr = std::unique_ptr<ClassDecl>;

struct GlobalDecl {
  std::string name;
  int line = 0;
  int column = 0;
};

struct ConstDecl {
  std::string name;
  Variant value;
  int line = 0;
  int column = 0;
};

// One compiled text: what AddCode, ExecuteGlobal or Execute was given.
struct Unit {
  std::string source;
  bool optionExplicit = false;
  std::vector<ProcPtr> procs;
  std::vector<ClassPtr> classes;
  std::vector<GlobalDecl> globals;
  std::vector<ConstDecl> consts;
  ProcDef main;  // the statements outside procedures
};

}  // namespace ast
}  // namespace vbs
