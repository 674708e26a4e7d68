#pragma once

#include "model/DiagnosticsSeries.h"
#include "panel/Run.h"
#include "panel/RunDriver.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace larmor {

class Run;
struct SimulationState;

// Shortest decimal text that reads back as the same double, whatever the locale.
// Writes into [first, last) and returns the end; last - first must be at least 32.
char* writeNumber(char* first, char* last, double value);
std::string numberText(double value);

// The trajectory of a run as CSV, one row per step, the columns
// step,t,x,y,z,vx,vy,vz,dV, and with the diagnostics mu_ratio,pitch_deg,B,rho after them. Rows are collected in a fixed buffer and handed on in large
// blocks: nothing is allocated per step. Written by the companion to its standard output
// and by the window's export to a file.
class CsvWriter {
public:
  // Takes a block of bytes; false when it could not be written (the writer then drops
  // everything after it and says so in failed()).
  using Sink = std::function<bool(const char* bytes, std::size_t size)>;

  explicit CsvWriter(std::FILE* out);
  explicit CsvWriter(Sink sink) : m_sink(std::move(sink)) {}
  ~CsvWriter() { flush(); }
  CsvWriter(const CsvWriter&) = delete;
  CsvWriter& operator=(const CsvWriter&) = delete;

  void header(bool withDiagnostics = false);
  // Velocity components and dV as the run holds them, widened to double exactly; the
  // diagnostics' columns from the sample when given (a NaN is written "nan").
  void row(std::int64_t step, double t, double x, double y, double z, double vx, double vy, double vz, double dV,
           const DiagnosticSample* diagnostics = nullptr);
  // The row of a run's last step: its time, the particle's position and the run's velocity
  // and speed error.
  void row(const Run& run, const SimulationState& state, const DiagnosticSample* diagnostics = nullptr);
  // The diagnostics window's table, one row per kept sample, the columns
  // t,dV,mu_ratio,pitch_deg,B,rho,z; dV is the single-precision value the accuracy label
  // shows, widened exactly.
  void diagnosticsHeader();
  void diagnosticsRow(const DiagnosticSample& sample);
  void flush();
  bool failed() const { return m_failed; }

private:
  static constexpr std::size_t capacity = 1 << 16;
  static constexpr std::size_t rowRoom = 13 * 32;  // thirteen fields of at most 32 characters

  Sink m_sink;
  bool m_failed = false;
  std::size_t m_used = 0;
  char m_buffer[capacity];
};

// Every step as a CSV row, the header when the run is prepared; with the diagnostics'
// columns when asked for (μ against the start's).
class CsvSteps : public RunObserver {
public:
  CsvSteps(CsvWriter& csv, bool diagnostics) : m_csv(csv), m_diagnostics(diagnostics) {}
  void prepared(const Run& run, const SimulationState& state) override {
    m_csv.header(m_diagnostics);
    if (m_diagnostics) m_muStart = startMoment(run, state);
  }
  bool stepped(const Run& run, const SimulationState& state, const TrailSegment&) override {
    if (!m_diagnostics) {
      m_csv.row(run, state);
      return true;
    }
    const DiagnosticSample sample = diagnosticSample(run, state, m_muStart);
    m_csv.row(run, state, &sample);
    return true;
  }

private:
  CsvWriter& m_csv;
  bool m_diagnostics;
  double m_muStart = 0;
};

}  // namespace larmor
