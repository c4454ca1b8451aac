#include "renamer/ui/text_fit.h"

#include <QFontMetrics>
#include <QRect>

namespace quillmere {
namespace {
constexpr double kStep = 0.25;
constexpr double kSmallest = 5;   // below this no text is worth reading
} // namespace

bool textFits(const QFont& font, const QString& text, QSize room, TextFlow flow)
{
    // Laid out as a label lays it out, whose lines may be a pixel taller
    // than the font's rounded height.
    const QFontMetrics metrics(font);
    const bool wrapped = flow == TextFlow::Wrapped;
    const QRect lines = metrics.boundingRect(QRect(0, 0, wrapped ? room.width() : 1 << 20, 1 << 20),
                                             wrapped ? Qt::TextWordWrap : 0, text);
    if (wrapped)
        return lines.height() <= room.height() && lines.width() <= room.width();
    // The ink, not the advance: a full-width colon's advance runs on past
    // its dots.
    const int inkRight = text.isEmpty() ? 0 : metrics.boundingRect(text).right() + 1;
    return lines.height() <= room.height() && inkRight <= room.width();
}

QFont fittedFont(QFont font, const QString& text, QSize room, TextFlow flow)
{
    for (double points = font.pointSizeF(); !textFits(font, text, room, flow) && points - kStep >= kSmallest;) {
        points -= kStep;
        font.setPointSizeF(points);
    }
    return font;
}

} // namespace quillmere
