#pragma once

#include "memorial/record.h"

#include <QString>

#include <optional>

namespace memorial {

struct Greeting {
    QString nameText;    // Label1: name + " さん"
    QString countText;   // Label2: "今日は" + years + "年目の記念日です。"
};

// The first of date 1, 2, 3 whose month and day equal today's, as the
// greeting's two texts. today is "yyyy/mm/dd".
std::optional<Greeting> findAnniversary(const Record& record, const QString& today);

} // namespace memorial
