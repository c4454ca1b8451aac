#include "memorial/form5.h"
#include "memorial/greeting.h"
#include "memorial/record.h"
#include "platform/system_folder.h"
#include "temp_env.h"
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(Form5, GreetIfDueOpensBesideTheMainWindowOnlyWithAMatchingFile)
{
    testsupport::TempWorkDir dir;
    QWidget main;
    EXPECT_EQ(quillmere::greetIfDue("2026/12/06", &main), nullptr);   // no file
    ASSERT_TRUE(platform::ensureSystemFolder() && memorial::writeRecord(memorial::dataFilePath(), {"たろう", "1990/05/01", "1990/12/06", "0000/00/00"}) == platform::WriteStatus::Ok);
    main.setGeometry(20, 30, 300, 200);
    QPointer<quillmere::Form5> form = quillmere::greetIfDue("2026/12/06", &main);
    ASSERT_TRUE(form);
    main.move(100, 50), main.show();   // shown later: the greeting follows the main window
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(form->isVisible() && !form->isModal() && !form->parentWidget());
    EXPECT_EQ(QStringList({form->windowTitle(), form->Label1->text(), form->Label2->text(), form->Label3->text(), form->Label4->text(), form->Command1->text()}),
              QStringList({"Form5", "たろう さん", "今日は36年目の記念日です。", "こんなプログラムを起ち上げるのは", "やめにしませんか？", "終　了"}));
    EXPECT_EQ(std::pair(form->focusWidget(), form->size()), std::pair(static_cast<QWidget*>(form->Command1), QSize(312, 213)));
    EXPECT_EQ(form->pos(), QPoint(main.frameGeometry().right() + 9, main.frameGeometry().top()));
    QTest::mouseClick(form->Command1, Qt::LeftButton), QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull() && main.isVisible());
}
