#include "web/web_music.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "web/web_run.h"

namespace velkaro::web {
namespace {

// The page's audio in memory: the files registered, what was asked of it,
// and whether the open file plays (which the test ends as the file would).
class FakePageAudio final : public PageAudio {
 public:
  explicit FakePageAudio(std::vector<std::string>& calls) : calls_(calls) {}
  std::set<std::string, std::less<>> registered = {"曲.mp3", "a b.mp3", "x.WAV"};
  bool playing = false;

  bool Open(std::string_view name) override {
    calls_.push_back("open " + std::string(name));
    return registered.count(name) > 0;
  }
  void Play(bool from_start) override {
    calls_.push_back(from_start ? "play from start" : "play");
    playing = true;
  }
  void Stop() override {
    calls_.push_back("stop");
    playing = false;
  }
  void Close() override {
    calls_.push_back("close");
    playing = false;
  }
  bool IsPlaying() const override { return playing; }
  bool Loop(std::string_view name) override {
    calls_.push_back("loop " + std::string(name));
    return registered.count(name) > 0;
  }
  void StopLoop() override { calls_.push_back("stop loop"); }

 private:
  std::vector<std::string>& calls_;
};

using Calls = std::vector<std::string>;

class WebMciPortTest : public ::testing::Test {
 protected:
  std::vector<std::string> calls;
  FakePageAudio audio{calls};
  WebMciPort mci{audio};

