#include "cli/TraceWriters.h"

#include "model/Quantities.h"

#include <cmath>

namespace larmor {

std::string jsonString(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static constexpr char hex[] = "0123456789abcdef";
          out += "\\u00";
          out += hex[(c >> 4) & 0xF];
          out += hex[c & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

namespace {

std::string jsonNumber(double value) { return std::isfinite(value) ? numberText(value) : "null"; }

}  // namespace

std::string summaryJson(const ResultCaptions& captions, std::int64_t steps, RunStop stop, double x, double y,
                        double z, std::string_view accuracyText, Integrator integrator,
                        std::string_view theory, std::string_view ensemble) {
  std::string json = "{\"captions\": [" + jsonString(captions.frequency) + ", " + jsonString(captions.period) +
                     ", " + jsonString(captions.radius) + ", " + jsonString(captions.pitch) + "], ";
  json += "\"steps\": " + std::to_string(steps) + ", \"complete\": " + (stop == RunStop::EndTime ? "true" : "false") + ", ";
  if (stop != RunStop::EndTime) json += "\"stopped\": " + jsonString(stopName(stop)) + ", ";
  json += "\"x\": " + jsonNumber(x) + ", \"y\": " + jsonNumber(y) + ", \"z\": " + jsonNumber(z) + ", ";
  json += "\"dV\": " + jsonString(accuracyText) + ", ";
  json += "\"integrator\": " + jsonString(integratorKey(integrator));
  if (!theory.empty()) json += ", \"theory\": " + std::string(theory);
  if (!ensemble.empty()) json += ", \"ensemble\": " + std::string(ensemble);
  return json + "}\n";
}

}  // namespace larmor
