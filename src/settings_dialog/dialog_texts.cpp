#include "settings_dialog/dialog_texts.h"

namespace velkaro {

std::string_view MusicKindLabel(int kind) {
  switch (kind) {
    case 0: return "無し";
    case 1: return "音楽CD";
    case 2: return "MP3、WAV";
    default: return "";
  }
}

OpenFileRequestData MusicFileRequest() {
  using namespace std::string_literals;
  OpenFileRequestData request;
  // The size of the original request record, without the fields that later
  // systems added: every system accepts it.
  request.structure_size = 76;
  request.filter = "BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0"s;
  request.file_buffer_size = 255;
  request.title_buffer_size = 255;
  request.dialog_title = "ﾌｧｲﾙを開く";
  // No flags: the chosen name need not exist and its extension is not
  // tested; an unusable file means no music at the next start.
  request.flags = 0;
  return request;
}

}  // namespace velkaro
