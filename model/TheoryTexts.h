#pragma once

#include "model/Language.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace larmor {

// The guiding-centre theory's words, in one table by key and in both languages: the window
// and the documents show the Russian, the companion's help and JSON the English.

struct BilingualText {
  std::string russian, english;
  const std::string& in(Language language) const { return language == Language::Russian ? russian : english; }
  bool empty() const { return russian.empty(); }
};

// One quantity of the theory table.
struct QuantityText {
  const char* key;          // the companion's name: period, radius, driftVelocity, …
  const char* structures;   // the field structures that have it, as the companion's help lists them
  const char* name;         // the table's Russian name
  const char* unit;         // Russian unit as shown ("с", "м/с", …), "" for none
  const char* unitEnglish;  // SI unit for the companion's help ("s", "m/s", …), "" for none
  const char* explanation[2];  // the formula, how it is measured, whether it is exact; by Language
};

const std::vector<QuantityText>& quantityTexts();
// The text of the quantity in the structure (the drift's formula differs between them).
const QuantityText& quantityText(std::string_view key, int config);
// The table's English name of the quantity ("Period T"); the key itself for a key it does not know.
const char* quantityNameEnglish(std::string_view key);
// The SI unit as an English table or figure shows it ("m/s", "°"); "" for none.
const char* quantityUnitEnglish(std::string_view key);

// The sentences the table and the verdicts are made of. Where a sentence has numbers, %1,
// %2, … stand for them, each written as a percentage with two significant digits.
enum class Phrase {
  // Why a value is missing.
  noRun, noGyration, cutShort, noStep, fewerThanTwoGyrations, noReflection, fewerThanThreeReflections,
  neitherEnd, notTrapped, alongTheField, notPredictedCount, noCharge, noFieldAtStart,
  // Verdicts.
  exactUniform, exactMonopole, exactMonopoleMu, exactOnAverage,
  planeDrift, axialDrift, encirclesAxis, centrifugalDrift, adiabaticS, trapLine, lossConeEdge, bounceSensitive, reflectionsCount,
  numericalError, numericalShare,
};

// The phrase with its numbers (fractions: 0.025 is written 2.5 %) in both languages.
BilingualText phrase(Phrase which, std::initializer_list<double> fractions = {});

// A fraction as a percentage with two significant digits, the decimal separator of the language.
std::string percentText(double fraction, Language language);

}  // namespace larmor
