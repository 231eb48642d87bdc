#include "settings/StateFile.h"

#include "framework/IniFile.h"
#include "platform/Facets.h"
#include "platform/Files.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

// A younger copy may belong to a second copy of the program saving at this very moment.
constexpr ULONGLONG kAbandonedAfterMs = 60ull * 1000;
// How long a replace refused by another program's hold is tried again, the waits doubling.
constexpr DWORD kHoldPatienceMs = 2000;
constexpr DWORD kFirstHoldWaitMs = 50;

// The names GetTempFileNameW gives the copies: "ser", one to four hexadecimal digits, ".tmp".
bool IsCopyName(std::string_view path) {
    std::string name(path.substr(std::min(path.find_last_of("\\/") + 1, path.size())));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!name.starts_with("ser") || !name.ends_with(".tmp")) {
        return false;
    }
    const std::string_view digits = std::string_view(name).substr(3, name.size() - 7);
    return !digits.empty() && digits.size() <= 4 &&
           std::all_of(digits.begin(), digits.end(),
                       [](unsigned char c) { return std::isxdigit(c) != 0; });
}

void RemoveAbandonedCopies(platform::Files& files, const std::string& path) {
    for (const platform::Files::Found& found : files.FindBeside(path, "ser*.tmp")) {
        if (found.ageMs > kAbandonedAfterMs && IsCopyName(found.path)) {
            files.Remove(found.path);
        }
    }
}

// Virus scanners, the search indexer and sync clients open a file that was just written for a
// moment; while they do, the replace fails with one of these. A read-only file refuses it with
// ERROR_ACCESS_DENIED as well, but that refusal lasts.
bool IsHeldForAMoment(platform::Files& files, DWORD error, const std::string& path) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           (error == ERROR_ACCESS_DENIED && !files.IsReadOnly(path));
}

bool MoveIntoPlace(platform::Files& files, const std::string& copy, const std::string& path) {
    DWORD waited = 0;
    for (DWORD wait = kFirstHoldWaitMs;; wait *= 2) {
        const DWORD error = files.MoveOver(copy, path);
        if (error == ERROR_SUCCESS) {
            return true;
        }
        if (!IsHeldForAMoment(files, error, path) || waited >= kHoldPatienceMs) {
            return false;
        }
        const DWORD pause = std::min(wait, kHoldPatienceMs - waited);
        files.Wait(pause);
        waited += pause;
    }
}

}  // namespace

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
    RemoveAbandonedCopies(files, path);
    // The user has said the file must stay as it is; no wait would change that.
    if (files.IsReadOnly(path)) {
        return;
    }
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
            }  // released, so the profile functions have written it out
            replaced = written && files.Flush(copy) && MoveIntoPlace(files, copy, path);
        }
    } catch (...) {
    }
    if (!replaced) {
        files.Remove(copy);
    }
}
