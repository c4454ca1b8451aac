#pragma once

#include <QDate>
#include <QString>

namespace platform {

// Today's local date.
QDate today();

// A date as "yyyy/mm/dd", built by hand so that no locale can change it.
QString dateText(const QDate& date);

inline QString todayText() { return dateText(today()); }

} // namespace platform
