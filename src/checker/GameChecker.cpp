#include "checker/GameChecker.h"

#include <nlohmann/json.hpp>

#include "checker/CheckContext.h"
#include "checker/Checks.h"
#include "checker/ScriptCheck.h"

namespace tw::checker {

namespace {

std::string NoProblemsLine(const std::string& gameFolder) {
  std::string name = gameFolder;
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  return name + ": no problems found";
}

}  // namespace

CheckResult CheckGame(const std::string& gameFolder) {
  CheckResult result;
  result.gameFolder = gameFolder;
  result.notAGame = GameFolderTrouble(gameFolder);
  if (!result.notAGame.empty()) return result;

  CheckContext context(gameFolder);
  ScriptCheck scripts(context);
  // The variables and the CD index first: the other checks ask about them.
  CheckVariables(context);
  CheckCdContents(context);
  CheckGeneral(context);
  CheckTexts(context);
  CheckProcedures(context, scripts);
  CheckResume(context);
  CheckFrames(context, scripts);
  CheckItems(context, scripts);
  result.findings = InListOrder(context.findings());
  return result;
}

int PrintCheckResult(const CheckResult& result, std::ostream& out, std::ostream& err) {
  if (!result.notAGame.empty()) {
    err << "talewick-player: " << result.notAGame << "\n";
    return 2;
  }
  for (const Finding& f : result.findings) out << FindingLine(f) << "\n";
  // Silence after a check reads as "did it run at all?": a sound game says so in one line.
  if (result.findings.empty()) out << NoProblemsLine(result.gameFolder) << "\n";
  return result.findings.empty() ? 0 : 1;
}

int PrintCheckResultJson(const CheckResult& result, std::ostream& out) {
  nlohmann::ordered_json json;
  json["game"] = result.gameFolder;
  if (!result.notAGame.empty()) {
    json["ok"] = false;
    json["error"] = result.notAGame;
    out << json.dump(2) << "\n";
    return 2;
  }
  json["ok"] = result.findings.empty();
  json["findings"] = nlohmann::ordered_json::array();
  for (const Finding& f : result.findings) {
    json["findings"].push_back({{"file", f.file}, {"field", f.field}, {"problem", f.problem}});
  }
  // Names from old disks may not be UTF-8: they are replaced, not refused.
  out << json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  return result.findings.empty() ? 0 : 1;
}

}  // namespace tw::checker
