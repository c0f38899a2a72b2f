// RegexCompiler: turns the syntax tree into the matcher's instruction list.
//
// A quantifier over one character becomes one RepeatSingle instruction (the matcher runs it
// without a stack entry per character); any other quantifier becomes a loop with a counter
// register (when it has a lower or upper bound) and a progress mark (when its body can match
// nothing), so code size stays linear in the pattern however quantifiers nest.
#include "vbscript/RegexParser.h"
#include "vbscript/RegexProgram.h"

namespace vbs::regex {

namespace {

bool CanMatchEmpty(const Node& node) {
  switch (node.kind) {
    case Node::Kind::Char:
    case Node::Kind::Any:
    case Node::Kind::Class:
      return false;
    case Node::Kind::Group:
      return CanMatchEmpty(*node.children.front());
    case Node::Kind::Repeat:
      return node.min == 0 || CanMatchEmpty(*node.children.front());
    case Node::Kind::Concat:
      for (const auto& child : node.children) {
        if (!CanMatchEmpty(*child)) return false;
      }
      return true;
    case Node::Kind::Alternation:
      for (const auto& child : node.children) {
        if (CanMatchEmpty(*child)) return true;
      }
      return false;
    default:
      return true;  // assertions, look-aheads, back references, Empty
  }
}

bool IsSingleUnit(const Node& node) {
  return node.kind == Node::Kind::Char || node.kind == Node::Kind::Any ||
         node.kind == Node::Kind::Class;
}

class Compiler {
 public:
  explicit Compiler(Program& program) : program_(program) {}

  void compile(const Node& node) {
    switch (node.kind) {
      case Node::Kind::Empty:
        break;
      case Node::Kind::Char:
        emit(Op::Char).a = node.ch;
        break;
      case Node::Kind::Any:
        emit(Op::Any);
        break;
      case Node::Kind::Class:
        emit(Op::Class).a = node.classIndex;
        break;
      case Node::Kind::LineStart:
        emit(Op::LineStart);
        break;
      case Node::Kind::LineEnd:
        emit(Op::LineEnd);
        break;
      case Node::Kind::WordBoundary:
        emit(Op::WordBoundary);
        break;
      case Node::Kind::NotWordBoundary:
        emit(Op::NotWordBoundary);
        break;
      case Node::Kind::BackRef:
        emit(Op::BackRef).a = node.group;
        break;
      case Node::Kind::Group:
        if (node.group != 0) emit(Op::Save).a = 2 * node.group;
        compile(*node.children.front());
        if (node.group != 0) emit(Op::Save).a = 2 * node.group + 1;
        break;
      case Node::Kind::LookAhead: {
        const std::uint32_t start = here();
        emit(Op::LookStart).flag = node.negative;
        compile(*node.children.front());
        emit(Op::LookEnd);
        program_.code[start].a = here();
        break;
      }
      case Node::Kind::Concat:
        for (const auto& child : node.children) compile(*child);
        break;
      case Node::Kind::Alternation:
        compileAlternation(node);
        break;
      case Node::Kind::Repeat:
        compileRepeat(node);
        break;
    }
  }

 private:
  std::uint32_t here() const { return static_cast<std::uint32_t>(program_.code.size()); }

  Instruction& emit(Op op) {
    Instruction& inst = program_.code.emplace_back();
    inst.op = op;
    return inst;
  }

  std::uint32_t newRegister() { return program_.registerCount++; }

  //   Split next, alt2 / first / Jump end / alt2: Split next, alt3 / second / Jump end / ... / last
  void compileAlternation(const Node& node) {
    std::vector<std::uint32_t> jumpsToEnd;
    for (std::size_t i = 0; i < node.children.size(); ++i) {
      const bool last = i + 1 == node.children.size();
      std::uint32_t split = 0;
      if (!last) {
        split = here();
        emit(Op::Split).a = split + 1;
      }
      compile(*node.children[i]);
      if (!last) {
        jumpsToEnd.push_back(here());
        emit(Op::Jump);
        program_.code[split].b = here();
      }
    }
    for (std::uint32_t jump : jumpsToEnd) program_.code[jump].a = here();
  }

  //   [LoopInit c] / head: LoopHead c, exit / [LoopMark m] / body / LoopTail c, m -> head / exit:
  void compileRepeat(const Node& node) {
    const Node& body = *node.children.front();
    if (node.max == 0) return;  // x{0} matches nothing and leaves its groups unset
    if (node.min == 1 && node.max == 1) {
      compile(body);
      return;
    }
    if (IsSingleUnit(body)) {
      Instruction& repeat = emit(Op::RepeatSingle);
      repeat.min = node.min;
      repeat.max = node.max;
      repeat.flag = node.greedy;
      compile(body);
      return;
    }
    const bool counted = !(node.min == 0 && node.max == kUnbounded);
    const std::uint32_t counter = counted ? newRegister() : kUnset;
    const std::uint32_t mark = CanMatchEmpty(body) ? newRegister() : kUnset;
    if (counted) emit(Op::LoopInit).a = counter;
    const std::uint32_t head = here();
    {
      Instruction& loop = emit(Op::LoopHead);
      loop.a = counter;
      loop.min = node.min;
      loop.max = node.max;
      loop.flag = node.greedy;
    }
    if (mark != kUnset) emit(Op::LoopMark).a = mark;
    compile(body);
    Instruction& tail = emit(Op::LoopTail);
    tail.a = counter;
    tail.b = mark;
    tail.min = node.min;
    tail.target = head;
    program_.code[head].b = here();
  }

  Program& program_;
};

}  // namespace

Program Compile(std::u16string_view pattern, bool ignoreCase, bool multiline) {
  SyntaxTree tree = Parse(pattern);
  Program program;
  program.ignoreCase = ignoreCase;
  program.multiline = multiline;
  program.groupCount = tree.groupCount;
  program.registerCount = 2 * (tree.groupCount + 1);
  program.classes = std::move(tree.classes);
  Compiler compiler(program);
  compiler.compile(*tree.root);
  program.code.emplace_back();  // Op::Match
  return program;
}

}  // namespace vbs::regex
