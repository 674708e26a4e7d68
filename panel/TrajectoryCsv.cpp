#include "panel/TrajectoryCsv.h"

#include "panel/Run.h"

#include <charconv>
#include <string_view>

namespace larmor {

char* writeNumber(char* first, char* last, double value) {
  return std::to_chars(first, last, value).ptr;
}

std::string numberText(double value) {
  char text[32];
  return std::string(text, writeNumber(text, text + sizeof text, value));
}

CsvWriter::CsvWriter(std::FILE* out)
    : m_sink([out](const char* bytes, std::size_t size) {
        const bool whole = std::fwrite(bytes, 1, size, out) == size;
        return std::fflush(out) == 0 && whole;
      }) {}

void CsvWriter::header(bool withDiagnostics) {
  const std::string_view line = withDiagnostics ? "step,t,x,y,z,vx,vy,vz,dV,mu_ratio,pitch_deg,B,rho\n"
                                                : "step,t,x,y,z,vx,vy,vz,dV\n";
  if (capacity - m_used < line.size()) flush();
  line.copy(m_buffer + m_used, line.size());
  m_used += line.size();
}

void CsvWriter::row(const Run& run, const SimulationState& s, const DiagnosticSample* diagnostics) {
  row(run.stepsDone(), run.t(), s.x, s.y, s.z, run.vxCartesian(), run.vyCartesian(), run.vzCartesian(), run.dV(),
      diagnostics);
}

void CsvWriter::row(std::int64_t step, double t, double x, double y, double z, double vx, double vy, double vz,
                    double dV, const DiagnosticSample* diagnostics) {
  if (capacity - m_used < rowRoom) flush();
  char* p = m_buffer + m_used;
  char* const end = m_buffer + capacity;
  p = std::to_chars(p, end, step).ptr;
  for (const double value : {t, x, y, z, vx, vy, vz, dV}) {
    *p++ = ',';
    p = writeNumber(p, end, value);
  }
  if (diagnostics) {
    for (const double value : {diagnostics->muRatio, diagnostics->pitchDeg, diagnostics->B, diagnostics->rho}) {
      *p++ = ',';
      p = writeNumber(p, end, value);
    }
  }
  *p++ = '\n';
  m_used = static_cast<std::size_t>(p - m_buffer);
}

void CsvWriter::diagnosticsHeader() {
  const std::string_view line = "t,dV,mu_ratio,pitch_deg,B,rho,z\n";
  if (capacity - m_used < line.size()) flush();
  line.copy(m_buffer + m_used, line.size());
  m_used += line.size();
}

void CsvWriter::diagnosticsRow(const DiagnosticSample& s) {
  if (capacity - m_used < rowRoom) flush();
  char* p = m_buffer + m_used;
  char* const end = m_buffer + capacity;
  for (const double value : {s.t, double(s.dV), s.muRatio, s.pitchDeg, s.B, s.rho, s.z}) {
    p = writeNumber(p, end, value);
    *p++ = ',';
  }
  p[-1] = '\n';
  m_used = static_cast<std::size_t>(p - m_buffer);
}

void CsvWriter::flush() {
  if (m_used > 0 && !m_failed && !m_sink(m_buffer, m_used)) m_failed = true;
  m_used = 0;
}

}  // namespace larmor
