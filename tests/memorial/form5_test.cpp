#include "memorial/form5.h"
#include "memorial/greeting.h"
#include "memorial/record.h"
#include "platform/system_folder.h"
#include "temp_env.h"
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_EQ(QStringList({form->Label1->text(), form->Label2->text()}), QStringList({"たろう さん", "今日は36年目の記念日です。"}));
    EXPECT_EQ(std::pair(form->focusWidget(), form->size()), std::pair(static_cast<QWidget*>(form->Command1), QSize(312, 213)));
    EXPECT_EQ(form->pos(), QPoint(main.frameGeometry().right() + 9, main.frameGeometry().top()));
    QTest::mouseClick(form->Command1, Qt::LeftButton), QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull() && main.isVisible());
}

// Whatever the data file is, the main window's start-up goes on; a byte the code page cannot read loses only the
// values from it on, and the name is shown as text.
TEST(Form5, DataFileOddities)
{
    const QByteArray dates = "\r\n1990/12/06\r\n0000/00/00\r\n0000/00/00\r\n";
    const std::tuple<const char*, QByteArray, const char*> rows[] = {   // what, content or <kind>, Label1 (nullptr: no greeting)
        {"a stray byte after the fourth value", "\x82\xBD" + dates + "\xFF\xA0\x82", "た さん"},
        {"a stray byte in date 3", "\x82\xBD\r\n1990/12/06\r\n0000/00/00\r\n19\xFF", "た さん"},
        {"a stray byte in date 1", "\x82\xBD\r\n1990/12/06\xA0\r\n", nullptr},
        {"a name that looks like markup", "<b>&amp;</b>" + dates, "<b>&amp;</b> さん"},
        {"a FIFO", "<fifo>", nullptr}, {"a link to /dev/zero", "<zero>", nullptr},
    };
    for (const auto& [what, content, label] : rows) {
        SCOPED_TRACE(what);
        testsupport::TempWorkDir dir;
        ASSERT_TRUE(platform::ensureSystemFolder());
        const QByteArray path = QFile::encodeName(memorial::dataFilePath());
        if (content == "<fifo>") ASSERT_EQ(mkfifo(path.constData(), 0600), 0);
        else if (content == "<zero>") ASSERT_EQ(symlink("/dev/zero", path.constData()), 0);
        else {
            QFile file(memorial::dataFilePath());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content));
        }
        QElapsedTimer timer;
        timer.start();
        QPointer<quillmere::Form5> form = quillmere::greetIfDue("2026/12/06", nullptr);
        EXPECT_LT(timer.elapsed(), 2000);
        EXPECT_EQ(form ? form->Label1->text().toStdString() : "<none>", label ? label : "<none>");
        EXPECT_TRUE(!form || form->Label1->textFormat() == Qt::PlainText);
        delete form;
    }
}
