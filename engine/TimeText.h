#pragma once

#include <QString>

// Text forms of times: the clock display, the marker times, the time entry.
namespace melorit::engine {

// Whole seconds as "mm:ss" ("01:15" for 75, "100:00" for 6000); "--:--" for
// a negative value (no position).
QString LongToTime(int seconds);

// Seconds as "m:ss.fff" with the given decimal separator ("1:15,500" for
// 75.5 with a comma), rounded to the millisecond first so that 59.9999 gives
// "1:00.000".
QString SecondsToText(double seconds, const QString &decimalPoint);
// The same with the user's decimal separator.
QString SecondsToText(double seconds);

// "m:ss.fff" or plain seconds back to seconds; "," and "." both separate the
// decimals. Text that holds no number reads as 0.
double TextToSeconds(const QString &text);

// The decimal separator of the user's locale.
QString userDecimalPoint();

} // namespace melorit::engine
