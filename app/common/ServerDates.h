#pragma once
// Dates as the server reads them: text "yyyy/dd/mm" (year, day, month) and a
// fixed time of day, whatever the machine's locale. A day runs from 00:00:00
// to 23:59:59, the day shift from 07:00:00 to 18:59:59, and the night shift of
// a date is the night that ends on its morning: from 19:00:00 of the day
// before to 06:59:59.
//
//   const ServerWindow w = nightShiftWindow(ctx.clock.today());
//   q.paramByName("dataInicial").setAsString(w.from);
//   q.paramByName("datafinal").setAsString(w.to);
//
// Screens take "today" from the context's clock, never from the system.

#include <QDate>
#include <QString>

namespace rv {

// The six fixed times of day.
enum class ServerTime {
    DayStart,        // 00:00:00
    DayEnd,          // 23:59:59
    DayShiftStart,   // 07:00:00
    DayShiftEnd,     // 18:59:59
    NightShiftStart, // 19:00:00
    NightShiftEnd,   // 06:59:59
};

// "2009/21/01 19:00:00" for 21 January 2009 and NightShiftStart.
QString serverDateTime(const QDate &date, ServerTime time);

struct ServerWindow {
    QString from;
    QString to;
};

// D 00:00:00 to D 23:59:59.
ServerWindow dayWindow(const QDate &day);
// D1 00:00:00 to D2 23:59:59.
ServerWindow periodWindow(const QDate &first, const QDate &last);
// D1 07:00:00 to D2 18:59:59.
ServerWindow dayShiftWindow(const QDate &first, const QDate &last);
inline ServerWindow dayShiftWindow(const QDate &day) { return dayShiftWindow(day, day); }
// The day before D1 at 19:00:00 to D2 06:59:59.
ServerWindow nightShiftWindow(const QDate &first, const QDate &last);
inline ServerWindow nightShiftWindow(const QDate &day) { return nightShiftWindow(day, day); }

} // namespace rv
