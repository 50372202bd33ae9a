// Timings of a whole engine frame of the heaviest patterns and of its parts.
// With --measure NAME the program runs one piece of work once after set-up
// and warm-up, for instruction counts under callgrind:
//   valgrind --tool=callgrind --toggle-collect='*MeasuredWork*'
//       velkaro_benchmarks --measure frame12
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "effects/animators.h"
#include "effects/engine.h"
#include "effects/engine_setup.h"
#include "effects/filters.h"
#include "effects/presentation.h"
#include "virtual_timer.h"

namespace velkaro {
namespace {

// One run of a pattern, set up as the saver sets it up and warmed up, with
// its timers on a 60 frames a second virtual clock.
struct PatternRun {
  explicit PatternRun(int pattern, int warm_up_frames = 120) {
    settings.Pattern_No = static_cast<std::int16_t>(pattern);
    PalLUT = *SetUpEngine(engine, settings, {});
    const auto animators = AnimatorsFor(pattern);
    burst = render_tool::VirtualTimer(animators.burst_interval_ms.value_or(0));
    motion = render_tool::VirtualTimer(animators.motion_interval_ms.value_or(0));
    for (int k = 0; k < warm_up_frames; ++k) Frame();
  }

  void Frame() {
    const std::int64_t t = ++frame * 1000 / 60;
    StepFrame(engine, static_cast<std::uint32_t>(t));
    if (burst.FiresAt(t)) engine.PatternBurst();
    if (motion.FiresAt(t)) engine.PatternMotion();
  }

  Random random;
  Settings settings;
  Engine engine{random};
  PaletteTable PalLUT{};
  render_tool::VirtualTimer burst{0}, motion{0};
  std::int64_t frame = 0;
};

void BM_Frame(benchmark::State& state) {
  PatternRun run(static_cast<int>(state.range(0)));
  for (auto _ : state) run.Frame();
  benchmark::DoNotOptimize(run.engine.FrameBuf.bytes().data());
}
BENCHMARK(BM_Frame)->ArgName("pattern")->Arg(12)->Arg(20)->Arg(22)->Arg(6);

void BM_BlurPass(benchmark::State& state) {
  PatternRun run(20);
  for (auto _ : state) vbBlurImg(Engine::W, Engine::H, run.engine.FrameBuf.bytes());
}
BENCHMARK(BM_BlurPass);

void BM_AnimPart(benchmark::State& state) {
  PatternRun run(6);
  for (auto _ : state) run.engine.animPart();
}
BENCHMARK(BM_AnimPart);

void BM_Render(benchmark::State& state) {
  PatternRun run(0);
  const int bytes_per_pixel = static_cast<int>(state.range(0));
  PaletteTable table = run.PalLUT;
  if (bytes_per_pixel == 2) PalTo565(table);
  MemorySurface surface(320, 240, bytes_per_pixel);
  const IndexImage image{run.engine.FrameBuf.bytes().data(), Engine::W, Engine::H};
  for (auto _ : state) render(image, table, surface);
}
BENCHMARK(BM_Render)->ArgName("bytes_per_pixel")->Arg(4)->Arg(2);

// The work that --measure runs once; callgrind counts it by this name.
__attribute__((noinline)) void MeasuredWork(PatternRun& run, bool blur_only) {
  if (blur_only) vbBlurImg(Engine::W, Engine::H, run.engine.FrameBuf.bytes());
  else run.Frame();
}

int Measure(const std::string& what) {
  const bool blur = what == "blur";
  if (!blur && what.rfind("frame", 0) != 0) return 2;
  auto run = std::make_unique<PatternRun>(blur ? 20 : std::stoi(what.substr(5)));
  MeasuredWork(*run, blur);
  return 0;
}

}  // namespace
}  // namespace velkaro

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--measure") == 0) return velkaro::Measure(argv[2]);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
