#include "panel/ScenarioFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace larmor {

namespace {

std::string systemReason() { return errno != 0 ? std::strerror(errno) : "read error"; }

}  // namespace

ScenarioFileRead readScenarioFile(const std::string& path) {
  ScenarioFileRead result;
  errno = 0;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) {
    result.unreadable = systemReason();
    return result;
  }
  std::string bytes;
  char chunk[16384];
  while (bytes.size() <= scenarioMaxBytes) {
    const std::size_t got = std::fread(chunk, 1, std::min(sizeof chunk, scenarioMaxBytes + 1 - bytes.size()), file.get());
    bytes.append(chunk, got);
    if (got == 0) break;
  }
  if (std::ferror(file.get())) {  // a folder opens, but reading it fails
    result.unreadable = systemReason();
    return result;
  }
  result.read = readScenario(bytes);
  return result;
}

}  // namespace larmor
