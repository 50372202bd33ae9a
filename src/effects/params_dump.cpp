#include "effects/params_dump.h"

#include <array>
#include <charconv>
#include <string_view>

namespace velkaro {
namespace {

class DumpWriter {
 public:
  void integer(std::string_view name, std::int64_t value) { line(name, std::to_string(value)); }
  void flag(std::string_view name, bool value) { line(name, value ? "1" : "0"); }
  void real(std::string_view name, float value) {
    // Fixed notation of the largest float has 39 digits and the shortest
    // form of the smallest one 47 characters; 64 holds either with a sign.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    line(name, std::string_view(buffer.data(), result.ptr));
  }
  std::string take() { return std::move(text_); }

 private:
  void line(std::string_view name, std::string_view value) {
    text_.append(name).append("=").append(value).append("\n");
  }
  std::string text_;
};

}  // namespace

std::string FormatParamsDump(const EngineParams& p, int pattern_no, std::int32_t emit_x,
                             std::int32_t emit_y) {
  DumpWriter out;
  out.integer("Pattern_No", pattern_no);
  out.integer("PartMax", p.PartMax);
  out.integer("BlurCount", p.BlurCount);
  out.real("Gravity", p.Gravity);
  out.flag("WindOn", p.WindOn);
  out.real("WindAmp", p.WindAmp);
  out.integer("PalMode", p.PalMode);
  out.flag("ScrollOn", p.ScrollOn);
  out.integer("ScrollRows", p.ScrollRows);
  out.integer("BurstCount", p.BurstCount);
  out.flag("EmitOn", p.EmitOn);
  out.integer("AngleMin", p.AngleMin);
  out.integer("AngleRange", p.AngleRange);
  out.integer("ColBase", p.ColBase);
  out.integer("ColRange", p.ColRange);
  out.integer("EmitCount", p.EmitCount);
  out.integer("EmitJitter", p.EmitJitter);
  out.real("SpeedMin", p.SpeedMin);
  out.real("SpeedRange", p.SpeedRange);
  out.integer("EmitMode", p.EmitMode);
  out.real("FadeBase", p.FadeBase);
  out.real("FadeJitter", p.FadeJitter);
  out.flag("ClearFrame", p.ClearFrame);
  out.integer("EmitX", emit_x);
  out.integer("EmitY", emit_y);
  return out.take();
}

}  // namespace velkaro
