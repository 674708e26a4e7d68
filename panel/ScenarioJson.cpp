#include "panel/ScenarioJson.h"

#include "model/FieldChoice.h"
#include "model/SimParams.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

namespace larmor {

namespace {

using Json = nlohmann::json;
using Kind = ScenarioProblem::Kind;
using ControlKind = ControlDescription::Kind;

// The keys that name no control.
const char* const otherKeys[] = {"format", "version", "title", "description", "titleEn", "descriptionEn",
                                 "integrator", "picture", "x0FromList", "keptFrom"};

bool knownKey(const std::string& name) {
  return findControl(name) || std::any_of(std::begin(otherKeys), std::end(otherKeys), [&](const char* key) {
           return name == key;
         });
}

bool keptKey(const std::string& name) {
  return std::any_of(Scenario::KeptFrom::bars.begin(), Scenario::KeptFrom::bars.end(),
                     [&](Bar bar) { return name == controlOf(bar).key; });
}

Json barValue(const ControlDescription& control, int position) {
  if (control.positionsPerUnit == 1) return position;
  return valueOf(control, position);  // the double nearest to the decimal value: written short
}

std::string shown(const Json& value) { return shownInMessage(value.dump()); }

// Characters of a UTF-8 text as a text box counts them, in UTF-16 units: a character
// beyond the first 65536 counts twice (the reader has checked the encoding).
std::size_t characters(std::string_view utf8) {
  std::size_t count = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    count += (byte & 0xC0) != 0x80;
    count += byte >= 0xF0;
  }
  return count;
}

// A whole number, written as an integer or as a number with nothing after the point.
std::optional<double> wholeNumber(const Json& value) {
  if (!value.is_number()) return std::nullopt;
  const double number = value.get<double>();
  if (number != std::nearbyint(number)) return std::nullopt;
  return number;
}

}  // namespace

