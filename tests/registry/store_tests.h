#pragma once

#include "mini_test.h"

#include <vector>

// Tests of the Linux store itself: its file, its lock, bad files.
std::vector<mini_test::Test> storeTests();
