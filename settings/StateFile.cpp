#include "settings/StateFile.h"

#include "platform/Facets.h"
#include "platform/Files.h"

std::string StateFilePath() {
    std::string path = platform::Current().files->ExecutablePath();
    size_t separator = path.find_last_of("\\/");
    std::string folder =
        separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    return folder + "serie.ini";
}
