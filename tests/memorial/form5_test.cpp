#include "memorial/form5.h"
#include "memorial/greeting.h"
#include "memorial/record.h"
#include "platform/fonts.h"
#include "platform/system_folder.h"
#include "temp_env.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using quillmere::Form5;

TEST(Form5, LayoutTextsAndFonts)
{
    Form5 form;
    EXPECT_EQ(std::tuple(form.windowTitle(), form.minimumSize(), form.maximumSize(), form.Command1->size()),
              std::tuple("Form5", QSize(312, 213), QSize(312, 213), QSize(81, 25)));
    const std::tuple<const char*, QWidget*, QPoint, QString> rows[] = {
        {"Label1", form.Label1, {32, 24}, "Label1-nameさん"},
        {"Label2", form.Label2, {32, 56}, "今日は○年目の記念日です。"},
        {"Label3", form.Label3, {32, 88}, "こんなプログラムを起ち上げるのは"},
        {"Label4", form.Label4, {32, 120}, "やめにしませんか？"},
        {"Command1", form.Command1, {120, 160}, "終　了"},
    };
    for (const auto& [name, widget, at, text] : rows)
        EXPECT_EQ(std::tuple(form.findChild<QWidget*>(name), widget->pos(), widget->font(), widget->property("text").toString()),
                  std::tuple(widget, at, platform::pGothicFont(12), text)) << name;
    form.setGreeting({"とても長い名前のユーザーのための名前 さん", "今日は1年目の記念日です。"});
    EXPECT_EQ(form.Label1->size(), form.Label1->sizeHint());   // a long name is not clipped
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

TEST(Form5, GreetIfDueOpensBesideTheMainWindowOnlyWithAMatchingFile)
{
    testsupport::TempWorkDir dir;
    QWidget main;
    EXPECT_EQ(quillmere::greetIfDue("2026/12/06", &main), nullptr);   // no file
    ASSERT_TRUE(platform::ensureSystemFolder());
    ASSERT_EQ(memorial::writeRecord(memorial::dataFilePath(), {"たろう", "1990/05/01", "1990/12/06", "0000/00/00"}), platform::WriteStatus::Ok);
    main.setGeometry(20, 30, 300, 200);
    QPointer<Form5> form = quillmere::greetIfDue("2026/12/06", &main);
    ASSERT_TRUE(form);
    main.move(100, 50);   // shown later: the greeting follows the main window
    main.show();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(form->isVisible() && !form->isModal() && !form->parentWidget());
    EXPECT_EQ(QStringList({form->Label1->text(), form->Label2->text()}), QStringList({"たろう さん", "今日は36年目の記念日です。"}));
    EXPECT_EQ(form->focusWidget(), form->Command1);
    EXPECT_EQ(form->pos(), QPoint(main.frameGeometry().right() + 9, main.frameGeometry().top()));

    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(main.isVisible());
}
