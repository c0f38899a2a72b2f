// RegexMatcher: the backtracking interpreter of compiled patterns.
//
// State: the program counter, the position, and the registers (capture slots, loop counters,
// progress marks). Every change of a register pushes an Undo frame with the old value, so
// popping the stack back to a choice point restores exactly the state of that moment.
// Frames of a one-character repeat (Greedy, Lazy) stand for all the positions the repeat may
// still give back or take, so `.*` over a long text costs one frame, not one per character.
// A Look frame marks the start of a look-ahead; reaching its end discards the choice points
// taken inside it (look-aheads never backtrack into themselves), keeping the Undo frames so
// that captures made inside are still undone if matching later backtracks past the look-ahead.
#include "vbscript/RegexMatcher.h"

#include <limits>

#include "vbscript/RegexChars.h"
#include "vbscript/VbError.h"

namespace vbs::regex {

namespace {

enum class FrameKind : std::uint8_t { Choice, Undo, Greedy, Lazy, Look };

// Choice: resume at pc, pos.     Undo: register pc had value pos.
// Greedy: resume at pc with pos - 1; extra = the lowest position the repeat may give back to.
// Lazy: pc = the RepeatSingle, extra = characters taken so far.
// Look: pc = instruction after the look-ahead, pos = where it started, extra = negative.
struct Frame {
  FrameKind kind;
  std::uint32_t pc, pos, extra;
};

class Matcher {
 public:
  Matcher(const Program& program, std::u16string_view input, std::uint64_t budget,
          const std::function<void()>& poll)
      : program_(program),
        code_(program.code),
        in_(input),
        n_(static_cast<std::uint32_t>(input.size())),
        budget_(budget),
        poll_(poll),
        regs_(program.registerCount, kUnset) {}

  bool matchAt(std::uint32_t start);
  const std::vector<std::uint32_t>& registers() const { return regs_; }

 private:
  void tick(std::uint64_t steps = 1) {
    const std::uint64_t before = steps_;
    steps_ += steps;
    if (steps_ > budget_) throw VbError(err::kOutOfStackSpace);
    if (poll_ && before / kStepsBetweenPolls != steps_ / kStepsBetweenPolls) poll_();
  }

  void push(FrameKind kind, std::uint32_t pc, std::uint32_t pos, std::uint32_t extra = 0) {
    if (stack_.size() >= kStackLimit) throw VbError(err::kOutOfStackSpace);
    stack_.push_back(Frame{kind, pc, pos, extra});
  }

  void setRegister(std::uint32_t reg, std::uint32_t value) {
    push(FrameKind::Undo, reg, regs_[reg]);
    regs_[reg] = value;
  }

  bool sameUnit(char16_t a, char16_t b) const {
    return a == b || (program_.ignoreCase && Fold(a) == Fold(b));
  }

  bool atomMatches(const Instruction& atom, char16_t c) const {
    switch (atom.op) {
      case Op::Char:
        return sameUnit(c, static_cast<char16_t>(atom.a));
      case Op::Any:
        return !IsLineTerminator(c);
      default:
        return ClassContains(program_.classes[atom.a], c, program_.ignoreCase);
    }
  }

  bool wordAt(std::uint32_t pos) const { return pos < n_ && IsWordChar(in_[pos]); }
  bool wordBefore(std::uint32_t pos) const { return pos > 0 && IsWordChar(in_[pos - 1]); }

  bool backReference(std::uint32_t group, std::uint32_t& pos) const;
  bool repeatSingle(std::uint32_t& pc, std::uint32_t& pos);
  bool lookEnd(std::uint32_t& pc, std::uint32_t& pos);
  bool backtrack(std::uint32_t& pc, std::uint32_t& pos);

