#pragma once
// Makes a file or folder unwritable for as long as the object lives. Under Wine run as root,
// neither the read-only attribute nor folder rights stop a write; the Linux immutable flag does,
// set with chattr on the Unix path that Wine maps the Windows path to.

#include <string>

class ImmutableOnLinux {
public:
    explicit ImmutableOnLinux(std::wstring windowsPath);
    // Clears the flag and waits until the path can be written again.
    ~ImmutableOnLinux();
    ImmutableOnLinux(const ImmutableOnLinux&) = delete;
    ImmutableOnLinux& operator=(const ImmutableOnLinux&) = delete;

    // False when the flag could not be set: not under Wine, no chattr, or a file system
    // without the flag. Why, in that case.
    bool Holds() const { return holds_; }
    const std::string& Failure() const { return failure_; }

private:
    std::wstring windowsPath_;
    std::string unixPath_;
    bool holds_ = false;
    std::string failure_;
};
