// Robustness: thousands of scripts made by mutating the conformance scripts (tokens deleted,
// duplicated, swapped, replaced; random bytes inserted) and of random bytes. Every one must end
// with a result or a ScriptException — never a crash, a hang or another exception.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "vbscript/Engine.h"

namespace vbs {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Corpus() {
  std::vector<std::string> texts;
  const fs::path dir = fs::path(TALEWICK_TESTS_DIR) / "vbscript";
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("lang_", 0) != 0 || entry.path().extension() != ".vbs") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    texts.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return texts;
}

// Tokens for mutation: words, numbers, strings, single punctuation; blanks and line ends kept
// as their own tokens so the mutated text stays close to a script.
std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> out;
  std::size_t i = 0;
  auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  while (i < text.size()) {
    std::size_t j = i + 1;
    if (isWord(text[i])) {
      while (j < text.size() && isWord(text[j])) ++j;
    } else if (text[i] == '"') {
      while (j < text.size() && text[j] != '"' && text[j] != '\n') ++j;
      if (j < text.size() && text[j] == '"') ++j;
    }
    out.push_back(text.substr(i, j - i));
    i = j;
  }
  return out;
}

std::string Mutate(const std::vector<std::string>& tokens, std::mt19937& rng) {
  std::vector<std::string> t = tokens;
  const int rounds = 1 + static_cast<int>(rng() % 3);
  for (int r = 0; r < rounds && !t.empty(); ++r) {
    const std::size_t at = rng() % t.size();
    switch (rng() % 5) {
      case 0: t.erase(t.begin() + static_cast<std::ptrdiff_t>(at)); break;
      case 1: t.insert(t.begin() + static_cast<std::ptrdiff_t>(at), t[at]); break;
      case 2: std::swap(t[at], t[(at + 1) % t.size()]); break;
      case 3: t[at] = tokens[rng() % tokens.size()]; break;
      default: {
        std::string bytes;
        const int n = 1 + static_cast<int>(rng() % 4);
        for (int k = 0; k < n; ++k) bytes.push_back(static_cast<char>(rng() % 256));
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(at), bytes);
      }
    }
  }
  std::string out;
  for (const auto& s : t) out += s;
  return out;
}

// Runs one script; false when something other than a script error escaped.
bool RunsSafely(const std::string& text, std::string& problem) {
  Engine engine;
  engine.setTimeout(std::chrono::milliseconds(25));
  engine.setMsgBoxHandler([](const Variant&, int, const Variant&) { return Variant::fromInteger(1); });
  engine.setInputBoxHandler([](const Variant&, const Variant&, const Variant&) { return Variant(); });
  try {
    engine.run(text);
  } catch (const ScriptException&) {
  } catch (const ScriptQuit&) {
  } catch (const std::exception& e) {
    problem = e.what();
    return false;
  } catch (...) {
    problem = "unknown exception";
    return false;
  }
  return true;
}

TEST(FuzzTest, MutatedConformanceScriptsEndWithAResultOrAnError) {
  const auto corpus = Corpus();
  ASSERT_FALSE(corpus.empty());
  std::mt19937 rng(20261207);
  int runs = 0;
  for (const auto& text : corpus) {
    const auto tokens = Split(text);
    for (int i = 0; i < 400; ++i) {
      const std::string mutated = Mutate(tokens, rng);
      std::string problem;
      ASSERT_TRUE(RunsSafely(mutated, problem)) << problem << "\n--- script:\n" << mutated;
      ++runs;
    }
  }
  EXPECT_GE(runs, 2000);
}

TEST(FuzzTest, RandomBytesEndWithAnError) {
  std::mt19937 rng(7);
  const std::string alphabet =
      "abcdefghijklmnopqrstuvwxyzIfThenElseEndForNextDoLoopSubFunction()=+-*/\\^&<>.,:'\"#_ \n\r\t0123456789";
  for (int i = 0; i < 1000; ++i) {
    std::string text;
    const std::size_t n = rng() % 200;
    for (std::size_t k = 0; k < n; ++k) {
      text.push_back(rng() % 4 == 0 ? static_cast<char>(rng() % 256)
                                    : alphabet[rng() % alphabet.size()]);
    }
    std::string problem;
    ASSERT_TRUE(RunsSafely(text, problem)) << problem << "\n--- script:\n" << text;
  }
}

}  // namespace
}  // namespace vbs
