#include "effects/curve.h"

#include <cmath>

#include "common/rounding.h"

namespace velkaro {
namespace {

// The constants the curve has always used, slightly below 2π and π/2 and
// close to π: the centre's floors depend on exactly these values.
constexpr double kCycTwoPi = 6.28318530717958;
constexpr double kCycHalfPi = 1.570796326794895;
constexpr double kCycPi = 3.14159265358979;

// One closed curve is complete: the next is drawn with a wider pen.
void StartNextCurve(Engine& e) {
  e.CycPen = e.CycPen + 1;
  if (e.CycPen > 14) e.CycPen = 5;
  e.CycRatio = e.CycOuter / e.CycInner;
  e.CycSum = e.CycOuter + e.CycInner;
  const auto outer = nearest_as<std::int16_t>(e.CycOuter);
  const auto inner = nearest_as<std::int16_t>(e.CycInner);
  if (outer && inner) e.CycEnd = float(e.CycInner / Gcd(*outer, *inner) * kCycTwoPi);
  e.CycT = e.AnimStep;
}

// The centre runs once round a circle of radius W / 10 about (3W/10, H/2),
// then once the other way round the circle about (5W/10, H/2); the two touch
// at (4W/10, H/2), where the switch happens after 60 ticks each.
void MoveCurveCentre(Engine& e) {
  e.CycPhase = e.CycLeftLoop ? e.CycPhase + e.CycPhaseStep : e.CycPhase - e.CycPhaseStep;
  // The angle after the step and before the reset serves both coordinates.
  // The constants make cos or sin land just below 0 at some phases, where
  // the floor gives -1 (x at phase 60, y at 75 and -15); that is the path.
  const double ang = e.CycPhase * kCycTwoPi / 60 - kCycHalfPi;
  const double radius = double(Engine::W) / 10;
  const double loop_centre = e.CycLeftLoop ? radius * 3 : radius * 5;
  e.CycCX =
      nearest_as<std::int32_t>(std::floor(radius * std::cos(ang)) + loop_centre).value_or(e.CycCX);
  if (e.CycLeftLoop && e.CycPhase == 75) {
    e.CycPhase = 45;
    e.CycLeftLoop = false;
  } else if (!e.CycLeftLoop && e.CycPhase == -15) {
    e.CycPhase = 15;
    e.CycLeftLoop = true;
  }
  e.CycCY = nearest_as<std::int32_t>(std::floor(radius * std::sin(ang)) + Engine::H / 2)
                .value_or(e.CycCY);
}

}  // namespace

void InitCurve(Engine& e) {
  e.CycOuter = 20;
  e.CycInner = 7;
  e.CycPen = 5;
  e.CycRatio = float(20.0 / 7);
  e.CycSum = 27;
  e.CycEnd = float(7.0 / Gcd(20, 7) * kCycTwoPi);
  e.AnimStep = 0.25f;
  e.CycPhaseStep = 1;
  e.CycLeftLoop = true;
  e.CycPhase = 15;
}

// Each step fails on its own and the rest goes on: a value that does not fit
// its integer target leaves that target as it was.
void AdvanceCurve(Engine& e) {
  if (e.CycT >= e.CycEnd) StartNextCurve(e);
  MoveCurveCentre(e);
  e.EmitX = nearest_as<std::int32_t>(e.CycCX + Cyc_X(e, e.CycT)).value_or(e.EmitX);
  e.EmitY = nearest_as<std::int32_t>(e.CycCY + Cyc_Y(e, e.CycT)).value_or(e.EmitY);
  e.CycT = e.CycT + e.AnimStep;
}

float Cyc_X(const Engine& e, float t) {
  return float(kCycPi *
               (e.CycSum * std::cos(double(t)) + e.CycPen * std::cos(double(e.CycRatio * t))));
}

float Cyc_Y(const Engine& e, float t) {
  return float(kCycPi *
               (e.CycSum * std::sin(double(t)) + e.CycPen * std::sin(double(e.CycRatio * t))));
}

std::int16_t Gcd(std::int16_t a, std::int16_t b) {
  if (a == 0) return b;
  b = std::int16_t(b % a);
  while (b != 0) {
    const std::int16_t rest = std::int16_t(a % b);
    a = b;
    b = rest;
  }
  return a;
}

}  // namespace velkaro
