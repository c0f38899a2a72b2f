// Finding files on a game's CDs: the index, the quick try, the CD window and its answers.
// Temporary folders stand in for the CDs.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <optional>

#include "frames/GameFixture.h"
#include "multicd/CdRequestWindow.h"
#include "multicd/MultiCd.h"
#include "platform/Controls.h"
#include "platform/Settings.h"
#include "project/DataFileLocator.h"

namespace tw::test {
namespace {

constexpr const char* kTitle = "The Lighthouse";  // GameTitle of the test games
constexpr const char* kProject = "GAME-ID-1";     // their ProjectId

// "CDContents": three ignored fields, the number of CDs, two more, then the records.
void WriteIndex(const GameFolder& game, int disks,
                const std::vector<std::tuple<std::string, std::string, std::string>>& records) {
  std::vector<std::string> lines = {Quoted("x"), Quoted("x"), Quoted("x"), std::to_string(disks),
                                    Quoted("x"), Quoted("x")};
  for (const auto& [name, disk, kind] : records) {
    lines.push_back(Quoted(name));
    lines.push_back(disk);
    lines.push_back(kind);
  }
  game.writeLines("Config/CDContents", lines);
}

// A file of the game as it lies on a CD: Data/<title>/<folder>/<name>.
void PutOnCd(const GameFolder& cd, const std::string& folder, const std::string& name) {
  cd.write(std::string("Data/") + kTitle + "/" + folder + "/" + name, "on the CD");
}

class MultiCdTest : public GameFixture {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Beach", true);
    t.game.writeVariables({"Score"});
    WriteFrame(t.game, "Beach", {.background = "255"});
    t.game.write("RunFromCD.dat", "");
    cds.volumes = [this] { return volumes; };
    cds.install();
    // The CD window takes the queued answers: a folder for OK, nullopt for Cancel.
    t.platform.setInputHook([this](const platform::HeadlessPlatform::Wait& wait) {
      if (wait.kind != platform::HeadlessPlatform::WaitKind::ModalWindow ||
          wait.window->name() != "frmRunFromCD") {
        return false;
      }
      ++windowsShown;
      platform::Element* drive = nullptr;
      platform::Element* ok = nullptr;
      platform::Element* cancel = nullptr;
      for (platform::Element* e : wait.window->children()) {
        if (e->name() == "Combo1") drive = e;
        if (e->name() == "Command3") ok = e;
        if (e->name() == "Command4") cancel = e;
        if (e->name() == "picBackground") {
          for (platform::Element* label : static_cast<platform::Container*>(e)->children()) {
            if (label->name() == "lblMessage") {
              requests.push_back(static_cast<platform::Label*>(label)->caption());
            }
          }
        }
      }
      shownDrive.push_back(static_cast<platform::TextBox*>(drive)->text());
      if (answers.empty()) return false;  // closed: the same as Cancel
      const std::optional<std::string> answer = answers.front();
      answers.pop_front();
      if (answer) {
        static_cast<platform::TextBox*>(drive)->setText(*answer);
        ok->click();
      } else {
        cancel->click();
      }
      return true;
    });
  }
  std::string storedDrive() {
    return t.platform.settings().get(kProject, "DriveLetter", "");
  }
  std::string cdPath(const GameFolder& cd, const std::string& folder, const std::string& name) {
    return cd.path() + "Data/" + kTitle + "/" + folder + "/" + name;
  }

