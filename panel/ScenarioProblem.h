#pragma once

#include "panel/ControlTable.h"

#include <cstddef>
#include <string>

namespace larmor {

// The first thing wrong with a scenario file, in terms a message can name.
struct ScenarioProblem {
  enum class Kind {
    TooLarge,      // more than scenarioMaxBytes
    NotJson,       // byte: where the reader stopped; 0 for a file of nothing but blanks
    NotAnObject,   // JSON, but not an object
    NotAScenario,  // no "format": "larmor-scenario"
    NewerVersion,  // value: the version
    BadVersion,    // not a whole number from 1
    Missing,       // key
    Duplicate,     // key
    Unknown,       // key
    WrongType,     // key: a number, a text or true/false expected
    OffRange,      // key, value: outside the control's range
    OffGrid,       // key, value: between two positions of the control
    TooLong,       // key: a text longer than its limit
    BadChoice,     // key, value: not one of the names the key accepts
    X0NotFromList, // x0FromList with an x0 the list does not put there
    NotKept,       // keptFrom in a file whose frequency is not 0, or with a charge or field of 0
  };
  Kind kind = Kind::NotJson;
  std::string key;    // "keptFrom.charge" for a key inside keptFrom
  std::string value;  // as written in the file
  std::size_t byte = 0;
};

// One sentence naming the problem, for the window (Russian) or the companion (English).
std::string problemText(const ScenarioProblem& problem, Language language);

// A key or a value as a message shows it: JSON text on one line (control characters
// escaped), at most 40 characters.
std::string shownInMessage(const std::string& jsonText);

}  // namespace larmor
