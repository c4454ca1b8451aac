#pragma once

#include <QFont>
#include <QSize>
#include <QString>

// Fitting a control's text into its fixed rectangle, whatever font the
// desktop stands in for the Japanese system font.
namespace quillmere {

enum class TextFlow { OneLine, Wrapped };

// Whether text in font stays inside room: the lines' ascent and descent
// within its height, their ink within its width.
bool textFits(const QFont& font, const QString& text, QSize room, TextFlow flow);

// font at the largest size, from its own down in quarter points, at which
// text fits room; its own size where the text fits already.
QFont fittedFont(QFont font, const QString& text, QSize room, TextFlow flow);

} // namespace quillmere
