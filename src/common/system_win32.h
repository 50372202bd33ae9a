#pragma once
// Small wrappers over system calls that the start and the end of a run share.
#include <cstdint>
#include <string>

namespace velkaro {

// True on the Windows NT family (Wine reports itself as NT).
bool IsWinNT();
// Tells the system that a screen saver runs, which on 95/98 locks out the
// task-switching keys while it is set.
void SetSaverRunning(bool running);
// The 95/98 password-change dialog, from the multiple-provider router, which
// is loaded only when this is called.
void ChangeScreenSaverPassword(std::int32_t parent);
// The folder of the running executable, without a trailing separator.
std::string ExecutableDirectory();
// The user's own application-data folder (the roaming one), made where it is
// missing; empty where the system has none.
std::string ApplicationDataDirectory();

}  // namespace velkaro
