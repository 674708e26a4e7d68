// The companion's arguments: NUL-separated bytes after the program name. A parse either
// fails with one line naming the problem or gives controls within their ranges, which the
// control panel then applies as the window's handlers would.
#include "cli/PanelScript.h"
#include "cli/TraceOptions.h"

#include <QStringList>

#include <cmath>
#include <cstdint>
#include <string>

namespace {

struct Range {
  int min, max;
};

// Positions each bar accepts.
Range rangeOf(larmor::TraceControl control) {
  using larmor::TraceControl;
  switch (control) {
    case TraceControl::Charge: return {-5, 5};
    case TraceControl::Mass: return {0, 10};
    case TraceControl::Speed: return {1, 30000};
    case TraceControl::Alpha: return {0, 180};
    case TraceControl::Beta: return {-180, 180};
    case TraceControl::Field: return {0, 30000};
    case TraceControl::Region: return {1, 10};
    case TraceControl::X0:
    case TraceControl::Y0: return {-50, 50};
    case TraceControl::Z0: return {-100, 100};
    default: return {0, 0};  // text boxes: no position
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QStringList arguments{QStringLiteral("larmor-trace")};
  const char* bytes = reinterpret_cast<const char*>(data);
  std::size_t start = 0;
  for (std::size_t i = 0; size > 0 && i <= size; ++i) {
    if (i == size || bytes[i] == '\0') {
      arguments << QString::fromLocal8Bit(bytes + start, static_cast<qsizetype>(i - start));
      start = i + 1;
    }
  }

  const larmor::TraceParse parse = larmor::parseTraceOptions(arguments);
  if (!parse.ok()) {
    if (parse.error.rfind("larmor-trace: ", 0) != 0) __builtin_trap();
    // One line on stderr, whatever the arguments held.
    for (const char c : parse.error)
      if (static_cast<unsigned char>(c) < 0x20) __builtin_trap();
    return 0;
  }
  const larmor::TraceOptions& options = parse.options;
  if (options.configurations.empty()) __builtin_trap();
  for (int config : options.configurations)
    if (config < 1 || config > 7) __builtin_trap();
  for (const larmor::TraceAction& action : options.actions) {
    const Range range = rangeOf(action.control);
    if (action.position < range.min || action.position > range.max) __builtin_trap();
  }
  const char sep = options.separator;
  if (sep <= ' ' || sep >= 0x7F || (sep >= '0' && sep <= '9')) __builtin_trap();

  larmor::ControlPanel panel(options.separator);
  larmor::applyTraceOptions(panel, options);
  // Typed texts never give a value beyond the double range.
  const larmor::SimParams& p = panel.state().params;
  if (!std::isfinite(p.S) || !std::isfinite(p.d) || !std::isfinite(p.periods)) __builtin_trap();
  return 0;
}
