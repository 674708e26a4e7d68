#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace larmor {

struct ResultCaptions;

// Shortest decimal text that reads back as the same double, whatever the locale.
// Writes into [first, last) and returns the end; last - first must be at least 32.
char* writeNumber(char* first, char* last, double value);
std::string numberText(double value);

// One CSV row per run step, collected in a fixed buffer and written out in large blocks:
// nothing is allocated per step.
class CsvWriter {
public:
  explicit CsvWriter(std::FILE* out) : m_out(out) {}
  ~CsvWriter() { flush(); }
  CsvWriter(const CsvWriter&) = delete;
  CsvWriter& operator=(const CsvWriter&) = delete;

  void header();
  // Velocity components and dV as the run holds them, widened to double exactly.
  void row(std::int64_t step, double t, double x, double y, double z, double vx, double vy, double vz, double dV);
  void flush();

private:
  static constexpr std::size_t capacity = 1 << 16;
  static constexpr std::size_t rowRoom = 9 * 32;  // nine fields of at most 32 characters

  std::FILE* m_out;
  std::size_t m_used = 0;
  char m_buffer[capacity];
};

// A JSON string literal: quotes, backslashes and control characters escaped; UTF-8 bytes
// pass through unchanged.
std::string jsonString(std::string_view utf8);

// {"captions": [...4], "steps": N, "complete": true, "x": ..., "y": ..., "z": ..., "dV": "..."}
// and a line feed; "complete" is false for a run cut at its step limit before its end time.
// A coordinate that is not finite (a run stopped on a broken state) is written as null.
std::string summaryJson(const ResultCaptions& captions, std::int64_t steps, bool complete, double x, double y,
                        double z, std::string_view accuracyText);

}  // namespace larmor
