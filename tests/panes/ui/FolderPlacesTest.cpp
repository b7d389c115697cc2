#include "panes/ui/FolderPlaces.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(ParseMountPoints, KeepsDeviceVolumesWithTheirEscapedNames)
{
    const QByteArray mounts = "/dev/sda1 / ext4 rw 0 0\n"
                              "proc /proc proc rw 0 0\n"
                              "/dev/sdb1 /media/me/My\\040Disk vfat rw 0 0\n"
                              "tmpfs /run tmpfs rw 0 0\n"
                              "/dev/sdb1 /media/me/My\\040Disk vfat rw 0 0\n"
                              "/dev/sdc1 /mnt/back\\134slash ext4 rw 0 0\n";
    EXPECT_EQ(ParseMountPoints(mounts, "/home/me"), (QList<QByteArray>{"/media/me/My Disk", "/mnt/back\\slash"}));
}

TEST(ParseMountPoints, LoopAndSnapImagesOnlyWhereAUserKeepsFiles)
{
    const QByteArray mounts = "/dev/loop0 /snap/core22/864 squashfs ro 0 0\n"
                              "/dev/loop1 /var/lib/snapd/snap/gtk/12 squashfs ro 0 0\n"
                              "/dev/nvme0n1p1 /boot/efi vfat rw 0 0\n"
                              "/dev/loop2 /media/me/Ubuntu\\04022.04 iso9660 ro 0 0\n"
                              "/dev/loop3 /run/media/me/disc iso9660 ro 0 0\n"
                              "/dev/loop4 /home/me/mnt/image ext4 rw 0 0\n"
                              "/dev/mapper/data /srv/data squashfs ro 0 0\n"
                              "/dev/loop5 /home/meow/x ext4 rw 0 0\n"
                              "/dev/loop6 /mnt ext4 rw 0 0\n"
                              "/dev/sdb1 /media/me/usb vfat rw 0 0\n";
    EXPECT_EQ(ParseMountPoints(mounts, "/home/me"),
              (QList<QByteArray>{"/boot/efi", "/media/me/Ubuntu 22.04", "/run/media/me/disc", "/home/me/mnt/image",
                                 "/media/me/usb"}));
}

TEST(ParseMountPoints, IgnoresTruncatedEscapes)
{
    EXPECT_EQ(ParseMountPoints("/dev/sda2 /data\\04 ext4 rw 0 0", "/home/me"), (QList<QByteArray>{"/data\\04"}));
}

TEST(NormalisedFolderPath, DropsRepeatsDotsAndTrailingSlash)
{
    EXPECT_EQ(NormalisedFolderPath("/home//me/./Music/"), "/home/me/Music");
    EXPECT_EQ(NormalisedFolderPath("/home/me/../you"), "/home/you");
    EXPECT_EQ(NormalisedFolderPath("/.."), "/");
    EXPECT_EQ(NormalisedFolderPath("/"), "/");
    EXPECT_EQ(NormalisedFolderPath("Music"), "");
    EXPECT_EQ(NormalisedFolderPath(""), "");
}

TEST(PathParts, JoinAndLastComponent)
{
    EXPECT_EQ(JoinPath("/", "usr"), "/usr");
    EXPECT_EQ(JoinPath("/home/me", "x"), "/home/me/x");
    EXPECT_EQ(LastComponent("/home/me"), "me");
    EXPECT_EQ(LastComponent("/"), "/");
}

TEST(IsExistingFolder, OnlyAbsoluteDirectories)
{
    const TempFolder tmp;
    const QByteArray root = tmp.Path();
    tmp.MakeFile("file", "abc");
    EXPECT_TRUE(IsExistingFolder(root));
    EXPECT_FALSE(IsExistingFolder(root + "/file"));
    EXPECT_FALSE(IsExistingFolder(root + "/missing"));
    EXPECT_FALSE(IsExistingFolder("trash:///"));
    EXPECT_FALSE(IsExistingFolder(""));
}

TEST(ListSubFolders, FoldersOnlyWithHiddenLinkedAndNonUtf8Names)
{
    const TempFolder tmp;
    const QByteArray root = tmp.Path();
    tmp.MakeDir("plain");
    tmp.MakeDir(".hidden");
    tmp.MakeDir("\xd2\xf4\xc0\xd6"); // GBK bytes, not UTF-8
    tmp.MakeSizedFile("file.mp3", 10);
    ASSERT_EQ(::symlink((root + "/plain").constData(), (root + "/linked").constData()), 0);
    ASSERT_EQ(::symlink((root + "/nowhere").constData(), (root + "/dangling").constData()), 0);

    QList<QByteArray> names = ListSubFolders(root);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (QList<QByteArray>{".hidden", "linked", "plain", "\xd2\xf4\xc0\xd6"}));
    EXPECT_TRUE(ListSubFolders(root + "/missing").isEmpty());
}
