// The test program of the Qt back end: one QApplication for every test. The tests never need
// a display: unless QT_QPA_PLATFORM names a platform (CTest sets "offscreen"), the offscreen
// platform is used, also when CTest lists the tests at build time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
