#include "ServerDates.h"

namespace rv {

namespace {

const char *timeText(ServerTime time)
{
    switch (time) {
    case ServerTime::DayStart: return "00:00:00";
    case ServerTime::DayEnd: return "23:59:59";
    case ServerTime::DayShiftStart: return "07:00:00";
    case ServerTime::DayShiftEnd: return "18:59:59";
    case ServerTime::NightShiftStart: return "19:00:00";
    case ServerTime::NightShiftEnd: return "06:59:59";
    }
    return "00:00:00";
}

} // namespace

QString serverDateTime(const QDate &date, ServerTime time)
{
    // Built by hand: the separators are fixed, not the locale's.
    return QString::asprintf("%04d/%02d/%02d %s", date.year(), date.day(), date.month(), timeText(time));
}

ServerWindow dayWindow(const QDate &day)
{
    return periodWindow(day, day);
}

ServerWindow periodWindow(const QDate &first, const QDate &last)
{
    return {serverDateTime(first, ServerTime::DayStart), serverDateTime(last, ServerTime::DayEnd)};
}

ServerWindow dayShiftWindow(const QDate &first, const QDate &last)
{
    return {serverDateTime(first, ServerTime::DayShiftStart), serverDateTime(last, ServerTime::DayShiftEnd)};
}

ServerWindow nightShiftWindow(const QDate &first, const QDate &last)
{
    return {serverDateTime(first.addDays(-1), ServerTime::NightShiftStart),
            serverDateTime(last, ServerTime::NightShiftEnd)};
}

} // namespace rv
