#include "effects/particles.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/rounding.h"

namespace velkaro {

// The four motion fields x, y, vx, vy lie together at the start of each
// record, so one step moves them as one vector.
static_assert(sizeof(Particle) == 6 * sizeof(float));
static_assert(offsetof(Particle, vy) == 3 * sizeof(float));

namespace {

// vy := vy + gravity, x := x + vx, y := y + vy (the new vy), each the same
// single float sum as one at a time. The other lanes add -0, which leaves
// every value unchanged, a zero's sign included.
inline void Move(Particle& p, float gravity) {
#if defined(__SSE2__)
  float* fields = &p.x;
  const __m128 keep = _mm_set1_ps(-0.0f);
  __m128 v = _mm_loadu_ps(fields);  // x, y, vx, vy
  v = _mm_add_ps(v, _mm_set_ps(gravity, -0.0f, -0.0f, -0.0f));
  v = _mm_add_ps(v, _mm_movehl_ps(keep, v));  // + vx, vy, -0, -0
  _mm_storeu_ps(fields, v);
#else
  p.vy = p.vy + gravity;
  p.x = p.x + p.vx;
  p.y = p.y + p.vy;
#endif
}

// A colour below 1 is left as it is; a fade larger than the colour ends
// exactly at 0 rather than below it.
inline void Fade(Particle& p) {
  if (p.col >= 1) p.col = p.fade > p.col ? 0.0f : p.col - p.fade;
}

// The byte a particle's colour plots as, nothing when it does not round to
// one (not-a-number included). Exactly nearest_as<std::uint8_t>, without its
// round trip through double.
inline std::optional<std::uint8_t> PlotColour(float col) {
  if (!(col > -1.0f && col < 256.0f)) return std::nullopt;
  const std::int32_t rounded = nearest_int32(col);
  if (rounded < 0 || rounded > 255) return std::nullopt;
  return std::uint8_t(rounded);
}

// Parked particles move too: their positions only drift further outside
// the buffer, and skipping them would cost a test per record.
void MoveAndFade(Engine& engine) {
  const float gravity = engine.params.Gravity;
  for (Particle& p : engine.Particles) {
    Move(p, gravity);
    Fade(p);
  }
}

// The draws of one launch, in their fixed order: the line position (modes 1
// and 3 only), the angle, the speed, the colour and the fade.
bool LaunchOne(Engine& engine) {
  const EngineParams& params = engine.params;
  if (params.EmitMode == 1) {
    engine.EmitX = engine.rng.next_below(Engine::W - 10) + 5;  // 5..318
  } else if (params.EmitMode == 3) {
    engine.EmitX = engine.rng.next_below(Engine::W - 50) + 25;  // 25..298
  }
  Particle* p = engine.NextRecord();
  if (p == nullptr) return false;
  // In 64 bits: AngleMin and AngleRange are each 32-bit, their sum need not be.
  const std::int64_t angle =
      std::int64_t(engine.rng.next_below(params.AngleRange)) + params.AngleMin;
  if (angle < 0 || angle >= std::int64_t(engine.SinTab.size())) return false;
  const auto a = std::size_t(angle);
  const float v = engine.rng.next() * params.SpeedRange + params.SpeedMin;
  p->vx = v * engine.CosTab[a];
  p->vy = v * engine.SinTab[a];  // angles 180..359 point upwards on the screen
  p->x = float(engine.EmitX);
  p->y = float(engine.EmitY);
  p->col = std::floor(engine.rng.next() * params.ColRange) + params.ColBase;
  p->fade =
      std::floor(engine.rng.next() * params.FadeJitter * 2) - params.FadeJitter + params.FadeBase;
  return true;
}

bool LaunchContinuous(Engine& engine) {
  const EngineParams& params = engine.params;
  switch (params.EmitMode) {
    case 1:
    case 3:
      engine.EmitY = nearest_as<std::int32_t>(Engine::H * 0.9).value_or(engine.EmitY);  // 220
      break;
    case 2:  // one random point per step, 5 pixels inside the edges
      engine.EmitX = engine.rng.next_below(Engine::W - 10) + 5;
      engine.EmitY = engine.rng.next_below(Engine::H - 10) + 5;
      break;
    default:  // the fixed point, or wherever an animator moved it
      break;
  }
  // This draw is made even when EmitJitter is 0 and cannot change the count.
  const float r = engine.rng.next();
  const float count_value =
      std::floor(r * params.EmitJitter * 2) - params.EmitJitter + params.EmitCount;
  const std::int32_t count = nearest_as<std::int32_t>(count_value).value_or(0);
  for (std::int32_t n = 0; n < count; ++n) {
    if (!LaunchOne(engine)) return false;
  }
  return true;
}

// Rows 0..H - ScrollRows take the rows ScrollRows below them; the bottom
// ScrollRows rows keep their old contents.
bool ScrollUp(Engine& engine) {
  const std::int32_t rows = engine.params.ScrollRows;
  if (rows < 0) return false;  // row 0 would be read from above the buffer
  if (rows == 0 || rows > Engine::H) return true;
  // Rows are contiguous, so the row-by-row copy from the top is one forward
  // copy to a lower address.
  const auto bytes = engine.FrameBuf.bytes();
  const auto shift = std::ptrdiff_t(std::size_t(rows) * engine.FrameBuf.row_length());
  std::copy(bytes.begin() + shift, bytes.end(), bytes.begin());
  return true;
}

// Six bands of 40 rows, each easing from its top value x0 to its bottom
// value x1 along a cubic Bezier with control values x0, x0, x1, x1. Bands
// are drawn independently, so the profile may jump between them.
void DrawWindProfile(Engine& engine) {
  const float amp = engine.params.WindAmp;
  for (std::size_t band = 0; band < 6; ++band) {
    const float x0 = engine.rng.next() * amp - amp / 2;
    const float x1 = engine.rng.next() * amp - amp / 2;
    for (std::size_t j = 0; j < 40; ++j) {
      const double t = double(j) / 39;
      engine.WindTab[band * 40 + j] =
          float((1 - t) * (1 - t) * (1 - t) * x0 + 3 * (1 - t) * (1 - t) * t * x0 +
                3 * (1 - t) * t * t * x1 + t * t * t * x1);
    }
  }
}

}  // namespace

bool animPart(Engine& engine) {
  MoveAndFade(engine);
  if (engine.params.EmitOn && !LaunchContinuous(engine)) return false;
  if (engine.params.ScrollOn && !ScrollUp(engine)) return false;
  return true;
}

void AnimWind(Engine& engine, std::uint32_t now_ms) {
  // Modular difference: the tick count wraps after 49.7 days, and a
  // profile must not freeze there.
  const std::uint32_t elapsed = now_ms - engine.WindTick;
  if (std::int64_t(elapsed) >= engine.WindWait) {
    engine.WindWait = engine.rng.next_below(1000) + 1000;
    engine.WindTick = now_ms;
    DrawWindProfile(engine);
  }
  const auto last_row = float(engine.WindTab.size() - 1);  // 240
  for (Particle& p : engine.Particles) {
    // In 0..240 the row rounds exactly in one conversion.
    if (p.y >= 0 && p.y <= last_row) p.x = p.x + engine.WindTab[std::size_t(nearest_int32(p.y))];
  }
}

bool DrawPart(Engine& engine) {
  constexpr std::int32_t W = Engine::W, H = Engine::H;
  if (engine.params.ClearFrame) {
    // Column W and row H are left as they are; the edge clear zeroes them.
    for (std::int32_t y = 0; y < H; ++y) {
      const auto row = engine.FrameBuf.row(y);
      std::fill(row.begin(), row.begin() + W, std::uint8_t{0});
    }
  }
  // Later particles overwrite earlier ones, so the plot stays one ordered
  // pass of single-byte stores.
  std::uint8_t* const bytes = engine.FrameBuf.bytes().data();
  const auto stride = std::ptrdiff_t(engine.FrameBuf.row_length());
  for (const Particle& p : engine.Particles) {
    // Strict bounds: a particle exactly on column 0 or W, or row 0 or H, is
    // not plotted, while one at W - 0.4 rounds into column W.
    if (!(p.x > 0 && p.x < W && p.y > 0 && p.y < H)) continue;
    const auto col = PlotColour(p.col);
    if (!col) return false;
    bytes[nearest_int32(p.y) * stride + nearest_int32(p.x)] = *col;
  }
  return true;
}

void LaunchBurst(Engine& engine, float speed) {
  Particle* p = engine.NextRecord();
  if (p == nullptr) return;
  const auto a = std::size_t(engine.rng.next_below(360));
  p->vx = engine.CosTab[a] * speed;
  p->vy = engine.SinTab[a] * speed;
  p->x = std::floor(engine.rng.next() * 8) - 4 + engine.EmitX;  // EmitX - 4 .. EmitX + 3
  p->y = float(engine.EmitY);
  p->col = 255;
  // fade is kept: the record fades as its previous particle did, or not at
  // all if it was never launched before.
}

void LaunchBursts(Engine& engine, std::int32_t count, float speed) {
  for (std::int32_t n = 0; n < count; ++n) LaunchBurst(engine, speed);
}

}  // namespace velkaro
