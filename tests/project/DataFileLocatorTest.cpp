// Finding data files: exact and case-insensitive look-up, coded extensions, the CD hook and
// the missing-file warning.
#include <gtest/gtest.h>

#include "project/DataFileLocator.h"
#include "support/TestPlayer.h"

namespace tw::test {
namespace {

class LocateTest : public ::testing::Test {
 protected:
  LocateTest() {
    t.game.writeGeneral(FullGeneralFields());
    t.initialize();
    t.player.multiCdLookup = [this](const std::string& path) {
      cdQuestions.push_back(path);
      return cdAnswer.empty() ? path : cdAnswer;
    };
  }
  std::string frames(const std::string& name) const { return t.player.folders.FramesFolder + name; }

  TestPlayer t;
  std::vector<std::string> cdQuestions;
  std::string cdAnswer;
};

TEST_F(LocateTest, ExistingFileComesBackUnchangedWithoutFurtherLookUps) {
  t.game.write("Frames/Pic.bmp", "BM");
  t.game.write("Frames/Pic.004", "BM");
  EXPECT_EQ(LocateDataFile(t.player, frames("Pic.bmp")), frames("Pic.bmp"));
  EXPECT_TRUE(cdQuestions.empty());
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(LocateTest, NamesMatchWithoutRegardToCaseOrSeparator) {
  t.game.write("Frames/Beach Night.JPG", "x");
  const std::string asWritten = t.player.folders.ProjectFolder + "frames\\beach night.jpg";
  EXPECT_EQ(LocateDataFile(t.player, asWritten), asWritten);
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(LocateTest, MissingFileFallsBackToItsCodedExtensionKeepingTheNamesCase) {
  t.game.write("Frames/Pic.004", "BM");
  EXPECT_EQ(LocateDataFile(t.player, frames("Pic.BMP")), frames("Pic.004"));
  EXPECT_TRUE(cdQuestions.empty());
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(LocateTest, ExtensionWithoutCodeGoesStraightToTheCdLookUp) {
  t.game.write("Frames/clip.png", "x");  // a different extension does not count
  cdAnswer = frames("clip.png");
  EXPECT_EQ(LocateDataFile(t.player, frames("clip.xyz")), frames("clip.png"));
  ASSERT_EQ(cdQuestions.size(), 1u);
  EXPECT_EQ(cdQuestions[0], frames("clip.xyz"));
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(LocateTest, FileFoundNowhereIsReportedOnceWithItsPath) {
  const std::string path = frames("Gone.wav");
  EXPECT_EQ(LocateDataFile(t.player, path), path);
  ASSERT_EQ(cdQuestions.size(), 1u);
  ASSERT_EQ(t.boxes().size(), 1u);
  const platform::HeadlessPlatform::BoxRecord& box = t.boxes()[0];
  EXPECT_EQ(box.icon, platform::MsgIcon::Warning);
  EXPECT_EQ(box.buttons, platform::MsgButtons::Ok);
  EXPECT_EQ(box.title, "Error");
  EXPECT_EQ(box.text, "The following file is missing:\r\n" + path +
                          "\r\n\r\nThis file may have been moved or removed from its original "
                          "location. The program may not work properly until the missing file "
                          "is placed back in its original location. Press 'Esc' and the click "
                          "'Exit' to quit.");
}

TEST_F(LocateTest, ShortPathsSkipCodedAndCdLookUps) {
  for (const std::string path : {"", "a.b", "abcd"}) {
    SCOPED_TRACE(path);
    const std::size_t before = t.boxes().size();
    EXPECT_EQ(LocateDataFile(t.player, path), path);
    ASSERT_EQ(t.boxes().size(), before + 1);
    EXPECT_NE(t.boxes().back().text.find("missing:\r\n" + path + "\r\n"), std::string::npos);
  }
  EXPECT_TRUE(cdQuestions.empty());
}

TEST_F(LocateTest, NoWarningWhileTheGameIsStopped) {
  t.player.GameStopped = true;
  EXPECT_EQ(LocateDataFile(t.player, frames("Gone.bmp")), frames("Gone.bmp"));
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(LocateTest, CdPathThatIsAlsoMissingIsTheOneReported) {
  cdAnswer = "/media/cd2/Frames/Gone.bmp";
  EXPECT_EQ(LocateDataFile(t.player, frames("Gone.bmp")), cdAnswer);
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_NE(t.boxes()[0].text.find(cdAnswer), std::string::npos);
}

TEST(EncodedFileNameTest, EveryCodedExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.ico", "a.002"},
      {"a.cur", "a.003"},
      {"a.bmp", "a.004"},
      {"a.jpg", "a.005"},
      {"a.gif", "a.006"},
      {"a.wmf", "a.007"},
      {"a.emf", "a.008"},
      {"a.wav", "a.010"},
      {"a.mid", "a.011"},
      {"a.mp3", "a.012"},
      {"a.avi", "a.014"},
      {"a.wma", "a.016"},
      {"Dir.X/B.WaV", "Dir.X/B.010"},
      {"a.jpeg", "a.jpeg"},
      {"a.png", "a.png"},
      {"bmp", "bmp"},
      {".bmp", ".004"},
      {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(EncodedFileName(in), out) << in;
}

TEST(PathHelpersTest, FileNameOfPathAndClampToZero) {
  EXPECT_EQ(FileNameOfPath("C:\\Game\\Frames\\Hall.fme"), "Hall.fme");
  EXPECT_EQ(FileNameOfPath("/games/x/Frames/Hall.fme"), "Hall.fme");
  EXPECT_EQ(FileNameOfPath("Hall.fme"), "Hall.fme");
  EXPECT_EQ(FileNameOfPath("Frames/"), "");
  EXPECT_EQ(ClampToZero(-1), 0);
  EXPECT_EQ(ClampToZero(0), 0);
  EXPECT_EQ(ClampToZero(2147483647), 2147483647);
}

TEST_F(LocateTest, FindFileNameGivesTheNameOnDisk) {
  t.game.write("Frames/Room.FME", "x");
  t.game.write("Frames/attic.fme", "x");
  EXPECT_EQ(FindFileName(t.player, frames("room.fme")), "Room.FME");
  EXPECT_EQ(FindFileName(t.player, frames("ROOM.*")), "Room.FME");
  EXPECT_EQ(FindFileName(t.player, frames("cellar.fme")), "");
  // A folder path names its first file, as the Windows look-up did.
  EXPECT_EQ(FindFileName(t.player, t.player.folders.FramesFolder), "attic.fme");
  EXPECT_EQ(FindFileName(t.player, ""), "");
  EXPECT_EQ(FindFileName(t.player, "/no/such/folder/x.fme"), "");
}

}  // namespace
}  // namespace tw::test
