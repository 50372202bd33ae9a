// The frame loop's work allocates nothing once a run is set up: a saver runs
// for hours, and an allocation per frame would be time spent in the heap 60
// times a second and a chance to fragment it. This program replaces the
// global allocation functions with counting ones, so it is a test program of
// its own.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "effects/pattern_run.h"
#include "effects/presentation.h"
#include "effects/presets.h"
#include "saver/frame_log.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace velkaro {
namespace {

TEST(FrameAllocation, NoPatternAllocatesWhileItRuns) {
  for (int pattern = 0; pattern < PatternCount; ++pattern) {
    SCOPED_TRACE(pattern);
    PatternRun run(pattern, 10);
    long lines = 0;
    FrameLog log([&](std::string_view) { ++lines; }, 1000);
    MemorySurface surface(320, 240, 4);
    const PaletteTable table = DisplayPalette(run.PalLUT, 32);
    const IndexImage image{run.engine.FrameBuf.bytes().data(), Engine::W, Engine::H};

    const long before = allocations.load();
    // 400 frames: past every pattern's first burst and motion steps, and
    // long enough for the log to write some lines.
    for (int frame = 0; frame < 400; ++frame) {
      run.Frame();
      ASSERT_EQ(render(image, table, surface), DrawStatus::kDrawn);
      log.FramePresented(double(run.clock.frame()) * 1000.0 / 60.0);
    }
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_GT(lines, 0);
  }
}

TEST(FrameAllocation, TheCounterSeesAnAllocation) {
  const long before = allocations.load();
  auto kept = std::make_unique<int>(1);
  EXPECT_EQ(allocations.load() - before, 1);
}

}  // namespace
}  // namespace velkaro
