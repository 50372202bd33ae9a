// The settings reader over a profile store that answers with any bytes, for
// any key, or not at all, and a file probe that says anything. Then a save
// of what was loaded, read back, must give the same numbers.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/profile_store.h"
#include "settings/settings.h"
#include "support/fake_profile_store.h"

namespace {

// Every read takes its answer from the fuzz input: the key missing (the
// default), a value of any bytes, or a misbehaving store that fills the
// whole buffer and leaves no NUL.
class FuzzedProfileStore final : public velkaro::ProfileStore {
 public:
  explicit FuzzedProfileStore(FuzzedDataProvider& input) : input_(input) {}
  std::uint32_t GetString(const char*, const char*, const char* default_value, char* buffer,
                          std::uint32_t size, const char*) override {
    std::string value;
    switch (input_.ConsumeIntegralInRange(0, 3)) {
      case 0: value = default_value; break;
      case 3: std::memset(buffer, input_.ConsumeIntegral<char>(), size); return size;
      default: value = input_.ConsumeRandomLengthString(400); break;
    }
    const std::size_t n = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return static_cast<std::uint32_t>(n);
  }
  bool WriteString(const char*, const char*, const char*, const char*) override {
    return input_.ConsumeBool();
  }

 private:
  FuzzedDataProvider& input_;
};

class FuzzedFileProbe final : public velkaro::FileProbe {
 public:
  explicit FuzzedFileProbe(FuzzedDataProvider& input) : input_(input) {}
  bool CanOpenForReading(const std::string&) override { return input_.ConsumeBool(); }
  bool CanWriteFile(const std::string&) override { return input_.ConsumeBool(); }
  bool MakeFolder(const std::string&) override { return input_.ConsumeBool(); }
  velkaro::LeadByteTest PathLeadBytes() const override {
    return input_.ConsumeBool() ? velkaro::IsCp932LeadByte : velkaro::IsNeverLeadByte;
  }

 private:
  FuzzedDataProvider& input_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  FuzzedProfileStore store(input);
  FuzzedFileProbe files(input);
  const velkaro::SettingsFile file{store, files, "C:\\Velkaro\\Velkaro.ini",
                                   "C:\\Users\\Ann\\AppData\\Roaming\\Velkaro"};

  velkaro::Settings loaded;
  velkaro::LoadSettings(loaded, file);
  // At most 255 bytes of a value are ever seen, and a music-file choice
  // always comes with a file.
  if (loaded.BGM_File.size() > 255) std::abort();
  if (loaded.BGM_Kind == 2 && loaded.BGM_File.empty()) std::abort();

  const std::string repeat_text = input.ConsumeRandomLengthString(64);
  velkaro::SaveSettings(loaded, file, repeat_text);

  // A well-behaved file in memory, for the round trip.
  velkaro::testing::FakeProfileStore memory;
  auto readable = velkaro::testing::FakeFileProbe::EveryFileReadable();
  const velkaro::SettingsFile memory_file{memory, readable, file.path};
  velkaro::Settings saved = loaded;
  velkaro::SaveSettings(saved, memory_file, repeat_text);
  velkaro::Settings reread;
  velkaro::LoadSettings(reread, memory_file);
  if (reread.Rdm_Flag != saved.Rdm_Flag || reread.Pattern_No != saved.Pattern_No ||
      reread.BGM_Kind != saved.BGM_Kind || reread.BGM_RepeatTrack != saved.BGM_RepeatTrack)
    std::abort();
  return 0;
}
