// The end-to-end tests take the path of the Velkaro.scr under test as their
// first argument.
#include <gtest/gtest.h>

#include "support/saver_process_win32.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    fprintf(stderr, "usage: velkaro_e2e_tests PATH-OF-Velkaro.scr [gtest options]\n");
    return 2;
  }
  velkaro::testing::SaverUnderTest() = argv[1];
  return RUN_ALL_TESTS();
}
