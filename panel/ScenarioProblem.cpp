#include "panel/ScenarioProblem.h"

#include "panel/Scenario.h"

#include <nlohmann/json.hpp>

namespace larmor {

std::string shownInMessage(const std::string& text) {
  std::size_t cut = 0, kept = 0;
  for (; cut < text.size(); ++cut)
    if ((static_cast<unsigned char>(text[cut]) & 0xC0) != 0x80 && ++kept > 40) break;
  return cut < text.size() ? text.substr(0, cut) + "…" : text;
}

std::string problemText(const ScenarioProblem& p, Language language) {
  using Kind = ScenarioProblem::Kind;
  const bool ru = language == Language::Russian;
  const std::string key = shownInMessage(nlohmann::json(p.key).dump());
  const ControlDescription* control = findControl(p.key.rfind("keptFrom.", 0) == 0 ? p.key.substr(9) : p.key);
  auto accepts = [&]() -> std::string {
    if (control && control->kind != ControlDescription::Kind::TextBox) return acceptsText(*control, language);
    if (p.key == "integrator") {
      std::string names;
      for (const IntegratorName& name : integratorNames)
        names += (names.empty() ? "\"" : ru ? " или \"" : " or \"") + std::string(name.key) + "\"";
      return names;
    }
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

}  // namespace larmor
