#include "setup/ui/form2.h"
#include "setup/ui/form3.h"
#include "setup/ui/wizard.h"
#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include "temp_env.h"
#include <QDir>

using namespace setup;
namespace {
QWidget* open(Wizard& w, int page) { w.start(), w.show(page); return w.visiblePage(); }
void click(QWidget* page, const char* button) { QTest::mouseClick(page->findChild<QPushButton*>(button), Qt::LeftButton); }
void fill(Form2* f, const QString& rows)   // "y/m/d|y/m/d|y/m/d" under a name
{
    f->Text1->setText("たろう");
    for (int k = 0; k < 9; ++k)
        f->box(BoxRef{Box(int(Box::Year) + k % 3), k / 3})->setText(rows.section(u'|', k / 3, k / 3).section(u'/', k % 3, k % 3));
}
QString textOf(QWidget* page, const QString& name) { auto* w = page->findChild<QWidget*>(name); return w ? w->property("text").toString() : "?"; }
QString boxes(Form2* f) { const auto r = f->entry().rows; return dateLine(r[0]) + u'|' + dateLine(r[1]) + u'|' + dateLine(r[2]); }
} // namespace
// Each page from the welcome page: caption, the texts it fills in ("Name=text|..."), Tab order from the first focus; 中止 or the frame ends all,
// and the completion page's frame removes the scratch files and the image like its 終了.
TEST(SetupPages, CaptionsTextsTabOrderAndCancel)
{
    const struct { int page; QString caption, texts, tabOrder; const char* cancel; bool cleansUp = false; } pages[] = {
        {1, "セットアップ", "Label2=quillmere の|Text1=quillmere", "Command1 Command2 Command3", "Command2"},
        {2, "セットアップ", "Label1=" + QDate::currentDate().toString(u"yyyy年MM月dd日"),
         "Text1 Text2 Text5 Text8 Text3 Text6 Text9 Text4 Text7 Text10 Command2 Command1", "Command1"},
        {3, "セットアップ", "Label2=quillmere の", "Command2 Command1 Command3", "Command2"},
        {4, "Form4", "Label1=quillmere の", "Command1", nullptr, true},
        {5, "Form5", "Label1=quillmere の", "Command1", nullptr},
    };
    for (const auto& p : pages) {
        testsupport::TempWorkDir dir;
        const QStringList scratch = {"quillmere.$_$", "../data/quillmere/cpy.bat", "../data/quillmere/qmnull.dam", "../data/quillmere/quillmere.ini"};
        QDir().mkpath(dir.systemFolder());
        for (const QString& name : scratch) dir.write(name, "x");
        Wizard wizard;
        QSignalSpy ended(&wizard, &Wizard::ended);
        QPointer<QWidget> page = open(wizard, p.page);
        ASSERT_TRUE(page && page->objectName() == "Form" + QString::number(p.page) && page->windowTitle() == p.caption) << p.page;
        for (const QString& text : p.texts.split(u'|'))
            EXPECT_EQ(textOf(page, text.section(u'=', 0, 0)), text.section(u'=', 1)) << text.toStdString();
        QStringList tabChain;   // the hidden program name box (Text1 on page 1) must not be in it
        QWidget* w = page->focusWidget();
        ASSERT_NE(w, nullptr) << p.page;
        do if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(page) && w->isEnabled()) tabChain << w->objectName();
        while ((w = w->nextInFocusChain()) != page->focusWidget());
        EXPECT_EQ(tabChain.join(u' '), p.tabOrder) << p.page;
        p.cancel ? click(page, p.cancel) : void(page->close());
        EXPECT_TRUE(ended.count() == 1 && !wizard.form1() && !wizard.form2() && !wizard.form3() && !wizard.visiblePage()) << p.page;
        QStringList left;
        for (const QString& name : scratch) if (dir.exists(name)) left << name;
        EXPECT_EQ(left, p.cleansUp ? scratch.mid(3) : scratch) << p.page;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        wizard.show(2);   // nothing comes back once ended
        EXPECT_TRUE(page.isNull() && !wizard.form2()) << p.page;
    }
}

TEST(SetupFlow, DatePageChecksPadsAndGoesBack)
{
    Wizard wizard;
    wizard.showMessage = [](QWidget*, const QString& text) { ADD_FAILURE() << text.toStdString(); };
    click(open(wizard, 1), "Command1");
    Form2* f2 = wizard.form2();
    ASSERT_EQ(wizard.visiblePage(), f2);
    fill(f2, "1970/3/5|//|/3/5");   // a failing check keeps the boxes as typed and moves the focus
    f2->Command1->setFocus(), click(f2, "Command2");
    EXPECT_TRUE(wizard.visiblePage() == f2 && f2->focusWidget()->objectName() == "Text4" && boxes(f2) == "1970/3/5|//|/3/5");
    fill(f2, "1970/3/5|//|/12/40");
    click(f2, "Command2");
    ASSERT_EQ(wizard.visiblePage(), wizard.form3());
    EXPECT_EQ(boxes(f2), "1970/03/05|0000/00/00|0000/12/40");
    click(wizard.form3(), "Command3");
    EXPECT_TRUE(wizard.visiblePage() == f2 && f2->Text1->text() == "たろう");
    EXPECT_EQ(boxes(f2), "1970/03/05|//|/12/40");   // only the zeros padding made are emptied
}

// A name or date the memorial data file cannot hold is refused at 次へ, in the box, with the character named.
TEST(SetupFlow, DatePageRefusesCharactersTheFileCannotHold)
{
    const struct { QString name, rows; const char *focus, *says; } cases[] = {
        {"〜たろう", "1970/3/5|//", "Text1", "名前の「〜」（U+301C）"},
        {"た𠀋ろう", "1970/13/5|//", "Text5", nullptr},   // the silent checks come first
        {"た𠀋ろう", "1970/3/5|//", "Text1", "「𠀋」（U+2000B）"},
        {"たろう", "1970/3/5|1999/1〜/1|", "Text6", "日付の「〜」"},
        {"～たろう", "1970/3/5|//", nullptr, nullptr},   // the full-width tilde is fine
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString() + " " + c.rows.toStdString());
        Wizard wizard;
        QStringList messages;
        wizard.showMessage = [&](QWidget*, const QString& text) { messages << text; };
        click(open(wizard, 1), "Command1");
        Form2* f2 = wizard.form2();
        fill(f2, c.rows);
        f2->Text1->setText(c.name);
        f2->Command2->setFocus(), click(f2, "Command2");
        EXPECT_EQ(wizard.visiblePage(), c.focus ? static_cast<QWidget*>(f2) : wizard.form3());
        EXPECT_EQ(c.focus ? f2->focusWidget()->objectName() : "", c.focus ? c.focus : "");
        EXPECT_EQ(messages.size(), c.says ? 1 : 0);
        EXPECT_TRUE(!c.says || messages.value(0).contains(QString::fromUtf8(c.says))) << messages.value(0).toStdString();
    }
}
