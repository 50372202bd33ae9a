#include "saver/frame_log_win32.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace velkaro {
namespace {

constexpr char kVariable[] = "VELKARO_FRAME_LOG";
constexpr char kPeriodVariable[] = "VELKARO_FRAME_LOG_PERIOD_S";

double PeriodMs() {
  char text[16];
  const DWORD length = GetEnvironmentVariableA(kPeriodVariable, text, sizeof text);
  if (length == 0 || length >= sizeof text) return FrameLog::kMinuteMs;
  return std::strtod(text, nullptr) * 1000.0;  // 0 or garbage: the minute
}

std::uint64_t Ticks100ns(const FILETIME& time) {
  return (std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// How long ago the process was created, by the system clock; only read once,
// when the log opens, so its coarse resolution matters little.
double MsSinceCreation() {
  FILETIME created, exited, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  GetSystemTimeAsFileTime(&now);
  const std::uint64_t from = Ticks100ns(created), to = Ticks100ns(now);
  return to > from ? double(to - from) / 10000.0 : 0;
}

}  // namespace

ProcessFrameLog::ProcessFrameLog() {
  char path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA(kVariable, path, sizeof path);
  if (length == 0 || length >= sizeof path) return;
  file_ = FromCreateFile(CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) return;
  QueryPerformanceFrequency(&frequency_);
  QueryPerformanceCounter(&opened_at_);
  opened_ms_since_start_ = MsSinceCreation();
  log_.emplace([this](std::string_view line) { Append(line); }, PeriodMs());
}

double ProcessFrameLog::MsSinceProcessStart() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return opened_ms_since_start_ +
         double(now.QuadPart - opened_at_.QuadPart) * 1000.0 / double(frequency_.QuadPart);
}

void ProcessFrameLog::Append(std::string_view line) {
  std::string text(line);
  text += "\r\n";
  DWORD written = 0;
  WriteFile(file_.get(), text.data(), DWORD(text.size()), &written, nullptr);
}

}  // namespace velkaro
