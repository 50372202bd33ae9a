#include "support/saver_process_win32.h"

#include <optional>

#include "support/wait_win32.h"

namespace velkaro::testing {
namespace {

struct WindowSearch {
  DWORD process_id;
  std::vector<std::wstring>* titles;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.process_id && IsWindowVisible(window)) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    for (const auto& known : *search.titles)
      if (known == title) return TRUE;
    search.titles->push_back(title);
  }
  return TRUE;
}

}  // namespace

std::string& SaverUnderTest() {
  static std::string path;
  return path;
}

std::wstring Wide(std::string_view utf8) {
  std::wstring wide(utf8.size(), L'\0');
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), int(wide.size()));
  wide.resize(length > 0 ? length : 0);
  return wide;
}

namespace {

// A name in the system's ANSI code page; nothing when it cannot hold it.
std::optional<std::string> AnsiName(std::wstring_view name) {
  if (name.empty()) return std::string();
  BOOL defaulted = FALSE;
  std::string ansi(name.size() * 2, '\0');
  const int length = WideCharToMultiByte(CP_ACP, 0, name.data(), int(name.size()), ansi.data(),
                                         int(ansi.size()), nullptr, &defaulted);
  if (length <= 0 || defaulted) return std::nullopt;
  ansi.resize(length);
  return ansi;
}

}  // namespace

SaverFolder::SaverFolder(std::wstring_view folder_name, std::wstring_view file_name) {
  path_ = base_.path();
  const auto folder = AnsiName(folder_name);
  const auto file = AnsiName(file_name);
  if (!folder || !file) return;
  if (!folder->empty()) path_ += "\\" + *folder;
  executable_ = path_ + "\\" + *file;
  made_ = base_.made() && (path_ == base_.path() || CreateDirectoryA(path_.c_str(), nullptr)) &&
          CopyFileA(SaverUnderTest().c_str(), executable_.c_str(), FALSE);
}

void SaverFolder::WriteIni(const std::string& bytes) const { WriteFileBytes(ini(), bytes); }

std::string SaverFolder::ReadIni() const { return ReadFileBytes(ini()); }

SaverOutcome RunSaver(const SaverFolder& folder, const std::string& arguments, DWORD timeout_ms) {
  SaverOutcome run;
  SaverProcess process(folder, arguments);
  if (!process.started()) return run;

  const DWORD start = GetTickCount();
  WindowSearch search{process.process_id(), &run.window_titles};
  for (;;) {
    EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    if (process.WaitForExit(20)) {
      run.ended = true;
      break;
    }
    if (GetTickCount() - start >= timeout_ms) break;
  }
  run.milliseconds = GetTickCount() - start;
  process.Terminate();
  run.exit_code = process.exit_code();
  return run;
}

SaverProcess::SaverProcess(const SaverFolder& folder, const std::string& arguments) {
  Start(folder.executable(), arguments, folder.path());
}

SaverProcess::SaverProcess(const std::string& executable, const std::string& arguments) {
  Start(executable, arguments, executable.substr(0, executable.find_last_of("\\/")));
}

void SaverProcess::Start(const std::string& executable, const std::string& arguments,
                         const std::string& folder) {
  std::string command = "\"" + executable + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION made{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &made))
    return;
  process_ = KernelHandle(made.hProcess);
  thread_ = KernelHandle(made.hThread);
  process_id_ = made.dwProcessId;
}

SaverProcess::~SaverProcess() { Terminate(); }

void SaverProcess::Terminate() {
  if (!started() || WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) return;
  TerminateProcess(process_.get(), 1);
  WaitForSingleObject(process_.get(), 5000);
}

HWND SaverProcess::WaitForWindow(const std::wstring& title, DWORD timeout_ms) {
  HWND shown = nullptr;
  WaitUntil(
      [&] {
        for (HWND window = FindWindowW(nullptr, title.c_str()); window;
             window = FindWindowExW(nullptr, window, nullptr, title.c_str())) {
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner == process_id_ && IsWindowVisible(window)) {
            shown = window;
            return true;
          }
        }
        PumpThreadMessages();
        return false;
      },
      timeout_ms);
  return shown;
}

bool SaverProcess::WaitForExit(DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (WaitForSingleObject(process_.get(), 10) == WAIT_OBJECT_0) return true;
    PumpThreadMessages();
    if (GetTickCount() - start >= timeout_ms) return false;
  }
}

DWORD SaverProcess::exit_code() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

void MoveMouseBy(int dx, int dy) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof input);
}

void PressMouseButton(DWORD down, DWORD up) {
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = down;
  inputs[1].mi.dwFlags = up;
  SendInput(2, inputs, sizeof inputs[0]);
}

void ClickMouse() { PressMouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

void PressKeys(std::initializer_list<WORD> virtual_keys) {
  const auto key = [](WORD virtual_key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtual_key;
    input.ki.dwFlags = flags;
    return input;
  };
  std::vector<INPUT> inputs;
  for (WORD virtual_key : virtual_keys) inputs.push_back(key(virtual_key, 0));
  for (auto it = virtual_keys.end(); it != virtual_keys.begin();)
    inputs.push_back(key(*--it, KEYEVENTF_KEYUP));
  SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PressKey(WORD virtual_key) { PressKeys({virtual_key}); }

TitledWindow::TitledWindow(const std::wstring& title) {
  window_ = CreateWindowExW(0, L"STATIC", title.c_str(), WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  PumpThreadMessages();
}

TitledWindow::~TitledWindow() {
  if (window_) DestroyWindow(window_);
}

}  // namespace velkaro::testing
