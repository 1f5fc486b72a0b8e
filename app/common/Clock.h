#pragma once
// "Today" and "now" for every screen come from one clock, which tests set.

#include <QDate>
#include <QDateTime>

namespace rv {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still at the time it is set to.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at = QDateTime::currentDateTime()) : m_at(std::move(at)) {}
    void set(QDateTime at) { m_at = std::move(at); }
    QDateTime now() const override { return m_at; }

private:
    QDateTime m_at;
};

} // namespace rv
