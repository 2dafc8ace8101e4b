// Where the tests find what they read and run: absolute paths of this source
// and build tree. They are compiled into test_paths.cpp alone, so that no
// other object of the tests depends on where the tree is (the compiler cache
// serves them to any clone).
#pragma once

namespace milfo::test_paths {

extern const char* const testData;   // tests/ of the source tree
extern const char* const milfoCalc;  // the milfo-calc executable

}  // namespace milfo::test_paths
