#include "setup/ui/form1.h"
#include "setup/ui/form2.h"
#include "setup/ui/form3.h"
#include "setup/ui/form4.h"
#include "setup/ui/form5.h"
#include "setup/ui/wizard.h"
#include "temp_env.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace setup;
using testsupport::TempWorkDir;

namespace {

void click(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class SetupFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        wizard.showMessage = [this](QWidget* parent, const QString& text) {
            messages << text;
            messageParents << parent;
        };
        wizard.start();
    }

    // Fills the date page: name, then year, month, day of each row.
    void fill(const char* name, std::array<std::array<const char*, 3>, 3> rows)
    {
        Form2* f = wizard.form2();
        f->Text1->setText(QString::fromUtf8(name));
        for (int r = 0; r < 3; ++r) {
            for (int i = 0; i < 3; ++i)
                f->box(BoxRef{Box(int(Box::Year) + i), r})->setText(QString::fromUtf8(rows[r][i]));
        }
    }

    QStringList rowTexts(int row)
    {
        Form2* f = wizard.form2();
        QStringList out;
        for (Box b : {Box::Year, Box::Month, Box::Day})
            out << f->box(BoxRef{b, row})->text();
        return out;
    }

    Wizard wizard;
    QSignalSpy ended{&wizard, &Wizard::ended};
    QStringList messages;
    QList<QWidget*> messageParents;
};

TEST_F(SetupFlow, DatePageChecksPadsAndGoesBack)
{
    click(wizard.form1()->Command1);
    Form2* f2 = wizard.form2();
    ASSERT_NE(f2, nullptr);
    EXPECT_EQ(wizard.visiblePage(), f2);
    EXPECT_FALSE(wizard.form1()->isVisible());

    // Each failing check leaves the page as it is and moves the focus.
    struct Step {
        const char* label;
        const char* name;
        std::array<std::array<const char*, 3>, 3> rows;
        QLineEdit* focus;
    };
    const Step steps[] = {
        {"empty name", "", {{{"", "", ""}, {"", "", ""}, {"", "", ""}}}, f2->Text1},
        {"month 13", "たろう", {{{"1970", "13", "5"}, {"", "", ""}, {"", "", ""}}}, f2->Text5},
        {"day of row 2", "たろう", {{{"1970", "3", "5"}, {"1999", "1", "0"}, {"", "", ""}}}, f2->Text9},
        {"year of row 3", "たろう", {{{"1970", "3", "5"}, {"", "", ""}, {"", "3", "5"}}}, f2->Text4},
    };
    for (const Step& s : steps) {
        fill(s.name, s.rows);
        f2->Command1->setFocus();
        click(f2->Command2);
        EXPECT_EQ(wizard.visiblePage(), f2) << s.label;
        EXPECT_EQ(f2->focusWidget(), static_cast<QWidget*>(s.focus)) << s.label;
        EXPECT_EQ(rowTexts(0)[0], QString::fromUtf8(s.rows[0][0])) << s.label;
    }

    fill("たろう", {{{"1970", "3", "5"}, {"", "", ""}, {"", "12", "40"}}});
    click(f2->Command2);
    ASSERT_NE(wizard.form3(), nullptr);
    EXPECT_EQ(wizard.visiblePage(), wizard.form3());
    EXPECT_FALSE(f2->isVisible());
    EXPECT_EQ(rowTexts(0), (QStringList{"1970", "03", "05"}));
    EXPECT_EQ(rowTexts(1), (QStringList{"0000", "00", "00"}));
    EXPECT_EQ(rowTexts(2), (QStringList{"0000", "12", "40"}));

    click(wizard.form3()->Command3);
    EXPECT_EQ(wizard.visiblePage(), f2);
    EXPECT_EQ(f2->Text1->text(), QStringLiteral("たろう"));
    EXPECT_EQ(rowTexts(0), (QStringList{"1970", "03", "05"}));
    EXPECT_EQ(rowTexts(1), (QStringList{"", "", ""}));
    EXPECT_EQ(rowTexts(2), (QStringList{"", "12", "40"}));
    EXPECT_EQ(f2->Label1->text(), todayLabelText());   // not loaded again

    EXPECT_EQ(ended.count(), 0);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SetupFlow, CancelAndTheWindowFrameEndEveryPage)
{
    // Which page, and how it is left.
    struct Case {
        int page;
        bool frame;
    };
    for (const Case c : {Case{1, false}, Case{2, false}, Case{3, false}, Case{1, true}, Case{2, true}, Case{4, true}}) {
        Wizard w;
        QSignalSpy spy(&w, &Wizard::ended);
        w.start();
        w.show(c.page);
        QPointer<QWidget> page = w.visiblePage();
        if (c.frame) {
            page->close();
        } else {
            QPushButton* cancel = c.page == 1 ? w.form1()->Command2
                                : c.page == 2 ? w.form2()->Command1
                                              : w.form3()->Command2;
            EXPECT_EQ(cancel->text(), QStringLiteral("中止"));
            click(cancel);
        }
        EXPECT_EQ(spy.count(), 1) << c.page << c.frame;
        EXPECT_EQ(w.form1(), nullptr);
        EXPECT_EQ(w.form2(), nullptr);
        EXPECT_EQ(w.form3(), nullptr);
        EXPECT_EQ(w.visiblePage(), nullptr);
        flushDeletes();
        EXPECT_TRUE(page.isNull());
        w.show(2);   // nothing comes back once ended
        EXPECT_EQ(w.form2(), nullptr);
    }
}

