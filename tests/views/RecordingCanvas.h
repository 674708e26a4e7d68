#pragma once

#include "views/Canvas.h"

#include <cmath>
#include <string>
#include <vector>

namespace larmor::test {

// Notes every call in order and draws nothing. The marker is 0.25 × 0.5 view units so that
// its placement can be checked by hand.
class RecordingCanvas : public Canvas {
public:
  enum class Kind { Line, LineTo, Dot, Circle, Print, Clear, MoveMarker };
  struct Call {
    Kind kind;
    float u1 = 0, w1 = 0, u2 = 0, w2 = 0, r = 0;  // LineTo: (u1, w1) is the current point it starts at
    Colour colour = 0;
    std::string text;
  };
  std::vector<Call> calls;
  int nonFinite = 0;  // coordinates handed over that are not finite

  void setMapping(const ViewMapping& m) override { m_mapping = m; }
  const ViewMapping& mapping() const override { return m_mapping; }
  void line(float u1, float w1, float u2, float w2, Colour c) override { add(Kind::Line, u1, w1, u2, w2, 0, c); }
  void lineTo(float u, float w, Colour c) override { add(Kind::LineTo, m_u, m_w, u, w, 0, c); }
  void dot(float u, float w) override { add(Kind::Dot, u, w, u, w); }
  void circle(float u, float w, float r, Colour c) override { add(Kind::Circle, u, w, m_u, m_w, r, c); }
  void print(std::string_view text) override { add(Kind::Print, m_u, m_w, m_u, m_w, 0, 0, text); }
  void clear() override { add(Kind::Clear, 0, 0, m_u, m_w); }
  void setMarkerColour(Colour) override {}
  float markerWidth() const override { return 0.25f; }
  float markerHeight() const override { return 0.5f; }
  void moveMarker(float left, float top) override { add(Kind::MoveMarker, left, top, m_u, m_w); }

  std::vector<Call> of(Kind kind, Colour colour = colours::field) const {
    std::vector<Call> out;
    for (const Call& c : calls)
      if (c.kind == kind && c.colour == colour) out.push_back(c);
    return out;
  }

private:
  void add(Kind kind, float u1, float w1, float u2, float w2, float r = 0, Colour c = 0, std::string_view text = {}) {
    for (float v : {u1, w1, u2, w2, r}) nonFinite += std::isfinite(v) ? 0 : 1;
    calls.push_back({kind, u1, w1, u2, w2, r, c, std::string(text)});
    m_u = u2, m_w = w2;  // only lines and dots move the current point
  }
  ViewMapping m_mapping;
  float m_u = 0, m_w = 0;
};

}  // namespace larmor::test