  const Program& program_;
  const std::vector<Instruction>& code_;
  std::u16string_view in_;
  std::uint32_t n_;
  std::uint64_t budget_;
  const std::function<void()>& poll_;
  std::uint64_t steps_ = 0;
  std::vector<std::uint32_t> regs_;
  std::vector<Frame> stack_;
};

bool Matcher::matchAt(std::uint32_t start) {
  std::fill(regs_.begin(), regs_.end(), kUnset);
  stack_.clear();
  std::uint32_t pc = 0;
  std::uint32_t pos = start;
  while (true) {
    tick();
    const Instruction& inst = code_[pc];
    bool ok = true;
    switch (inst.op) {
      case Op::Char:
      case Op::Any:
      case Op::Class:
        ok = pos < n_ && atomMatches(inst, in_[pos]);
        ++pos, ++pc;
        break;
      case Op::LineStart:
        ok = pos == 0 || (program_.multiline && IsLineTerminator(in_[pos - 1]));
        ++pc;
        break;
      case Op::LineEnd:
        ok = pos == n_ || (program_.multiline && IsLineTerminator(in_[pos]));
        ++pc;
        break;
      case Op::WordBoundary:
        ok = wordBefore(pos) != wordAt(pos);
        ++pc;
        break;
      case Op::NotWordBoundary:
        ok = wordBefore(pos) == wordAt(pos);
        ++pc;
        break;
      case Op::Split:
        push(FrameKind::Choice, inst.b, pos);
        pc = inst.a;
        break;
      case Op::Jump:
        pc = inst.a;
        break;
      case Op::Save:
        setRegister(inst.a, pos);
        ++pc;
        break;
      case Op::BackRef:
        ok = backReference(inst.a, pos);
        ++pc;
        break;
      case Op::RepeatSingle:
        ok = repeatSingle(pc, pos);
        break;
      case Op::LoopInit:
      case Op::LoopMark:
        setRegister(inst.a, inst.op == Op::LoopInit ? 0 : pos);
        ++pc;
        break;
      case Op::LoopHead: {
        const std::uint32_t count = inst.a == kUnset ? inst.min : regs_[inst.a];
        const std::uint32_t body = pc + 1;
        if (count < inst.min) {
          pc = body;
        } else if (count >= inst.max) {
          pc = inst.b;
        } else if (inst.flag) {
          push(FrameKind::Choice, inst.b, pos);
          pc = body;
        } else {
          push(FrameKind::Choice, body, pos);
          pc = inst.b;
        }
        break;
      }
      case Op::LoopTail: {
        const std::uint32_t count = inst.a == kUnset ? inst.min : regs_[inst.a];
        // An iteration beyond the minimum that matched nothing would repeat for ever.
        if (inst.b != kUnset && count >= inst.min && regs_[inst.b] == pos) {
          ok = false;
          break;
        }
        if (inst.a != kUnset) setRegister(inst.a, count + 1);
        pc = inst.target;
        break;
      }
      case Op::LookStart:
        push(FrameKind::Look, inst.a, pos, inst.flag ? 1 : 0);
        ++pc;
        break;
      case Op::LookEnd:
        ok = lookEnd(pc, pos);
        break;
      case Op::Match:
        regs_[0] = start;
        regs_[1] = pos;
        return true;
    }
    if (!ok && !backtrack(pc, pos)) return false;
  }
}

// A reference to a group that took no part (or is still open) matches the empty string.
bool Matcher::backReference(std::uint32_t group, std::uint32_t& pos) const {
  const std::uint32_t from = regs_[2 * group];
  const std::uint32_t to = regs_[2 * group + 1];
  if (from == kUnset || to == kUnset || to < from) return true;
  const std::uint32_t length = to - from;
  if (length > n_ - pos) return false;
  for (std::uint32_t i = 0; i < length; ++i) {
    if (!sameUnit(in_[from + i], in_[pos + i])) return false;
  }
  pos += length;
  return true;
}

bool Matcher::repeatSingle(std::uint32_t& pc, std::uint32_t& pos) {
  const Instruction& repeat = code_[pc];
  const Instruction& atom = code_[pc + 1];
  const std::uint32_t take = repeat.flag ? repeat.max : repeat.min;
  std::uint32_t count = 0;
  while (count < take && pos + count < n_ && atomMatches(atom, in_[pos + count])) ++count;
  tick(count);
  if (count < repeat.min) return false;
  if (repeat.flag) {
    if (count > repeat.min) push(FrameKind::Greedy, pc + 2, pos + count, pos + repeat.min);
  } else if (repeat.min < repeat.max) {
    push(FrameKind::Lazy, pc, pos + count, count);
  }
  pos += count;
  pc += 2;
  return true;
}

bool Matcher::lookEnd(std::uint32_t& pc, std::uint32_t& pos) {
  std::size_t look = stack_.size();
  while (stack_[--look].kind != FrameKind::Look) {
  }
  const Frame frame = stack_[look];
  if (frame.extra == 0) {
    // Positive: succeed once; keep only the undo records of what the body changed.
    std::size_t kept = look;
    for (std::size_t i = look + 1; i < stack_.size(); ++i) {
      if (stack_[i].kind == FrameKind::Undo) stack_[kept++] = stack_[i];
    }
    tick(stack_.size() - look);
    stack_.resize(kept);
    pc = frame.pc;
    pos = frame.pos;
    return true;
  }
  // Negative: the body matched, so the look-ahead fails; undo the body's changes first.
  while (stack_.size() > look) {
    const Frame top = stack_.back();
    stack_.pop_back();
    if (top.kind == FrameKind::Undo) regs_[top.pc] = top.pos;
  }
  return false;
}

bool Matcher::backtrack(std::uint32_t& pc, std::uint32_t& pos) {
  while (!stack_.empty()) {
    tick();
    Frame& top = stack_.back();
    switch (top.kind) {
      case FrameKind::Undo:
        regs_[top.pc] = top.pos;
        stack_.pop_back();
        break;
      case FrameKind::Choice:
        pc = top.pc;
        pos = top.pos;
        stack_.pop_back();
        return true;
      case FrameKind::Greedy:
        pc = top.pc;
        pos = --top.pos;
        if (top.pos == top.extra) stack_.pop_back();
        return true;
      case FrameKind::Lazy: {
        const Instruction& repeat = code_[top.pc];
        if (top.pos < n_ && atomMatches(code_[top.pc + 1], in_[top.pos])) {
          pc = top.pc + 2;
          pos = ++top.pos;
          if (++top.extra == repeat.max) stack_.pop_back();
          return true;
        }
        stack_.pop_back();
        break;
      }
      case FrameKind::Look: {
        const Frame frame = top;
        stack_.pop_back();
        if (frame.extra != 0) {  // the body of a negative look-ahead failed: it succeeds
          pc = frame.pc;
          pos = frame.pos;
          return true;
        }
        break;
      }
    }
  }
  return false;
}

}  // namespace

std::optional<MatchResult> Search(const Program& program, std::u16string_view input,
                                  std::size_t from, std::uint64_t stepBudget,
                                  const std::function<void()>& poll) {
  if (input.size() >= kUnset) throw VbError(err::kOutOfMemory);
  Matcher matcher(program, input, stepBudget, poll);
  const auto n = static_cast<std::uint32_t>(input.size());
  // Cheap filters for the two common openings: a literal character and ^ without Multiline.
  const Instruction& first = program.code.front();
  const bool literalStart = first.op == Op::Char && !program.ignoreCase;
  const bool anchoredStart = first.op == Op::LineStart && !program.multiline;
  for (auto start = static_cast<std::uint32_t>(from); start <= n; ++start) {
    if (anchoredStart && start > 0) break;
    if (literalStart && (start == n || input[start] != first.a)) continue;
    if (matcher.matchAt(start)) {
      const auto& regs = matcher.registers();
      return MatchResult{{regs.begin(), regs.begin() + 2 * (program.groupCount + 1)}};
    }
  }
  return std::nullopt;
}

}  // namespace vbs::regex
