#pragma once

#include <QFont>
#include <QString>

// The windows are laid out in twips and in the Japanese system fonts; this is
// where both are turned into what the desktop has.
namespace platform {

// 15 twips to a pixel at 96 dpi; Qt scales further on high-dpi screens.
constexpr int twips(int value) { return (value + 7) / 15; }

// "ＭＳ ゴシック" where installed, else IPAGothic, else Noto Sans Mono CJK JP,
// else Noto Sans CJK JP.
QString gothicFamily();
// "ＭＳ Ｐゴシック" where installed, else IPAPGothic, else Noto Sans CJK JP.
QString pGothicFamily();

QFont gothicFont(double points, bool bold = false);
QFont pGothicFont(double points, bool bold = false);

} // namespace platform
