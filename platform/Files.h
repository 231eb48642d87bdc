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
};

Files& Win32Files();

}  // namespace platform
