#include "platform/fonts.h"
#include "setup/ui/form2.h"
#include "setup/ui/form3.h"
#include "setup/ui/wizard.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace setup;

namespace {
void click(QWidget* page, const char* button) { QTest::mouseClick(page->findChild<QPushButton*>(button), Qt::LeftButton); }

// The date boxes as "y/m/d|y/m/d|y/m/d", typed in under a name or read back.
void fill(Form2* f, const QString& rows)
{
    f->Text1->setText(QStringLiteral("たろう"));
    for (int k = 0; k < 9; ++k)
        f->box(BoxRef{Box(int(Box::Year) + k % 3), k / 3})->setText(rows.section(u'|', k / 3, k / 3).section(u'/', k % 3, k % 3));
}
QString boxes(Form2* f)
{
    const auto rows = f->entry().rows;
    return dateLine(rows[0]) + u'|' + dateLine(rows[1]) + u'|' + dateLine(rows[2]);
}
} // namespace

// Each page shown first, straight from the welcome page: caption, size, texts as "Name=text|...", and the tab
// order from the control holding the focus.
TEST(SetupPages, CaptionsSizesTextsAndTabOrder)
{
    const struct { int page; const char* caption; QString texts; const char* tabOrder; } pages[] = {
        {1, "セットアップ", "Label2=quillmere の|Label1=セットアップをします。|Label3=よろしければ、「次へ」ボタンを|"
            "Label4=押して下さい。|Label5=アンインストールは削除ボタン|Command1=次へ|Command2=中止|Command3=削除|Text1=quillmere",
         "Command1 Command2 Command3"},
        {2, "セットアップ", "NamePrompt=名前あるいはハンドルネームを入れてください。|Label3=記録しておきたい年月日（誕生日など）を|"
            "Label4=８桁の半角数字で入れてください。|Label2=例）|Label5=１）|Label7=３）|Label8=年|Label12=月|Label16=日|"
            "Text2=|Command2=次へ|Command1=中止|Label1=" + QDate::currentDate().toString(u"yyyy年MM月dd日"),
         "Text1 Text2 Text5 Text8 Text3 Text6 Text9 Text4 Text7 Text10 Command2 Command1"},
        {3, "セットアップ", "Label2=quillmere の|Label1=セットアップを実行します。|Label3=よろしければ、「実行」ボタンを|"
            "Label4=押して下さい。|Command3=前画面へ戻る。|Command1=実行|Command2=中止", "Command2 Command1 Command3"},
        {4, "Form4", "Label1=quillmere の|Label2=セットアップが完了しました。|Label3=終了ボタンを押して下さい。|Command1=終了",
         "Command1"},
        {5, "Form5", "Label1=quillmere の|Label2=アンインストールが完了しました。|Label3=終了ボタンを押して下さい。|"
            "Label4=フォルダに残っているファイルを|Label5=フォルダごとゴミ箱に入れて下さい。|Command1=終了", "Command1"},
    };
    for (const auto& p : pages) {
        Wizard wizard;
        wizard.start();
        wizard.show(p.page);
        QWidget* page = wizard.visiblePage();
        const std::string pageName = page->objectName().toStdString();
        ASSERT_EQ(pageName, "Form" + std::to_string(p.page));
        EXPECT_EQ(page->windowTitle(), QString::fromUtf8(p.caption)) << pageName;
        EXPECT_EQ(page->size(), QSize(platform::twips(4230), platform::twips(3615))) << pageName;
        EXPECT_EQ(page->minimumSize(), page->maximumSize()) << pageName;
        for (const QString& text : p.texts.split(u'|')) {
            auto* w = page->findChild<QWidget*>(text.section(u'=', 0, 0));
            ASSERT_NE(w, nullptr) << pageName << " " << text.toStdString();
            EXPECT_EQ(w->property("text").toString(), text.section(u'=', 1)) << pageName;
        }
        QStringList tabChain;   // what Tab reaches, from the first focus round to it
        QWidget* w = page->focusWidget();
        ASSERT_NE(w, nullptr) << pageName;
        do {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(page) && w->isEnabled())
                tabChain << w->objectName();
        } while ((w = w->nextInFocusChain()) != page->focusWidget());
        EXPECT_EQ(tabChain.join(u' ').toStdString(), p.tabOrder) << pageName;
        const QWidget* programName = p.page == 1 ? page->findChild<QWidget*>(QStringLiteral("Text1")) : nullptr;
        EXPECT_FALSE(programName && (programName->isVisible() || programName->isEnabled()));   // never shown

        // A label running under a button or a box, or off the page, loses its end.
        const QList<QWidget*> controls = page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* c : controls) {
            EXPECT_TRUE(!c->isVisibleTo(page) || page->rect().contains(c->geometry())) << c->objectName().toStdString();
            for (QWidget* other : controls) {
                EXPECT_FALSE(qobject_cast<QLabel*>(c) && !qobject_cast<QLabel*>(other) && other->isVisibleTo(page) &&
                             c->geometry().intersects(other->geometry()))
                    << pageName << "." << c->objectName().toStdString() << " under " << other->objectName().toStdString();
            }
        }
    }
}

TEST(SetupFlow, DatePageChecksPadsAndGoesBack)
{
    Wizard wizard;
    wizard.showMessage = [](QWidget*, const QString& text) { ADD_FAILURE() << text.toStdString(); };
    wizard.start();
    click(wizard.visiblePage(), "Command1");
    Form2* f2 = wizard.form2();
    ASSERT_EQ(wizard.visiblePage(), f2);
    // A failing check keeps the boxes as typed and moves the focus.
    for (const auto& [rows, focus] : {std::pair{"1970/13/5|//|//", "Text5"}, {"1970/3/5|1999/1/0|//", "Text9"},
                                      {"1970/3/5|//|/3/5", "Text4"}}) {
        fill(f2, rows);
        f2->Command1->setFocus();
        click(f2, "Command2");
        EXPECT_EQ(wizard.visiblePage(), f2) << rows;
        EXPECT_EQ(f2->focusWidget()->objectName(), focus) << rows;
        EXPECT_EQ(boxes(f2), rows);
    }
    fill(f2, "1970/3/5|//|/12/40");
    click(f2, "Command2");
    ASSERT_EQ(wizard.visiblePage(), wizard.form3());
    EXPECT_EQ(boxes(f2), "1970/03/05|0000/00/00|0000/12/40");
    click(wizard.form3(), "Command3");
    EXPECT_EQ(wizard.visiblePage(), f2);
    EXPECT_EQ(f2->Text1->text(), QStringLiteral("たろう"));
    EXPECT_EQ(boxes(f2), "1970/03/05|//|/12/40");   // only the zeros padding made are emptied
}

TEST(SetupFlow, CancelAndTheWindowFrameEndEveryPage)
{
    for (const auto& [page, frame] : {std::pair{1, false}, {2, false}, {3, false}, {2, true}, {4, true}}) {
        Wizard w;
        QSignalSpy ended(&w, &Wizard::ended);
        w.start();
        w.show(page);
        QPointer<QWidget> shown = w.visiblePage();
        if (frame)
            shown->close();
        else
            click(shown, page == 2 ? "Command1" : "Command2");   // 中止
        EXPECT_EQ(ended.count(), 1) << page << frame;
        EXPECT_TRUE(!w.form1() && !w.form2() && !w.form3() && !w.visiblePage()) << page << frame;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(shown.isNull());
        w.show(2);   // nothing comes back once ended
        EXPECT_EQ(w.form2(), nullptr);
    }
}
