// Timings of a whole engine frame of the heaviest patterns and of its parts.
// With --measure NAME the program runs one piece of work once after set-up
// and warm-up, for instruction counts under callgrind:
//   valgrind --tool=callgrind --toggle-collect='*MeasuredWork*'
//       velkaro_benchmarks --measure frame12
// NAME is frame<pattern> or blur, with the suffix -scalar for the plain
// scalar forms of effects/scalar_forms. Each benchmark has a /scalar
// twin; with --benchmark_repetitions the two run interleaved in one process.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/geometry.h"
#include "effects/animators.h"
#include "effects/engine.h"
#include "effects/engine_setup.h"
#include "effects/filters.h"
#include "effects/particles.h"
#include "effects/presentation.h"
#include "effects/pattern_run.h"
#include "effects/scalar_forms.h"

namespace velkaro {
namespace {

// Each run is warmed up by 120 frames before it is measured.
constexpr int kWarmUpFrames = 120;

// One frame of the run, through the production engine or the scalar forms.
void Frame(PatternRun& run, bool scalar) {
  run.Frame(scalar ? scalar_forms::StepFrame : StepFrame);
}

// Arg 1 of each benchmark: 0 the production engine, 1 the scalar forms.
bool Scalar(const benchmark::State& state, int arg) { return state.range(arg) != 0; }

void BM_Frame(benchmark::State& state) {
  PatternRun run(static_cast<int>(state.range(0)), kWarmUpFrames);
  const bool scalar = Scalar(state, 1);
  for (auto _ : state) Frame(run, scalar);
  benchmark::DoNotOptimize(run.engine.FrameBuf.bytes().data());
}
BENCHMARK(BM_Frame)->ArgNames({"pattern", "scalar"})->ArgsProduct({{12, 20, 22, 6, 0, 25}, {0, 1}});

void BM_BlurPass(benchmark::State& state) {
  PatternRun run(20, kWarmUpFrames);
  const auto pass = Scalar(state, 0) ? scalar_forms::vbBlurImg : vbBlurImg;
  for (auto _ : state) pass(Engine::W, Engine::H, run.engine.FrameBuf.bytes());
}
BENCHMARK(BM_BlurPass)->ArgName("scalar")->Arg(0)->Arg(1);

void BM_AnimPart(benchmark::State& state) {
  PatternRun run(6, kWarmUpFrames);
  const bool scalar = Scalar(state, 0);
  for (auto _ : state) {
    if (scalar)
      scalar_forms::animPart(run.engine);
    else
      animPart(run.engine);
  }
}
BENCHMARK(BM_AnimPart)->ArgName("scalar")->Arg(0)->Arg(1);

void BM_DrawPart(benchmark::State& state) {
  PatternRun run(12, kWarmUpFrames);
  const bool scalar = Scalar(state, 0);
  for (auto _ : state) {
    if (scalar)
      scalar_forms::DrawPart(run.engine);
    else
      DrawPart(run.engine);
  }
}
BENCHMARK(BM_DrawPart)->ArgName("scalar")->Arg(0)->Arg(1);

void BM_Render(benchmark::State& state) {
  PatternRun run(0, kWarmUpFrames);
  const int bytes_per_pixel = static_cast<int>(state.range(0));
  PaletteTable table = run.PalLUT;
  if (bytes_per_pixel == 2) PalTo565(table);
  const auto [width, height] = kShownPictureSize;
  MemorySurface surface(width, height, bytes_per_pixel);
  std::vector<std::uint8_t> pixels(std::size_t(width * height * bytes_per_pixel));
  const IndexImage image{run.engine.FrameBuf.bytes().data(), Engine::W, Engine::H};
  const bool scalar = Scalar(state, 1);
  for (auto _ : state) {
    if (scalar)
      scalar_forms::render(image, table, pixels.data(), width * bytes_per_pixel, bytes_per_pixel);
    else
      render(image, table, surface);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Render)->ArgNames({"bytes_per_pixel", "scalar"})->ArgsProduct({{4, 2}, {0, 1}});

// The work that --measure runs once; callgrind counts it by this name.
__attribute__((noinline)) void MeasuredWork(PatternRun& run, bool blur_only, bool scalar) {
  if (blur_only)
    (scalar ? scalar_forms::vbBlurImg : vbBlurImg)(Engine::W, Engine::H,
                                                   run.engine.FrameBuf.bytes());
  else
    Frame(run, scalar);
}

int Measure(std::string what) {
  const std::string suffix = "-scalar";
  const bool scalar = what.size() > suffix.size() &&
                      what.compare(what.size() - suffix.size(), suffix.size(), suffix) == 0;
  if (scalar) what.resize(what.size() - suffix.size());
  const bool blur = what == "blur";
  if (!blur && what.rfind("frame", 0) != 0) return 2;
  auto run = std::make_unique<PatternRun>(blur ? 20 : std::stoi(what.substr(5)), kWarmUpFrames);
  MeasuredWork(*run, blur, scalar);
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
