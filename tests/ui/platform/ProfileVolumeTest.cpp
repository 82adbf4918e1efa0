#include "desktop/platform/ProfileVolume.h"
#include "support/TempDir.h"

#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace quelmarine;

TEST(ReadProfileVolume, ReadsTheApplicationProfileWith1000WhenAbsent) {
    testsupport::TempDir dir;
    const QString oldPath = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(dir.path()));
    {
        EXPECT_EQ(readProfileVolume(), 1000);
        QSettings profile("Local AppWizard-Generated Applications", "QuelmarineScr");
        profile.setValue("Settings/Volume", 640);
        profile.sync();
        EXPECT_EQ(readProfileVolume(), 640);
        profile.setValue("Settings/Volume", "0");
        profile.sync();
        EXPECT_EQ(readProfileVolume(), 0);
        profile.setValue("Settings/Volume", "loud");
        profile.sync();
        EXPECT_EQ(readProfileVolume(), 0);
        profile.remove("Settings/Volume");
        profile.sync();
        EXPECT_EQ(readProfileVolume(), 1000);
    }
    // The profile was stored where the test pointed it, not in the user's folder.
    EXPECT_TRUE(testsupport::fileExists(
        dir.file("Local AppWizard-Generated Applications/QuelmarineScr.conf")));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, oldPath);
}