  std::uint32_t Send(const std::string& command) {
    return mci.SendString(command.c_str(), nullptr, 0);
  }
  // The reply to a command, or "error N".
  std::string Ask(const std::string& command) {
    std::array<char, 64> reply{};
    const std::uint32_t code = mci.SendString(command.c_str(), reply.data(), reply.size());
    return code == 0 ? std::string(reply.data()) : "error " + std::to_string(code);
  }
};

TEST_F(WebMciPortTest, PlaysTheRegisteredFileByTheCommandsOfTheMusicModule) {
  EXPECT_EQ(Send("open \"曲.mp3\" type MPEGVideo Alias MP3Play"), 0u);
  EXPECT_EQ(Ask("status MP3Play mode"), "stopped");
  EXPECT_EQ(Send("play MP3Play"), 0u);
  EXPECT_EQ(Ask("status MP3Play mode"), "playing");
  EXPECT_EQ(Send("stop MP3Play"), 0u);
  EXPECT_EQ(Send("play MP3Play from 0"), 0u);
  EXPECT_EQ(Send("close MP3Play"), 0u);
  EXPECT_EQ(calls, (Calls{"open 曲.mp3", "play", "stop", "play from start", "close"}));
  // Once closed, the alias names nothing.
  EXPECT_EQ(Ask("status MP3Play mode"), "error 263");
}

TEST_F(WebMciPortTest, TakesKeywordsAndAliasesInAnyCaseAndOrder) {
  EXPECT_EQ(Send("OPEN  \"a b.mp3\"  ALIAS Song\tTYPE mpegvideo"), 0u);
  EXPECT_EQ(Send("PLAY song FROM 0"), 0u);
  EXPECT_EQ(Ask("Status SONG Mode"), "playing");
  EXPECT_EQ(Send("Close Song"), 0u);
  EXPECT_EQ(calls, (Calls{"open a b.mp3", "play from start", "close"}));
  // Without an alias the file's name is the device's.
  EXPECT_EQ(Send("open \"曲.mp3\" type MPEGVideo"), 0u);
  EXPECT_EQ(Ask("status \"曲.mp3\" mode"), "stopped");
}

TEST_F(WebMciPortTest, AnswersWhatItDoesNotHaveAsTheSystemDoes) {
  // No CD drive: every cdaudio command, the open first, fails as an unknown
  // device, and so does the MP3 alias before it is open.
  for (const char* command : {"open cdaudio", "set cdaudio time format tmsf",
                              "status cdaudio current track", "play cdaudio", "close cdaudio",
                              "status MP3Play mode", "play MP3Play from 0", "close MP3Play"})
    EXPECT_EQ(Ask(command), "error 263") << command;
  EXPECT_EQ(Send("open \"曲.mp3\" type waveaudio alias w"), kMciInvalidDeviceName);
  EXPECT_EQ(Send("open \"other.mp3\" type MPEGVideo Alias MP3Play"), kMciFileNotFound);
  EXPECT_EQ(Send("open \"曲.mp3 type MPEGVideo Alias MP3Play"), kMciNoClosingQuote);
  EXPECT_EQ(Send("open \"曲.mp3\" type MPEGVideo Alias"), kMciUnrecognizedKeyword);
  EXPECT_EQ(Send("open \"曲.mp3\" type MPEGVideo shareable"), kMciUnrecognizedKeyword);
  EXPECT_EQ(Send("play"), kMciUnrecognizedCommand);
  EXPECT_EQ(calls, (Calls{"open other.mp3"}));

  ASSERT_EQ(Send("open \"曲.mp3\" type MPEGVideo Alias MP3Play"), 0u);
  EXPECT_EQ(Send("open \"曲.mp3\" type MPEGVideo Alias MP3Play"), kMciDeviceOpen);
  EXPECT_EQ(Send("pause MP3Play"), kMciUnrecognizedCommand);
  EXPECT_EQ(Send("play MP3Play from 5"), kMciUnrecognizedKeyword);
  EXPECT_EQ(Send("status MP3Play length"), kMciUnrecognizedKeyword);
  EXPECT_EQ(Send("stop MP3Play wait"), kMciUnrecognizedKeyword);
  // The failures asked nothing of the audio.
  EXPECT_EQ(calls, (Calls{"open other.mp3", "open 曲.mp3"}));
}

TEST_F(WebMciPortTest, RepliesWithinTheBufferItIsToldOf) {
  ASSERT_EQ(Send("open \"曲.mp3\" type MPEGVideo Alias MP3Play"), 0u);
  std::array<char, 8> reply;
  reply.fill('#');
  // "stopped" and its NUL are 8 bytes.
  EXPECT_EQ(mci.SendString("status MP3Play mode", reply.data(), 7), kMciParamOverflow);
  EXPECT_EQ(reply[0], '#');
  EXPECT_EQ(mci.SendString("status MP3Play mode", reply.data(), 8), 0u);
  EXPECT_EQ(std::string(reply.data()), "stopped");
  // A command with nothing to say leaves the buffer alone.
  reply.fill('#');
  EXPECT_EQ(mci.SendString("play MP3Play", reply.data(), 8), 0u);
  EXPECT_EQ(reply[0], '#');
}

TEST_F(WebMciPortTest, HasATextForEveryCodeItAnswersWith) {
  for (std::uint32_t code :
       {kMciUnrecognizedKeyword, kMciUnrecognizedCommand, kMciInvalidDeviceName, kMciDeviceOpen,
        kMciParamOverflow, kMciFileNotFound, kMciNoClosingQuote}) {
    std::array<char, 256> text{};
    ASSERT_TRUE(mci.GetErrorString(code, text.data(), text.size())) << code;
    EXPECT_GT(std::string(text.data()).size(), 10u) << code;
  }
  std::array<char, 8> short_text;
  short_text.fill('#');
  ASSERT_TRUE(mci.GetErrorString(kMciInvalidDeviceName, short_text.data(), short_text.size()));
  EXPECT_EQ(std::string(short_text.data()), "The spe");
  EXPECT_FALSE(mci.GetErrorString(300, short_text.data(), short_text.size()));
}

TEST(WebSoundPort, LoopsTheWaveFileAndStopsIt) {
  std::vector<std::string> calls;
  FakePageAudio audio(calls);
  WebSoundPort sound(audio);
  EXPECT_EQ(sound.WaveOutDeviceCount(), 1u);
  EXPECT_TRUE(sound.Play("x.WAV", kSndAsync | kSndLoop));
  EXPECT_FALSE(sound.Play("other.wav", kSndAsync | kSndLoop));
  // Played once, or while the caller waits: not the page's.
  EXPECT_FALSE(sound.Play("x.WAV", kSndAsync));
  EXPECT_FALSE(sound.Play("x.WAV", kSndLoop));
  EXPECT_TRUE(sound.Play(nullptr, 0));
  EXPECT_EQ(calls, (Calls{"loop x.WAV", "loop other.wav", "stop loop"}));
}

TEST(WebSoundPort, NamesItsMusicFilesByTheirUtf8Endings) {
  std::vector<std::string> calls;
  FakePageAudio audio(calls);
  const LeadByteTest lead = WebSoundPort(audio).FileNameLeadBytes();
  EXPECT_EQ(MusicFileOf("曲.mp3", lead), MusicFile::Mp3);
  EXPECT_EQ(MusicFileOf("x.WAV", lead), MusicFile::Wav);
  // ぁ ends in the byte 81, a lead byte of code page 932.
  EXPECT_EQ(MusicFileOf("ぁmp3", lead), MusicFile::Mp3);
  EXPECT_EQ(MusicFileOf("曲.ogg", lead), MusicFile::None);
  EXPECT_EQ(MusicFileOf("曲", lead), MusicFile::None);
}

// The saver's music module on the page's ports, as a run starts, checks and
// ends it.
class WebMusicTest : public ::testing::Test {
 protected:
  std::vector<std::string> calls;
  FakePageAudio* audio = nullptr;

