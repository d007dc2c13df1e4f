#include "settings/LogoCopy.h"

#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(LogoCopy, ReplacesTheLogoInOneStepAndLeavesNoCopyBehind)
{
    TempProgramFolder dir;
    const QString program = dir.folders().Program;
    dir.write("logo.jpg", "old");
    dir.write("logo.jpg.new", "left over from an earlier failure");
    dir.writeParent("chosen.jpg", "new");
    ASSERT_TRUE(LogoCopy::install(dir.parentPath("chosen.jpg"), program));
    EXPECT_EQ(dir.read("logo.jpg"), "new");
    EXPECT_EQ(dir.read("../chosen.jpg"), "new"); // copied, not moved
    EXPECT_FALSE(QFile::exists(dir.programPath("logo.jpg.new")));

    QFile::remove(dir.programPath("logo.jpg"));
    ASSERT_TRUE(LogoCopy::install(dir.parentPath("chosen.jpg"), program)); // no logo before
    EXPECT_EQ(dir.read("logo.jpg"), "new");
}

TEST(LogoCopy, AFailedCopyKeepsTheOldLogo)
{
    TempProgramFolder dir;
    const QString program = dir.folders().Program;
    dir.write("logo.jpg", "old");
    EXPECT_FALSE(LogoCopy::install(dir.parentPath("vanished.jpg"), program));
    EXPECT_EQ(dir.read("logo.jpg"), "old");
    EXPECT_FALSE(QFile::exists(dir.programPath("logo.jpg.new")));

    // The copy arrives but cannot take the logo's place: a folder stands in its way.
    QFile::remove(dir.programPath("logo.jpg"));
    ASSERT_TRUE(QDir(program).mkpath("logo.jpg/inside"));
    dir.writeParent("chosen.jpg", "new");
    EXPECT_FALSE(LogoCopy::install(dir.parentPath("chosen.jpg"), program));
    EXPECT_FALSE(QFile::exists(dir.programPath("logo.jpg.new")));
    EXPECT_EQ(LogoCopy::failedMessage("/a/b.jpg"),
              "The logo could not be copied to the clock:\r\n\r\n" + QDir::toNativeSeparators("/a/b.jpg"));
}

TEST(LogoCopy, RecognisesTheInstalledLogoHoweverItsPathIsWritten)
{
    TempProgramFolder dir;
    const QString program = dir.folders().Program;
    EXPECT_EQ(LogoCopy::installedPath(program), program + "/logo.jpg");
    EXPECT_TRUE(LogoCopy::isInstalled(program + "/logo.jpg", program));
    EXPECT_TRUE(LogoCopy::isInstalled(program + "/sounds/../logo.jpg", program));
    EXPECT_FALSE(LogoCopy::isInstalled(program + "/logo2.jpg", program));
    EXPECT_FALSE(LogoCopy::isInstalled(dir.parentPath("logo.jpg"), program));
    EXPECT_FALSE(LogoCopy::isInstalled("", program));
}

} // namespace
