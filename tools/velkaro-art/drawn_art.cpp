#include "drawn_art.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/rounding.h"

namespace velkaro::art_tool {
namespace {

std::uint8_t ToByte(double v) {
  return nearest_as<std::uint8_t>(std::clamp(v, 0.0, 255.0)).value_or(0);
}

// A place on the picture's plane, between pixel centres as often as on
// one: the strokes of the drawn pictures end at fractions of a pixel, which
// the program's whole-pixel Point (common/geometry.h) cannot hold.
struct PlanePoint {
  double x;
  double y;
};

double DistanceToSegment(PlanePoint p, PlanePoint a, PlanePoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  const double t =
      length2 == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double DistanceToCentre(int x, int y, double centre) { return std::hypot(x - centre, y - centre); }

// The hand as a set of pixels: four fingers and a thumb as rounded strokes
// over a palm.
bool InHand(int x, int y) {
  const PlanePoint p{double(x), double(y)};
  struct Stroke {
    PlanePoint a, b;
    double radius;
  };
  static constexpr Stroke kStrokes[] = {
      {{12, 11.5}, {12, 21}, 2.0},      // index finger, pointing up
      {{16.5, 17.5}, {16.5, 22}, 2.0},  // middle finger
      {{21, 18.5}, {21, 22}, 2.0},      // ring finger
      {{25, 20}, {25, 23}, 1.7},        // little finger
      {{7, 19}, {11, 24}, 2.0},         // thumb
  };
  for (const auto& s : kStrokes)
    if (DistanceToSegment(p, s.a, s.b) <= s.radius) return true;
  return x >= 10 && x <= 26 && y >= 21 && y <= 28 && !(x == 26 && y == 28);
}

}  // namespace

RgbImage PanelTile() {
  RgbImage tile(579, 21, kPanelGrey);
  for (int y = 0; y < tile.height(); ++y)
    for (int x = 0; x < tile.width(); ++x)
      if ((x + y) % 7 == 0) tile.set(x, y, {138, 138, 138});
  return tile;
}

RgbImage CheckBox(bool ticked) {
  RgbImage box(12, 12, kWhite);
  for (int y = 1; y < 11; ++y)
    for (int x = 1; x < 11; ++x) box.set(x, y, kWellGrey);
  if (ticked) {
    const PlanePoint short_arm{2.5, 5.5}, corner{4.5, 7.8}, long_arm{9, 2.8};
    for (int y = 1; y < 11; ++y)
      for (int x = 1; x < 11; ++x) {
        const PlanePoint p{double(x), double(y)};
        if (std::min(DistanceToSegment(p, short_arm, corner),
                     DistanceToSegment(p, corner, long_arm)) <= 0.9)
          box.set(x, y, kWhite);
      }
  }
  return box;
}

RgbImage OptionMark(bool chosen) {
  RgbImage mark(13, 13, kPanelGrey);
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 13; ++x) {
      const double d = DistanceToCentre(x, y, 6);
      if (d <= 6.2) mark.set(x, y, kWhite);
      if (d <= 4.9) mark.set(x, y, kWellGrey);
      if (chosen && d <= 2.3) mark.set(x, y, kWhite);
    }
  return mark;
}

MaskedImage HandPointer() {
  MaskedImage hand(32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      if (!InHand(x, y)) continue;
      const bool edge =
          !InHand(x - 1, y) || !InHand(x + 1, y) || !InHand(x, y - 1) || !InHand(x, y + 1);
      hand.paint(x, y, edge ? Rgb{0, 0, 0} : kWhite);
    }
  return hand;
}

namespace {

// The flame's heat at (u, v): u across from -1 to 1, v down from 0 to 1;
// nothing outside the flame. Hot and yellow at its foot and core, red at its
// edge and tip.
std::optional<double> FlameHeat(double u, double v) {
  const double h = (0.86 - v) / 0.74;  // height within the flame, 0 at its foot
  if (h <= 0 || h >= 1) return std::nullopt;
  const double half_width = 0.62 * std::sqrt(1 - h) * std::min(1.0, std::sqrt(h / 0.22));
  const double across = std::abs(u + 0.12 * std::sin(h * 5.0) * h) / half_width;
  if (across >= 1) return std::nullopt;
  return (1 - across) * (1.1 - 0.75 * h);
}

Rgb HeatColour(double heat) {
  return {ToByte(255 * heat * 2.4), ToByte(255 * (heat * 2.4 - 0.9)),
          ToByte(255 * (heat * 3.0 - 2.2))};
}

}  // namespace

MaskedImage WindowIcon(int size) {
  MaskedImage icon(size);
  constexpr int kSamples = 4;  // per axis, for smooth flame edges
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double r = 0, g = 0, b = 0;
      for (int j = 0; j < kSamples; ++j)
        for (int i = 0; i < kSamples; ++i) {
          const double u = (x + (i + 0.5) / kSamples) / size * 2 - 1;
          const double v = (y + (j + 0.5) / kSamples) / size;
          const auto heat = FlameHeat(u, v);
          const Rgb c = heat ? HeatColour(*heat) : kWellGrey;
          r += c.r, g += c.g, b += c.b;
        }
      constexpr double kCount = kSamples * kSamples;
      const bool frame = x == 0 || y == 0 || x == size - 1 || y == size - 1;
      icon.paint(
          x, y,
          frame ? kSelectionRed : Rgb{ToByte(r / kCount), ToByte(g / kCount), ToByte(b / kCount)});
    }
  return icon;
}

}  // namespace velkaro::art_tool
