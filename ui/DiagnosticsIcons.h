#pragma once
// The icons of the diagnostics menu's items, drawn in code at every size a menu asks for.
#include <QIcon>

namespace larmor {

// A small plot: the item that opens the diagnostics window.
QIcon diagnosticsPlotIcon();
// A velocity turning about the field, with a check mark when the item is checked: the
// Boris method.
QIcon borisMethodIcon();
// Many particles leaving one point, most turned back, a few escaping: the ensemble.
QIcon ensembleIcon();
// A helix beside three axes: the path in space.
QIcon orbitViewIcon();

}  // namespace larmor
