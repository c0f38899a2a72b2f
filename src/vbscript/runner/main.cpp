// talewick-vbs: runs a .vbs file with the script engine alone, as the Windows script host
// would: a WScript object (Echo, Quit, Arguments, ScriptName, ScriptFullName), MsgBox printing
// its prompt to standard output. Exit status 0 on success, the Quit code, or 1 on an error,
// printed on standard error as "FILE(LINE, COL) runtime error: TEXT" (or "compilation error").
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "vbscript/Engine.h"
#include "vbscript/Lexer.h"
#include "vbscript/VariantArray.h"
#include "vbscript/VbError.h"

namespace {

using vbs::InvokeKind;
using vbs::Variant;

std::string Text(const Variant& v) {
  if (v.isNull()) return "Null";
  const Variant value = v.resolved();
  return value.isNull() ? "Null" : value.toString();
}

class ArgumentsObject : public vbs::Object {
 public:
  explicit ArgumentsObject(std::vector<std::string> args) : args_(std::move(args)) {}
  std::string typeName() const override { return "IArguments2"; }
  int memberId(std::string_view name) override {
    if (vbs::NamesEqual(name, "Item")) return 1;
    if (vbs::NamesEqual(name, "Count") || vbs::NamesEqual(name, "Length")) return 2;
    return kUnknownMember;
  }
  Variant invoke(int id, InvokeKind kind, std::span<Variant> args) override {
    if (kind == InvokeKind::Let || kind == InvokeKind::Set) throw vbs::VbError(438);
    if (id == kDefaultMember || id == 1) {
      if (args.size() != 1) throw vbs::VbError(450);
      const auto index = args[0].resolved().toLong();
      if (index < 0 || static_cast<std::size_t>(index) >= args_.size()) throw vbs::VbError(9);
      return Variant::fromString(args_[static_cast<std::size_t>(index)]);
    }
    if (id == 2) return Variant::fromLong(static_cast<std::int32_t>(args_.size()));
    throw vbs::VbError(438);
  }
  bool enumerate(std::vector<Variant>& out) override {
    for (const auto& a : args_) out.push_back(Variant::fromString(a));
    return true;
  }

 private:
  std::vector<std::string> args_;
};

class WScriptObject : public vbs::Object {
 public:
  WScriptObject(std::string path, std::vector<std::string> args)
      : path_(std::move(path)), arguments_(std::make_shared<ArgumentsObject>(std::move(args))) {}
  std::string typeName() const override { return "Object"; }
  int memberId(std::string_view name) override {
    static constexpr std::string_view kNames[] = {"Echo",       "Quit",           "Arguments",
                                                  "ScriptName", "ScriptFullName", "Sleep",
                                                  "Version"};
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
      if (vbs::NamesEqual(kNames[i], name)) return static_cast<int>(i) + 1;
    }
    return kUnknownMember;
  }
  Variant invoke(int id, InvokeKind kind, std::span<Variant> args) override {
    if (kind == InvokeKind::Let || kind == InvokeKind::Set) throw vbs::VbError(438);
    switch (id) {
      case 1: {
        std::string line;
        for (std::size_t i = 0; i < args.size(); ++i) {
          if (i) line += ' ';
          line += Text(args[i]);
        }
        std::cout << line << '\n';
        return Variant();
      }
      case 2: throw vbs::ScriptQuit(args.empty() ? 0 : args[0].resolved().toLong());
      case 3:
        if (args.empty()) return Variant::fromObject(arguments_);
        return arguments_->invoke(kDefaultMember, kind, args);
      case 4: return Variant::fromString(std::filesystem::path(path_).filename().string());
      case 5: return Variant::fromString(std::filesystem::absolute(path_).string());
      case 6: return Variant();  // Sleep: nothing waits on this host
      case 7: return Variant::fromString("5.8");
      default: throw vbs::VbError(438);
    }
  }

 private:
  std::string path_;
  std::shared_ptr<ArgumentsObject> arguments_;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> rest;
  std::string file;
  long timeoutMs = 10000;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (file.empty() && arg.rfind("--timeout=", 0) == 0) {
      timeoutMs = std::strtol(arg.c_str() + 10, nullptr, 10);
    } else if (file.empty()) {
      file = arg;
    } else {
      rest.push_back(arg);
    }
  }
  if (file.empty()) {
    std::cerr << "usage: talewick-vbs [--timeout=MS] FILE.vbs [ARGUMENTS...]\n";
    return 2;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << file << ": cannot open the file\n";
    return 2;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);

  vbs::Engine engine;
  engine.setTimeout(std::chrono::milliseconds(timeoutMs));
  engine.setMsgBoxHandler([](const Variant& prompt, int, const Variant&) {
    std::cout << Text(prompt) << '\n';
    return Variant::fromInteger(1);
  });
  engine.setInputBoxHandler([](const Variant& prompt, const Variant&, const Variant& def) {
    std::cout << Text(prompt) << '\n';
    std::string line;
    if (std::getline(std::cin, line)) return Variant::fromString(line);
    return def.isEmpty() ? Variant() : def;
  });
  engine.addObject("WScript", std::make_shared<WScriptObject>(file, rest), false);
  try {
    engine.run(text);
  } catch (const vbs::ScriptQuit& quit) {
    std::cout.flush();
    return quit.code();
  } catch (const vbs::ScriptException& e) {
    std::cout.flush();
    const vbs::ScriptError& error = e.error();
    std::cerr << file << '(' << error.line << ", " << error.column << ") "
              << (error.compileError ? "compilation error: " : "runtime error: ")
              << error.description << '\n';
    return 1;
  }
  return 0;
}
