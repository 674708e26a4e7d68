#include "model/TheoryTexts.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace larmor {

namespace {

const std::vector<QuantityText> quantities = {
    {"period", "1", "Период T", "с", "s",
     {"T = 2π/|ω|, ω = qBo/m; измерено: время между возвратами направления поперечной скорости, в среднем по "
      "целым оборотам; точно в однородном поле",
      "T = 2*pi/|omega|, omega = q*Bo/m; measured: the time at the end of the last whole gyration over the number "
      "of whole gyrations; exact in a uniform field"}},
    {"radius", "1", "Радиус R", "м", "m",
     {"R = v⊥/|ω|; измерено: четверть суммы размахов по x и y за целые обороты",
      "R = v_perp/|omega|; measured: a quarter of the x and y extents summed over whole gyrations"}},
    {"pitch", "1", "Шаг H", "м", "m",
     {"H = T·v∥; измерено: смещение вдоль z за один оборот, в среднем по целым оборотам",
      "H = T*v_par, signed along z; measured: the z advance per whole gyration"}},
    {"driftVelocity", "2", "Скорость дрейфа", "м/с", "m/s",
     {"градиентный дрейф v = m·v⊥²/(2qB)·(B × ∇B)/B² в ведущем центре, вдоль y; измерено: смещение ведущего "
      "центра за целые обороты, делённое на их время",
      "the gradient drift m*v_perp^2/(2qB)*(B x grad B)/B^2 at the guiding centre, along +y; measured: the "
      "guiding centre's displacement over whole gyrations over their time"}},
    {"driftVelocity", "3", "Скорость дрейфа", "м/с", "m/s",
     {"градиентный дрейф v = m·v⊥²/(2qB)·(B × ∇B)/B² в ведущем центре, по азимуту φ; измерено: поворот ведущего "
      "центра вокруг OZ, умноженный на его расстояние до оси, за целые обороты, делённый на их время",
      "the gradient drift m*v_perp^2/(2qB)*(B x grad B)/B^2 at the guiding centre, along the azimuth phi about "
      "OZ; measured: the guiding centre's turn about OZ times its distance from the axis, over whole gyrations "
      "over their time"}},
    {"driftVelocity", "5", "Скорость дрейфа", "м/с", "m/s",
     {"центробежный дрейф v = m·v∥²/(qB)·(Rc × B)/(Rc²·B) вдоль z, Rc — радиус силовой линии (|B| постоянен, "
      "градиентного дрейфа нет), v∥ в ведущем центре из сохранения m·ρ·vφ; измерено: смещение ведущего центра "
      "вдоль z за целые обороты, делённое на их время",
      "the curvature drift m*v_par^2/(qB)*(Rc x B)/(Rc^2*B) along +z, Rc the field line's radius (|B| is "
      "constant: no gradient drift), v_par at the guiding centre from the conserved m*rho*v_phi; measured: the "
      "guiding centre's z displacement over whole gyrations over their time"}},
    {"poincareSpread", "6", "Разброс вектора J", "", "",
     {"J = m·r × v − q·Bo·S²·r/|r| сохраняется точно (прогноз 0); измерено: max|J − J(0)|/|J(0)| за расчёт",
      "J = m*r x v - q*Bo*S^2*r/|r| is kept exactly (predicted 0); measured: max |J - J(0)|/|J(0)| over the run"}},
    {"coneAngleDeg", "6", "Угол конуса", "°", "deg",
     {"частица движется по конусу с осью J: cos θ = −q·Bo·S²/|J| (точно); измерено: средний угол между r и J(0)",
      "the particle moves on a cone about J: cos(theta) = -q*Bo*S^2/|J| (exact); measured: the mean angle "
      "between r and J(0)"}},
    {"muSpread", "1-7", "Разброс μ", "", "",
     {"μ = m·v⊥²/(2|B|) — адиабатический инвариант (прогноз 0); измерено: (max − min)/среднее для μ, "
      "усреднённого за каждый оборот (нужно два оборота)",
      "mu = m*v_perp^2/(2|B|) is an adiabatic invariant (predicted 0); measured: (max - min)/mean of mu averaged "
      "over each whole gyration (two gyrations at least)"}},
    {"turningField", "4, 7", "Поле поворота", "Тл", "T",
     {"B_пов = |B|/sin²(питч-угол) на старте, |B| в ведущем центре, из сохранения μ; измерено: |B| в ведущем "
      "центре там, где v∥ меняет знак, в среднем",
      "|B|/sin^2(start pitch angle), |B| at the start's guiding centre, from mu conserved; measured: the mean |B| "
      "at the guiding centre where v_par turns"}},
    {"reflections", "4, 7", "Число отражений", "", "",
     {"смены знака v∥ (с порогом 5 % от v, чтобы не считать дрожание внутри оборота)",
      "measured only: sign changes of v_par = v.B/|B| from beyond +5 % of v to beyond -5 % (or back)"}},
    {"bouncePeriod", "4, 7", "Период колебаний", "с", "s",
     {"T_б = ∮ ds/v∥ вдоль силовой линии ведущего центра между точками поворота, v∥ = v·√(1 − |B|/B_пов); "
      "измерено: время между отражениями у одного и того же края, в среднем",
      "the bounce integral 2*int ds/v_par along the guiding centre's field line between the turning points, "
      "v_par = v*sqrt(1 - |B|/B_turn); measured: the mean time between reflections at the same end"}},
    {"trapped", "4, 7", "Частица удержана", "", "",
     {"удержана, если B_пов меньше наибольшего |B| на силовой линии ведущего центра в обе стороны (за "
      "катушками линия прижимается к оси, и |B| растёт до своего предела); измерено: «да» после отражений у "
      "обоих краёв, где бы они ни были, «нет», когда частица ушла туда, где |B| на её линии почти не растёт",
      "true when B_turn lies below the largest |B| on the guiding centre's field line both ways (past the coils "
      "the line closes on the axis and |B| rises to its limit); measured: true after reflections at both ends, "
      "however far out, false once the particle has passed where |B| on its line stops rising"}},
};

struct PhraseText {
  Phrase which;
  const char* russian;
  const char* english;
};

const PhraseText phrases[] = {
    {Phrase::noRun, "расчёт траектории ещё не выполнен", "no run yet"},
    {Phrase::noGyration, "нет ни одного полного оборота", "no whole gyration"},
    {Phrase::cutShort, "; расчёт прерван до конца", "; the run was cut short"},
    {Phrase::noStep, "нет ни одного шага расчёта", "no step made"},
    {Phrase::fewerThanTwoGyrations, "меньше двух полных оборотов", "fewer than two whole gyrations"},
    {Phrase::noReflection, "частица ни разу не отразилась", "no reflection"},
    {Phrase::fewerThanThreeReflections, "меньше трёх отражений: нет двух отражений у одного края",
     "fewer than three reflections: no two at the same end"},
    {Phrase::neitherEnd, "за время расчёта частица не отразилась у обоих краёв и не ушла за пределы роста поля",
     "the particle neither turned back at both ends nor got past where the field stops rising"},
    {Phrase::notTrapped, "частица не удержана: колебаний нет", "not trapped: no bounce"},
    {Phrase::alongTheField, "скорость вдоль поля: точки поворота нет", "velocity along the field: no turning point"},
    {Phrase::notPredictedCount, "не предсказывается: зависит от длины расчёта",
     "not predicted: depends on the run's length"},
    {Phrase::noCharge, "нет заряда — нет вращения, теория ведущего центра неприменима",
     "no charge, no gyration: the guiding-centre theory does not apply"},
    {Phrase::noFieldAtStart, "в точке старта нет поля — нет вращения, теория неприменима",
     "no field at the start, no gyration: the theory does not apply"},
    {Phrase::exactUniform, "точно: поле однородно", "exact: the field is uniform"},
    {Phrase::exactMonopole, "точно: J сохраняется в поле монополя при любом rL/r (здесь %1)",
     "exact: J is conserved in the monopole's field whatever rL/r (here %1)"},
    {Phrase::exactMonopoleMu,
     "точно: |r × v| постоянен, поэтому μ = m·|r × v|²/(2·Bo·S²) при любом rL/r (здесь %1)",
     "exact: |r x v| is constant, so mu = m*|r x v|^2/(2*Bo*S^2) whatever rL/r (here %1)"},
    {Phrase::exactOnAverage,
     "точно в среднем за оборот: поле не меняется вдоль двух направлений, поэтому движение поперёк силовой "
     "линии повторяется с каждым оборотом",
     "exact over a gyration: the field does not change along two directions, so the motion across the field "
     "line repeats every gyration"},
    {Phrase::planeDrift, "rL/S = %1: отброшенные члены порядка (rL/S)² = %2",
     "rL/S = %1: the terms left out are of order (rL/S)^2 = %2"},
    {Phrase::axialDrift,
     "rL/S = %1, rL/ρц = %2 (ρц — расстояние ведущего центра от оси): отброшенные члены порядка %3",
     "rL/S = %1, rL/rho_gc = %2 (rho_gc the guiding centre's distance from the axis): the terms left out are of "
     "order %3"},
    {Phrase::encirclesAxis,
     "rL/ρц = %1: окружность задевает ось OZ, и ∇B поворачивается за один оборот — ведущего центра нет",
     "rL/rho_gc = %1: the gyration reaches the OZ axis and grad B turns within one gyration: there is no guiding "
     "centre"},
    {Phrase::centrifugalDrift,
     "rL/Rc = %1, v∥/(|ω|·Rc) = %2: первая поправка 3·(r∥² − rL²)/Rc² = %3",
     "rL/Rc = %1, v_par/(|omega|*Rc) = %2: the first correction 3*(r_par^2 - rL^2)/Rc^2 is %3"},
    {Phrase::adiabaticS, "rL/S = %1: μ сохраняется с точностью порядка rL/S",
     "rL/S = %1: mu is kept to order rL/S"},
    {Phrase::trapLine,
     "rL/L = %1 на пути вдоль силовой линии (L — меньшее из ρ и |B|/|dB/ds|): μ и всё, что из него следует, "
     "верны с точностью порядка rL/L",
     "rL/L = %1 along the field line (L the smaller of rho and |B|/|dB/ds|): mu and what follows from it hold to "
     "order rL/L"},
    {Phrase::lossConeEdge, "; B_пов отличается от наибольшего |B| на линии всего на %1: край конуса потерь",
     "; B_turn is only %1 away from the largest |B| on the line: the edge of the loss cone"},
    {Phrase::bounceSensitive,
     "; |B| у точек поворота растёт медленно: сдвиг B_пов на rL/L меняет период колебаний на %1",
     "; |B| rises slowly near the turning points: moving B_turn by rL/L changes the bounce period by %1"},
    {Phrase::reflectionsCount, "не предсказывается: число отражений зависит от длины расчёта",
     "not predicted: the count depends on the run's length"},
    {Phrase::numericalError,
     "; но собственная ошибка расчёта не меньше расхождения: скорость изменилась до %1 (dV), расхождение %2 — "
     "это ошибка численного метода, а не теории; метод Бориса сохраняет скорость",
     "; but the run's own error is as large as the difference: the speed changed by up to %1 (dV) against a "
     "difference of %2, so it is the integrator's error, not the theory's; the Boris method keeps the speed"},
    {Phrase::numericalShare,
     "; собственная ошибка расчёта сравнима с расхождением: скорость изменилась до %1 (dV), расхождение %2; "
     "метод Бориса сохраняет скорость",
     "; the run's own error is comparable to the difference: the speed changed by up to %1 (dV) against a "
     "difference of %2; the Boris method keeps the speed"},
};

std::string fill(const char* text, std::initializer_list<double> fractions, Language language) {
  std::string out = text;
  int index = 1;
  for (const double fraction : fractions) {
    const std::string mark = "%" + std::to_string(index++);
    const std::size_t at = out.find(mark);
    if (at != std::string::npos) out.replace(at, mark.size(), percentText(fraction, language));
  }
  return out;
}

}  // namespace

