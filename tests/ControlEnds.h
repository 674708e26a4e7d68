#pragma once
// The ends of every bar and of the list that files and options name, written out by hand
// from the window's design: each layer is checked against these, never against the control
// table it reads. A value is as a user writes it; "below" and "above" lie one step beyond.
namespace larmor::test {

struct ControlEnd {
  const char* key;
  const char *lowest, *highest, *below, *above;
  int lowestPosition, highestPosition;  // the bar's (the list's: the structure's number)
};

inline constexpr ControlEnd controlEnds[] = {
    {"config", "1", "7", "0", "8", 1, 7},
    {"charge", "-5", "5", "-6", "6", -5, 5},
    {"mass", "0", "10", "-1", "11", 0, 10},
    {"speed", "1", "30000", "0", "30001", 1, 30000},
    {"alpha", "0", "180", "-1", "181", 0, 180},
    {"beta", "-180", "180", "-181", "181", -180, 180},
    {"field", "0", "0.0015", "-5e-08", "0.00150005", 0, 30000},
    {"region", "1", "10", "0", "11", 1, 10},
    {"x0", "-5", "5", "-5.1", "5.1", -50, 50},
    {"y0", "-5", "5", "-5.1", "5.1", -50, 50},
    {"z0", "-10", "10", "-10.1", "10.1", -100, 100},
    {"slowdown", "0", "10", "-1", "11", 0, 10},
};

}  // namespace larmor::test
