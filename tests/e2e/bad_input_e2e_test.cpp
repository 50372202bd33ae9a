// The real executable against input it cannot use: odd command lines,
// settings files that are damaged or hold impossible values, music files
// that cannot play, and sound hardware that is missing or goes away. Each
// is handled quietly: the program ends at once or runs as usual, shows no
// message, never crashes, and leaves the settings file as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e/saver_driver.h"
#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/settings_file_bytes.h"

namespace velkaro::testing {
namespace {

std::string Ini(const std::string& lines) { return "[Section]\r\n" + lines; }

// Exception codes (access violation, stack overflow ...) all have the top two
// bits set; a quiet end is 0.
bool IsCrashCode(DWORD code) { return code >= 0xC0000000; }

std::string Show(const std::string& text) {
  return text.size() > 40 ? text.substr(0, 40) + "... (" + std::to_string(text.size()) + ")" : text;
}

// The saver starts full screen with this settings file (none when nullopt),
// runs, ends on a key and leaves the file as it was.
void ExpectRunsUntilAKey(const SaverFolder& folder, const std::string& arguments,
                         const std::string& label) {
  const bool had_ini = GetFileAttributesA(folder.ini().c_str()) != INVALID_FILE_ATTRIBUTES;
  const std::string ini_before = had_ini ? folder.ReadIni() : "";
  SaverProcess saver(folder, arguments);
  ASSERT_NE(saver.WaitForWindow(Wide(kSaverWindowTitle), kWindowShowsMs), nullptr) << label;
  EXPECT_FALSE(saver.WaitForExit(700)) << label << ": ended by itself";
  PressKey(VK_SPACE);
  ASSERT_TRUE(saver.WaitForExit(kEndsMs)) << label << ": a key did not end it";
  EXPECT_EQ(saver.exit_code(), 0u) << label;
  EXPECT_EQ(GetFileAttributesA(folder.ini().c_str()) != INVALID_FILE_ATTRIBUTES, had_ini) << label;
  if (had_ini) {
    EXPECT_EQ(folder.ReadIni(), ini_before) << label << ": the settings changed";
  }
}

void ExpectRunsUntilAKeyWith(const std::string& ini, const std::string& label) {
  SaverFolder folder;
  folder.WriteIni(ini);
  ExpectRunsUntilAKey(folder, "/s", label);
}

TEST(BadCommandLine, LinesWithoutAModeToRunEndAtOnceWithoutAWindow) {
  // "/a": Wine is of the NT family, where the password change does nothing.
  for (const std::string line : {"s", "/", "x", "/a", "/a abc", "/z", "-?", "/ s"}) {
    SaverFolder folder;
    const SaverOutcome run = RunSaver(folder, line, kAtOnceMs);
    EXPECT_TRUE(run.ended) << Show(line);
    EXPECT_EQ(run.exit_code, 0u) << Show(line);
    EXPECT_THAT(run.window_titles, ::testing::IsEmpty()) << Show(line);
  }
}

TEST(BadCommandLine, LinesOfTheShowModeOrNoneRunFullScreenUntilAKey) {
  for (const std::string& line : {std::string(), std::string("xs"), "/s" + std::string(9998, 'x'),
                                  std::string("/S 12 extra")}) {
    SaverFolder folder;
    ExpectRunsUntilAKey(folder, line, Show(line));
  }
}

// The preview and the settings dialog either end or run as their modes say;
// what matters here is that no handle text makes them crash or hang up the
// start. A window that stays is closed by ending the process.
// A preview line with no usable pane ends at once; a settings line opens the
// dialog whatever follows the letter, and the dialog closes quietly. A
// process that hangs instead fails, as does one that crashes.
TEST(BadCommandLine, PreviewAndSettingsLinesNeverCrashOrHang) {
  for (const std::string line : {"/p", "/p abc", "/p 0", "/p 99999999999", "/p -5"}) {
    SaverFolder folder;
    SaverProcess process(folder, line);
    ASSERT_TRUE(process.started()) << line;
    ASSERT_TRUE(process.WaitForExit(kAtOnceMs)) << line << ": still running";
    EXPECT_FALSE(IsCrashCode(process.exit_code()))
        << line << std::hex << ": exit code 0x" << process.exit_code();
  }
  for (const std::string line : {"/c:", "/c:abc", "/c 99999999999"}) {
    SaverFolder folder;
    SaverProcess process(folder, line);
    HWND dialog = process.WaitForWindow(Wide(kSettingsWindowTitle), kWindowShowsMs);
    ASSERT_NE(dialog, nullptr) << line << ": no settings dialog";
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(process.WaitForExit(kEndsMs)) << line << ": still running after closing";
    EXPECT_FALSE(IsCrashCode(process.exit_code()))
        << line << std::hex << ": exit code 0x" << process.exit_code();
  }
}

TEST(BadSettingsFile, DamagedFilesRunWithTheDefaults) {
  {
    SaverFolder folder;  // no Velkaro.ini at all
    ExpectRunsUntilAKey(folder, "/s", "missing file");
  }
  ExpectRunsUntilAKeyWith("", "empty file");
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += char((i * 7919 + 13) % 256);
  ExpectRunsUntilAKeyWith(garbage, "binary garbage");
  ExpectRunsUntilAKeyWith(Ini(std::string("\0\0\0", 3) + IniLine(kPatternKey, " 5")),
                          "NULs in the file");
  ExpectRunsUntilAKeyWith(
      Ini(IniLine(kPatternKey, std::string(300, '7')) + IniLine(kFileKey, std::string(300, 'q'))),
      "300-byte values");
}

TEST(BadSettingsFile, ValuesThatAreNoUsableNumbersInEveryKey) {
  for (const std::string value : {"abc", "5.9", "99999", "-40000", "1e9", "-", "0x10"}) {
    std::string lines;
    for (const std::string& key : {kRandomKey, kPatternKey, kKindKey, kRepeatKey})
      lines += IniLine(key, value);
    ExpectRunsUntilAKeyWith(Ini(lines), "every number " + value);
  }
}

TEST(BadSettingsFile, ChoicesOutOfRangeRun) {
  ExpectRunsUntilAKeyWith(Ini(IniLine(kKindKey, " 7")), "music kind 7");
  ExpectRunsUntilAKeyWith(Ini(IniLine(kKindKey, "-1")), "music kind -1");
  ExpectRunsUntilAKeyWith(Ini(IniLine(kPatternKey, " 28")), "pattern 28");
  ExpectRunsUntilAKeyWith(Ini(IniLine(kPatternKey, "-1")), "pattern -1");
  ExpectRunsUntilAKeyWith(Ini(IniLine(kKindKey, " 1") + IniLine(kRepeatKey, " 32767")),
                          "CD without a drive, repeat track 32767");
}

// A tone MP3 made at build time; nothing when the build made none.
std::string ToneMp3() {
  const char* path = std::getenv("VELKARO_TONE_MP3");
  return path ? path : "";
}

TEST(BadMusicFile, FilesThatCannotPlayLeaveTheRunSilentButRunning) {
  SaverFolder folder;
  const auto music = [&](const std::string& path) {
    return Ini(IniLine(kPatternKey, " 6") + IniLine(kKindKey, " 2") + IniLine(kFileKey, path));
  };
  const std::string base = folder.path() + "\\";
  CreateDirectoryA((base + "album").c_str(), nullptr);
  CreateDirectoryA((base + "folder.mp3").c_str(), nullptr);
  WriteFileBytes(base + "notes.mp3", "These are not the notes of a song.\r\n");
  WriteFileBytes(base + "notes.wav", "RIFF\x10\0\0\0WAVEjunk");
  WriteFileBytes(base + "empty.mp3", "");

  struct Row {
    std::string label, path;
  };
  std::vector<Row> rows = {
      {"a 300-character path", base + std::string(300 - base.size() - 4, 'm') + ".mp3"},
      {"a folder", base + "album\\"},
      {"a folder named like an MP3", base + "folder.mp3"},
      {"a text file named .mp3", base + "notes.mp3"},
      {"an empty .mp3", base + "empty.mp3"},
      {"a broken .wav", base + "notes.wav"},
  };
  if (const std::string tone = ToneMp3(); !tone.empty()) {
    const std::string whole = ReadFileBytes(tone);
    // Cut inside a frame, well before the end.
    WriteFileBytes(base + "truncated.mp3", whole.substr(0, whole.size() / 3 + 7));
    rows.push_back({"a truncated MP3", base + "truncated.mp3"});
  } else {
    ADD_FAILURE() << "VELKARO_TONE_MP3 names no tone MP3: the truncated-MP3 row did not run";
  }
  for (const Row& row : rows) {
    folder.WriteIni(music(row.path));
    ExpectRunsUntilAKey(folder, "/s", row.label);
  }
}

// Run by bad_input_env_test.sh on displays of 16 and 24 bits, and with the
// sound card missing: a run with MP3 music shows, plays on and ends on a key.
TEST(BadEnvironment, ARunWithMusicShowsAndEndsOnAKey) {
  const std::string tone = ToneMp3();
  if (tone.empty()) GTEST_FAIL() << "needs VELKARO_TONE_MP3";
  for (int pattern : {6, 12, 21}) {
    SaverFolder folder;
    folder.WriteIni(Ini(IniLine(kPatternKey, " " + std::to_string(pattern)) +
                        IniLine(kKindKey, " 2") + IniLine(kFileKey, tone)));
    ExpectRunsUntilAKey(folder, "/s", "pattern " + std::to_string(pattern));
  }
}

// The sound card goes while an MP3 plays: bad_input_env_test.sh kills the
// sound server when this test says the music plays (the file "playing" in
// VELKARO_SYNC_DIR) and answers with the file "gone".
TEST(BadEnvironment, TheSoundCardVanishingMidRunLeavesTheRunGoingAndAKeyEndsIt) {
  const char* sync = std::getenv("VELKARO_SYNC_DIR");
  const std::string tone = ToneMp3();
  if (!sync || tone.empty()) GTEST_FAIL() << "run by bad_input_env_test.sh";
  const std::string dir = std::string(sync) + "\\";
  SaverFolder folder;
  folder.WriteIni(
      Ini(IniLine(kPatternKey, " 8") + IniLine(kKindKey, " 2") + IniLine(kFileKey, tone)));
  SaverProcess saver(folder, "/s");
  ASSERT_NE(saver.WaitForWindow(Wide(kSaverWindowTitle), kWindowShowsMs), nullptr);
  // The music plays once the MP3 device holds the file open.
  HeldOpenWithin(tone, 5000);
  WriteFileBytes(dir + "playing", "");
  const bool gone = WaitUntil([&] { return FileIsThere(dir + "gone"); }, 20000, 100);
  ASSERT_TRUE(gone) << "the sound server was not stopped";
  // Several of the once-a-second checks meet the missing card.
  EXPECT_FALSE(saver.WaitForExit(4000)) << "the run ended when the sound card went";
  PressKey(VK_RETURN);
  EXPECT_TRUE(saver.WaitForExit(kEndsMs));
  EXPECT_EQ(saver.exit_code(), 0u);
}

}  // namespace
}  // namespace velkaro::testing