  std::unique_ptr<WebMusic> MusicOf(const std::string& file) {
    auto fake = std::make_unique<FakePageAudio>(calls);
    audio = fake.get();
    return std::make_unique<WebMusic>(std::move(fake), file);
  }
};

TEST_F(WebMusicTest, HasNoDiscToPoll) {
  const auto music = MusicOf("曲.mp3");
  music->player().CdOpen();
  music->player().CdRepeatCheck();
  EXPECT_FALSE(music->player().CdPollActive());
  EXPECT_TRUE(calls.empty());
}

// Live animation frames every 16 ms from `from` to `to`.
void FramesBetween(WebRun& run, double from, double to) {
  for (double now = from; now < to; now += 16) run.AnimationFrame(now);
}

TEST_F(WebMusicTest, TheRunLoopsTheWaveFileFromItsStartToItsEnd) {
  WebRun run(WebRunOptions{}, MusicOf("x.WAV"));
  ASSERT_TRUE(run.Start());
  EXPECT_EQ(calls, (Calls{"loop x.WAV"}));
  FramesBetween(run, 0, 500);
  run.KeyDown(32);
  run.AnimationFrame(500);
  EXPECT_FALSE(run.running());
  EXPECT_EQ(calls, (Calls{"loop x.WAV", "stop loop"}));
}

TEST_F(WebMusicTest, TheRunRestartsAnEndedMp3FileOnItsSecondTimer) {
  WebRun run(WebRunOptions{}, MusicOf("曲.mp3"));
  ASSERT_TRUE(run.Start());
  FramesBetween(run, 0, 1500);
  EXPECT_EQ(calls, (Calls{"open 曲.mp3", "play"}));
  audio->playing = false;
  FramesBetween(run, 1500, 2600);
  EXPECT_EQ(calls, (Calls{"open 曲.mp3", "play", "stop", "play from start"}));
  run.MouseButtonDown();
  run.AnimationFrame(2600);
  EXPECT_FALSE(run.running());
  EXPECT_EQ(calls.back(), "close");
}

// A file the browser does not have (the page registered another) asks for
// nothing more, and the run goes on to its end.
TEST_F(WebMusicTest, TheRunGoesOnSilentlyWithAFileThatDoesNotOpen) {
  WebRun run(WebRunOptions{}, MusicOf("other.mp3"));
  ASSERT_TRUE(run.Start());
  FramesBetween(run, 0, 2600);
  EXPECT_TRUE(run.running());
  run.KeyDown(32);
  run.AnimationFrame(2600);
  EXPECT_FALSE(run.running());
  EXPECT_EQ(calls, (Calls{"open other.mp3"}));
}

}  // namespace
}  // namespace velkaro::web
