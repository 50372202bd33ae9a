// The particle system: motion, fading, continuous launching, the upward
// scroll, the wind and the plotting of the pool into the frame buffer.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/rounding.h"
#include "effects/engine.h"

namespace velkaro {

bool Engine::animPart() {
  MoveAndFade();
  if (params.EmitOn && !LaunchContinuous()) return false;
  if (params.ScrollOn && !ScrollUp()) return false;
  return true;
}

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
  __m128 v = _mm_loadu_ps(fields);                         // x, y, vx, vy
  v = _mm_add_ps(v, _mm_set_ps(gravity, -0.0f, -0.0f, -0.0f));
  v = _mm_add_ps(v, _mm_movehl_ps(keep, v));               // + vx, vy, -0, -0
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

}  // namespace

// Parked particles move too: their positions only drift further outside
// the buffer, and skipping them would cost a test per record.
void Engine::MoveAndFade() {
  const float gravity = params.Gravity;
  for (Particle& p : Particles) {
    Move(p, gravity);
    Fade(p);
  }
}

bool Engine::LaunchContinuous() {
  switch (params.EmitMode) {
    case 1:
    case 3:
      EmitY = nearest_as<std::int32_t>(H * 0.9).value_or(EmitY);  // 220
      break;
    case 2:  // one random point per step, 5 pixels inside the edges
      EmitX = rng.next_below(W - 10) + 5;
      EmitY = rng.next_below(H - 10) + 5;
      break;
    default:  // the fixed point, or wherever an animator moved it
      break;
  }
  // This draw is made even when EmitJitter is 0 and cannot change the count.
  const float r = rng.next();
  const float count_value =
      std::floor(r * params.EmitJitter * 2) - params.EmitJitter + params.EmitCount;
  const std::int32_t count = nearest_as<std::int32_t>(count_value).value_or(0);
  for (std::int32_t n = 0; n < count; ++n) {
    if (!LaunchOne()) return false;
  }
  return true;
}

// The draws of one launch, in their fixed order: the line position (modes 1
// and 3 only), the angle, the speed, the colour and the fade.
bool Engine::LaunchOne() {
  if (params.EmitMode == 1) {
    EmitX = rng.next_below(W - 10) + 5;  // 5..318
  } else if (params.EmitMode == 3) {
    EmitX = rng.next_below(W - 50) + 25;  // 25..298
  }
  Particle* p = NextRecord();
  if (p == nullptr) return false;
  // In 64 bits: AngleMin and AngleRange are each 32-bit, their sum need not be.
  const std::int64_t angle = std::int64_t(rng.next_below(params.AngleRange)) + params.AngleMin;
  if (angle < 0 || angle >= std::int64_t(SinTab.size())) return false;
  const auto a = std::size_t(angle);
  const float v = rng.next() * params.SpeedRange + params.SpeedMin;
  p->vx = v * CosTab[a];
  p->vy = v * SinTab[a];  // angles 180..359 point upwards on the screen
  p->x = float(EmitX);
  p->y = float(EmitY);
  p->col = std::floor(rng.next() * params.ColRange) + params.ColBase;
  p->fade = std::floor(rng.next() * params.FadeJitter * 2) - params.FadeJitter + params.FadeBase;
  return true;
}

// Rows 0..H - ScrollRows take the rows ScrollRows below them; the bottom
// ScrollRows rows keep their old contents.
bool Engine::ScrollUp() {
  const std::int32_t rows = params.ScrollRows;
  if (rows < 0) return false;  // row 0 would be read from above the buffer
  if (rows == 0 || rows > H) return true;
  // Rows are contiguous, so the row-by-row copy from the top is one forward
  // copy to a lower address.
  const auto bytes = FrameBuf.bytes();
  const auto shift = std::ptrdiff_t(std::size_t(rows) * FrameBuf.row_length());
  std::copy(bytes.begin() + shift, bytes.end(), bytes.begin());
  return true;
}

void Engine::AnimWind(std::uint32_t now_ms) {
  // Modular difference: the tick count wraps after 49.7 days, and a
  // profile must not freeze there.
  const std::uint32_t elapsed = now_ms - WindTick;
  if (std::int64_t(elapsed) >= WindWait) {
    WindWait = rng.next_below(1000) + 1000;
    WindTick = now_ms;
    DrawWindProfile();
  }
  const auto last_row = float(WindTab.size() - 1);  // 240
  for (Particle& p : Particles) {
    // In 0..240 the row rounds exactly in one conversion.
    if (p.y >= 0 && p.y <= last_row) p.x = p.x + WindTab[std::size_t(nearest_int32(p.y))];
  }
}

// Six bands of 40 rows, each easing from its top value x0 to its bottom
// value x1 along a cubic Bezier with control values x0, x0, x1, x1. Bands
// are drawn independently, so the profile may jump between them.
void Engine::DrawWindProfile() {
  const float amp = params.WindAmp;
  for (std::size_t band = 0; band < 6; ++band) {
    const float x0 = rng.next() * amp - amp / 2;
    const float x1 = rng.next() * amp - amp / 2;
    for (std::size_t j = 0; j < 40; ++j) {
      const double t = double(j) / 39;
      WindTab[band * 40 + j] = float((1 - t) * (1 - t) * (1 - t) * x0 + 3 * (1 - t) * (1 - t) * t * x0 +
                                     3 * (1 - t) * t * t * x1 + t * t * t * x1);
    }
  }
}

bool Engine::DrawPart() {
  if (params.ClearFrame) {
    // Column W and row H are left as they are; the edge clear zeroes them.
    for (std::int32_t y = 0; y < H; ++y) {
      const auto row = FrameBuf.row(y);
      std::fill(row.begin(), row.begin() + W, std::uint8_t{0});
    }
  }
  // Later particles overwrite earlier ones, so the plot stays one ordered
  // pass of single-byte stores.
  std::uint8_t* const bytes = FrameBuf.bytes().data();
  const auto stride = std::ptrdiff_t(FrameBuf.row_length());
  for (const Particle& p : Particles) {
    // Strict bounds: a particle exactly on column 0 or W, or row 0 or H, is
    // not plotted, while one at W - 0.4 rounds into column W.
    if (!(p.x > 0 && p.x < W && p.y > 0 && p.y < H)) continue;
    const auto col = PlotColour(p.col);
    if (!col) return false;
    bytes[nearest_int32(p.y) * stride + nearest_int32(p.x)] = *col;
  }
  return true;
}

void Engine::LaunchBurst(float speed) {
  Particle* p = NextRecord();
  if (p == nullptr) return;
  const auto a = std::size_t(rng.next_below(360));
  p->vx = CosTab[a] * speed;
  p->vy = SinTab[a] * speed;
  p->x = std::floor(rng.next() * 8) - 4 + EmitX;  // EmitX - 4 .. EmitX + 3
  p->y = float(EmitY);
  p->col = 255;
  // fade is kept: the record fades as its previous particle did, or not at
  // all if it was never launched before.
}

}  // namespace velkaro