  MultiCd cds{t.player, [this] { return game.get(); }};
  std::vector<Volume> volumes;
  std::deque<std::optional<std::string>> answers;
  int windowsShown = 0;
  std::vector<std::string> requests;
  std::vector<std::string> shownDrive;
  GameFolder cd1, cd2;
};

TEST_F(MultiCdTest, WithoutRunFromCdEveryPathComesBackUnchanged) {
  t.game.remove("RunFromCD.dat");
  WriteIndex(t.game, 1, {{"Cave.bmp", "1", "1"}});
  ASSERT_TRUE(t.initialize());
  EXPECT_TRUE(cds.index().entries.empty());
  const std::string path = t.player.folders.FramesFolder + "Cave.bmp";
  EXPECT_EQ(cds.FindFileOnCD(path), path);
  EXPECT_EQ(windowsShown, 0);
  EXPECT_EQ(storedDrive(), "");
}

TEST_F(MultiCdTest, IndexKeepsOnlyRecordsWithNameDiskInRangeAndKind) {
  WriteIndex(t.game, 2, {{"Good.bmp", "1", "1"}, {"Zero.bmp", "0", "1"}, {"Three.bmp", "3", "1"},
                         {"NoKind.bmp", "2", "0"}, {"", "1", "1"}, {"Door.wav", "2", "2"}});
  ASSERT_TRUE(t.initialize());
  ASSERT_EQ(cds.index().entries.size(), 2u);
  EXPECT_EQ(cds.index().entries[0].name, "Good.bmp");
  EXPECT_EQ(cds.index().entries[1].name, "Door.wav");
  EXPECT_EQ(cds.index().entries[1].kind, "2");
  EXPECT_EQ(cds.index().entries[1].disk, 2);

  // A skipped record is never asked for: the coded hard-disk path comes back.
  t.player.platform().settings().save(kProject, "DriveLetter", cd1.path());
  for (const char* skipped : {"Zero.bmp", "Three.bmp", "NoKind.bmp"}) {
    const std::string path = t.player.folders.FramesFolder + skipped;
    EXPECT_EQ(cds.FindFileOnCD(path), EncodedFileName(path));
  }
  EXPECT_EQ(windowsShown, 0);
}

TEST_F(MultiCdTest, DamagedIndexIsEmptyAfterTheErrorBox) {
  // The third record's disk number is not a number.
  WriteIndex(t.game, 2, {{"Good.bmp", "1", "1"}, {"Also.bmp", "2", "1"}, {"Bad.bmp", "two", "1"}});
  ASSERT_TRUE(t.initialize());
  EXPECT_TRUE(cds.index().entries.empty());
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_NE(t.boxes()[0].text.find(" Error loading CD index."), std::string::npos);
}

TEST_F(MultiCdTest, KindTwoLivesUnderAreasWithItsCodedExtensionFoundWithoutRegardToCase) {
  WriteIndex(t.game, 1, {{"door.bmp", "1", "2"}});
  PutOnCd(cd1, "Areas", "door.004");
  t.player.platform().settings().save(kProject, "DriveLetter", cd1.path());
  ASSERT_TRUE(t.initialize());
  const std::string upper = t.player.folders.AreasFolder + "DOOR.BMP";
  EXPECT_EQ(cds.FindFileOnCD(upper), cdPath(cd1, "Areas", "door.004"));
  // Through LocateDataFile, without any box.
  EXPECT_EQ(LocateDataFile(t.player, t.player.folders.AreasFolder + "door.bmp"),
            cdPath(cd1, "Areas", "door.004"));
  EXPECT_EQ(windowsShown, 0);
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(MultiCdTest, QuickTryUnderFramesNeedsNoIndex) {
  WriteIndex(t.game, 1, {});
  PutOnCd(cd1, "Frames", "Sea.005");
  t.player.platform().settings().save(kProject, "DriveLetter", cd1.path());
  ASSERT_TRUE(t.initialize());
  // Even a file the game asks for in another folder is taken from the CD's Frames.
  EXPECT_EQ(cds.FindFileOnCD(t.player.folders.AreasFolder + "Sea.jpg"),
            cdPath(cd1, "Frames", "Sea.005"));
  EXPECT_EQ(windowsShown, 0);
}

TEST_F(MultiCdTest, DriveIsTheLastOpticalVolumeElseTheDefaultAndIsStored) {
  WriteIndex(t.game, 1, {});
  ASSERT_TRUE(t.initialize());
  volumes = {{"/", VolumeKind::HardDisk}, {"/media/usb/", VolumeKind::Removable}};
  cds.FindFileOnCD(t.player.folders.FramesFolder + "x.bmp");
  EXPECT_EQ(storedDrive(), kDefaultCdRoot);

  t.player.platform().settings().save(kProject, "DriveLetter", "");
  volumes = {{"/media/cdrom0/", VolumeKind::Optical}, {"/media/cdrom1/", VolumeKind::Optical},
             {"/srv/", VolumeKind::Network}};
  cds.FindFileOnCD(t.player.folders.FramesFolder + "x.bmp");
  EXPECT_EQ(storedDrive(), "/media/cdrom1/");
}

TEST_F(MultiCdTest, WrongCdThenRightOneAsksAgainAndRestartsTheTimers) {
  WriteIndex(t.game, 2, {{"Cave.bmp", "2", "1"}});
  PutOnCd(cd2, "Frames", "Cave.004");
  t.player.platform().settings().save(kProject, "DriveLetter", cd1.path());
  startGame();
  ASSERT_TRUE(t.boxes().empty()) << t.boxes()[0].text;
  game->Timer1.setInterval(1000);
  game->Timer1.setEnabled(true);
  game->TimerMessageBox.setEnabled(false);
  answers = {cd1.path(), "/no/such/folder", cd2.path()};

  const std::string found = LocateDataFile(t.player, t.player.folders.FramesFolder + "Cave.bmp");
  EXPECT_EQ(found, cdPath(cd2, "Frames", "Cave.004"));
  // Asked three times; the window showed the stored drive, then the one given.
  EXPECT_EQ(windowsShown, 3);
  EXPECT_EQ(shownDrive.front(), cd1.path());
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0],
            "Please insert the CD#2 in the CD-Rom drive and click OK to continue...");
  // The wrong disc: "File Not Found:"; the folder that is not there: the "unavailable" box.
  ASSERT_EQ(t.boxes().size(), 2u);
  EXPECT_EQ(t.boxes()[0].title, kTitle);
  EXPECT_EQ(t.boxes()[0].text, "File Not Found:\r\n\r\n" + cdPath(cd1, "Frames", "Cave.004") +
                                   "\r\n\r\nThe file may be missing, or you may have inserted "
                                   "the wrong CD.");
  EXPECT_EQ(t.boxes()[0].icon, platform::MsgIcon::Warning);
  EXPECT_NE(t.boxes()[1].text.find("The selected device is unavailable."), std::string::npos);
  EXPECT_EQ(storedDrive(), cd2.path());
  EXPECT_FALSE(t.player.GameStopped);
  // The frame timer ran before the request; it runs again now the file is there.
  EXPECT_TRUE(game->Timer1.enabled());
  EXPECT_FALSE(game->TimerMessageBox.enabled());
  EXPECT_TRUE(game->PictureBox.visible());
}

