#include <gtest/gtest.h>
TEST(Gps, Builds) {}
