#include "model/Theory.h"

#include <charconv>
#include <cmath>

namespace larmor {

namespace {

using Kind = TheoryQuantity::Kind;
using Getter = std::optional<double> (*)(const TheoryMeter&);

std::optional<double> flag(std::optional<bool> b) {
  if (!b) return std::nullopt;
  return *b ? 1.0 : 0.0;
}

// One row: its texts from the table by key, its prediction, its measurement (or why there
// is none), the difference and the verdict.
struct Row {
  const TheoryPrediction& p;
  const TheoryMeter* meter;
  bool runCutShort;

  TheoryQuantity make(const char* key, Kind kind, std::optional<double> predicted, const BilingualText& notPredicted,
                      Getter measure, Phrase notMeasured) const {
    const QuantityText& text = quantityText(key, p.config);
    TheoryQuantity q;
    q.key = text.key, q.name = text.name, q.unit = text.unit, q.kind = kind;
    q.explanation = {text.explanation[0], text.explanation[1]};
    q.predicted = predicted;
    if (!predicted) q.notPredictedText = notPredicted;
    if (meter) q.measured = measure(*meter);
    if (!meter) {
      q.notMeasuredText = phrase(Phrase::noRun);
    } else if (!q.measured) {
      q.notMeasuredText = phrase(notMeasured);
      if (runCutShort) {
        const BilingualText cut = phrase(Phrase::cutShort);
        q.notMeasuredText.russian += cut.russian, q.notMeasuredText.english += cut.english;
      }
    }
    q.notPredictedReason = q.notPredictedText.russian;
    q.notMeasuredReason = q.notMeasuredText.russian;
    if (q.predicted && q.measured && *q.predicted != 0 && kind == Kind::number)
      q.relativeDifference = (*q.measured - *q.predicted) / std::fabs(*q.predicted);
    TheoryVerdict verdict = theoryVerdict(p, key);
    if (meter && q.measured && q.predicted && kind == Kind::number) {
      const double difference = q.relativeDifference ? std::fabs(*q.relativeDifference) : std::fabs(*q.measured);
      weighRunError(verdict, key, difference, meter->speedError());
    }
    q.holds = verdict.holds, q.why = verdict.why, q.runErrorComparable = verdict.runErrorComparable;
    return q;
  }
};

void writeValue(std::string& out, const std::optional<double>& value, Kind kind) {
  if (!value || !std::isfinite(*value)) {
    out += "null";
  } else if (kind == Kind::flag) {
    out += *value != 0 ? "true" : "false";
  } else if (kind == Kind::count) {
    out += std::to_string(static_cast<long long>(std::llround(*value)));
  } else {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, *value).ptr;
    out.append(text, end);
  }
}

void writeString(std::string& out, const std::string& text) {
  out += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
}

}  // namespace

std::vector<TheoryQuantity> theoryTable(const TheoryPrediction& p, const TheoryMeter* meter, bool runCutShort) {
  const Row row{p, meter, runCutShort};
  const BilingualText& notApplicable = p.notApplicableReason;
  const auto zero = p.applicable ? std::optional<double>(0) : std::nullopt;
  std::vector<TheoryQuantity> rows;

  switch (p.config) {
    case 1:
      rows.push_back(row.make("period", Kind::number, p.period, notApplicable,
                              [](const TheoryMeter& m) { return m.period(); }, Phrase::noGyration));
      rows.push_back(row.make("radius", Kind::number, p.radius, notApplicable,
                              [](const TheoryMeter& m) { return m.radius(); }, Phrase::noGyration));
      rows.push_back(row.make("pitch", Kind::number, p.pitch, notApplicable,
                              [](const TheoryMeter& m) { return m.advance(); }, Phrase::noGyration));
      break;
    case 2:
    case 3:
    case 5:
      rows.push_back(row.make("driftVelocity", Kind::number, p.driftVelocity, notApplicable,
                              [](const TheoryMeter& m) { return m.driftVelocity(); }, Phrase::noGyration));
      break;
    case 6:
      rows.push_back(row.make("poincareSpread", Kind::number, zero, notApplicable,
                              [](const TheoryMeter& m) { return m.poincareSpread(); }, Phrase::noStep));
      rows.push_back(row.make("coneAngleDeg", Kind::number, p.coneAngleDeg, notApplicable,
                              [](const TheoryMeter& m) { return m.coneAngleDeg(); }, Phrase::noStep));
      break;
    default:
      break;
  }

  rows.push_back(row.make("muSpread", Kind::number, zero, notApplicable,
                          [](const TheoryMeter& m) { return m.muSpread(); }, Phrase::fewerThanTwoGyrations));

  if (p.config == 4 || p.config == 7) {
    rows.push_back(row.make("turningField", Kind::number, p.turningField,
                            p.applicable ? phrase(Phrase::alongTheField) : notApplicable,
                            [](const TheoryMeter& m) { return m.turningField(); }, Phrase::noReflection));
    rows.push_back(row.make("reflections", Kind::count, std::nullopt, phrase(Phrase::notPredictedCount),
                            [](const TheoryMeter& m) { return std::optional<double>(m.reflections()); },
                            Phrase::noReflection));
    const BilingualText noBounce =
        !p.applicable ? notApplicable : phrase(p.trapped.value_or(false) ? Phrase::alongTheField : Phrase::notTrapped);
    rows.push_back(row.make("bouncePeriod", Kind::number, p.bouncePeriod, noBounce,
                            [](const TheoryMeter& m) { return m.bouncePeriod(); }, Phrase::fewerThanThreeReflections));
    rows.push_back(row.make("trapped", Kind::flag, flag(p.trapped), notApplicable,
                            [](const TheoryMeter& m) { return flag(m.trapped()); }, Phrase::neitherEnd));
  }
  return rows;
}

std::string theoryJson(const std::vector<TheoryQuantity>& table) {
  std::string out = "{";
  for (const TheoryQuantity& q : table) {
    if (out.size() > 1) out += ", ";
    writeString(out, q.key);
    out += ": {\"predicted\": ";
    writeValue(out, q.predicted, q.kind);
    out += ", \"measured\": ";
    writeValue(out, q.measured, q.kind);
    out += ", \"holds\": ";
    if (const char* holds = holdsKey(q.holds)) writeString(out, holds);
    else out += "null";
    out += ", \"why\": ";
    writeString(out, q.why.english);
    out += '}';
  }
  return out + "}";
}

}  // namespace larmor
