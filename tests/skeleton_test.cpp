#include <gtest/gtest.h>
#include "platform/Facets.h"
#include "platform/Memory.h"
TEST(Skeleton, MemoryFacetAnswers) { EXPECT_GT(platform::Current().memory->Query().totalBytes, 0u); }
