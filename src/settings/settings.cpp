#include "settings/settings.h"

#include <array>
#include <cstring>
#include <utility>

#include "common/multibyte_text.h"
#include "common/rounding.h"
#include "common/text_cp932.h"
#include "settings/number_text.h"
#include "settings/profile_store.h"

namespace velkaro {
namespace {

// Names in UTF-8; the file holds them in code page 932.
constexpr std::string_view kSection = "Section";
constexpr std::string_view kKeyRandom = "ﾗﾝﾀﾞﾑ";
constexpr std::string_view kKeyPattern = "ﾊﾟﾀｰﾝ";
constexpr std::string_view kKeyMusicKind = "BGM区分";
constexpr std::string_view kKeyRepeatTrack = "BGMﾘﾋﾟｰﾄ";
constexpr std::string_view kKeyMusicFile = "BGMﾌｧｲﾙ";

constexpr std::uint32_t kValueBufferSize = 256;
constexpr std::size_t kNameFieldSize = 128;

// Section and key names pass through fixed fields of 128 characters, so at
// most 127 bytes of a name reach the system.
std::string NameField(const std::string& name) { return name.substr(0, kNameFieldSize - 1); }

// A numeric setting: empty text is 0; a number is floored and kept when it
// fits 16 bits; anything else leaves the variable as it was.
void LoadNumber(std::int16_t& variable, ProfileStore& store, const std::string& path,
                std::string_view key) {
  const std::string text = GetIni(store, std::string(kSection), ToCp932(key), path);
  if (text.empty()) {
    variable = 0;
    return;
  }
  if (auto number = ParseNumber(text))
    if (auto value = floor_as<std::int16_t>(*number)) variable = *value;
}

// One save of the five keys into the store's staging path. It remembers
// whether every write went through: only a complete set of keys may replace
// the file, otherwise the file keeps its old content.
class SaveBatch {
 public:
  SaveBatch(ProfileStore& store, std::string path)
      : store_(store), path_(std::move(path)), staging_path_(store.BeginSave(path_)) {}
  SaveBatch(const SaveBatch&) = delete;
  SaveBatch& operator=(const SaveBatch&) = delete;

  void Put(std::string_view key, const std::string& value) {
    all_written_ &=
        store_.WriteString(NameField(std::string(kSection)).c_str(),
                           NameField(ToCp932(key)).c_str(), value.c_str(), staging_path_.c_str());
  }
  void PutNumber(std::string_view key, std::int16_t value) { Put(key, FormatIniNumber(value)); }
  // True when the file now holds every key.
  bool Finish() {
    if (all_written_) return store_.CommitSave(staging_path_, path_);
    store_.AbandonSave(staging_path_, path_);
    return false;
  }

 private:
  ProfileStore& store_;
  std::string path_;
  std::string staging_path_;
  bool all_written_ = true;
};

bool SaveInto(const Settings& settings, ProfileStore& store, const std::string& path) {
  SaveBatch batch(store, path);
  batch.PutNumber(kKeyRandom, settings.Rdm_Flag);
  batch.PutNumber(kKeyPattern, settings.Pattern_No);
  batch.PutNumber(kKeyMusicKind, settings.BGM_Kind);
  batch.PutNumber(kKeyRepeatTrack, settings.BGM_RepeatTrack);
  batch.Put(kKeyMusicFile, settings.BGM_File);
  return batch.Finish();
}

std::string PerUserPath(const SettingsFile& file) {
  return file.per_user_folder.empty() ? std::string() : SettingsPathFor(file.per_user_folder);
}

}  // namespace

std::string SettingsPathFor(std::string_view executable_directory) {
  return std::string(executable_directory) + "\\Velkaro.ini";
}

std::string GetIni(ProfileStore& store, const std::string& section, const std::string& key,
                   const std::string& path) {
  std::array<char, kValueBufferSize> buffer{};
  store.GetString(NameField(section).c_str(), NameField(key).c_str(), "", buffer.data(),
                  kValueBufferSize, path.c_str());
  // The store terminates the text, but a faulty one must neither make us read
  // past the buffer nor give more than the 255 bytes a value can have.
  return std::string(buffer.data(), strnlen(buffer.data(), buffer.size() - 1));
}

void PutIni(ProfileStore& store, const std::string& section, const std::string& key,
            const std::string& value, const std::string& path) {
  store.WriteString(NameField(section).c_str(), NameField(key).c_str(), value.c_str(),
                    path.c_str());
}

bool FileExists(FileProbe& files, std::string_view path) {
  // The last character, not the last byte: a path that ends in ソ (83 5C)
  // ends in the byte of '\'.
  if (LastCharacters(path, 1, files.PathLeadBytes()) == "\\") path.remove_suffix(1);
  return files.CanOpenForReading(std::string(path));
}

std::string FormatIniNumber(std::int16_t value) {
  const std::string digits = std::to_string(value < 0 ? -int(value) : int(value));
  return (value < 0 ? "-" : " ") + digits;
}

std::string SettingsReadPath(const SettingsFile& file) {
  // The write probe runs only where a per-user file exists, so a user who
  // never needed one costs no probe at all.
  const std::string own = PerUserPath(file);
  if (own.empty() || !file.files.CanOpenForReading(own) || file.files.CanWriteFile(file.path))
    return file.path;
  return own;
}

void LoadSettings(Settings& settings, const SettingsFile& file) {
  const std::string path = SettingsReadPath(file);
  LoadNumber(settings.Rdm_Flag, file.store, path, kKeyRandom);
  LoadNumber(settings.Pattern_No, file.store, path, kKeyPattern);
  LoadNumber(settings.BGM_Kind, file.store, path, kKeyMusicKind);
  LoadNumber(settings.BGM_RepeatTrack, file.store, path, kKeyRepeatTrack);

  settings.BGM_File = GetIni(file.store, std::string(kSection), ToCp932(kKeyMusicFile), path);
  if (!settings.BGM_File.empty() && !FileExists(file.files, settings.BGM_File))
    settings.BGM_File.clear();

  // A music-file choice without a usable file means no music this time.
  if (settings.BGM_File.empty() && settings.BGM_Kind == 2) settings.BGM_Kind = 0;
}

bool SaveSettings(Settings& settings, const SettingsFile& file,
                  std::string_view repeat_track_text) {
  if (auto number = ParseNumber(repeat_track_text)) {
    if (auto track = nearest_as<std::int16_t>(*number)) settings.BGM_RepeatTrack = *track;
  } else {
    settings.BGM_RepeatTrack = 0;
  }
  // A file that the user may write but that refuses this one save (a full
  // disk) must not send the settings where they would never be read.
  if (file.files.CanWriteFile(file.path)) return SaveInto(settings, file.store, file.path);
  const std::string own = PerUserPath(file);
  return !own.empty() && file.files.MakeFolder(file.per_user_folder) &&
         SaveInto(settings, file.store, own);
}

}  // namespace velkaro