TEST_F(MultiCdTest, CancelStopsAndHaltsTheGameWithoutAMissingFileBox) {
  WriteIndex(t.game, 2, {{"Cave.bmp", "2", "1"}});
  t.player.platform().settings().save(kProject, "DriveLetter", cd1.path());
  startGame();
  game->Timer1.setInterval(1000);
  game->Timer1.setEnabled(true);
  answers = {std::nullopt};

  const std::string path = LocateDataFile(t.player, t.player.folders.FramesFolder + "Cave.bmp");
  EXPECT_EQ(path, cdPath(cd1, "Frames", "Cave.004"));
  EXPECT_EQ(windowsShown, 1);
  EXPECT_TRUE(t.player.GameStopped);
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_FALSE(game->Timer1.enabled());
  EXPECT_FALSE(game->PictureBox.visible());
  // Stopped, the game asks no more.
  LocateDataFile(t.player, t.player.folders.FramesFolder + "Cave.bmp");
  EXPECT_EQ(windowsShown, 1);
}

TEST_F(MultiCdTest, ClosingTheWindowIsACancelNotAnEndlessRequest) {
  WriteIndex(t.game, 1, {{"Cave.bmp", "1", "1"}});
  t.player.platform().settings().save(kProject, "DriveLetter", cd1.path());
  ASSERT_TRUE(t.initialize());
  // No answers queued: the headless back end closes the window.
  cds.FindFileOnCD(t.player.folders.FramesFolder + "Cave.bmp");
  EXPECT_EQ(windowsShown, 1);
  EXPECT_TRUE(t.player.GameStopped);
}

