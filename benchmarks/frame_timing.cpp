// One engine frame timed with a plain clock, for the builds that have no
// Google Benchmark (the web tree, run under node). It times the frame the way
// engine_benchmark's BM_Frame does: each repetition sets up a fresh run of
// the pattern, warms it up by 120 frames, then steps it through the
// production StepFrame for at least the minimum time; the figure of a
// repetition is its mean time per frame, and the program prints the median
// of the repetitions.
//   velkaro_frame_timing [--repetitions N] [--min-time SECONDS] PATTERN...
// prints "pattern,ns_per_frame,repetitions" lines.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "effects/engine.h"
#include "effects/pattern_run.h"
#include "effects/presets.h"

namespace velkaro {
namespace {

constexpr int kWarmUpFrames = 120;

struct Options {
  int repetitions = 9;
  double min_time_s = 0.5;
  std::vector<int> patterns;
};

using Clock = std::chrono::steady_clock;

// The mean time of one frame over at least `min_time_s`, checking the clock
// every 64 frames so that reading it costs next to nothing.
double OneRepetition(int pattern, double min_time_s) {
  PatternRun run(pattern, kWarmUpFrames);
  const auto start = Clock::now();
  const auto until = start + std::chrono::duration<double>(min_time_s);
  std::int64_t frames = 0;
  Clock::time_point now;
  do {
    for (int i = 0; i < 64; ++i) run.Frame();
    frames += 64;
    now = Clock::now();
  } while (now < until);
  // The frame buffer is read, so that no step can be left out as unused.
  volatile std::uint8_t sink = run.engine.FrameBuf.bytes()[Engine::W + 2];
  (void)sink;
  return std::chrono::duration<double, std::nano>(now - start).count() / double(frames);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const bool has_value = i + 1 < argc;
    if (std::strcmp(argv[i], "--repetitions") == 0 && has_value) {
      options.repetitions = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--min-time") == 0 && has_value) {
      options.min_time_s = std::atof(argv[++i]);
    } else {
      const int pattern = std::atoi(argv[i]);
      if (pattern < 0 || pattern >= PatternCount || std::to_string(pattern) != argv[i])
        return false;
      options.patterns.push_back(pattern);
    }
  }
  return !options.patterns.empty();
}

}  // namespace
}  // namespace velkaro

int main(int argc, char** argv) {
  velkaro::Options options;
  if (!velkaro::Parse(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: velkaro_frame_timing [--repetitions N] [--min-time SECONDS] PATTERN...\n");
    return 2;
  }
  // Repetitions of the patterns interleaved, so that a change in the
  // machine's load falls on all of them alike.
  std::vector<std::vector<double>> times(options.patterns.size());
  for (int r = 0; r < options.repetitions; ++r) {
    for (std::size_t p = 0; p < options.patterns.size(); ++p)
      times[p].push_back(velkaro::OneRepetition(options.patterns[p], options.min_time_s));
  }
  for (std::size_t p = 0; p < options.patterns.size(); ++p)
    std::printf("%d,%.1f,%d\n", options.patterns[p], velkaro::Median(times[p]),
                options.repetitions);
  return 0;
}
