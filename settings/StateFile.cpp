#include "settings/StateFile.h"

#include "framework/IniFile.h"
#include "platform/Facets.h"
#include "platform/Files.h"

std::string StateFilePath() {
    std::string path = platform::Current().files->ExecutablePath();
    size_t separator = path.find_last_of("\\/");
    std::string folder =
        separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    return folder + "serie.ini";
}

void RewriteStateFile(const std::function<bool(TIniFile& copy)>& write) {
    platform::Files& files = *platform::Current().files;
    const std::string path = StateFilePath();
    const std::string copy = files.CreateTemporaryBeside(path);
    if (copy.empty()) {
        return;
    }
    bool replaced = false;
    try {
        // With no state file yet, the new empty file is the copy. The copy keeps every other
        // section and key of the file.
        if (!files.FileExists(path) || files.Copy(path, copy)) {
            bool written = false;
            {
                TIniFile ini(copy);
                written = write(ini);
            }  // released, so flushed, before it moves
            replaced = written && files.MoveOver(copy, path);
        }
    } catch (...) {
    }
    if (!replaced) {
        files.Remove(copy);
    }
}
