#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

// Name order: case-blind by code point, ties broken case-sensitively.
bool nameLess(const QString& a, const QString& b);
void sortNames(QStringList& names);
// The same for names not yet in place: fill(from, to) puts names [from, to)
// in place, on the thread that then sorts that part, so that a long list is
// filled and sorted in two parts at once.
void sortNames(QStringList& names, const std::function<void(qsizetype from, qsizetype to)>& fill);

} // namespace platform
