#include "effects/pendulum.h"

#include <cmath>

#include "common/rounding.h"

namespace velkaro {
namespace {

// A spring's pull on the point towards its anchor: dx, dy lead from the
// point to the anchor and distance is their length. A slack spring (or a
// point exactly on its anchor, distance 0) pulls with 0, not with 0 / 0.
struct SpringPull {
  double x = 0;
  double y = 0;
};

SpringPull Pull(float dx, float dy, double distance, float rest_length, float stiffness) {
  const double force = distance > rest_length ? (distance - rest_length) * stiffness : 0.0;
  if (force == 0) return {};
  return {dx / distance * force, dy / distance * force};
}

// The model's point in screen pixels: 50 pixels a unit, y pointing down.
void PlacePoint(Engine& e) {
  e.PendX = nearest_as<std::int16_t>(e.PendPX * 50 + e.PendCX).value_or(e.PendX);
  e.PendY = nearest_as<std::int16_t>(e.PendCY - e.PendPY * 50).value_or(e.PendY);
}

}  // namespace

void InitPendulum(Engine& e, std::uint32_t seconds_since_midnight) {
  e.PendCX = std::int16_t(Engine::W / 2);
  e.PendCY = std::int16_t(Engine::H / 2);
  e.AnchorA = 1.0f;
  e.AnchorB = -1.0f;
  e.SpringKB = 1.0f;
  e.SpringKA = 1.0f;
  e.SpringLen = 0.2f;
  e.AnimStep = 0.02f;
  e.PendMass = 1.0f;
  e.rng.reseed(seconds_since_midnight);
  // Each value is 0..20 with a random sign, then tenths: -2.0 .. 2.0.
  const auto signed_tenths = [&e] {
    float value = std::floor(e.rng.next() * 21);
    if (e.rng.next_below(2) == 0) value = -value;
    return value;
  };
  e.PendPX = signed_tenths();
  e.PendPY = signed_tenths();
  e.PendVX = signed_tenths();
  e.PendVY = signed_tenths();
  e.PendPX = e.PendPX / 10;
  e.PendPY = e.PendPY / 10;
  e.PendVX = e.PendVX / 10;
  e.PendVY = e.PendVY / 10;
  PlacePoint(e);
}

void StepPendulum(Engine& e) {
  // The squares and sums are float; the distances, forces and
  // accelerations double.
  const float to_b = e.AnchorB - e.PendPX;
  const double dB = std::sqrt(double(e.PendPY * e.PendPY + to_b * to_b));
  const SpringPull fb = Pull(to_b, -e.PendPY, dB, e.SpringLen, e.SpringKB);
  const float to_a = e.AnchorA - e.PendPX;
  const double dA = std::sqrt(double(to_a * to_a + e.PendPY * e.PendPY));
  const SpringPull fa = Pull(to_a, -e.PendPY, dA, e.SpringLen, e.SpringKA);
  const double ax = (fb.x + fa.x) / e.PendMass;
  const double ay = (fb.y + fa.y) / e.PendMass;
  // Semi-implicit Euler: the new velocity moves the point.
  e.PendVX = float(e.PendVX + ax * e.AnimStep);
  e.PendVY = float(e.PendVY + ay * e.AnimStep);
  e.PendPX = e.PendPX + e.AnimStep * e.PendVX;
  e.PendPY = e.PendPY + e.AnimStep * e.PendVY;
  PlacePoint(e);
}

}  // namespace velkaro
