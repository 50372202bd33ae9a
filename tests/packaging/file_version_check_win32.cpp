// Reads the version resource and the screen-saver list name (string 1) of a
// Velkaro.scr and compares them with the project's:
//   velkaro_file_version_check FILE VERSION COPYRIGHT
// The file is only read as data, never run, so a 64-bit check reads the
// 32-bit Velkaro.scr as well. Prints each value; exits 1 on any mismatch.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

int g_failures = 0;

void Expect(const char* what, const std::string& actual, const std::string& expected) {
  std::printf("%-16s %s\n", what, actual.c_str());
  if (actual == expected) return;
  std::printf("  expected:        %s\n", expected.c_str());
  ++g_failures;
}

// A value of the U.S. English Unicode block, the one Translation names.
std::string StringValue(const std::vector<char>& info, const char* name) {
  const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
    return "(missing)";
  return std::string(value, strnlen(value, length));
}

std::string Dotted(DWORD high, DWORD low) {
  return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
         std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

void CheckFixedPart(const std::vector<char>& info, const std::string& version) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
      length < sizeof *fixed || fixed->dwSignature != VS_FFI_SIGNATURE) {
    Expect("fixed part", "(missing)", "present");
    return;
  }
  Expect("file version", Dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS), version + ".0");
  Expect("product version", Dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS),
         version + ".0");
}

// Explorer's Properties page shows the string block that Translation names.
void CheckTranslation(const std::vector<char>& info) {
  WORD* pair = nullptr;
  UINT length = 0;
  const bool found = VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                                    reinterpret_cast<void**>(&pair), &length) &&
                     length >= 4;
  char text[16] = "(missing)";
  if (found) std::snprintf(text, sizeof text, "%04X%04X", pair[0], pair[1]);
  Expect("translation", text, "040904B0");
}

std::string DisplayName(const char* file) {
  HMODULE module =
      LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return "(cannot load)";
  char name[256] = {};
  const int length = LoadStringA(module, 1, name, sizeof name);
  FreeLibrary(module);
  return length > 0 ? name : "(missing)";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: velkaro_file_version_check FILE VERSION COPYRIGHT\n");
    return 2;
  }
  const char* file = argv[1];
  const std::string version = argv[2];
  std::printf("%s\n", file);
  if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) {
    std::printf("no such file (is its build tree built?)\n");
    return 1;
  }
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file, &ignored);
  std::vector<char> info(size);
  if (size == 0 || !GetFileVersionInfoA(file, 0, size, info.data())) {
    std::printf("no version resource\n");
    return 1;
  }
  CheckFixedPart(info, version);
  CheckTranslation(info);
  Expect("FileVersion", StringValue(info, "FileVersion"), version);
  Expect("ProductVersion", StringValue(info, "ProductVersion"), version);
  Expect("FileDescription", StringValue(info, "FileDescription"), "Velkaro screen saver");
  Expect("ProductName", StringValue(info, "ProductName"), "Velkaro");
  Expect("LegalCopyright", StringValue(info, "LegalCopyright"), argv[3]);
  Expect("OriginalFilename", StringValue(info, "OriginalFilename"), "Velkaro.scr");
  Expect("string 1", DisplayName(file), "Velkaro");
  return g_failures == 0 ? 0 : 1;
}
