#include "platform/fonts.h"
#include "setup/core/date_entry.h"
#include "setup/ui/wizard.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using platform::twips;
using namespace setup;

namespace {

// One control: its text and where it stands in twips; a width of 0 is a
// label sized to its text; points 0 is the page's own font.
struct Control {
    const char* name;
    const char* text;
    int left, top, width = 0, height = 0;
    double points = 0;
};

struct PageCase {
    int page;
    const char* caption;
    std::vector<Control> controls;
    QStringList tabOrder;   // from the control with the focus when first shown
};

QString textOf(const QWidget* w)
{
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    return static_cast<const QLineEdit*>(w)->text();
}

QStringList tabChain(QWidget* first)
{
    QStringList names;
    QWidget* w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(w->window()) && w->isEnabled())
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first);
    return names;
}

} // namespace

TEST(SetupPages, TextsGeometryFontsAndTabOrder)
{
    const QByteArray today = todayLabelText().toUtf8();
    const PageCase pages[] = {
        {1, "セットアップ", {
            {"Label2", "quillmere の", 840, 600, 0, 0, 12}, {"Label1", "セットアップをします。", 960, 1080, 0, 0, 12},
            {"Label3", "よろしければ、「次へ」ボタンを", 600, 1560, 0, 0, 12},
            {"Label4", "押して下さい。", 1320, 2040, 0, 0, 12},
            {"Command1", "次へ", 1080, 2520, 855, 375}, {"Command2", "中止", 2280, 2520, 855, 375},
            {"Label5", "アンインストールは削除ボタン", 480, 3240, 0, 0, 9},
            {"Command3", "削除", 2880, 3120, 855, 375}, {"Text1", "quillmere", 360, 120, 3615, 270},
         }, {"Command1", "Command2", "Command3"}},
        {2, "セットアップ", {
            {"NamePrompt", "名前あるいはハンドルネームを入れてください。", 240, 240},
            {"Text1", "", 1080, 600, 2535, 270},
            {"Label3", "記録しておきたい年月日（誕生日など）を", 480, 1080},
            {"Label4", "８桁の半角数字で入れてください。", 480, 1320},
            {"Label2", "例）", 720, 1560}, {"Label1", today.constData(), 1080, 1560},
            {"Label5", "１）", 720, 1845}, {"Label6", "２）", 720, 2205}, {"Label7", "３）", 720, 2565},
            {"Text2", "", 1080, 1800, 495, 270}, {"Text3", "", 1080, 2160, 495, 270}, {"Text4", "", 1080, 2520, 495, 270},
            {"Label8", "年", 1680, 1845}, {"Label9", "年", 1680, 2205}, {"Label10", "年", 1680, 2565},
            {"Text5", "", 2040, 1800, 495, 270}, {"Text6", "", 2040, 2160, 495, 270}, {"Text7", "", 2040, 2520, 495, 270},
            {"Label11", "月", 2640, 1845}, {"Label12", "月", 2640, 2205}, {"Label13", "月", 2640, 2565},
            {"Text8", "", 3000, 1800, 495, 270}, {"Text9", "", 3000, 2160, 495, 270}, {"Text10", "", 3000, 2520, 495, 270},
            {"Label14", "日", 3600, 1845}, {"Label15", "日", 3600, 2205}, {"Label16", "日", 3600, 2565},
            {"Command2", "次へ", 1080, 3000, 855, 375}, {"Command1", "中止", 2280, 3000, 855, 375},
         }, {"Text1", "Text2", "Text5", "Text8", "Text3", "Text6", "Text9", "Text4", "Text7", "Text10", "Command2",
             "Command1"}},
        {3, "セットアップ", {
            {"Label2", "quillmere の", 840, 480, 0, 0, 12}, {"Label1", "セットアップを実行します。", 960, 840, 0, 0, 12},
            {"Label3", "よろしければ、「実行」ボタンを", 600, 1320, 0, 0, 12},
            {"Label4", "押して下さい。", 1080, 1560, 0, 0, 12},
            {"Command3", "前画面へ戻る。", 1080, 2280, 2055, 375},
            {"Command1", "実行", 1080, 3000, 855, 375}, {"Command2", "中止", 2280, 3000, 855, 375},
         }, {"Command2", "Command1", "Command3"}},
        {4, "Form4", {
            {"Label1", "quillmere の", 720, 600, 0, 0, 12},
            {"Label2", "セットアップが完了しました。", 840, 1080, 0, 0, 12},
            {"Label3", "終了ボタンを押して下さい。", 840, 1680, 0, 0, 12},
            {"Command1", "終了", 1320, 2640, 1575, 375, 9.75},
         }, {"Command1"}},
        {5, "Form5", {
            {"Label1", "quillmere の", 480, 360, 0, 0, 12},
            {"Label2", "アンインストールが完了しました。", 480, 840, 0, 0, 12},
            {"Label3", "終了ボタンを押して下さい。", 720, 1320, 0, 0, 12},
            {"Label4", "フォルダに残っているファイルを", 480, 2040, 0, 0, 12},
            {"Label5", "フォルダごとゴミ箱に入れて下さい。", 360, 2520, 0, 0, 12},
            {"Command1", "終了", 1320, 3000, 1575, 375, 9.75},
         }, {"Command1"}},
    };
    for (const PageCase& p : pages) {
        Wizard wizard;   // each page is shown first, straight from the welcome page
        wizard.start();
        wizard.show(p.page);
        QWidget* page = wizard.visiblePage();
        const std::string pageName = "Form" + std::to_string(p.page);
        ASSERT_EQ(page->objectName().toStdString(), pageName);
        EXPECT_EQ(page->windowTitle(), QString::fromUtf8(p.caption)) << pageName;
        EXPECT_EQ(page->size(), QSize(twips(4230), twips(3615))) << pageName;
        EXPECT_EQ(page->minimumSize(), page->maximumSize()) << pageName;
        for (const Control& c : p.controls) {
            const std::string where = pageName + "." + c.name;
            auto* w = page->findChild<QWidget*>(QString::fromLatin1(c.name));
            ASSERT_NE(w, nullptr) << where;
            EXPECT_EQ(textOf(w), QString::fromUtf8(c.text)) << where;
            EXPECT_EQ(w->pos(), QPoint(twips(c.left), twips(c.top))) << where;
            EXPECT_EQ(w->size(), c.width ? QSize(twips(c.width), twips(c.height)) : w->sizeHint()) << where;
            if (c.points) {
                EXPECT_DOUBLE_EQ(w->font().pointSizeF(), c.points) << where;
                EXPECT_EQ(w->font().family(), platform::pGothicFont(c.points).family()) << where;
            } else {
                EXPECT_EQ(w->font(), page->font()) << where;
            }
        }
        ASSERT_NE(page->focusWidget(), nullptr) << pageName;
        EXPECT_EQ(page->focusWidget()->objectName(), p.tabOrder.front()) << pageName;
        EXPECT_EQ(tabChain(page->focusWidget()).join(u' ').toStdString(), p.tabOrder.join(u' ').toStdString());
        if (p.page == 1) {
            auto* programName = page->findChild<QWidget*>(QStringLiteral("Text1"));
            EXPECT_FALSE(programName->isVisible() || programName->isEnabled());
        }

        // A label running under a button or a box loses its end.
        const QList<QWidget*> controls = page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* w : controls) {
            if (!w->isVisibleTo(page))
                continue;
            EXPECT_TRUE(page->rect().contains(w->geometry())) << pageName << "." << w->objectName().toStdString();
            for (QWidget* other : controls) {
                if (qobject_cast<QLabel*>(w) && !qobject_cast<QLabel*>(other) && other->isVisibleTo(page)) {
                    EXPECT_FALSE(w->geometry().intersects(other->geometry()))
                        << pageName << "." << w->objectName().toStdString() << " under " << other->objectName().toStdString();
                }
            }
        }
    }
}
