#include "docgen/TheoryFigure.h"

#include "model/Constants.h"
#include "model/FieldVector.h"
#include "model/SimulationState.h"
#include "model/TheoryPath.h"
#include "model/TheoryTexts.h"
#include "model/TheoryVerdict.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace larmor {

namespace {

Vec3 unit(const Vec3& a) {
  const double n = norm(a);
  return n > 0 ? (1 / n) * a : Vec3{};
}

// The generatrices of the cone about `axis` with half angle theta [rad] that bound its
// projection along `view` (where the cone's surface is seen edge on), as directions in
// that view's plane given by its u and w axes.
std::vector<QPointF> silhouette(const Vec3& axis, double theta, const Vec3& view, const Vec3& u, const Vec3& w) {
  // Two unit vectors across the axis.
  const Vec3 e1 = unit(std::fabs(axis.x) < 0.9 ? cross(axis, {1, 0, 0}) : cross(axis, {0, 1, 0}));
  const Vec3 e2 = cross(axis, e1);
  // Normal of the generatrix at psi: −sinθ·axis + cosθ·(cosψ·e1 + sinψ·e2); edge on where
  // it is across the view: a·cosψ + b·sinψ = c.
  const double a = std::cos(theta) * dot(e1, view), b = std::cos(theta) * dot(e2, view);
  const double c = std::sin(theta) * dot(axis, view), r = std::hypot(a, b);
  std::vector<QPointF> lines;
  if (!(r > 0) || std::fabs(c) > r) return lines;  // the view looks into the cone: no edge
  const double mid = std::atan2(b, a), spread = std::acos(c / r);
  for (const double psi : {mid - spread, mid + spread}) {
    const Vec3 g = std::cos(theta) * axis + std::sin(theta) * (std::cos(psi) * e1 + std::sin(psi) * e2);
    lines.emplace_back(dot(g, u), dot(g, w));
  }
  return lines;
}

// Three significant digits (two for a difference in per cent), the language's decimal sign.
QString significant(double value, int digits, Language language) {
  if (!std::isfinite(value)) return QStringLiteral("—");
  if (value == 0) return QStringLiteral("0");
  const QString scientific = QString::number(value, 'e', digits - 1);
  const qsizetype e = scientific.indexOf(QLatin1Char('e'));
  const int exponent = scientific.mid(e + 1).toInt();
  QString text;
  if (exponent >= -2 && exponent < 5) {
    text = QString::number(value, 'f', std::max(0, digits - 1 - exponent));
  } else {
    static const char16_t* superscripts = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    QString power;
    for (const QChar ch : QString::number(std::abs(exponent))) power += QChar(superscripts[ch.digitValue()]);
    text = scientific.left(e) + QStringLiteral("·10") + (exponent < 0 ? QStringLiteral("⁻") : QString()) + power;
  }
  if (language == Language::Russian) text.replace(QLatin1Char('.'), QLatin1Char(','));
  return text.replace(QLatin1Char('-'), QChar(0x2212));
}

QString rowText(const TheoryQuantity& q, Language language) {
  const bool english = language == Language::English;
  const QString unit = QString::fromUtf8(english ? quantityUnitEnglish(q.key) : q.unit);
  const auto valueText = [&](double v) {
    if (q.kind == TheoryQuantity::Kind::flag)
      return v != 0 ? (english ? QStringLiteral("yes") : QStringLiteral("да")) : (english ? QStringLiteral("no") : QStringLiteral("нет"));
    if (unit.isEmpty()) return numberText(v, language);
    return numberText(v, language) + (unit == QStringLiteral("°") ? QString() : QStringLiteral(" ")) + unit;
  };
  QString name = QString::fromUtf8(english ? quantityNameEnglish(q.key) : q.name);
  name[0] = name[0].toLower();  // "Период T" → "период T": the symbol keeps its case
  QString text = name + (english ? QStringLiteral(": theory ") : QStringLiteral(": теория "));
  text += q.predicted ? valueText(*q.predicted)
                      : QStringLiteral("— (%1)").arg(QString::fromStdString(q.notPredictedText.in(language)));
  text += english ? QStringLiteral(", run ") : QStringLiteral(", расчёт ");
  text += q.measured ? valueText(*q.measured)
                     : QStringLiteral("— (%1)").arg(QString::fromStdString(q.notMeasuredText.in(language)));
  if (q.relativeDifference)
    text += QStringLiteral(" (%1%2 %)")
                .arg(*q.relativeDifference > 0 ? QStringLiteral("+") : QString(),
                     significant(100 * *q.relativeDifference, 2, language));
  return text;
}

}  // namespace

