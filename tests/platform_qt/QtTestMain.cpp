// The test program of the Qt back end: one QApplication for every test (CTest runs it on the
// "offscreen" platform, so no display is needed).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