TEST_F(MultiCdTest, WindowListsTheVolumesAndTakesAnEntryOrATypedFolder) {
  ASSERT_TRUE(t.initialize());
  CdRequestWindow window(t.player, {{"/", VolumeKind::HardDisk},
                                    {cd1.path(), VolumeKind::Optical},
                                    {"/mnt/share/", VolumeKind::Network}});
  window.Form_Load();
  ASSERT_EQ(window.lstDrives.listCount(), 3);
  EXPECT_EQ(window.lstDrives.list(0), "/  (Hard Drive)");
  EXPECT_EQ(window.lstDrives.list(2), "/mnt/share/  (Network Drive)");
  EXPECT_EQ(window.Combo1.text(), cd1.path());  // the last optical volume
  EXPECT_EQ(window.lblDrive.caption(), "CD-Rom drive:");
  EXPECT_EQ(window.Command4.caption(), "Cancel");
  window.lstDrives.clickItem(1);
  EXPECT_EQ(window.Combo1.text(), cd1.path() + "  (CD-Rom Drive)");
  EXPECT_EQ(window.chosenRoot(), cd1.path());
  window.Combo1.setText(cd2.path().substr(0, cd2.path().size() - 1));
  window.Command3_Click();
  EXPECT_EQ(window.acceptedRoot(), cd2.path());
  EXPECT_EQ(storedDrive(), cd2.path());
}

TEST_F(MultiCdTest, ChooseAFolderPutsTheFolderInTheDriveTextUnlessCancelled) {
  ASSERT_TRUE(t.initialize());
  CdRequestWindow window(t.player, {});
  window.Form_Load();
  EXPECT_EQ(window.Combo1.text(), kDefaultCdRoot);
  std::string folder = cd1.path();
  folder.pop_back();  // as a folder chooser returns it, without the last "/"
  t.platform.queueFolder(folder);
  window.cmdFolder.click();
  EXPECT_EQ(window.Combo1.text(), cd1.path());
  t.platform.queueFolder(std::nullopt);
  window.cmdFolder.click();
  EXPECT_EQ(window.Combo1.text(), cd1.path());
  window.Command3.click();
  EXPECT_EQ(storedDrive(), cd1.path());
  EXPECT_EQ(window.acceptedRoot(), cd1.path());
}

TEST(MountInfoTest, VolumesWithTheirKindsSystemMountsLeftOut) {
  const std::string text =
      "22 1 0:21 / /proc rw,nosuid - proc proc rw\n"
      "25 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "30 25 0:25 / /run rw - tmpfs tmpfs rw\n"
      "31 25 0:26 / /tmp rw - tmpfs tmpfs rw\n"
      "40 25 11:0 / /media/cdrom0 ro master:5 - iso9660 /dev/sr0 ro\n"
      "41 25 11:1 / /media/My\\040Disc ro - udf /dev/sr1 ro\n"
      "42 25 8:17 / /media/usb rw - vfat /dev/sdb1 rw\n"
      "43 25 0:50 / /mnt/share rw - nfs4 server:/share rw\n"
      "44 25 8:2 / /boot/efi rw - vfat /dev/sda2 rw\n"
      "45 25 0:60 / /sys/fs/cgroup rw - cgroup2 cgroup rw\n"
      "broken line\n";
  const std::vector<Volume> v = ParseMountInfo(text);
  std::vector<std::string> listed;
  for (const Volume& volume : v) listed.push_back(volume.root + " " + VolumeKindCaption(volume.kind));
  EXPECT_EQ(listed, (std::vector<std::string>{
                        "/ (Hard Drive)", "/boot/efi/ (Hard Drive)",
                        "/media/My Disc/ (CD-Rom Drive)", "/media/cdrom0/ (CD-Rom Drive)",
                        "/media/usb/ (Floppy Drive)", "/mnt/share/ (Network Drive)",
                        "/tmp/ (RAM Disk)"}));
  EXPECT_EQ(FindCDDrive(v), "/media/cdrom0/");
  EXPECT_EQ(FindCDDrive({}), kDefaultCdRoot);
}

}  // namespace
}  // namespace tw::test
