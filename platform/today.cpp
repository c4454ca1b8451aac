#include "platform/today.h"

namespace platform {

QDate today()
{
    return QDate::currentDate();
}

QString dateText(const QDate& date)
{
    return QStringLiteral("%1/%2/%3")
        .arg(date.year(), 4, 10, QChar(u'0'))
        .arg(date.month(), 2, 10, QChar(u'0'))
        .arg(date.day(), 2, 10, QChar(u'0'));
}

} // namespace platform
