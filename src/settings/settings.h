#pragma once
// The user's choices: five variables of the main module, loaded from
// Velkaro.ini once per process and written back only by the settings dialog.
#include <cstdint>
#include <string>
#include <string_view>

namespace velkaro {

class ProfileStore;
class FileProbe;

struct Settings {
  std::int16_t Rdm_Flag = 0;         // 1: pick the pattern at random at each start
  std::int16_t Pattern_No = 0;       // effect preset, 0..27
  std::int16_t BGM_Kind = 0;         // 0 none, 1 audio CD, 2 music file
  std::int16_t BGM_RepeatTrack = 0;  // audio CD: 0 whole disc, N keep returning to track N
  std::string BGM_File;              // MP3 or WAV path, in the ANSI code page
};

}  // namespace velkaro

namespace velkaro {

// Where the settings live and how to reach them.
//
// The file beside the executable is the settings file while this user can
// write it: a copy in a folder of the user's own (a portable copy, any copy
// on the 95/98 family) keeps its own file there, whatever else exists. Where
// the user cannot write it (a program folder of a current Windows, a
// read-only file), the settings are the user's own: saves go to the file in
// per_user_folder, and every mode reads that file once it exists; until the
// first such save the file beside the executable is still read.
struct SettingsFile {
  ProfileStore& store;
  FileProbe& files;
  std::string path;                  // beside the executable; ANSI code page
  std::string per_user_folder = {};  // the user's own folder for it; empty: none
};

// The file beside the executable: its directory as the system reports it,
// followed by "\Velkaro.ini". The per-user file is named the same way.
std::string SettingsPathFor(std::string_view executable_directory);
// The file that LoadSettings reads, by the rule above.
std::string SettingsReadPath(const SettingsFile& file);

// The value of key in section, at most 255 bytes of it; empty when the key or
// the file is missing.
std::string GetIni(ProfileStore& store, const std::string& section, const std::string& key,
                   const std::string& path);
void PutIni(ProfileStore& store, const std::string& section, const std::string& key,
            const std::string& value, const std::string& path);
// True when path, less one trailing backslash, names a file that opens for
// reading. A folder does not.
bool FileExists(FileProbe& files, std::string_view path);

// The text a number is written as: its decimal digits after a space when it
// is zero or positive, after a minus sign when negative.
std::string FormatIniNumber(std::int16_t value);

void LoadSettings(Settings& settings, const SettingsFile& file);
// Writes all five settings into the file the rule above names for saving.
// The repeat track comes from the text of the dialog's track list: a number
// there, 0 for anything else. False when the save could be made nowhere; no
// file has changed then.
bool SaveSettings(Settings& settings, const SettingsFile& file, std::string_view repeat_track_text);

}  // namespace velkaro
