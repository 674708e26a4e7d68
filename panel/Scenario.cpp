#include "panel/Scenario.h"

#include "model/Constants.h"
#include "model/FieldChoice.h"
#include "model/Quantities.h"
#include "model/SimParams.h"
#include "panel/TrajectoryCsv.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <set>

namespace larmor {

namespace {

using Json = nlohmann::json;
using Kind = ScenarioProblem::Kind;

// A bar's key in the file: the value is position / divisor, in the companion's units.
struct BarKey {
  const char* key;
  Bar bar;
  double divisor;
  const char* unitRu;
  const char* unitEn;
};

// In the order of the file; the slow-down comes last, after the texts.
constexpr BarKey barKeys[] = {
    {"charge", Bar::VScroll1, 1, "элементарных зарядов", "elementary charges"},
    {"mass", Bar::VScroll2, 1, "0 — масса электрона, иначе атомные единицы массы",
     "0 is the electron mass, otherwise atomic mass units"},
    {"speed", Bar::VScroll4, 1, "м/с", "m/s"},
    {"alpha", Bar::VScroll6, 1, "градусы от OZ", "degrees from OZ"},
    {"beta", Bar::VScroll10, 1, "градусы от OX", "degrees from OX"},
    {"field", Bar::VScroll5, 1 / BoStep, "Тл", "tesla"},
    {"region", Bar::VScroll3, 1, "м", "metres"},
    {"x0", Bar::VScroll7, 10, "м", "metres"},
    {"y0", Bar::VScroll8, 10, "м", "metres"},
    {"z0", Bar::VScroll9, 10, "м", "metres"},
    {"slowdown", Bar::HScroll1, 1, "по 10 мс на шаг", "10 ms per step"},
};
constexpr std::size_t slowdownKey = std::size(barKeys) - 1;

struct TextKey {
  const char* key;
  TextBox box;
};
constexpr TextKey textKeys[] = {{"S", TextBox::Text1}, {"d", TextBox::Text3}, {"periods", TextBox::Text2}};

const char* const otherKeys[] = {"format", "version", "title", "description", "config",
                                 "integrator", "picture", "x0FromList", "keptFrom"};

const char* integratorName(Integrator integrator) { return integrator == Integrator::Boris ? "boris" : "rk4"; }

Json barValue(const BarKey& key, int position) {
  if (key.divisor == 1) return position;
  return position / key.divisor;  // the double nearest to the decimal value: written short
}

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

// A value or key as a message shows it: JSON text on one line (control characters
// escaped), at most 40 characters.
std::string shown(const Json& value) {
  const std::string text = value.dump();
  std::size_t cut = 0, kept = 0;
  for (; cut < text.size(); ++cut)
    if ((static_cast<unsigned char>(text[cut]) & 0xC0) != 0x80 && ++kept > 40) break;
  return cut < text.size() ? text.substr(0, cut) + "…" : text;
}

std::string rangeText(const BarKey& key, Language language) {
  const BarRange& range = barRange(key.bar);
  const bool russian = language == Language::Russian;
  std::string text = key.divisor == 1 ? (russian ? "целое число от " : "a whole number from ")
                                      : (russian ? "число от " : "a number from ");
  text += numberText(range.lowest / key.divisor) + (russian ? " до " : " to ") +
          numberText(range.highest / key.divisor);
  if (key.divisor != 1) text += (russian ? " с шагом " : " in steps of ") + numberText(1 / key.divisor);
  return text + " (" + (russian ? key.unitRu : key.unitEn) + ")";
}

const BarKey* findBarKey(std::string_view name) {
  for (const BarKey& key : barKeys)
    if (name == key.key) return &key;
  return nullptr;
}

bool knownKey(const std::string& name) {
  if (findBarKey(name)) return true;
  for (const TextKey& key : textKeys)
    if (name == key.key) return true;
  for (const char* key : otherKeys)
    if (name == key) return true;
  return false;
}

// A whole number, written as an integer or as a number with nothing after the point.
std::optional<double> wholeNumber(const Json& value) {
  if (!value.is_number()) return std::nullopt;
  const double number = value.get<double>();
  if (number != std::nearbyint(number)) return std::nullopt;
  return number;
}

// The bars of keptFrom, by their keys, and where each stands in Scenario::KeptFrom.
constexpr const char* keptKeys[] = {"charge", "mass", "field", "speed", "alpha"};
int& keptPosition(Scenario::KeptFrom& kept, std::size_t k) {
  int* const fields[] = {&kept.charge, &kept.mass, &kept.field, &kept.speed, &kept.alpha};
  return *fields[k];
}

bool frequencyIsZero(const Scenario& s) {
  return s.positions[static_cast<std::size_t>(Bar::VScroll1)] == 0 || s.positions[static_cast<std::size_t>(Bar::VScroll5)] == 0;
}

// The controls whose recompute left these kept period, radius and pitch, found from the
// model's own computation: for each charge and mass the field that gives the period, then
// for each alpha the speed that gives the radius (or, across no field, the pitch).
std::optional<Scenario::KeptFrom> findKeptFrom(const DerivedQuantities& kept) {
  // The positions next to a guess, within the bar; none for a guess that is no number.
  auto around = [](double guess, Bar bar) {
    std::vector<int> positions;
    if (!(std::fabs(guess) < 1e9)) return positions;
    for (int p = static_cast<int>(std::nearbyint(guess)) - 1, last = p + 2; p <= last; ++p)
      if (p >= 1 && p <= barRange(bar).highest) positions.push_back(p);
    return positions;
  };
  SimParams p;
  DerivedQuantities k;
  const double frequency = twoPiLiteral / kept.period;
  for (int charge = 1; charge <= 5; ++charge) {
    for (int mass = 0; mass <= 10; ++mass) {
      p.q = chargeFromPosition(charge);
      p.m = massFromPosition(mass);
      for (const int field : around(frequency * p.m / p.q / BoStep, Bar::VScroll5)) {
        p.Bo = fieldFromPosition(field);
        computeQuantities(p, k);
        if (k.period != kept.period) continue;
        const double omega = std::fabs(k.omega);
        for (int alpha = 0; alpha <= 180; ++alpha) {
          p.alphaRad = angleRadFromDegrees(alpha);
          for (const double guess : {kept.radius * omega / std::sin(p.alphaRad), kept.pitch / kept.period / std::cos(p.alphaRad)}) {
            for (const int speed : around(guess, Bar::VScroll4)) {
              p.v = static_cast<std::int16_t>(speed);
              computeQuantities(p, k);
              if (k.period == kept.period && k.radius == kept.radius && k.pitch == kept.pitch)
                return Scenario::KeptFrom{charge, mass, field, speed, alpha};
            }
          }
        }
      }
    }
  }
  return std::nullopt;
}

}  // namespace

bool Scenario::operator==(const Scenario& other) const {
  return title == other.title && description == other.description && config == other.config &&
         positions == other.positions && texts == other.texts && integrator == other.integrator &&
         velocityPicture == other.velocityPicture && x0FromList == other.x0FromList && keptFrom == other.keptFrom;
}

GridFit fitToGrid(double value, double unit, int lowest, int highest, int& position) {
  const double steps = value / unit;
  const double nearest = std::nearbyint(steps);
  if (!(nearest >= lowest && nearest <= highest)) return GridFit::OffRange;
  if (std::abs(steps - nearest) > 1e-6) return GridFit::OffGrid;
  position = static_cast<int>(nearest);
  return GridFit::Fits;
}

Scenario scenarioOf(const ControlPanel& panel, std::string title, std::string description) {
  Scenario s;
  s.title = std::move(title);
  s.description = std::move(description);
  s.config = panel.selectedEntry() >= 0 ? panel.selectedEntry() + 1 : panel.state().fieldConfig;
  for (std::size_t i = 0; i < barCount; ++i) s.positions[i] = panel.position(static_cast<Bar>(i));
  for (std::size_t i = 0; i < textBoxCount; ++i) s.texts[i] = panel.text(static_cast<TextBox>(i));
  s.integrator = panel.integrator();
  s.velocityPicture = panel.picture() == "velocity.gif";
  s.x0FromList = panel.state().params.x0 != coordinateFromPosition(panel.position(Bar::VScroll7));
  if (frequencyIsZero(s)) s.keptFrom = findKeptFrom(panel.state().quantities);
  return s;
}

std::string scenarioJson(const Scenario& s) {
  nlohmann::ordered_json json;
  json["format"] = scenarioFormat;
  json["version"] = scenarioVersion;
  if (!s.title.empty()) json["title"] = s.title;
  if (!s.description.empty()) json["description"] = s.description;
  json["config"] = s.config;
  for (std::size_t k = 0; k < slowdownKey; ++k)
    json[barKeys[k].key] = barValue(barKeys[k], s.positions[static_cast<std::size_t>(barKeys[k].bar)]);
  for (const TextKey& key : textKeys) json[key.key] = s.texts[static_cast<std::size_t>(key.box)];
  json["slowdown"] = s.positions[static_cast<std::size_t>(Bar::HScroll1)];
  json["integrator"] = integratorName(s.integrator);
  json["picture"] = s.velocityPicture ? "velocity" : "structure";
  if (s.x0FromList) json["x0FromList"] = true;
  if (s.keptFrom) {
    Scenario::KeptFrom kept = *s.keptFrom;
    nlohmann::ordered_json& object = json["keptFrom"];
    for (std::size_t k = 0; k < std::size(keptKeys); ++k)
      object[keptKeys[k]] = barValue(*findBarKey(keptKeys[k]), keptPosition(kept, k));
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

  // The parser keeps the last of two equal keys; a file that says two things is refused.
  // The keys being read are noted too: a number beyond the double range stops the parser,
  // and the message names the key it was given for.
  std::string duplicate, outer, inner;
  std::set<std::string> seen;
  const Json::parser_callback_t noteKeys = [&](int depth, Json::parse_event_t event, Json& parsed) {
    if (event != Json::parse_event_t::key || !parsed.is_string()) return true;
    if (depth == 1) {
      outer = parsed.get<std::string>();
      inner.clear();
      if (duplicate.empty() && !seen.insert(outer).second) duplicate = outer;
    } else if (depth == 2) {
      inner = parsed.get<std::string>();
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
    const bool kept = std::any_of(std::begin(keptKeys), std::end(keptKeys), [&](const char* k) { return inner == k; });
    return fail(kept ? Kind::OffRange : Kind::Unknown, "keptFrom." + inner, number);
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
                                  std::tuple{"description", &s.description, scenarioMaxDescription}}) {
    const auto value = json.find(key);
    if (value == json.end()) continue;
    if (!value->is_string()) return fail(Kind::WrongType, key, shown(*value));
    *text = value->get<std::string>();
    if (characters(*text) > limit) return fail(Kind::TooLong, key);
  }

  const auto config = json.find("config");
  if (config == json.end()) return fail(Kind::Missing, "config");
  if (!config->is_number()) return fail(Kind::WrongType, "config", shown(*config));
  switch (fitToGrid(config->get<double>(), 1, 1, fieldConfigCount, s.config)) {
    case GridFit::Fits: break;
    case GridFit::OffRange: return fail(Kind::OffRange, "config", shown(*config));
    case GridFit::OffGrid: return fail(Kind::OffGrid, "config", shown(*config));
  }

  for (std::size_t k = 0; k < std::size(barKeys); ++k) {
    if (k == slowdownKey) {  // the texts come before the slow-down in the file
      for (const TextKey& key : textKeys) {
        const auto value = json.find(key.key);
        if (value == json.end()) return fail(Kind::Missing, key.key);
        if (!value->is_string()) return fail(Kind::WrongType, key.key, shown(*value));
        std::string& text = s.texts[static_cast<std::size_t>(key.box)];
        text = value->get<std::string>();
        if (characters(text) > scenarioMaxText) return fail(Kind::TooLong, key.key);
      }
    }
    const BarKey& key = barKeys[k];
    const auto value = json.find(key.key);
    if (value == json.end()) return fail(Kind::Missing, key.key);
    if (!value->is_number()) return fail(Kind::WrongType, key.key, shown(*value));
    const BarRange& range = barRange(key.bar);
    switch (fitToGrid(value->get<double>(), 1 / key.divisor, range.lowest, range.highest,
                      s.positions[static_cast<std::size_t>(key.bar)])) {
      case GridFit::Fits: break;
      case GridFit::OffRange: return fail(Kind::OffRange, key.key, shown(*value));
      case GridFit::OffGrid: return fail(Kind::OffGrid, key.key, shown(*value));
    }
  }

  if (const auto value = json.find("integrator"); value != json.end()) {
    if (!value->is_string()) return fail(Kind::WrongType, "integrator", shown(*value));
    if (*value == "rk4") s.integrator = Integrator::Rk4;
    else if (*value == "boris") s.integrator = Integrator::Boris;
    else return fail(Kind::BadChoice, "integrator", shown(*value));
  }
  if (const auto value = json.find("picture"); value != json.end()) {
    if (!value->is_string()) return fail(Kind::WrongType, "picture", shown(*value));
    if (*value != "structure" && *value != "velocity") return fail(Kind::BadChoice, "picture", shown(*value));
    s.velocityPicture = *value == "velocity";
  }
  if (const auto value = json.find("x0FromList"); value != json.end()) {
    if (!value->is_boolean()) return fail(Kind::WrongType, "x0FromList", shown(*value));
    s.x0FromList = value->get<bool>();
    if (s.x0FromList && s.positions[static_cast<std::size_t>(Bar::VScroll7)] !=
                            positionFromCoordinate(fieldChoice(static_cast<FieldConfig>(s.config)).x0))
      return fail(Kind::X0NotFromList, "x0FromList");
  }

  if (const auto value = json.find("keptFrom"); value != json.end()) {
    if (!value->is_object()) return fail(Kind::WrongType, "keptFrom", shown(*value));
    if (!frequencyIsZero(s)) return fail(Kind::NotKept, "keptFrom");
    Scenario::KeptFrom kept{};
    for (std::size_t k = 0; k < std::size(keptKeys); ++k) {
      const BarKey& key = *findBarKey(keptKeys[k]);
      const std::string name = std::string("keptFrom.") + key.key;
      const auto inner = value->find(key.key);
      if (inner == value->end()) return fail(Kind::Missing, name);
      if (!inner->is_number()) return fail(Kind::WrongType, name, shown(*inner));
      const BarRange& range = barRange(key.bar);
      switch (fitToGrid(inner->get<double>(), 1 / key.divisor, range.lowest, range.highest, keptPosition(kept, k))) {
        case GridFit::Fits: break;
        case GridFit::OffRange: return fail(Kind::OffRange, name, shown(*inner));
        case GridFit::OffGrid: return fail(Kind::OffGrid, name, shown(*inner));
      }
    }
    if (kept.charge == 0 || kept.field == 0) return fail(Kind::NotKept, "keptFrom");
    for (const auto& item : value->items()) {
      bool known = false;
      for (const char* key : keptKeys) known = known || item.key() == key;
      if (!known) return fail(Kind::Unknown, "keptFrom." + item.key());
    }
    s.keptFrom = kept;
  }

  for (const auto& item : json.items())
    if (!knownKey(item.key())) return fail(Kind::Unknown, item.key());
  return read;
}

std::string problemText(const ScenarioProblem& p, Language language) {
  const bool ru = language == Language::Russian;
  const std::string key = shown(Json(p.key));
  const BarKey* bar = findBarKey(p.key.rfind("keptFrom.", 0) == 0 ? p.key.substr(9) : p.key);
  auto accepts = [&]() -> std::string {
    if (bar) return rangeText(*bar, language);
    if (p.key == "config") return ru ? "целое число от 1 до 7 (номер структуры поля)" : "a whole number from 1 to 7 (the field structure)";
    if (p.key == "integrator") return ru ? "\"rk4\" или \"boris\"" : "\"rk4\" or \"boris\"";
    if (p.key == "picture") return ru ? "\"structure\" или \"velocity\"" : "\"structure\" or \"velocity\"";
    if (p.key == "x0FromList") return ru ? "true или false" : "true or false";
    return ru ? "текст в кавычках" : "a text in quotes";
  };
  switch (p.kind) {
    case Kind::TooLarge:
      return ru ? "файл больше 1 МБ — это не сценарий" : "the file is larger than 1 MiB: not a scenario";
    case Kind::NotJson:
      if (p.byte == 0) return ru ? "файл пуст" : "the file is empty";
      return ru ? "это не JSON: ошибка разбора на байте " + std::to_string(p.byte)
                : "not JSON: a syntax error at byte " + std::to_string(p.byte);
    case Kind::NotAnObject:
      return ru ? "в файле нет объекта JSON { … }" : "the file holds no JSON object { … }";
    case Kind::NotAScenario:
      return ru ? "это не сценарий Larmor: нет \"format\": \"larmor-scenario\""
                : "not a Larmor scenario: no \"format\": \"larmor-scenario\"";
    case Kind::NewerVersion:
      return ru ? "версия формата " + p.value + " новее той, что читает эта программа (" +
                      std::to_string(scenarioVersion) + ")"
                : "format version " + p.value + " is newer than this program reads (" +
                      std::to_string(scenarioVersion) + ")";
    case Kind::BadVersion:
      return ru ? "\"version\" = " + p.value + ": нужно целое число от 1"
                : "\"version\" = " + p.value + ": it must be a whole number from 1";
    case Kind::Missing:
      return ru ? "нет значения " + key : key + " is missing";
    case Kind::Duplicate:
      return ru ? "ключ " + key + " задан дважды" : key + " is given twice";
    case Kind::Unknown:
      return ru ? "неизвестный ключ " + key : "unknown key " + key;
    case Kind::WrongType:
      return ru ? key + " = " + p.value + ": нужно " + accepts() : key + " = " + p.value + ": it must be " + accepts();
    case Kind::OffRange:
      return ru ? key + " = " + p.value + ": вне диапазона; допускается " + accepts()
                : key + " = " + p.value + " is out of range; it accepts " + accepts();
    case Kind::OffGrid:
      return ru ? key + " = " + p.value + ": между делениями; допускается " + accepts()
                : key + " = " + p.value + " lies between two steps; it accepts " + accepts();
    case Kind::TooLong: {
      const std::size_t limit = p.key == "title" ? scenarioMaxTitle : p.key == "description" ? scenarioMaxDescription : scenarioMaxText;
      return ru ? key + " длиннее " + std::to_string(limit) + " знаков"
                : key + " is longer than " + std::to_string(limit) + " characters";
    }
    case Kind::BadChoice:
      return ru ? key + " = " + p.value + ": допускается " + accepts()
                : key + " = " + p.value + ": it accepts " + accepts();
    case Kind::NotKept:
      return ru ? "\"keptFrom\" допустимо только при заряде или поле 0 и само должно иметь заряд и поле не 0"
                : "\"keptFrom\" is only valid with the charge or the field at 0, and needs a charge and a field other than 0";
    case Kind::X0NotFromList:
      return ru ? "\"x0FromList\" допустимо только с x0, который ставит сама структура поля"
                : "\"x0FromList\" is only valid with the x0 the field structure itself sets";
  }
  return {};
}

std::vector<PanelAction> scenarioActions(const Scenario& s) {
  std::vector<PanelAction> actions;
  auto position = [&s](Bar bar) { return s.positions[static_cast<std::size_t>(bar)]; };
  auto move = [&actions](Bar bar, int to) { actions.push_back(PanelAction::moveBar(bar, to)); };
  // A position next to p on the bar, for a move away and back.
  auto beside = [](Bar bar, int p) { return p < barRange(bar).highest ? p + 1 : p - 1; };

  actions.push_back(PanelAction::chooseIntegrator(s.integrator));
  // With no frequency the period, radius and pitch of the last recompute with a field stay:
  // make that recompute first, then zero the charge or the field, before anything else.
  if (frequencyIsZero(s)) {
    const Scenario::KeptFrom kept = s.keptFrom.value_or(Scenario::KeptFrom{
        position(Bar::VScroll1) != 0 ? position(Bar::VScroll1) : startPosition::charge, position(Bar::VScroll2),
        position(Bar::VScroll5) != 0 ? position(Bar::VScroll5) : startPosition::field, position(Bar::VScroll4),
        position(Bar::VScroll6)});
    move(Bar::VScroll1, kept.charge);
    move(Bar::VScroll2, kept.mass);
    move(Bar::VScroll5, kept.field);
    move(Bar::VScroll4, kept.speed);
    move(Bar::VScroll6, kept.alpha);
    if (position(Bar::VScroll1) == 0) move(Bar::VScroll1, 0);
    if (position(Bar::VScroll5) == 0) move(Bar::VScroll5, 0);
  }
  for (const Bar bar : {Bar::VScroll1, Bar::VScroll2, Bar::VScroll4, Bar::VScroll6, Bar::VScroll10, Bar::VScroll5,
                        Bar::VScroll3, Bar::VScroll8, Bar::HScroll1})
    move(bar, position(bar));
  actions.push_back(PanelAction::typeText(TextBox::Text3, s.texts[static_cast<std::size_t>(TextBox::Text3)]));
  actions.push_back(PanelAction::typeText(TextBox::Text2, s.texts[static_cast<std::size_t>(TextBox::Text2)]));

  // The selection puts the list's x0 and moves the bar to it; the bar's handler then runs,
  // and gives position × 0.1, only when the bar really moved. So the bar stands beside
  // the list's position first, unless the file keeps the list's own value.
  const int x0 = position(Bar::VScroll7);
  const int listed = positionFromCoordinate(fieldChoice(static_cast<FieldConfig>(s.config)).x0);
  move(Bar::VScroll7, s.x0FromList ? listed : x0 != listed ? x0 : beside(Bar::VScroll7, listed));
  actions.push_back(PanelAction::selectEntry(s.config - 1));
  move(Bar::VScroll7, x0);
  move(Bar::VScroll9, position(Bar::VScroll9));
  actions.push_back(PanelAction::typeText(TextBox::Text1, s.texts[static_cast<std::size_t>(TextBox::Text1)]));

  if (s.velocityPicture) {  // an angle touched after the selection, as the user did
    const int alpha = position(Bar::VScroll6);
    move(Bar::VScroll6, beside(Bar::VScroll6, alpha));
    move(Bar::VScroll6, alpha);
  }
  return actions;
}

void applyScenario(ControlPanel& panel, const Scenario& scenario) {
  for (const PanelAction& action : scenarioActions(scenario)) perform(panel, action);
}

}  // namespace larmor
