#include "effects/scalar_forms.h"

#include <cmath>
#include <cstddef>

#include "common/rounding.h"

namespace velkaro::scalar_forms {
namespace {

// std::nearbyint itself, the library's rounding that the inline forms stand in for.
float Nearest(float v) { return std::nearbyint(v); }

Particle* NextRecord(Engine& engine) {
  if (engine.Particles.empty()) return nullptr;
  const std::int32_t top = std::int32_t(engine.Particles.size() - 1);
  engine.NextPart = (engine.NextPart < 0 || engine.NextPart >= top) ? 0 : engine.NextPart + 1;
  return &engine.Particles[std::size_t(engine.NextPart)];
}

bool LaunchOne(Engine& e) {
  const EngineParams& params = e.params;
  if (params.EmitMode == 1)
    e.EmitX = e.rng.next_below(Engine::W - 10) + 5;
  else if (params.EmitMode == 3)
    e.EmitX = e.rng.next_below(Engine::W - 50) + 25;
  Particle* p = NextRecord(e);
  if (p == nullptr) return false;
  const std::int64_t angle = std::int64_t(e.rng.next_below(params.AngleRange)) + params.AngleMin;
  if (angle < 0 || angle >= std::int64_t(e.SinTab.size())) return false;
  const auto a = std::size_t(angle);
  const float v = e.rng.next() * params.SpeedRange + params.SpeedMin;
  p->vx = v * e.CosTab[a];
  p->vy = v * e.SinTab[a];
  p->x = float(e.EmitX);
  p->y = float(e.EmitY);
  p->col = std::floor(e.rng.next() * params.ColRange) + params.ColBase;
  p->fade = std::floor(e.rng.next() * params.FadeJitter * 2) - params.FadeJitter + params.FadeBase;
  return true;
}

bool Launch(Engine& e) {
  const EngineParams& params = e.params;
  if (params.EmitMode == 1 || params.EmitMode == 3) {
    e.EmitY = nearest_as<std::int32_t>(Engine::H * 0.9).value_or(e.EmitY);
  } else if (params.EmitMode == 2) {
    e.EmitX = e.rng.next_below(Engine::W - 10) + 5;
    e.EmitY = e.rng.next_below(Engine::H - 10) + 5;
  }
  const float r = e.rng.next();
  const float count_value =
      std::floor(r * params.EmitJitter * 2) - params.EmitJitter + params.EmitCount;
  const std::int32_t count = nearest_as<std::int32_t>(count_value).value_or(0);
  for (std::int32_t n = 0; n < count; ++n)
    if (!LaunchOne(e)) return false;
  return true;
}

// Row by row from the top, each row taking the row ScrollRows below it.
bool Scroll(Engine& e) {
  const std::int32_t rows = e.params.ScrollRows;
  if (rows < 0) return false;
  if (rows == 0 || rows > Engine::H) return true;
  for (std::int32_t y = 0; y <= Engine::H - rows; ++y)
    for (std::int32_t x = 0; x <= Engine::W; ++x) e.FrameBuf.at(x, y) = e.FrameBuf.at(x, y + rows);
  return true;
}

void DrawWindProfile(Engine& e) {
  const float amp = e.params.WindAmp;
  for (std::size_t band = 0; band < 6; ++band) {
    const float x0 = e.rng.next() * amp - amp / 2;
    const float x1 = e.rng.next() * amp - amp / 2;
    for (std::size_t j = 0; j < 40; ++j) {
      const double t = double(j) / 39;
      e.WindTab[band * 40 + j] =
          float((1 - t) * (1 - t) * (1 - t) * x0 + 3 * (1 - t) * (1 - t) * t * x0 +
                3 * (1 - t) * t * t * x1 + t * t * t * x1);
    }
  }
}

void PutPixel(std::uint8_t* at, std::uint32_t value, int bytes) {
  for (int b = 0; b < bytes; ++b) at[b] = static_cast<std::uint8_t>(value >> (8 * b));
}

}  // namespace

bool animPart(Engine& e) {
  for (Particle& p : e.Particles) {
    p.vy = p.vy + e.params.Gravity;
    p.x = p.x + p.vx;
    p.y = p.y + p.vy;
    if (p.col >= 1) p.col = p.fade > p.col ? 0.0f : p.col - p.fade;
  }
  if (e.params.EmitOn && !Launch(e)) return false;
  if (e.params.ScrollOn && !Scroll(e)) return false;
  return true;
}

void AnimWind(Engine& e, std::uint32_t now_ms) {
  if (std::int64_t(std::uint32_t(now_ms - e.WindTick)) >= e.WindWait) {
    e.WindWait = e.rng.next_below(1000) + 1000;
    e.WindTick = now_ms;
    DrawWindProfile(e);
  }
  for (Particle& p : e.Particles)
    if (p.y >= 0 && p.y <= 240) p.x = p.x + e.WindTab[std::size_t(Nearest(p.y))];
}

bool DrawPart(Engine& e) {
  if (e.params.ClearFrame)
    for (std::int32_t x = 0; x < Engine::W; ++x)
      for (std::int32_t y = 0; y < Engine::H; ++y) e.FrameBuf.at(x, y) = 0;
  for (const Particle& p : e.Particles) {
    if (!(p.x > 0 && p.x < Engine::W && p.y > 0 && p.y < Engine::H)) continue;
    const double col = std::nearbyint(double(p.col));
    if (!(col >= 0 && col <= 255)) return false;
    e.FrameBuf.at(std::int32_t(Nearest(p.x)), std::int32_t(Nearest(p.y))) = std::uint8_t(col);
  }
  return true;
}

bool vbClearEdge(std::int32_t w, std::int32_t h, std::span<std::uint8_t> buf) {
  if (w < 0 || h < 0 || (std::uint64_t(w) + 1) * (std::uint64_t(h) + 1) > buf.size()) return false;
  const std::size_t stride = std::size_t(w) + 1;
  for (std::size_t y = 0; y <= std::size_t(h); ++y) buf[y * stride] = buf[y * stride + w] = 0;
  for (std::size_t x = 0; x <= std::size_t(w); ++x) buf[x] = buf[std::size_t(h) * stride + x] = 0;
  return true;
}

bool vbBlurImg(std::int32_t w, std::int32_t h, std::span<std::uint8_t> buf) {
  if (w < 0 || h < 0 || (std::uint64_t(w) + 1) * (std::uint64_t(h) + 1) > buf.size()) return false;
  if (w < 2 || h < 2) return true;
  const std::size_t stride = std::size_t(w) + 1;
  const auto S = [&](std::size_t x, std::size_t y) {
    return buf[(y - 1) * stride + x] + buf[y * stride + x] + buf[(y + 1) * stride + x];
  };
  for (std::size_t y = 1; y < std::size_t(h); ++y) {
    int c = S(0, y);
    int d = S(1, y);
    for (std::size_t x = 2; x <= std::size_t(w); ++x) {
      const int e = S(x, y);
      buf[y * stride + x - 1] = static_cast<std::uint8_t>((c + d + e) / 9);
      c = d;
      d = e;
    }
  }
  return true;
}

void PalTo565(PaletteTable& PalLUT) {
  for (std::uint32_t& v : PalLUT) {
    const std::uint32_t b0 = v & 0xFF, b1 = (v >> 8) & 0xFF, b2 = (v >> 16) & 0xFF;
    v = (b2 / 8) * 2048 + (b1 / 4) * 32 + b0 / 8;
  }
}

void render(const IndexImage& FrameBuf, const PaletteTable& PalLUT, std::uint8_t* pixels,
            std::ptrdiff_t pitch, int bytes_per_pixel) {
  // Columns 4..323 and rows 0..239 of the 324 × 244 buffer.
  for (std::int32_t x = 4; x < 324; ++x)
    for (std::int32_t y = 0; y < 240; ++y)
      PutPixel(pixels + (y * pitch) + (x - 4) * bytes_per_pixel, PalLUT[FrameBuf.at(x, y)],
               bytes_per_pixel);
}

void StepFrame(Engine& engine, std::uint32_t now_ms) {
  animPart(engine);
  if (engine.params.WindOn) AnimWind(engine, now_ms);
  DrawPart(engine);
  vbClearEdge(Engine::W, Engine::H, engine.FrameBuf.bytes());
  for (std::int32_t pass = 0; pass < engine.params.BlurCount; ++pass)
    vbBlurImg(Engine::W, Engine::H, engine.FrameBuf.bytes());
}

}  // namespace velkaro::scalar_forms
