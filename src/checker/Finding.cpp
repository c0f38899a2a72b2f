#include "checker/Finding.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "common/TextEncoding.h"

namespace tw::checker {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Names compared with their numbers as numbers, so hotspot 9 comes before hotspot 10.
bool NaturalLess(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      std::size_t ei = i, ej = j;
      while (ei < a.size() && a[ei] == '0') ++ei;  // leading zeros do not count
      while (ej < b.size() && b[ej] == '0') ++ej;
      std::size_t ni = ei, nj = ej;
      while (ni < a.size() && IsDigit(a[ni])) ++ni;
      while (nj < b.size() && IsDigit(b[nj])) ++nj;
      if (ni - ei != nj - ej) return ni - ei < nj - ej;
      const int order = a.compare(ei, ni - ei, b, ej, nj - ej);
      if (order != 0) return order < 0;
      i = ni;
      j = nj;
    } else {
      if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
      ++i;
      ++j;
    }
  }
  if ((a.size() - i) != (b.size() - j)) return a.size() - i < b.size() - j;
  return a < b;  // equal but for leading zeros: still one order
}

}  // namespace

std::vector<Finding> InListOrder(std::vector<Finding> findings) {
  // A stable sort keeps the order of discovery inside one file; the case-folded name first,
  // the exact spelling second, so two files differing only in case never interleave.
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    const std::string fa = FoldCase(a.file), fb = FoldCase(b.file);
    if (fa != fb) return NaturalLess(fa, fb);
    return a.file < b.file;
  });
  std::set<std::tuple<std::string, std::string, std::string>> seen;
  std::vector<Finding> unique;
  for (Finding& f : findings) {
    if (seen.emplace(f.file, f.field, f.problem).second) unique.push_back(std::move(f));
  }
  return unique;
}

std::string FindingLine(const Finding& finding) {
  if (finding.field.empty()) return finding.file + ": " + finding.problem;
  return finding.file + ": " + finding.field + ": " + finding.problem;
}

}  // namespace tw::checker
