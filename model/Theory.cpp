#include "model/Theory.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace larmor {

namespace {

using Kind = TheoryQuantity::Kind;

constexpr const char* noRun = "расчёт траектории ещё не выполнен";
constexpr const char* noGyration = "нет ни одного полного оборота";
constexpr const char* cutShort = "; расчёт прерван до конца";

std::string percentText(double ratio) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2g", 100 * ratio);
  return text;
}

// Fills the measured side, the reason when it is missing and the relative difference.
struct Row {
  TheoryQuantity q;
  Row(const char* key, const char* name, const char* unit, Kind kind, std::string explanation) {
    q.key = key, q.name = name, q.unit = unit, q.kind = kind, q.explanation = std::move(explanation);
  }
  Row& predict(std::optional<double> value, const std::string& reason) {
    q.predicted = value;
    if (!value) q.notPredictedReason = reason;
    return *this;
  }
  Row& measure(const TheoryMeter* meter, std::optional<double> value, const char* reason, bool runCutShort) {
    q.measured = value;
    if (!meter) q.notMeasuredReason = noRun;
    else if (!value) q.notMeasuredReason = std::string(reason) + (runCutShort ? cutShort : "");
    return *this;
  }
  TheoryQuantity done(bool holds) {
    q.approximationHolds = holds;
    if (holds && q.predicted && q.measured && *q.predicted != 0 && q.kind == Kind::number)
      q.relativeDifference = (*q.measured - *q.predicted) / std::fabs(*q.predicted);
    return q;
  }
};

std::optional<double> flag(std::optional<bool> b) {
  if (!b) return std::nullopt;
  return *b ? 1.0 : 0.0;
}

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

}  // namespace

