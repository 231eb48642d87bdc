#pragma once
#include <functional>
#include <string>

class TIniFile;

// The state file: "serie.ini" in the running executable's folder. Built anew at every use.
std::string StateFilePath();

// Saves through a copy of the state file made beside it, flushed to the disk, which then takes
// the file's place in one step: a save cut short by a crash, a kill or a power cut leaves the
// old file whole. `write` fills the copy and says whether every write went through. A file that
// another program holds for a moment is waited for, two seconds at most; a read-only file is not
// saved at all, and no copy is made. On any failure the state file stays exactly as it was and
// the copy is removed. Copies that a save cut short left behind are removed too, once they were
// made a minute ago.
void RewriteStateFile(const std::function<bool(TIniFile& copy)>& write);
