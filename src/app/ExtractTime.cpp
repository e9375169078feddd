#include "ExtractTime.h"

QDateTime LocalDateTimeOf(const TDosDateTime& time)
{
    return QDateTime(QDate(time.Year, time.Month, time.Day),
                     QTime(time.Hour, time.Minute, time.Second), Qt::LocalTime);
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
    const QDateTime local = QDateTime::fromSecsSinceEpoch(epochSeconds, Qt::LocalTime);
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
