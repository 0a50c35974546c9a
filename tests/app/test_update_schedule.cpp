// The per-user time of the last update check and when the next start-up check is due.

#include <QSettings>

#include <gtest/gtest.h>

#include "app/UpdateSchedule.h"
#include "common/TempDir.h"

using namespace terminor;

TEST(UpdateSchedule, DueWhenTheLastCheckIsMoreThanTwoDaysOld) {
    test::TempDir dir;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(dir.File("settings")));
    const TDateTime now = EncodeDate(2026, 12, 9) + EncodeTime(12, 0);
    EXPECT_EQ(LastUpdateSearch(), 0.0);
    EXPECT_TRUE(UpdateSearchDue(now)) << "never checked";
    SetLastUpdateSearch(now - 2.0);
    EXPECT_FALSE(UpdateSearchDue(now)) << "exactly two days";
    SetLastUpdateSearch(now - 2.5);
    EXPECT_TRUE(UpdateSearchDue(now));
    EXPECT_EQ(QSettings().value("update/lastSearch").toDouble(), now - 2.5);
}
