#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace platform {
namespace {

QString firstInstalled(std::initializer_list<const char*> families)
{
    const QStringList installed = QFontDatabase::families();
    for (const char* family : families) {
        const QString name = QString::fromUtf8(family);
        if (installed.contains(name, Qt::CaseInsensitive))
            return name;
    }
    return {};
}

QFont makeFont(const QString& family, double points, bool bold)
{
    QFont font;
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

QString gothicFamily()
{
    // Fixed pitch first: the proportional face only where no fixed one is.
    static const QString family = firstInstalled(
        {"ＭＳ ゴシック", "MS Gothic", "IPAGothic", "IPAゴシック", "Noto Sans Mono CJK JP", "Noto Sans CJK JP"});
    return family;
}

QString pGothicFamily()
{
    static const QString family = firstInstalled({"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "IPA Pゴシック", "Noto Sans CJK JP"});
    return family;
}

QFont gothicFont(double points, bool bold) { return makeFont(gothicFamily(), points, bold); }
QFont pGothicFont(double points, bool bold) { return makeFont(pGothicFamily(), points, bold); }

} // namespace platform
