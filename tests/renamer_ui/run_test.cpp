#include "form1_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kDone = QStringLiteral("のデータを処理しました． 終了ボタンを押して下さい．フォルダをクリックするとファイルが表示されます．");

TEST(Form1Run, PrefixRunRenamesReportsAndEmptiesTheWorkList)
{
    Form1Fixture f({"a.txt", "b c.txt", "tool.exe"});
    quillmere::Form1& form = f.open();
    form.show();
    QTest::keyClicks(form.Text6, "x_");
    form.Command6->click();

    EXPECT_EQ(f.dir.names(), QStringList({"modosu.bat", "tool.exe", "x_a.txt", "x_b c.txt"}));
    EXPECT_EQ(f.dir.read("modosu.bat"), "ren    x_a.txt    a.txt\r\nren    x_b c.txt    b c.txt\r\n");
    EXPECT_TRUE(form.Command4->isVisible());
    EXPECT_EQ(form.Command4->text(), "2");
    EXPECT_EQ(form.Label5->text(), kDone);
    EXPECT_EQ(form.List1->count(), 0);
    EXPECT_EQ(form.focusWidget(), form.Command3);
    EXPECT_TRUE(f.messages.empty());

    // The file list was read again: a click lists the new names.
    form.Dirlist_Click();
    EXPECT_EQ(Form1Fixture::entries(form.List1), QStringList({"modosu.bat", "tool.exe", "x_a.txt", "x_b c.txt"}));

    // Restore on the worker; the window only hears when it is done.
    form.Command12_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.restoreRunning(); }));
    QTest::qWait(20);
    EXPECT_EQ(f.dir.names(), QStringList({"a.txt", "b c.txt", "modosu.bat", "tool.exe"}));
    EXPECT_TRUE(f.messages.empty());
}

TEST(Form1Run, RefusedParametersTouchNothing)
{
    struct Row { const char* name; QPushButton* quillmere::Form1::*button; QLineEdit* quillmere::Form1::*box; const char* text; };
    const Row rows[] = {
        {"mode 4, N empty", &quillmere::Form1::Command1, &quillmere::Form1::Text2, ""},
        {"mode 4, N not a number", &quillmere::Form1::Command1, &quillmere::Form1::Text2, "3x"},
        {"mode 5, N empty", &quillmere::Form1::Command7, &quillmere::Form1::Text7, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Form1Fixture f({"a.txt", "modosu.bat"});
        f.dir.write("modosu.bat", "earlier run\r\n");
        quillmere::Form1& form = f.open();
        (form.*row.box)->setText(QString::fromUtf8(row.text));
        (form.*row.button)->click();

        ASSERT_EQ(f.messages.size(), 1u);
        EXPECT_EQ(f.messages[0].first, QMessageBox::Warning);
        EXPECT_EQ(f.dir.read("modosu.bat"), "earlier run\r\n");
        EXPECT_EQ(f.dir.names(), QStringList({"a.txt", "modosu.bat"}));
        EXPECT_TRUE(form.Command4->isHidden());
        EXPECT_EQ(form.List1->count(), 2);
    }
}

TEST(Form1Run, NamesTheUndoScriptCannotHoldAreReportedAfterTheRun)
{
    Form1Fixture f({QStringLiteral("😀.txt"), "a.txt"});
    quillmere::Form1& form = f.open();
    form.Text6->setText("x");
    form.Command6_Click();
    EXPECT_TRUE(f.dir.exists("xa.txt"));
    EXPECT_TRUE(f.dir.exists(QStringLiteral("😀.txt")));
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_EQ(f.messages[0].first, QMessageBox::Information);
}

TEST(Form1Run, RestoreTellsWhatItCouldNotDoAndExitDeletesTheScript)
{
    Form1Fixture f({"a.txt"});
    quillmere::Form1& form = f.open();
    form.Command12_Click();
    EXPECT_FALSE(form.restoreRunning());
    ASSERT_EQ(f.messages.size(), 1u);
    EXPECT_TRUE(f.messages[0].second.contains("modosu.bat"));

    // A line that cannot be carried out is not passed over in silence.
    f.dir.write("modosu.bat", "ren    gone.txt    b.txt\r\n");
    form.Command12_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.messages.size() == 2; }));
    EXPECT_TRUE(f.messages[1].second.contains("1")) << f.messages[1].second.toStdString();

    form.Command3_Click();
    EXPECT_EQ(f.dir.names(), QStringList({"a.txt"}));
}

} // namespace
