#pragma once

#include <cstdint>

namespace larmor {

// The window's run, read in one place. A run is idle or running; while it runs something
// may ask it to end after its current step; how the last one ended is kept for what comes
// after it (the exports and the diagnostics replay it, the theory table judges it).
class RunState {
public:
  // Why a running run is to end early, weakest first: a stronger request replaces a
  // weaker one, never the other way.
  enum class EndRequest {
    None,
    Stop,     // the user stopped it: it ends as a run does, with its tone, time and message
    Close,    // the exit was confirmed: the window closes once the run has ended
    Abandon,  // the window or the program is going away: nothing more is shown
  };

  bool running() const { return m_running; }
  EndRequest endRequest() const { return m_request; }
  // Steps of the run going on, or of the last one.
  std::int64_t steps() const { return m_steps; }
  // The last run stopped at its step limit or on a state no longer finite.
  bool cutShort() const { return m_cutShort; }

  void start() {
    m_running = true;
    m_request = EndRequest::None;
    m_steps = 0;
    m_cutShort = false;
  }
  void stepped(std::int64_t steps) { m_steps = steps; }
  void requestEnd(EndRequest request) {
    if (m_running && request > m_request) m_request = request;
  }
  void finish(bool cutShort) {
    m_running = false;
    m_cutShort = cutShort;
  }

private:
  bool m_running = false;
  EndRequest m_request = EndRequest::None;
  std::int64_t m_steps = 0;
  bool m_cutShort = false;
};

}  // namespace larmor
