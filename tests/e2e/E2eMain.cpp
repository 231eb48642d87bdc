#include "E2eOptions.h"
#include "Win32Error.h"

#include <gtest/gtest.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::wstring error;
    const std::optional<E2eOptions> options = ParseOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "%s\n", Utf8(error).c_str());
        return 2;
    }
    Options() = *options;
    return RUN_ALL_TESTS();
}