const std::vector<QuantityText>& quantityTexts() { return quantities; }

const QuantityText& quantityText(std::string_view key, int config) {
  const char digit = static_cast<char>('0' + config);
  for (const QuantityText& q : quantities)
    if (key == q.key && (std::string_view(q.structures) == "1-7" || std::string_view(q.structures).find(digit) != std::string_view::npos))
      return q;
  throw std::out_of_range(std::string(key));
}

std::string percentText(double fraction, Language language) {
  char text[32];
  const double percent = 100 * fraction;
  std::snprintf(text, sizeof text, std::fabs(percent) >= 100 ? "%.0f %%" : "%.2g %%", percent);
  std::string out = text;
  if (language == Language::Russian)
    for (char& c : out)
      if (c == '.') c = ',';
  return out;
}

BilingualText phrase(Phrase which, std::initializer_list<double> fractions) {
  for (const PhraseText& p : phrases)
    if (p.which == which) return {fill(p.russian, fractions, Language::Russian), fill(p.english, fractions, Language::English)};
  return {};
}

const char* quantityNameEnglish(std::string_view key) {
  static constexpr struct {
    std::string_view key;
    const char* name;
  } names[] = {
      {"period", "Period T"}, {"radius", "Radius R"}, {"pitch", "Pitch H"},
      {"driftVelocity", "Drift velocity"}, {"poincareSpread", "Spread of vector J"},
      {"coneAngleDeg", "Cone angle"}, {"muSpread", "Spread of μ"},
      {"turningField", "Turning field"}, {"reflections", "Number of reflections"},
      {"bouncePeriod", "Bounce period"}, {"trapped", "Particle trapped"},
  };
  for (const auto& n : names)
    if (n.key == key) return n.name;
  return key.data();
}

const char* quantityUnitEnglish(std::string_view key) {
  for (const QuantityText& text : quantityTexts())
    if (text.key == key) return std::string_view(text.unitEnglish) == "deg" ? "°" : text.unitEnglish;
  return "";
}

}  // namespace larmor
