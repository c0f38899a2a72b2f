// The main of every test program: the program runs with a home of its own in the build
// folder, so that the player's settings, the game it remembers and the saved games of
// read-only games go there and never into the folders of the user who runs the tests.
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  setenv("XDG_CONFIG_HOME", TALEWICK_TEST_HOME "/config", 1);
  setenv("XDG_DATA_HOME", TALEWICK_TEST_HOME "/data", 1);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
