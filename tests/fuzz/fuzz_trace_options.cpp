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

// Positions each bar the options move accepts, by hand: VScroll1 … VScroll10 in order.
constexpr Range barRanges[] = {{-5, 5}, {0, 10}, {1, 10}, {1, 30000}, {0, 30000},
                               {0, 180}, {-50, 50}, {-50, 50}, {-100, 100}, {-180, 180}};

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
  for (const larmor::PanelAction& action : options.actions) {
    if (action.kind == larmor::PanelAction::Kind::TypeText) continue;
    if (action.kind != larmor::PanelAction::Kind::MoveBar || action.control < 0 || action.control >= 10) __builtin_trap();
    const Range range = barRanges[action.control];
    if (action.value < range.min || action.value > range.max) __builtin_trap();
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
