#pragma once
// The diagnostics window's one style of numbers: its plots' axes, its read-outs and its
// theory table all write numbers this way. (The CSV export does not: it stays machine-
// readable, with the point and the shortest text that reads back exactly.)
#include <QString>
#include <QVector>

namespace larmor {

// The decimal separator of the main window's results: the one of the regional settings,
// or the point where that is not a single ASCII character.
char resultDecimalSeparator();

// A number with `digits` significant digits and the separator above: fixed point from 10⁻³
// up to 10⁵ ("83,00012", "0,01234", "4526"), a mantissa times a power of ten beyond
// ("1,302·10⁻⁴"). 0 is "0"; a value that is not finite is a dash.
QString diagnosticNumber(double value, int digits);

// The labels of one axis' ticks (ascending, evenly spaced), all in the form its largest
// tick takes, each with the decimals the step between ticks needs, so that neighbours
// always differ.
QVector<QString> tickLabels(const QVector<double>& ticks);

}  // namespace larmor
