#include "platform/fonts.h"
#include "started_form.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using quillmere::Form1;

namespace {

// Where a control's text is drawn, in the window: across, its ink; down,
// its lines' ascent and descent. Labels draw from their top left corner,
// buttons in their middle.
QRect drawnText(const QWidget* w, const QString& text)
{
    const QFontMetrics m(w->font());
    if (const auto* label = qobject_cast<const QLabel*>(w); label && label->wordWrap())
        return m.boundingRect(QRect(0, 0, w->width(), 1 << 20), Qt::TextWordWrap, text).translated(w->pos());
    // A glyph overhanging its origin (Noto's "A" by a pixel) does so at any size.
    const QRect ink = m.boundingRect(text);
    const int height = m.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), 0, text).height();
    QRect drawn(std::max(ink.left(), 0), 0, ink.right() + 1 - std::max(ink.left(), 0), height);
    if (qobject_cast<const QAbstractButton*>(w))
        drawn.moveCenter(QRect(QPoint(), w->size()).center());
    return drawn.translated(w->pos());
}

} // namespace

// Run once with the machine's fonts and once under each private fontconfig
// of tests/renamer_ui/CMakeLists.txt, which names the families the chain
// must pick there.
TEST(Form1Fonts, EveryTextStaysInsideItsControlAndOffTheOthers)
{
    const QString gothic = qEnvironmentVariable("QM_TEST_GOTHIC"), pGothic = qEnvironmentVariable("QM_TEST_PGOTHIC");
    if (!gothic.isEmpty()) {
        if (!QFontDatabase::families().contains(gothic))
            GTEST_SKIP() << gothic.toStdString() << " is not installed";
        EXPECT_EQ(std::pair(platform::gothicFamily(), platform::pGothicFamily()), std::pair(gothic, pGothic));
    }
    Started s;
    Form1& form = *s.form;
    form.Command4->setText(QStringLiteral("20001"));   // the widest count
    form.Command4->show();
    const QList<QWidget*> controls = form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    int checked = 0;
    for (const QWidget* w : controls) {
        const QString text = w->property("text").toString();
        if (!(qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w)) || text.isEmpty())
            continue;
        SCOPED_TRACE(w->objectName().toStdString() + " " + QString::number(w->font().pointSizeF()).toStdString() + "pt");
        ++checked;
        const QRect drawn = drawnText(w, text);
        EXPECT_TRUE(w->geometry().contains(drawn)) << "clipped";
        // Twips rounded to pixels may let neighbours share their edge pixel.
        for (const QWidget* other : controls) {
            const auto* label = qobject_cast<const QLabel*>(other);
            if (other != w && !other->isHidden() && !(label && label->text().isEmpty())) {
                EXPECT_FALSE(drawn.intersects(other->geometry().adjusted(1, 1, -1, -1))) << "runs into " << other->objectName().toStdString();
            }
        }
    }
    EXPECT_EQ(checked, 35);   // 24 labels and 11 buttons: all but the empty status text and the check box
}

// The described sizes stay wherever the text fits at them; elsewhere the
// largest that fits, under the chain's first installed family.
TEST(Form1Fonts, TextKeepsItsDescribedSizeWhereItFits)
{
    const QString family = platform::gothicFamily();
    const bool ipa = family.startsWith(QLatin1String("IPA"));
    if (!ipa && !family.startsWith(QLatin1String("Noto")))
        GTEST_SKIP() << family.toStdString();
    Started s;
    const Form1& f = *s.form;
    const std::tuple<const char*, QWidget*, double, double> rows[] = {
        // what, control, size under IPA, under Noto
        {"mode button", f.Command1, 9, 8.5},
        {"title in 22 pixels", f.Label1, 15.25, 11.5},
        {"row description above its box", f.Label10, 9, 7.75},
        {"caption beside the check box", f.Label25, 9, 7},
    };
    for (const auto& [what, control, underIpa, underNoto] : rows)
        EXPECT_EQ(control->font().pointSizeF(), ipa ? underIpa : underNoto) << what;
}