TEST_F(SetupFlow, InstallFailureStaysOnTheConfirmationPage)
{
    TempWorkDir dir;   // no image
    click(wizard.form1()->Command1);
    fill("たろう", {{{"1970", "3", "5"}, {"", "", ""}, {"", "", ""}}});
    click(wizard.form2()->Command2);
    click(wizard.form3()->Command1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("quillmere.$_$")));
    EXPECT_EQ(messageParents[0], static_cast<QWidget*>(wizard.form3()));
    EXPECT_EQ(wizard.visiblePage(), wizard.form3());
    EXPECT_EQ(wizard.form4(), nullptr);
    EXPECT_EQ(ended.count(), 0);
}

TEST_F(SetupFlow, InstallThenFinish)
{
    TempWorkDir dir;
    dir.write(QStringLiteral("quillmere.$_$"), "image");
    click(wizard.form1()->Command1);
    fill("たろう", {{{"1970", "3", "5"}, {"", "", ""}, {"", "", ""}}});
    click(wizard.form2()->Command2);
    click(wizard.form3()->Command1);
    EXPECT_TRUE(messages.isEmpty());
    ASSERT_NE(wizard.form4(), nullptr);
    EXPECT_EQ(wizard.visiblePage(), wizard.form4());
    EXPECT_EQ(dir.read(QStringLiteral("quillmere.exe")), QByteArray("image\r\n"));

    click(wizard.form4()->Command1);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(dir.names(), QStringList{QStringLiteral("quillmere.exe")});
    EXPECT_EQ(QDir(dir.systemFolder()).entryList(QDir::Files), QStringList{QStringLiteral("quillmere.ini")});
}

TEST_F(SetupFlow, UninstallReportsThenShowsItsPage)
{
    for (const bool blocked : {false, true}) {
        TempWorkDir dir;
        dir.write(QStringLiteral("quillmere.exe"), "program");
        if (blocked)
            QDir().mkpath(dir.file(QStringLiteral("readme.txt/inside")));
        Wizard w;
        QStringList shown;
        w.showMessage = [&](QWidget*, const QString& text) { shown << text; };
        QSignalSpy spy(&w, &Wizard::ended);
        w.start();
        click(w.form1()->Command3);
        EXPECT_FALSE(dir.exists(QStringLiteral("quillmere.exe")));
        EXPECT_EQ(shown.size(), blocked ? 1 : 0);
        if (blocked) {
            EXPECT_TRUE(shown[0].contains(QStringLiteral("readme.txt")));
        }
        ASSERT_NE(w.form5(), nullptr);
        EXPECT_EQ(w.visiblePage(), w.form5());
        click(w.form5()->Command1);
        EXPECT_EQ(spy.count(), 1);
    }
}
