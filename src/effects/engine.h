#pragma once
// The state of one run of the effects engine and its set-up. The parts that
// work on it have headers of their own: particles.h (the frame loop's
// particle step, wind and plot), animators.h (the pattern timers' ticks),
// pendulum.h and curve.h (the two moving emitters), filters.h (the frame
// buffer's clear and blur) and engine_setup.h (a whole start and frame). The
// saver window owns one Engine for the run; nothing here is global, and
// nothing reads a clock: the tick count and the time of day come in as
// arguments.
//
// Every real value is a 32-bit float and every formula is evaluated in the
// order and precision the engine has always used (float with int gives float,
// decimal literals are double), so that a run gives the same bytes in every
// build. Every random draw is made, in its fixed order, even where its value
// cannot matter: skipping one would shift all later draws.
#include <array>
#include <cstdint>
#include <vector>

#include "effects/frame_buffer.h"
#include "effects/params.h"
#include "effects/random.h"

namespace velkaro {

// One pool record, six floats in this order.
struct Particle {
  float x = 0;  // position in frame-buffer pixels, y growing downwards
  float y = 0;
  float vx = 0;  // velocity in pixels per step
  float vy = 0;
  float col = 0;   // palette index 0..255, the value DrawPart writes
  float fade = 0;  // subtracted from col per step

  bool operator==(const Particle&) const = default;
};

class Engine {
 public:
  // The effect area, in pixels; the frame buffer has indexes 0..W × 0..H.
  static constexpr std::int32_t W = 324;
  static constexpr std::int32_t H = 244;

  // A fresh run: every value as before the set-up, the frame buffer all 0
  // and no particle pool yet. `rng` is the run's one generator.
  explicit Engine(Random& random) : rng(random) {}

  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // --- Set-up, in the load handler's order -------------------------------
  // The pool: PartMax + 1 records, every field 0 (none for a negative
  // PartMax, which then launches and moves nothing).
  void AllocateParticles();
  // Parks every particle at (1000, 1000), outside the frame buffer.
  void Initpart();
  // sin and cos of every whole degree 0..360, with 3.1415 for pi.
  void InitTrigo();

  // The pool as a ring: advances NextPart, wrapping after the last record,
  // and returns the record to launch into; nothing when there is no pool.
  Particle* NextRecord();

  // --- State ----------------------------------------------------------------
  Random& rng;
  EngineParams params;
  std::int16_t Pattern_No = 0;

  std::int32_t EmitX = 0;  // the emitter point, frame-buffer pixels
  std::int32_t EmitY = 0;

  std::vector<Particle> Particles;  // indexes 0..PartMax, reused as a ring
  std::int32_t NextPart = 0;        // the record last launched into

  std::array<float, 361> SinTab{};  // by whole degree 0..360
  std::array<float, 361> CosTab{};
  std::array<float, 241> WindTab{};  // by row 0..240; entry 240 stays 0
  // When the wind profile was drawn, in the tick count's own modular
  // milliseconds, and how long it lasts.
  std::uint32_t WindTick = 0;
  std::int32_t WindWait = 0;

  FrameBuffer FrameBuf{W, H};

  // Sweeps: the emitter's current directions.
  bool SweepRight = false;
  bool SweepDown = false;
  // The pendulum's time step or the curve's parameter step.
  float AnimStep = 0;

  // Pendulum: centre and point in screen pixels, position and velocity in
  // model units of 50 pixels, model y pointing up; anchors at (±1, 0).
  std::int16_t PendCX = 0;
  std::int16_t PendCY = 0;
  std::int16_t PendX = 0;
  std::int16_t PendY = 0;
  float PendPX = 0;
  float PendPY = 0;
  float PendVX = 0;
  float PendVY = 0;
  float AnchorA = 1.0f;
  float AnchorB = -1.0f;
  float SpringKA = 1.0f;
  float SpringKB = 1.0f;
  float SpringLen = 0.2f;
  float PendMass = 1.0f;

  // Curve: a hypotrochoid-like loop whose centre runs along a figure-eight
  // of two touching circles.
  float CycOuter = 20;
  float CycInner = 7;
  float CycPen = 0;    // 5..14, widened by 1 at each closed curve
  float CycRatio = 0;  // CycOuter / CycInner
  float CycSum = 0;    // CycOuter + CycInner
  float CycT = 0;      // the current parameter
  float CycEnd = 0;    // the parameter length of one closed curve
  std::int32_t CycCX = 0;
  std::int32_t CycCY = 0;
  float CycPhase = 15;  // position on the figure-eight, sixtieths of a loop
  std::int32_t CycPhaseStep = 1;
  bool CycLeftLoop = true;
};

}  // namespace velkaro
