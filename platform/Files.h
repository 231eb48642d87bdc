#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace platform {

// Where the program runs from, and what lies beside it. Paths are UTF-8, so a folder of any
// name works, whatever the system's code page.
class Files {
public:
    struct Found {
        std::string path;
        // Since the file was created: a copy keeps its original's last-write time, so that
        // time says nothing of when the copy was made.
        ULONGLONG ageMs;
    };

    virtual ~Files() = default;
    virtual std::string ExecutablePath() = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Whether the file carries the read-only attribute.
    virtual bool IsReadOnly(const std::string& path) = 0;
    // GetTempFileNameW in the folder of `path`: a new empty file there whose name no other file
    // has; empty when the folder refuses it.
    virtual std::string CreateTemporaryBeside(const std::string& path) = 0;
    // CopyFileW over an existing `to`; the copy takes the original's attributes and is marked
    // as written now, so that it looks new wherever the file system keeps no creation time.
    virtual bool Copy(const std::string& from, const std::string& to) = 0;
    // FlushFileBuffers: the file's data on the disk, not only in the system's cache. A rename
    // on the same volume does not carry the data with it, MOVEFILE_WRITE_THROUGH or not.
    virtual bool Flush(const std::string& path) = 0;
    // MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH: `from` takes the
    // place of `to` in one step. ERROR_SUCCESS, or the error that refused it.
    virtual DWORD MoveOver(const std::string& from, const std::string& to) = 0;
    // DeleteFileW, a read-only file too; a file that is not there is no failure.
    virtual void Remove(const std::string& path) = 0;
    // The files, not folders, in the folder of `path` whose names match `pattern` (wildcards
    // as the system's file search takes them).
    virtual std::vector<Found> FindBeside(const std::string& path, const std::string& pattern) = 0;
    // Sleep, between tries of a file that another program holds.
    virtual void Wait(DWORD milliseconds) = 0;
};

Files& Win32Files();

}  // namespace platform
