#include "memorial/form5.h"
#include "memorial/greeting.h"
#include "memorial/record.h"
#include "platform/fonts.h"
#include "platform/system_folder.h"
#include "temp_env.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using quillmere::Form5;

TEST(Form5, LayoutTextsAndFonts)
{
    Form5 form;
    EXPECT_EQ(form.windowTitle(), "Form5");
    EXPECT_EQ(form.minimumSize(), QSize(312, 213));
    EXPECT_EQ(form.maximumSize(), QSize(312, 213));
    const std::tuple<const char*, QWidget*, QPoint, QString> rows[] = {
        {"Label1", form.Label1, {32, 24}, "Label1-nameさん"},
        {"Label2", form.Label2, {32, 56}, "今日は○年目の記念日です。"},
        {"Label3", form.Label3, {32, 88}, "こんなプログラムを起ち上げるのは"},
        {"Label4", form.Label4, {32, 120}, "やめにしませんか？"},
        {"Command1", form.Command1, {120, 160}, "終　了"},
    };
    for (const auto& [name, widget, at, text] : rows) {
        EXPECT_EQ(form.findChild<QWidget*>(name), widget) << name;
        EXPECT_EQ(widget->pos(), at) << name;
        EXPECT_EQ(widget->font().family(), platform::pGothicFamily()) << name;
        EXPECT_EQ(widget->font().pointSizeF(), 12.0) << name;
        EXPECT_EQ(widget->property("text").toString(), text) << name;
    }
    EXPECT_EQ(form.Command1->size(), QSize(81, 25));

    form.setGreeting({"とても長い名前のユーザーのための名前 さん", "今日は1年目の記念日です。"});
    EXPECT_EQ(form.Label1->size(), form.Label1->sizeHint());
    EXPECT_GT(form.Label1->width(), form.Label2->width());
}

TEST(Form5, PlacedBesideAnotherWindowOnScreen)
{
    const QRect s = QGuiApplication::primaryScreen()->availableGeometry();
    const std::tuple<const char*, QRect, QPoint> rows[] = {
        {"room on the right", {s.left() + 10, s.top() + 20, 300, 200}, {s.left() + 318, s.top() + 20}},
        {"only room on the left", {s.right() - 400, s.top(), 380, 200}, {s.right() - 720, s.top()}},
        {"only room below", {s.left(), s.top(), s.width(), 200}, {s.left(), s.top() + 208}},
        {"no room anywhere", s, {s.right() + 1 - 312, s.top()}},
    };
    for (const auto& [what, mainRect, expected] : rows) {
        QWidget main;
        main.setGeometry(mainRect);
        Form5 form;
        form.placeBeside(&main);
        EXPECT_EQ(form.pos(), expected) << what;
    }
}

class Greeting : public ::testing::Test {
protected:
    void writeFile(const memorial::Record& record)
    {
        ASSERT_TRUE(platform::ensureSystemFolder());
        ASSERT_EQ(memorial::writeRecord(memorial::dataFilePath(), record), platform::WriteStatus::Ok);
    }
    QPoint besideMain() const { return {main_.frameGeometry().right() + 9, main_.frameGeometry().top()}; }
    testsupport::TempWorkDir dir_;
    QWidget main_;
};

TEST_F(Greeting, NothingWithoutFileOrMatch)
{
    EXPECT_EQ(quillmere::greetIfDue("2026/12/06", &main_), nullptr);
    writeFile({"たろう", "1990/05/01", "0000/00/00", "0000/00/00"});
    EXPECT_EQ(quillmere::greetIfDue("2026/12/06", &main_), nullptr);
}

TEST_F(Greeting, ShowsBesideTheMainWindowAndClosesOnCommand1)
{
    writeFile({"たろう", "1990/05/01", "1990/12/06", "0000/00/00"});
    main_.setGeometry(20, 30, 300, 200);
    main_.show();
    QPointer<Form5> form = quillmere::greetIfDue("2026/12/06", &main_);
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->isVisible() && !form->isModal() && !form->parentWidget());
    EXPECT_EQ(form->Label1->text(), "たろう さん");
    EXPECT_EQ(form->Label2->text(), "今日は36年目の記念日です。");
    EXPECT_EQ(form->focusWidget(), form->Command1);
    EXPECT_EQ(form->pos(), besideMain());

    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(main_.isVisible());
}

TEST_F(Greeting, FollowsAMainWindowShownLaterOnce)
{
    writeFile({"a", "2000/02/29", "", ""});
    main_.setGeometry(0, 0, 300, 200);
    QPointer<Form5> form = quillmere::greetIfDue("2028/02/29", &main_);
    ASSERT_TRUE(form);
    main_.move(100, 50);
    main_.show();
    QCoreApplication::sendPostedEvents();
    const QPoint beside = besideMain();
    EXPECT_GT(beside.x(), 400);
    EXPECT_EQ(form->pos(), beside);
    main_.hide();
    main_.move(0, 0);
    main_.show();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(form->pos(), beside);
    delete form;
}

} // namespace