std::vector<TheoryQuantity> theoryTable(const TheoryPrediction& p, const TheoryMeter* meter, bool runCutShort) {
  const TheoryMeter* m = meter;
  const auto measured = [m](auto getter) -> std::optional<double> {
    if (!m) return std::nullopt;
    return getter(*m);
  };
  const std::string notApplicable = p.notApplicableReason;
  const bool holds = p.validity.holds;
  // Said after a gyration-centre formula: the ratio it rests on, and the verdict.
  const std::string larmorNote =
      p.applicable ? (holds ? "; здесь rL/L = " + percentText(p.validity.ratio) + " %"
                            : "; здесь rL/L = " + percentText(p.validity.ratio) +
                                  " % — больше 5 %: приближение ведущего центра не выполняется, "
                                  "сравнение не проводится")
                   : "";
  std::vector<TheoryQuantity> rows;

  switch (p.config) {
    case 1:
      rows.push_back(Row("period", "Период T", "с", Kind::number,
                         "T = 2π/|ω|, ω = qBo/m; измерено: время между возвратами направления поперечной "
                         "скорости, в среднем по целым оборотам; точно в однородном поле")
                         .predict(p.period, notApplicable)
                         .measure(m, measured([](const TheoryMeter& x) { return x.period(); }), noGyration,
                                  runCutShort)
                         .done(true));
      rows.push_back(Row("radius", "Радиус R", "м", Kind::number,
                         "R = v⊥/|ω|; измерено: четверть суммы размахов по x и y за целые обороты")
                         .predict(p.radius, notApplicable)
                         .measure(m, measured([](const TheoryMeter& x) { return x.radius(); }), noGyration,
                                  runCutShort)
                         .done(true));
      rows.push_back(Row("pitch", "Шаг H", "м", Kind::number,
                         "H = T·v∥; измерено: смещение вдоль z за один оборот, в среднем по целым оборотам")
                         .predict(p.pitch, notApplicable)
                         .measure(m, measured([](const TheoryMeter& x) { return x.advance(); }), noGyration,
                                  runCutShort)
                         .done(true));
      break;
    case 2:
    case 3:
    case 5: {
      const char* explanation =
          p.config == 5 ? "центробежный дрейф v = m·v∥²/(qB)·(Rc × B)/(Rc²·B) вдоль z, Rc — радиус силовой "
                          "линии (|B| постоянен, градиентного дрейфа нет); верно при rL ≪ Rc"
          : p.config == 2 ? "градиентный дрейф v = m·v⊥²/(2qB)·(B × ∇B)/B² в ведущем центре, вдоль y; "
                            "верно при rL ≪ S"
                          : "градиентный дрейф v = m·v⊥²/(2qB)·(B × ∇B)/B² в ведущем центре, по азимуту φ; "
                            "верно при rL ≪ S";
      rows.push_back(Row("driftVelocity", "Скорость дрейфа", "м/с", Kind::number, explanation + larmorNote)
                         .predict(p.driftVelocity, notApplicable)
                         .measure(m, measured([](const TheoryMeter& x) { return x.driftVelocity(); }), noGyration,
                                  runCutShort)
                         .done(holds));
      break;
    }
    case 6:
      rows.push_back(Row("poincareSpread", "Разброс вектора J", "", Kind::number,
                         "J = m·r × v − q·Bo·S²·r/|r| сохраняется точно (прогноз 0); измерено: "
                         "max|J − J(0)|/|J(0)| за расчёт")
                         .predict(p.applicable ? std::optional<double>(0) : std::nullopt, notApplicable)
                         .measure(m, measured([](const TheoryMeter& x) { return x.poincareSpread(); }),
                                  "нет ни одного шага расчёта", runCutShort)
                         .done(true));
      rows.push_back(Row("coneAngleDeg", "Угол конуса", "°", Kind::number,
                         "частица движется по конусу с осью J: cos θ = −q·Bo·S²/|J| (точно); измерено: "
                         "средний угол между r и J(0)")
                         .predict(p.coneAngleDeg, notApplicable)
                         .measure(m, measured([](const TheoryMeter& x) { return x.coneAngleDeg(); }),
                                  "нет ни одного шага расчёта", runCutShort)
                         .done(true));
      break;
    default:
      break;
  }

  rows.push_back(Row("muSpread", "Разброс μ", "", Kind::number,
                     "μ = m·v⊥²/(2|B|) — адиабатический инвариант (прогноз 0); измерено: (max − min)/среднее "
                     "для μ, усреднённого за каждый оборот" + larmorNote)
                     .predict(p.applicable ? std::optional<double>(0) : std::nullopt, notApplicable)
                     .measure(m, measured([](const TheoryMeter& x) { return x.muSpread(); }),
                              "меньше двух полных оборотов", runCutShort)
                     .done(holds));

  if (p.config == 4 || p.config == 7) {
    const std::string along = p.applicable && !p.turningField ? "скорость вдоль поля: точки поворота нет"
                                                              : notApplicable;
    rows.push_back(Row("turningField", "Поле поворота", "Тл", Kind::number,
                       "B_пов = |B|/sin²(питч-угол) на старте, |B| в ведущем центре, из сохранения μ; измерено: |B| в "
                       "ведущем центре там, где v∥ меняет знак" + larmorNote)
                       .predict(p.turningField, along)
                       .measure(m, measured([](const TheoryMeter& x) { return x.turningField(); }),
                                "частица ни разу не отразилась", runCutShort)
                       .done(holds));
    rows.push_back(Row("reflections", "Число отражений", "", Kind::count,
                       "смены знака v∥ (с порогом 5 % от v, чтобы не считать дрожание внутри оборота)")
                       .predict(std::nullopt, "не предсказывается: зависит от длины расчёта")
                       .measure(m, measured([](const TheoryMeter& x) { return std::optional<double>(x.reflections()); }),
                                "", runCutShort)
                       .done(holds));
    rows.push_back(Row("bouncePeriod", "Период колебаний", "с", Kind::number,
                       "время между отражениями у одного и того же края, в среднем")
                       .predict(std::nullopt, "не предсказывается")
                       .measure(m, measured([](const TheoryMeter& x) { return x.bouncePeriod(); }),
                                "меньше трёх отражений: нет двух отражений у одного края", runCutShort)
                       .done(holds));
    rows.push_back(Row("trapped", "Частица удержана", "", Kind::flag,
                       "удержана, если B_пов меньше меньшего из двух максимумов |B| вдоль силовой линии через "
                       "ведущий центр (|z| ≤ |d| + 3S); измерено: отражения у обоих краёв или выход за |z| = |d| + 3S" +
                           larmorNote)
                       .predict(flag(p.trapped), notApplicable)
                       .measure(m, m ? flag(m->trapped()) : std::nullopt,
                                "за время расчёта частица не отразилась у обоих краёв и не покинула ловушку",
                                runCutShort)
                       .done(holds));
  }
  return rows;
}

std::string theoryJson(const std::vector<TheoryQuantity>& table) {
  std::string out = "{";
  for (const TheoryQuantity& q : table) {
    if (out.size() > 1) out += ", ";
    out += '"';
    out += q.key;
    out += "\": {\"predicted\": ";
    writeValue(out, q.predicted, q.kind);
    out += ", \"measured\": ";
    writeValue(out, q.measured, q.kind);
    out += '}';
  }
  return out + "}";
}

}  // namespace larmor
