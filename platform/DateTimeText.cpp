#include "platform/DateTimeText.h"

#include <QDateTime>
#include <QTimeZone>

#include <cmath>

namespace cf {

namespace {

const QDateTime& Base()
{
    static const QDateTime base(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return base;
}

} // namespace

std::string DateTimeText(double days)
{
    const qint64 ms = qint64(std::llround(days * 86400000.0));
    const QDateTime t = Base().addMSecs(ms);
    if (t.time() == QTime(0, 0))
        return t.toString(QStringLiteral("yyyy-MM-dd")).toStdString();
    return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
}

bool ReadDateTimeText(const std::string& text, double& days)
{
    const QString q = QString::fromStdString(text);
    QDateTime dt = QDateTime::fromString(q, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid())
        dt = QDateTime::fromString(q, QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(q, QStringLiteral("yyyy-MM-dd"));
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    if (!dt.isValid()) {
        QTime t = QTime::fromString(q, QStringLiteral("HH:mm:ss"));
        if (!t.isValid())
            t = QTime::fromString(q, QStringLiteral("HH:mm"));
        if (!t.isValid())
            return false;
        days = double(t.msecsSinceStartOfDay()) / 86400000.0;
        return true;
    }
    dt.setTimeSpec(Qt::UTC);
    days = double(Base().msecsTo(dt)) / 86400000.0;
    return true;
}

} // namespace cf
