// File times of extracted files. Stored times are local wall-clock times at
// DOS resolution; a file on disk is given the same wall-clock time in the
// local time zone.
#pragma once

#include "archive/VornFunctions.h"

#include <QDateTime>

#include <cstdint>
#include <optional>

// The local calendar time of a stored DOS date and time.
QDateTime LocalDateTimeOf(const TDosDateTime& time);

// Seconds since the epoch for a file stamped with the entry's stored time;
// nothing when the stored time lies outside the DOS range (1980 to 2107).
std::optional<int64_t> StoredTimeToEpoch(uint64_t fileTime);

// A file's last-write time (seconds since the epoch) as local calendar time
// at DOS resolution (odd seconds rounded down). The year is kept even when
// it lies outside the DOS range, so comparisons stay right.
TDosDateTime LocalDosTimeOf(int64_t epochSeconds);
