#pragma once
// Small wrappers over system calls that the start and the end of a run share.
#include <cstdint>
#include <string>

namespace velkaro {

// True on the Windows NT family (Wine reports itself as NT).
bool IsWinNT();
// True where windows keep their texts as UTF-16 and the wide entry points
// work: the NT family. On 95/98 most of them are stubs that fail.
inline bool HasUnicodeWindows() { return IsWinNT(); }
// True when byte begins a two-byte character in the system's ANSI code page,
// the code page of the paths and file names that the system gives.
bool IsSystemAnsiLeadByte(unsigned char byte);
// Tells the system that a screen saver runs, which on 95/98 locks out the
// task-switching keys while it is set.
void SetSaverRunning(bool running);
// The 95/98 password-change dialog, from the multiple-provider router, which
// is loaded only when this is called.
void ChangeScreenSaverPassword(std::int32_t parent);
// The folder of the running executable, without a trailing separator, in
// the system's ANSI code page.
std::string ExecutableDirectory();
// The user's own application-data folder (the roaming one), made where it is
// missing; empty where the system has none.
std::string ApplicationDataDirectory();

}  // namespace velkaro
