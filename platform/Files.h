#pragma once
#include <string>

namespace platform {

// Where the program runs from, and what lies beside it. Paths are UTF-8, so a folder of any
// name works, whatever the system's code page.
class Files {
public:
    virtual ~Files() = default;
    virtual std::string ExecutablePath() = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // GetTempFileNameW in the folder of `path`: a new empty file there whose name no other file
    // has; empty when the folder refuses it.
    virtual std::string CreateTemporaryBeside(const std::string& path) = 0;
    // CopyFileW over an existing `to`; the copy takes the original's attributes.
    virtual bool Copy(const std::string& from, const std::string& to) = 0;
    // MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH: `from` takes the
    // place of `to` in one step, and is on the disk when this returns.
    virtual bool MoveOver(const std::string& from, const std::string& to) = 0;
    // DeleteFileW, a read-only file too; a file that is not there is no failure.
    virtual void Remove(const std::string& path) = 0;
};

Files& Win32Files();

}  // namespace platform
