#pragma once

#include <QDateTime>

namespace findolin::accessdb {

// Access keeps a date as days since 30 December 1899 with the time of day as the fraction, also before that
// day: -1.25 is 29 December 1899, 6 o'clock. Filters compare dates by this number too.
double alsAccessTage(const QDateTime& zeit);
// The date of such a number, rounded to `einheitMs` (to the millisecond, or to the second as Access shows
// dates); an invalid QDateTime where the number is no date (not finite, or millennia away from Access's years
// 100 to 9999).
QDateTime ausAccessTagen(double tage, qint64 einheitMs = 1);

} // namespace findolin::accessdb
