#include "ExtractTime.h"

#include <QTimeZone>

namespace {

// The system zone, loaded once: converting through it saves the C library's
// look at the zone file for every extracted file.
const QTimeZone& LocalZone()
{
    static const QTimeZone zone = QTimeZone::systemTimeZone();
    return zone;
}

}  // namespace

QDateTime LocalDateTimeOf(const TDosDateTime& time)
{
    return QDateTime(QDate(time.Year, time.Month, time.Day),
                     QTime(time.Hour, time.Minute, time.Second), LocalZone());
}

std::optional<int64_t> StoredTimeToEpoch(uint64_t fileTime)
{
    const std::optional<TDosDateTime> stored = FileTimeToDateTime(fileTime);
    if (!stored)
        return std::nullopt;
    const QDateTime local = LocalDateTimeOf(*stored);
    if (!local.isValid())
        return std::nullopt;
    return local.toSecsSinceEpoch();
}

TDosDateTime LocalDosTimeOf(int64_t epochSeconds)
{
    const QDateTime local = QDateTime::fromSecsSinceEpoch(epochSeconds, LocalZone());
    const QDate date = local.date();
    const QTime time = local.time();
    TDosDateTime result;
    result.Year = date.year();
    result.Month = date.month();
    result.Day = date.day();
    result.Hour = time.hour();
    result.Minute = time.minute();
    result.Second = time.second() & ~1;
    return result;
}
