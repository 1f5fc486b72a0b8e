#include "app/common/ServerDates.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace rv;

TEST(ServerDates, TheSixPatternsForTwentyFirstJanuary2009)
{
    const QDate d(2009, 1, 21);
    const struct {
        ServerTime time;
        const char *text;
    } cases[] = {
        {ServerTime::DayStart, "2009/21/01 00:00:00"},        {ServerTime::DayEnd, "2009/21/01 23:59:59"},
        {ServerTime::DayShiftStart, "2009/21/01 07:00:00"},   {ServerTime::DayShiftEnd, "2009/21/01 18:59:59"},
        {ServerTime::NightShiftStart, "2009/21/01 19:00:00"}, {ServerTime::NightShiftEnd, "2009/21/01 06:59:59"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(serverDateTime(d, c.time), QString::fromLatin1(c.text));
}

TEST(ServerDates, Windows)
{
    const QDate d(2009, 1, 21);
    const struct {
        ServerWindow window;
        const char *from;
        const char *to;
    } cases[] = {
        {dayWindow(d), "2009/21/01 00:00:00", "2009/21/01 23:59:59"},
        {periodWindow(QDate(2008, 12, 31), d), "2008/31/12 00:00:00", "2009/21/01 23:59:59"},
        {dayShiftWindow(d), "2009/21/01 07:00:00", "2009/21/01 18:59:59"},
        {nightShiftWindow(d), "2009/20/01 19:00:00", "2009/21/01 06:59:59"},
        {nightShiftWindow(QDate(2009, 1, 1)), "2008/31/12 19:00:00", "2009/01/01 06:59:59"},
        {nightShiftWindow(QDate(2009, 1, 10), d), "2009/09/01 19:00:00", "2009/21/01 06:59:59"},
        // The night of 1 March begins on the last day of February.
        {nightShiftWindow(QDate(2008, 3, 1)), "2008/29/02 19:00:00", "2008/01/03 06:59:59"},
        {nightShiftWindow(QDate(2009, 3, 1)), "2009/28/02 19:00:00", "2009/01/03 06:59:59"},
        {nightShiftWindow(QDate(2000, 3, 1)), "2000/29/02 19:00:00", "2000/01/03 06:59:59"},
        {nightShiftWindow(QDate(1900, 3, 1)), "1900/28/02 19:00:00", "1900/01/03 06:59:59"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.window.from, QString::fromLatin1(c.from));
        EXPECT_EQ(c.window.to, QString::fromLatin1(c.to));
    }
}

TEST(ServerDates, TheMachinesLocaleDoesNotMatter)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    const QString text = serverDateTime(QDate(2009, 1, 21), ServerTime::NightShiftStart);
    QLocale::setDefault(before);
    EXPECT_EQ(text, QStringLiteral("2009/21/01 19:00:00"));
}
