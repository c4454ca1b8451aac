#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Name order: case-blind by code point, ties broken case-sensitively.
bool nameLess(const QString& a, const QString& b);
void sortNames(QStringList& names);

} // namespace platform
