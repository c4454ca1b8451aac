#pragma once

#include "memorial/record.h"

#include <QString>

#include <optional>

namespace memorial {

// Whose anniversary it is, and how many years since the date; fewer than
// none when the date lies ahead.
struct Anniversary {
    QString name;
    long long years = 0;
};

// The first of date 1, 2, 3 whose month and day equal today's. today is
// "yyyy/mm/dd".
std::optional<Anniversary> findAnniversary(const Record& record, const QString& today);

} // namespace memorial
