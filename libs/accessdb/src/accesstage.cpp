#include "accesstage.h"

#include <cmath>

namespace findolin::accessdb {

namespace {

const QDate& nullTag() {
    static const QDate tag(1899, 12, 30);
    return tag;
}

} // namespace

double alsAccessTage(const QDateTime& zeit) {
    const double tage = double(nullTag().daysTo(zeit.date()));
    const double anteil = zeit.time().msecsSinceStartOfDay() / 86400000.0;
    return tage < 0 ? tage - anteil : tage + anteil;
}

QDateTime ausAccessTagen(double tage, qint64 einheitMs) {
    if (!std::isfinite(tage) || std::fabs(tage) > 3e6)
        return {};
    const double tag = std::trunc(tage);
    const qint64 ms = std::llround(std::fabs(tage - tag) * 86400000.0 / double(einheitMs)) * einheitMs;
    return QDateTime(nullTag().addDays(qint64(tag)), QTime(0, 0)).addMSecs(ms);
}

} // namespace findolin::accessdb
