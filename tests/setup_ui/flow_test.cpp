#include "setup/ui/form1.h"
#include "setup/ui/form2.h"
#include "setup/ui/form3.h"
#include "setup/ui/form4.h"
#include "setup/ui/form5.h"
#include "setup/ui/wizard.h"
#include "temp_env.h"

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

using Rows = std::array<std::array<const char*, 3>, 3>;

} // namespace

class SetupFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        wizard.showMessage = [this](QWidget* parent, const QString& text) {
            messages << text;
            EXPECT_EQ(parent, wizard.visiblePage());
        };
        wizard.start();
    }

    // Types into the date page: the name, then year, month, day of each row.
    void fill(const char* name, const Rows& rows)
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
        const DateRow r = wizard.form2()->entry().rows[row];
        return {r.year, r.month, r.day};
    }

    Wizard wizard;
    QSignalSpy ended{&wizard, &Wizard::ended};
    QStringList messages;
};

TEST_F(SetupFlow, DatePageChecksPadsAndGoesBack)
{
    click(wizard.form1()->Command1);
    Form2* f2 = wizard.form2();
    ASSERT_NE(f2, nullptr);
    EXPECT_EQ(wizard.visiblePage(), f2);
    EXPECT_FALSE(wizard.form1()->isVisible());

    // A failing check keeps the page as it is and moves the focus.
    const std::pair<Rows, QLineEdit*> rejected[] = {
        {{{{"1970", "13", "5"}, {"", "", ""}, {"", "", ""}}}, f2->Text5},
        {{{{"1970", "3", "5"}, {"1999", "1", "0"}, {"", "", ""}}}, f2->Text9},
        {{{{"1970", "3", "5"}, {"", "", ""}, {"", "3", "5"}}}, f2->Text4},
    };
    for (const auto& [rows, focus] : rejected) {
        fill("たろう", rows);
        f2->Command1->setFocus();
        click(f2->Command2);
        EXPECT_EQ(wizard.visiblePage(), f2) << focus->objectName().toStdString();
        EXPECT_EQ(f2->focusWidget(), static_cast<QWidget*>(focus));
        EXPECT_EQ(rowTexts(0)[2], QStringLiteral("5"));
    }

    fill("たろう", {{{"1970", "3", "5"}, {"", "", ""}, {"", "12", "40"}}});
    click(f2->Command2);
    ASSERT_NE(wizard.form3(), nullptr);
    EXPECT_EQ(wizard.visiblePage(), wizard.form3());
    EXPECT_EQ(rowTexts(0), (QStringList{"1970", "03", "05"}));
    EXPECT_EQ(rowTexts(1), (QStringList{"0000", "00", "00"}));
    EXPECT_EQ(rowTexts(2), (QStringList{"0000", "12", "40"}));

    click(wizard.form3()->Command3);
    EXPECT_EQ(wizard.visiblePage(), f2);
    EXPECT_EQ(f2->Text1->text(), QStringLiteral("たろう"));
    EXPECT_EQ(rowTexts(0), (QStringList{"1970", "03", "05"}));
    EXPECT_EQ(rowTexts(1), (QStringList{"", "", ""}));
    EXPECT_EQ(rowTexts(2), (QStringList{"", "12", "40"}));
    EXPECT_EQ(ended.count(), 0);
}

TEST_F(SetupFlow, CancelAndTheWindowFrameEndEveryPage)
{
    for (const auto& [page, frame] : {std::pair{1, false}, {2, false}, {3, false}, {2, true}, {4, true}}) {
        Wizard w;
        QSignalSpy spy(&w, &Wizard::ended);
        w.start();
        w.show(page);
        QPointer<QWidget> shown = w.visiblePage();
        if (frame) {
            shown->close();
        } else {
            QPushButton* cancel = page == 1 ? w.form1()->Command2 : page == 2 ? w.form2()->Command1 : w.form3()->Command2;
            EXPECT_EQ(cancel->text(), QStringLiteral("中止"));
            click(cancel);
        }
        EXPECT_EQ(spy.count(), 1) << page << frame;
        EXPECT_TRUE(!w.form1() && !w.form2() && !w.form3() && !w.visiblePage()) << page << frame;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(shown.isNull());
        w.show(2);   // nothing comes back once ended
        EXPECT_EQ(w.form2(), nullptr);
    }
}

TEST_F(SetupFlow, FailedInstallStaysThenSucceedsAndFinishes)
{
    TempWorkDir dir;   // no image yet
    click(wizard.form1()->Command1);
    fill("たろう", {{{"1970", "3", "5"}, {"", "", ""}, {"", "", ""}}});
    click(wizard.form2()->Command2);
    click(wizard.form3()->Command1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("quillmere.$_$")));
    EXPECT_EQ(wizard.visiblePage(), wizard.form3());
    EXPECT_EQ(wizard.form4(), nullptr);

    dir.write(QStringLiteral("quillmere.$_$"), "image");
    click(wizard.form3()->Command1);
    EXPECT_EQ(messages.size(), 1);
    ASSERT_NE(wizard.form4(), nullptr);
    EXPECT_EQ(wizard.visiblePage(), wizard.form4());
    click(wizard.form4()->Command1);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(dir.names(), QStringList{QStringLiteral("quillmere.exe")});
    EXPECT_EQ(dir.read(QStringLiteral("quillmere.exe")), QByteArray("image\r\n"));
    EXPECT_EQ(QDir(dir.systemFolder()).entryList(QDir::Files), QStringList{QStringLiteral("quillmere.ini")});
}

TEST_F(SetupFlow, UninstallReportsWhatStaysThenShowsItsPage)
{
    TempWorkDir dir;
    dir.write(QStringLiteral("quillmere.exe"), "program");
    QDir().mkpath(dir.file(QStringLiteral("readme.txt/inside")));
    click(wizard.form1()->Command3);
    EXPECT_FALSE(dir.exists(QStringLiteral("quillmere.exe")));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("readme.txt")));
    ASSERT_NE(wizard.form5(), nullptr);
    EXPECT_EQ(wizard.visiblePage(), wizard.form5());
    click(wizard.form5()->Command1);
    EXPECT_EQ(ended.count(), 1);
}
