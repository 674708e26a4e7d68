#pragma once

#include "panel/ScenarioJson.h"

#include <string>

namespace larmor {

struct ScenarioFileRead {
  std::string unreadable;  // why the file could not be read, as the system says it; empty when it was
  ScenarioRead read;       // the reader's verdict on what was read
  bool ok() const { return unreadable.empty() && read.ok(); }
};

// Opens the file and reads at most one byte more than a scenario may hold, so a huge file
// (or an endless device) is refused as too large without being read whole, then checks
// what was read. The path is in the file system's own encoding.
ScenarioFileRead readScenarioFile(const std::string& path);

}  // namespace larmor
