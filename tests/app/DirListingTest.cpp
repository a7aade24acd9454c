#include "app/DirListing.h"

#include "common/TestData.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

TEST(DirListing, DrivesAreRootAndRealMountPoints)
{
    const std::string mounts =
        "/dev/vda1 / ext4 rw,relatime 0 0\n"
        "proc /proc proc rw,nosuid 0 0\n"
        "sysfs /sys sysfs rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
        "devpts /dev/pts devpts rw 0 0\n"
        "/dev/sdc1 /home ext4 rw 0 0\n";
    std::vector<std::string> want = {"/", "/home", "/media/usb stick", "/run"};
    EXPECT_EQ(DriveRootsFromMounts(mounts), want);
    EXPECT_EQ(DriveRootsFromMounts(""), std::vector<std::string>{"/"});
}

TEST(DirListing, DriveOfTakesTheLongestMountPoint)
{
    std::vector<std::string> drives = {"/", "/home", "/home/me/usb", "/media"};
    EXPECT_EQ(DriveOf("/home/me/usb/enigma", drives), "/home/me/usb");
    EXPECT_EQ(DriveOf("/home/me/usbstick", drives), "/home");
    EXPECT_EQ(DriveOf("/media", drives), "/media");
    EXPECT_EQ(DriveOf("/mediax/a", drives), "/");
    EXPECT_EQ(DriveOf("/etc", drives), "/");
}

TEST(DirListing, FoldersAndFilesSortedWithoutCase)
{
    cftest::ScratchDir tmp;
    fs::create_directory(tmp / "beta");
    fs::create_directory(tmp / "Alpha");
    fs::create_directory(tmp / ".hidden");
    std::ofstream(tmp / "lamedb") << "x";
    std::ofstream(tmp / "Bouquets.tv") << "x";
    std::ofstream(tmp / ".dotfile") << "x";
    EXPECT_EQ(SubFolders(tmp.path().string()), (std::vector<std::string>{"Alpha", "beta"}));
    EXPECT_EQ(FilesOf(tmp.path().string()), (std::vector<std::string>{"Bouquets.tv", "lamedb"}));
    EXPECT_TRUE(SubFolders((tmp / "nothing").string()).empty());

    // Names that differ only in case stand together, capitals first.
    const fs::path cases = tmp / "cases";
    fs::create_directory(cases);
    for (const char* name : {"b", "a", "B", "A", "ab", "Aa"})
        std::ofstream(cases / name) << "x";
    EXPECT_EQ(FilesOf(cases.string()), (std::vector<std::string>{"A", "a", "Aa", "ab", "B", "b"}));
}

TEST(DirListing, NewFolderNames)
{
    struct Case { std::string name; bool ok; };
    const Case cases[] = {
        {"enigma2", true}, {"My settings 2024", true}, {"übersicht", true},
        {"", false}, {".", false}, {"..", false}, {"a/b", false}, {"../up", false},
        {"a\\b", false}, {"tab\there", false}, {std::string(255, 'x'), true}, {std::string(256, 'x'), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidNewDirName(c.name), c.ok) << "'" << c.name << "'";
}