QString numberText(double value, Language language) { return significant(value, 3, language); }

TheoryOverlay theoryOverlay(const SimulationState& start, const TheoryPrediction& prediction, double duration) {
  TheoryOverlay overlay;
  if (!prediction.applicable) return overlay;
  overlay.path = predictedGuidingCentrePath(start, prediction, duration);
  switch (prediction.config) {
    case 4:
    case 7:
      overlay.turningZ = prediction.turningZ;
      break;
    case 6:
      if (prediction.J && prediction.coneAngleDeg) {
        const Vec3 axis = unit(*prediction.J), x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
        const double theta = *prediction.coneAngleDeg * pi / 180;
        // X0Y: y to the right, x up, seen along z; X0Z: z to the right, x up, seen along y.
        overlay.xyGeneratrices = silhouette(axis, theta, z, y, x);
        overlay.xzGeneratrices = silhouette(axis, theta, y, z, x);
        // The axis on the cone's side: −J for an angle beyond 90°.
        const Vec3 inside = theta > pi / 2 ? -1.0 * axis : axis;
        overlay.xyAxis = QPointF(inside.y, inside.x);
        overlay.xzAxis = QPointF(inside.z, inside.x);
      }
      break;
    default:
      break;
  }
  return overlay;
}

QString theoryLegend(FieldConfig config, Language language) {
  const bool english = language == Language::English;
  switch (config) {
    case 4:
    case 7:
      return english ? QStringLiteral("turning points by the theory (|B| = Bturn)")
                     : QStringLiteral("точки поворота по теории (|B| = Bпов)");
    case 6:
      return english ? QStringLiteral("the cone by the theory (dashed: its axis)")
                     : QStringLiteral("конус по теории (штрихом — его ось)");
    default:
      return english ? QStringLiteral("guiding centre by the theory, a dot at the run's end")
                     : QStringLiteral("ведущий центр по теории, точка — в конце расчёта");
  }
}

QString theoryComparison(const TheoryPrediction& prediction, const std::vector<TheoryQuantity>& table,
                         Language language) {
  if (!prediction.applicable) return QString::fromStdString(prediction.notApplicableReason.in(language));
  std::vector<const char*> keys;
  switch (prediction.config) {
    case 1: keys = {"period", "radius", "pitch"}; break;
    case 4:
    case 7: keys = {"turningField", "trapped"}; break;
    case 6: keys = {"coneAngleDeg"}; break;
    default: keys = {"driftVelocity"}; break;
  }
  QStringList rows;
  const TheoryQuantity* first = nullptr;
  for (const char* key : keys)
    for (const TheoryQuantity& q : table)
      if (std::strcmp(q.key, key) == 0) {
        rows << rowText(q, language);
        if (!first) first = &q;
      }
  QString text = rows.join(QStringLiteral("; "));
  // The verdict of the table for the first of them, with its reason.
  if (first && first->holds != Holds::unknown)
    text += (language == Language::English ? QStringLiteral(". The table's verdict: %1 — %2")
                                           : QStringLiteral(". Вывод таблицы: %1 — %2"))
                .arg(QString::fromUtf8(holdsWord(first->holds, language)), QString::fromStdString(first->why.in(language)));
  return text;
}

}  // namespace larmor
