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

#include <memory>

namespace {

using quillmere::Form5;

TEST(Form5, LayoutTextsAndFonts)
{
    Form5 form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Form5"));
    EXPECT_EQ(form.size(), QSize(312, 213));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());

    struct Row {
        const char* name;
        QWidget* widget;
        QPoint at;
        QString text;
    };
    const Row rows[] = {
        {"Label1", form.Label1, {32, 24}, QStringLiteral("Label1-nameさん")},
        {"Label2", form.Label2, {32, 56}, QStringLiteral("今日は○年目の記念日です。")},
        {"Label3", form.Label3, {32, 88}, QStringLiteral("こんなプログラムを起ち上げるのは")},
        {"Label4", form.Label4, {32, 120}, QStringLiteral("やめにしませんか？")},
        {"Command1", form.Command1, {120, 160}, QStringLiteral("終　了")},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(form.findChild<QWidget*>(row.name), row.widget) << row.name;
        EXPECT_EQ(row.widget->pos(), row.at) << row.name;
        EXPECT_EQ(row.widget->font().family(), platform::pGothicFamily()) << row.name;
        EXPECT_EQ(row.widget->font().pointSizeF(), 12.0) << row.name;
        const auto* label = qobject_cast<QLabel*>(row.widget);
        const QString text = label ? label->text() : static_cast<QPushButton*>(row.widget)->text();
        EXPECT_EQ(text, row.text) << row.name;
    }
    EXPECT_EQ(form.Command1->size(), QSize(81, 25));
}

TEST(Form5, LabelsFollowTheirTextAndTheButtonCloses)
{
    Form5 form;
    form.setGreeting({QStringLiteral("とても長い名前のユーザーさんのための名前 さん"), QStringLiteral("今日は1年目の記念日です。")});
    EXPECT_EQ(form.Label1->text(), QStringLiteral("とても長い名前のユーザーさんのための名前 さん"));
    EXPECT_EQ(form.Label1->size(), form.Label1->sizeHint());
    EXPECT_EQ(form.Label2->size(), form.Label2->sizeHint());
    EXPECT_GT(form.Label1->width(), form.Label2->width());

    form.show();
    ASSERT_TRUE(form.isVisible());
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}

TEST(Form5, PlacedBesideAnotherWindowOnScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Row {
        const char* what;
        QRect main;
        QPoint expected;
    };
    const int l = screen.left(), t = screen.top();
    const Row rows[] = {
        {"room on the right", {l + 10, t + 20, 300, 200}, {l + 318, t + 20}},
        {"only room on the left", {screen.right() - 400, t + 20, 380, 200}, {screen.right() - 400 - 8 - 312, t + 20}},
        {"only room below", {l, t, screen.width(), 200}, {l, t + 208}},
        {"only room above", {l, screen.bottom() - 199, screen.width(), 200}, {l, screen.bottom() - 199 - 8 - 213}},
        {"no room anywhere", screen, {screen.right() + 1 - 312, t}},
    };
    for (const Row& row : rows) {
        QWidget main;
        main.setGeometry(row.main);
        Form5 form;
        form.placeBeside(&main);
        EXPECT_EQ(form.pos(), row.expected) << row.what;
    }
}

class Greeting : public ::testing::Test {
protected:
    void writeFile(const memorial::Record& record)
    {
        ASSERT_TRUE(platform::ensureSystemFolder());
        ASSERT_EQ(memorial::writeRecord(memorial::dataFilePath(), record), platform::WriteStatus::Ok);
    }
    testsupport::TempWorkDir dir_;
    QWidget main_;
};

TEST_F(Greeting, NothingWithoutFileOrMatch)
{
    EXPECT_EQ(quillmere::greetIfDue("2026/12/06", &main_), nullptr);
    writeFile({"たろう", "1990/05/01", "0000/00/00", "0000/00/00"});
    EXPECT_EQ(quillmere::greetIfDue("2026/12/06", &main_), nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<Form5*>(w), nullptr);
}

TEST_F(Greeting, ShowsTheGreetingBesideTheShownMainWindow)
{
    writeFile({"たろう", "1990/05/01", "1990/12/06", "0000/00/00"});
    main_.setGeometry(20, 30, 300, 200);
    main_.show();
    QPointer<Form5> form = quillmere::greetIfDue("2026/12/06", &main_);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->parentWidget(), nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isModal());
    EXPECT_EQ(form->Label1->text(), QStringLiteral("たろう さん"));
    EXPECT_EQ(form->Label2->text(), QStringLiteral("今日は36年目の記念日です。"));
    EXPECT_EQ(form->focusWidget(), form->Command1);
    EXPECT_FALSE(form->frameGeometry().intersects(main_.frameGeometry()));
    const QRect frame = main_.frameGeometry();
    EXPECT_EQ(form->pos(), QPoint(frame.right() + 1 + 8, frame.top()));

    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
}

TEST_F(Greeting, FollowsAMainWindowShownLater)
{
    writeFile({"a", "2000/02/29", "", ""});
    main_.setGeometry(0, 0, 300, 200);
    QPointer<Form5> form = quillmere::greetIfDue("2028/02/29", &main_);
    ASSERT_TRUE(form);
    main_.move(100, 50);
    main_.show();
    QCoreApplication::sendPostedEvents();
    const QRect frame = main_.frameGeometry();
    const QPoint beside(frame.right() + 1 + 8, frame.top());
    EXPECT_GT(beside.x(), 400);
    EXPECT_EQ(form->pos(), beside);
    main_.move(0, 0);   // only the first showing moves the greeting
    main_.hide();
    main_.show();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(form->pos(), beside);
    delete form;
}

} // namespace
