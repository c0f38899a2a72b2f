#include "checker/Finding.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "common/TextEncoding.h"

namespace tw::checker {

std::vector<Finding> InListOrder(std::vector<Finding> findings) {
  // A stable sort keeps the order of discovery inside one file; the case-folded key first,
  // the exact spelling second, so two files differing only in case never interleave.
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    return std::forward_as_tuple(FoldCase(a.file), a.file) <
           std::forward_as_tuple(FoldCase(b.file), b.file);
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
