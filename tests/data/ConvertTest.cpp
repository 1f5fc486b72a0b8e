#include "data/Convert.h"
#include "data/Errors.h"
#include "data/Procedures.h"

#include <gtest/gtest.h>

using namespace rv;

TEST(Convert, IntegersFromEditTexts)
{
    EXPECT_EQ(convert::toInteger(QStringLiteral("12345678")), 12345678);
    EXPECT_EQ(convert::toInteger(QStringLiteral(" 42 ")), 42);
    EXPECT_EQ(convert::toInteger(QStringLiteral("-7")), -7);
    EXPECT_EQ(convert::toInteger(QStringLiteral("2147483647")), 2147483647);
    for (const char *bad : {"", " ", "12a", "1,5", "2147483648", "+", "1 2"}) {
        try {
            convert::toInteger(QString::fromLatin1(bad));
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConversionError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("'%1' is not a valid integer value").arg(QString::fromLatin1(bad)));
        }
    }
}

TEST(Convert, FloatsUseTheDecimalComma)
{
    EXPECT_DOUBLE_EQ(convert::toFloat(QStringLiteral("12,5")), 12.5);
    EXPECT_DOUBLE_EQ(convert::toFloat(QStringLiteral("10")), 10.0);
    EXPECT_DOUBLE_EQ(convert::toFloat(QStringLiteral("-0,25")), -0.25);
    EXPECT_DOUBLE_EQ(convert::toCurrency(QStringLiteral("123")), 123.0);
    for (const char *bad : {"", "12.5", "1.234,5", "abc", "1,2,3"}) {
        try {
            convert::toFloat(QString::fromLatin1(bad));
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConversionError &e) {
            EXPECT_EQ(e.text(),
                      QStringLiteral("'%1' is not a valid floating point value").arg(QString::fromLatin1(bad)));
        }
    }
}

TEST(Convert, NumbersAsPlainDecimalText)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {{12.5, "12,5"}, {10.0, "10"}, {0.1 + 0.2, "0,3"}, {-3.75, "-3,75"}, {1234567.89, "1234567,89"},
                 {0.0, "0"},     {-0.0, "0"},  {2.0 / 3.0, "0,6666666667"}};
    for (const auto &c : cases)
        EXPECT_EQ(convert::formatNumber(c.value), QString::fromLatin1(c.text)) << c.value;
}

TEST(Convert, HalvesRoundToTheEvenNeighbour)
{
    EXPECT_EQ(convert::roundHalfEven(2.5), 2);
    EXPECT_EQ(convert::roundHalfEven(3.5), 4);
    EXPECT_EQ(convert::roundHalfEven(-2.5), -2);
    EXPECT_EQ(convert::roundHalfEven(2.6), 3);
}

TEST(Convert, DateTimesAsShown)
{
    EXPECT_EQ(convert::formatDateTime(QDateTime(QDate(2009, 1, 21), QTime(13, 5, 9))),
              QStringLiteral("21/01/2009 13:05:09"));
    EXPECT_EQ(convert::formatDateTime(QDateTime(QDate(2009, 1, 21), QTime(0, 0))), QStringLiteral("21/01/2009"));
    EXPECT_EQ(convert::parseStoredDateTime(QStringLiteral("2009-01-21 13:05:09")),
              QDateTime(QDate(2009, 1, 21), QTime(13, 5, 9)));
    EXPECT_EQ(convert::parseStoredDateTime(QStringLiteral("2009-01-21T13:05:09.123")),
              QDateTime(QDate(2009, 1, 21), QTime(13, 5, 9)));
}

TEST(Convert, ServerDateTextsReadYearDayMonth)
{
    EXPECT_EQ(parseYearDayMonth(QStringLiteral("2009/21/01 00:00:00")), QDateTime(QDate(2009, 1, 21), QTime(0, 0)));
    EXPECT_EQ(parseYearDayMonth(QStringLiteral("2024/29/02 19:00:00")), QDateTime(QDate(2024, 2, 29), QTime(19, 0)));
    for (const char *bad : {"2023/29/02 19:00:00", "2009/01/21 00:00:00", "21/01/2009", "", "amanhã"}) {
        try {
            parseYearDayMonth(QString::fromUtf8(bad));
            ADD_FAILURE() << "accepted " << bad;
        } catch (const DatabaseError &e) {
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(bad))) << e.text().toStdString();
        }
    }
}
