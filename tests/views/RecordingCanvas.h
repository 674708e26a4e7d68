#pragma once

#include "views/Canvas.h"

#include <cmath>
#include <string>
#include <vector>

namespace larmor::test {

// Notes every call in order; nothing is drawn. The marker is a quarter metre square in
// view units so that its placement can be checked by hand.
class RecordingCanvas : public Canvas {
public:
  enum class Kind { Line, LineTo, Dot, Circle, Print, Clear, MarkerColour, MoveMarker };
  struct Call {
    Kind kind;
    float u1 = 0, w1 = 0, u2 = 0, w2 = 0;  // LineTo: (u1, w1) is the current point it starts at
    float r = 0;
    Colour colour = 0;
    std::string text;
  };

  std::vector<Call> calls;
  int nonFinite = 0;  // coordinates handed over that are not finite

  void setMapping(const ViewMapping& m) override { m_mapping = m; }
  const ViewMapping& mapping() const override { return m_mapping; }
  void line(float u1, float w1, float u2, float w2, Colour c) override {
    check({u1, w1, u2, w2});
    calls.push_back({Kind::Line, u1, w1, u2, w2, 0, c, {}});
    m_u = u2, m_w = w2;
  }
  void lineTo(float u, float w, Colour c) override {
    check({u, w});
    calls.push_back({Kind::LineTo, m_u, m_w, u, w, 0, c, {}});
    m_u = u, m_w = w;
  }
  void dot(float u, float w) override {
    check({u, w});
    calls.push_back({Kind::Dot, u, w, u, w, 0, 0, {}});
    m_u = u, m_w = w;
  }
  void circle(float u, float w, float r, Colour c) override {
    check({u, w, r});
    calls.push_back({Kind::Circle, u, w, u, w, r, c, {}});
  }
  void print(std::string_view text) override {
    calls.push_back({Kind::Print, m_u, m_w, m_u, m_w, 0, 0, std::string(text)});
  }
  void clear() override { calls.push_back({Kind::Clear}); }
  void setMarkerColour(Colour c) override {
    markerColour = c;
    calls.push_back({Kind::MarkerColour, 0, 0, 0, 0, 0, c, {}});
  }
  float markerWidth() const override { return 0.25f; }
  float markerHeight() const override { return 0.5f; }
  void moveMarker(float left, float top) override {
    check({left, top});
    markerLeft = left, markerTop = top, markerMoves++;
    calls.push_back({Kind::MoveMarker, left, top, left, top, 0, 0, {}});
  }

  std::vector<Call> of(Kind kind, Colour colour) const {
    std::vector<Call> out;
    for (const Call& c : calls)
      if (c.kind == kind && c.colour == colour) out.push_back(c);
    return out;
  }

  Colour markerColour = 0;
  float markerLeft = -99, markerTop = -99;
  int markerMoves = 0;

private:
  void check(std::initializer_list<float> values) {
    for (float v : values)
      if (!std::isfinite(v)) ++nonFinite;
  }
  ViewMapping m_mapping;
  float m_u = 0, m_w = 0;
};

}  // namespace larmor::test
