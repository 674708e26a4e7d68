#pragma once

#include "model/FieldConfig.h"
#include "model/SimulationState.h"
#include "panel/ControlPanel.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace larmor {

// A figure of the help documents, named in their Markdown as an image address:
//   larmor:field?config=4              the field structure as the window draws it
//   larmor:run?config=2&periods=10     the same with the trajectory of a run
//   larmor:speed-error?config=1&periods=2000
//                                      the speed error dV against time of the RK4 run and
//                                      of the Boris run from the same start
//   larmor:theory?config=2&periods=10  the run with what the guiding-centre theory
//                                      predicts for its start drawn over it, and the
//                                      prediction against the measurement below
//   larmor:space?config=4              the run's path in space as the 3-D view shows it
//                                      from its start view
// The settings are the keys of the control table (charge, field, x0, S, periods, …) with
// values it accepts. After the configuration is selected (with the start point and S the
// window sets for it), they are applied in the order written, each as its control would.
struct FigureRequest {
  enum class Kind { Field, Run, SpeedError, Theory, Space };
  Kind kind = Kind::Field;
  FieldConfig config = 1;
  std::vector<std::pair<QString, QString>> settings;  // key, value as written
};

// The longest run a figure may ask for [periods]: figures are drawn at build time. A
// speed-error figure draws no trail, so its runs may be longer.
inline constexpr double maxFigurePeriods = 1000, maxSpeedErrorPeriods = 5000;

// Parses a figure address; an unknown kind, key or an unfit value is an error, so a
// typing mistake in a document stops the build instead of silently dropping a figure.
std::optional<FigureRequest> parseFigureUrl(const QString& url, QString* error = nullptr);

// The panel the figure's settings leave, quantities computed; its start button makes the
// figure's run.
ControlPanel figurePanel(const FigureRequest& request);
// The simulation state the figure shows, quantities computed.
SimulationState figureState(const FigureRequest& request);

// The charge bar's position the settings leave (1 unless set): it colours the trail.
int figureChargePosition(const FigureRequest& request);

}  // namespace larmor
