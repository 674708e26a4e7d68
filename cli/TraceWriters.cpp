#include "cli/TraceWriters.h"

#include "model/Quantities.h"

#include <charconv>
#include <cmath>

namespace larmor {

char* writeNumber(char* first, char* last, double value) {
  return std::to_chars(first, last, value).ptr;
}

std::string numberText(double value) {
  char text[32];
  return std::string(text, writeNumber(text, text + sizeof text, value));
}

void CsvWriter::header() {
  static constexpr std::string_view line = "step,t,x,y,z,vx,vy,vz,dV\n";
  if (capacity - m_used < line.size()) flush();
  line.copy(m_buffer + m_used, line.size());
  m_used += line.size();
}

void CsvWriter::row(std::int64_t step, double t, double x, double y, double z, double vx, double vy, double vz,
                    double dV) {
  if (capacity - m_used < rowRoom) flush();
  char* p = m_buffer + m_used;
  char* const end = m_buffer + capacity;
  p = std::to_chars(p, end, step).ptr;
  for (const double value : {t, x, y, z, vx, vy, vz, dV}) {
    *p++ = ',';
    p = writeNumber(p, end, value);
  }
  *p++ = '\n';
  m_used = static_cast<std::size_t>(p - m_buffer);
}

void CsvWriter::flush() {
  if (m_used > 0) std::fwrite(m_buffer, 1, m_used, m_out);
  m_used = 0;
  std::fflush(m_out);
}

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

std::string summaryJson(const ResultCaptions& captions, std::int64_t steps, bool complete, double x, double y,
                        double z, std::string_view accuracyText) {
  std::string json = "{\"captions\": [" + jsonString(captions.frequency) + ", " + jsonString(captions.period) +
                     ", " + jsonString(captions.radius) + ", " + jsonString(captions.pitch) + "], ";
  json += "\"steps\": " + std::to_string(steps) + ", \"complete\": " + (complete ? "true" : "false") + ", ";
  json += "\"x\": " + jsonNumber(x) + ", \"y\": " + jsonNumber(y) + ", \"z\": " + jsonNumber(z) + ", ";
  json += "\"dV\": " + jsonString(accuracyText) + "}\n";
  return json;
}

}  // namespace larmor