std::string scenarioJson(const Scenario& s) {
  nlohmann::ordered_json json;
  json["format"] = scenarioFormat;
  json["version"] = scenarioVersion;
  if (!s.title.empty()) json["title"] = s.title;
  if (!s.description.empty()) json["description"] = s.description;
  if (!s.titleEnglish.empty()) json["titleEn"] = s.titleEnglish;
  if (!s.descriptionEnglish.empty()) json["descriptionEn"] = s.descriptionEnglish;
  for (const ControlDescription& control : controlTable) {
    switch (control.kind) {
      case ControlKind::List: json[control.key] = s.config; break;
      case ControlKind::Bar: json[control.key] = barValue(control, s.position(static_cast<Bar>(control.index))); break;
      case ControlKind::TextBox: json[control.key] = s.text(static_cast<TextBox>(control.index)); break;
    }
  }
  json["integrator"] = integratorKey(s.integrator);
  json["picture"] = s.velocityPicture ? "velocity" : "structure";
  if (s.x0FromList) json["x0FromList"] = true;
  if (s.keptFrom) {
    nlohmann::ordered_json& object = json["keptFrom"];
    for (std::size_t k = 0; k < Scenario::KeptFrom::bars.size(); ++k) {
      const ControlDescription& control = controlOf(Scenario::KeptFrom::bars[k]);
      object[control.key] = barValue(control, (*s.keptFrom)[k]);
    }
  }
  // Strict UTF-8 on the way out too: a text that is not valid UTF-8 is written with
  // replacement characters rather than as a file no reader would take.
  return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

ScenarioRead readScenario(std::string_view bytes) {
  ScenarioRead read;
  auto fail = [&read](Kind kind, std::string key = {}, std::string value = {}, std::size_t byte = 0) {
    read.problem = ScenarioProblem{kind, std::move(key), std::move(value), byte};
    return read;
  };
  if (bytes.size() > scenarioMaxBytes) return fail(Kind::TooLarge);

  // The parser keeps the last of two equal keys; a file that says two things is refused,
  // at the top and inside keptFrom. The keys being read are noted too: a number beyond
  // the double range stops the parser, and the message names the key it was given for.
  std::string duplicate, outer, inner;
  std::set<std::string> seen, seenInner;
  const Json::parser_callback_t noteKeys = [&](int depth, Json::parse_event_t event, Json& parsed) {
    if (event != Json::parse_event_t::key || !parsed.is_string()) return true;
    if (depth == 1) {
      outer = parsed.get<std::string>();
      inner.clear();
      seenInner.clear();
      if (duplicate.empty() && !seen.insert(outer).second) duplicate = outer;
    } else if (depth == 2) {
      inner = parsed.get<std::string>();
      if (duplicate.empty() && outer == "keptFrom" && !seenInner.insert(inner).second) duplicate = "keptFrom." + inner;
    }
    return true;
  };
  Json json;
  try {
    json = Json::parse(bytes.begin(), bytes.end(), noteKeys);
  } catch (const Json::parse_error& error) {
    // Byte 0: nothing but blanks, which no reader would call a syntax error.
    const bool blank = bytes.find_first_not_of(" \t\r\n") == std::string_view::npos;
    return fail(Kind::NotJson, {}, {}, blank ? 0 : error.byte);
  } catch (const Json::out_of_range& error) {  // "number overflow parsing '1e400'"
    std::string number = error.what();
    const std::size_t open = number.find('\'');
    number = open == std::string::npos ? std::string() : number.substr(open + 1, number.rfind('\'') - open - 1);
    if (number.size() > 40) number = number.substr(0, 40) + "…";
    if (outer.empty()) return fail(Kind::NotAnObject);
    if (!knownKey(outer)) return fail(Kind::Unknown, outer);
    if (outer != "keptFrom" || inner.empty()) return fail(Kind::OffRange, outer, number);
    return fail(keptKey(inner) ? Kind::OffRange : Kind::Unknown, "keptFrom." + inner, number);
  }
  if (!json.is_object()) return fail(Kind::NotAnObject);
  if (!duplicate.empty()) return fail(Kind::Duplicate, duplicate);

  const auto format = json.find("format");
  if (format == json.end() || !format->is_string() || *format != scenarioFormat)
    return fail(Kind::NotAScenario, "format", format == json.end() ? std::string() : shown(*format));
  const auto version = json.find("version");
  if (version == json.end()) return fail(Kind::Missing, "version");
  const std::optional<double> versionNumber = wholeNumber(*version);
  if (!versionNumber || *versionNumber < 1) return fail(Kind::BadVersion, "version", shown(*version));
  if (*versionNumber > scenarioVersion) return fail(Kind::NewerVersion, "version", shown(*version));

  Scenario& s = read.scenario;
  for (auto [key, text, limit] : {std::tuple{"title", &s.title, scenarioMaxTitle},
                                  std::tuple{"description", &s.description, scenarioMaxDescription},
                                  std::tuple{"titleEn", &s.titleEnglish, scenarioMaxTitle},
                                  std::tuple{"descriptionEn", &s.descriptionEnglish, scenarioMaxDescription}}) {
    const auto value = json.find(key);
    if (value == json.end()) continue;
    if (!value->is_string()) return fail(Kind::WrongType, key, shown(*value));
    *text = value->get<std::string>();
    if (characters(*text) > limit) return fail(Kind::TooLong, key);
  }

  // A number on the control's grid within its range, as its position; the problem if not.
  auto position = [&](const ControlDescription& control, const Json& value, const std::string& name,
                      int& to) -> std::optional<ScenarioProblem> {
    if (!value.is_number()) return ScenarioProblem{Kind::WrongType, name, shown(value)};
    switch (fitToGrid(control, value.get<double>(), to)) {
      case GridFit::Fits: return std::nullopt;
      case GridFit::OffRange: return ScenarioProblem{Kind::OffRange, name, shown(value)};
      case GridFit::OffGrid: return ScenarioProblem{Kind::OffGrid, name, shown(value)};
    }
    return std::nullopt;
  };

  for (const ControlDescription& control : controlTable) {
    const auto value = json.find(control.key);
    if (value == json.end()) return fail(Kind::Missing, control.key);
    std::optional<ScenarioProblem> problem;
    switch (control.kind) {
      case ControlKind::List: problem = position(control, *value, control.key, s.config); break;
      case ControlKind::Bar:
        problem = position(control, *value, control.key, s.positions[static_cast<std::size_t>(control.index)]);
        break;
      case ControlKind::TextBox: {
        if (!value->is_string()) return fail(Kind::WrongType, control.key, shown(*value));
        std::string& text = s.texts[static_cast<std::size_t>(control.index)];
        text = value->get<std::string>();
        if (characters(text) > scenarioMaxText) return fail(Kind::TooLong, control.key);
        break;
      }
    }
    if (problem) {
      read.problem = problem;
      return read;
    }
  }

  if (const auto value = json.find("integrator"); value != json.end()) {
    if (!value->is_string()) return fail(Kind::WrongType, "integrator", shown(*value));
    const std::optional<Integrator> integrator = integratorFromKey(value->get<std::string>());
    if (!integrator) return fail(Kind::BadChoice, "integrator", shown(*value));
    s.integrator = *integrator;
  }
  if (const auto value = json.find("picture"); value != json.end()) {
    if (!value->is_string()) return fail(Kind::WrongType, "picture", shown(*value));
    if (*value != "structure" && *value != "velocity") return fail(Kind::BadChoice, "picture", shown(*value));
    s.velocityPicture = *value == "velocity";
  }
  if (const auto value = json.find("x0FromList"); value != json.end()) {
    if (!value->is_boolean()) return fail(Kind::WrongType, "x0FromList", shown(*value));
    s.x0FromList = value->get<bool>();
    if (s.x0FromList && s.position(Bar::VScroll7) != positionFromCoordinate(fieldChoice(static_cast<FieldConfig>(s.config)).x0))
      return fail(Kind::X0NotFromList, "x0FromList");
  }

  if (const auto value = json.find("keptFrom"); value != json.end()) {
    if (!value->is_object()) return fail(Kind::WrongType, "keptFrom", shown(*value));
    if (!s.frequencyIsZero()) return fail(Kind::NotKept, "keptFrom");
    Scenario::KeptFrom kept{};
    for (std::size_t k = 0; k < Scenario::KeptFrom::bars.size(); ++k) {
      const ControlDescription& control = controlOf(Scenario::KeptFrom::bars[k]);
      const std::string name = std::string("keptFrom.") + control.key;
      const auto inner = value->find(control.key);
      if (inner == value->end()) return fail(Kind::Missing, name);
      if (const std::optional<ScenarioProblem> problem = position(control, *inner, name, kept[k])) {
        read.problem = problem;
        return read;
      }
    }
    if (kept.charge == 0 || kept.field == 0) return fail(Kind::NotKept, "keptFrom");
    for (const auto& item : value->items())
      if (!keptKey(item.key())) return fail(Kind::Unknown, "keptFrom." + item.key());
    s.keptFrom = kept;
  }

  for (const auto& item : json.items())
    if (!knownKey(item.key())) return fail(Kind::Unknown, item.key());
  return read;
}

}  // namespace larmor
