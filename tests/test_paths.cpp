#include "test_paths.h"

namespace milfo::test_paths {

const char* const testData = MILFO_TEST_DATA;
const char* const milfoCalc = MILFO_CALC;

}  // namespace milfo::test_paths
