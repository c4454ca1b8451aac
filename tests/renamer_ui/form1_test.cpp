#include "platform/fonts.h"
#include "renamer/core/rename_run.h"
#include "renamer/ui/folder_list.h"
#include "renamer/ui/form1.h"
#include "renamer/ui/form1_layout.h"
#include "started_form.h"
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using platform::twips;
using quillmere::Form1;

// One window: controls, tab walk, browsing. A click on the subfolder appends the files again, a double-click opens it.
TEST(Form1Window, LayoutTabWalkAndBrowsing)
{
    Started s({"b.txt", "a.txt", ".hidden", "modosu.bat", "sub/"});
    Form1& form = *s.form;
    const QStringList once = {"a.txt", "b.txt", "modosu.bat"};
    EXPECT_EQ(s.list(), once);
    EXPECT_EQ(std::tuple(form.windowTitle(), form.size(), form.Command4->isHidden()),
              std::tuple(QStringLiteral("ファイルネーム一括変更"), QSize(924, 348), true));
    using Kind = quillmere::Form1Control::Kind;
    for (const quillmere::Form1Control& control : quillmere::form1Layout()) {
        SCOPED_TRACE(control.name);
        auto* w = form.findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_TRUE(w);
        EXPECT_EQ(w->pos(), QPoint(twips(control.left), twips(control.top)));
        // The fonts may shrink a text to fit, never move or widen its place; a
        // wrapped label may grow downwards a little for the stand-in font's taller lines.
        const QSize designed(twips(control.width), twips(control.height));
        if (control.kind == Kind::FittedLabel)
            EXPECT_LE(w->fontMetrics().horizontalAdvance(w->property("text").toString()), w->width());
        else if (control.kind == Kind::Line)
            EXPECT_EQ(std::min(w->width(), w->height()), 1);
        else if (control.kind == Kind::Label)
            EXPECT_TRUE(w->width() == designed.width() && w->height() >= designed.height() && w->height() <= designed.height() + 8);
        else
            EXPECT_EQ(w->size(), designed);
    }
    // Focus starts on Command2; the walk skips the hidden Command4.
    form.show(), form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const QStringList expected = QString("Command2 Text6 Command6 Text4 Text5 Command5 Text2 Text3 Command1 Text1 "
        "Command3 Dirlist List1 Text7 Command7 Text8 Command8 Command9 Command10 Text9 Command12 Text10 Text11 "
        "Check1 Command2").split(' ');
    QStringList walked;
    for (QWidget* focus; walked.size() < expected.size() && (focus = QApplication::focusWidget()); QTest::keyClick(focus, Qt::Key_Tab))
        walked.append(focus->objectName());
    EXPECT_EQ(walked, expected);
    const QStringList before = s.list();
    const QPoint at = form.Dirlist->visualItemRect(form.Dirlist->item(form.Dirlist->openRow() + 1)).center();
    QTest::mouseClick(form.Dirlist->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(std::tuple(s.list(), form.nameTable()[before.size() + 2], form.Dirlist->path()), std::tuple(before + once, "modosu.bat", s.dir.path()));
    QTest::mouseDClick(form.Dirlist->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(form.Dirlist->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(std::tuple(form.Dirlist->path(), form.File1.folder(), s.list()), std::tuple(s.dir.file("sub"), s.dir.file("sub"), before + once));
    // The path box shows the new folder only once the user touches it.
    EXPECT_EQ(std::pair(s.dir.exists("modosu.bat"), form.Text1->text()), std::pair(false, s.dir.path()));
    QTest::keyClicks(form.Text1, "zz");
    EXPECT_EQ(form.Text1->text(), s.dir.file("sub"));
}

// Told once per full list: clicks on a full list stay silent until a run has emptied it.
TEST(Form1Browse, WorkListStopsAtTheNameTableAndSaysOnceHowManyWereLeftOut)
{
    const int size = renamer::kNameTableSize;
    for (const auto& [prefill, lastSlot, leftOut] : {std::tuple(size - 3, "c.txt", "3件"), std::tuple(size - 1, "a.txt", "2件"), std::tuple(size, "old", "3件")}) {
        SCOPED_TRACE(prefill);
        Started s({"a.txt", "b.txt", "c.txt"});
        const auto fillAndClickTwice = [&, prefill = prefill] {
            s.form->List1->clear(), s.form->List1->addItems(QStringList(prefill, QStringLiteral("old")));
            s.form->Dirlist_Click(), s.form->Dirlist_Click();
        };
        fillAndClickTwice();
        EXPECT_EQ(std::tuple(s.form->List1->count(), s.form->nameTable().back(), s.messages.size()), std::tuple(size, QString::fromUtf8(lastSlot), 1u));
        s.form->Command2->click();   // a run empties the list
        fillAndClickTwice();
        ASSERT_EQ(s.messages.size(), 2u);
        EXPECT_TRUE(s.messages[0].second.contains(QString::fromUtf8(leftOut)) && s.messages[1].first == QMessageBox::Warning) << s.messages[0].second.toStdString();
    }
}

// Key events reaching the folder list; X repeats a held key as release +
// press pairs with one timestamp and Qt flags only some of them. A Tab into
// the list is the end-to-end keys test's.
TEST(Form1Browse, AKeyReleasedInTheFolderListAddsTheNamesOnce)
{
    enum Kind { Press, Release, RepeatPress, RepeatRelease };
    using Keys = std::vector<std::tuple<Kind, int, ulong>>;
    const std::tuple<const char*, Keys, int> rows[] = {
        {"tap", {{Press, Qt::Key_Down, 100}, {Release, Qt::Key_Down, 180}}, 1},
        {"held", {{Press, Qt::Key_Down, 100}, {Release, Qt::Key_Down, 700}, {Press, Qt::Key_Down, 700}, {Release, Qt::Key_Down, 741},
                  {Press, Qt::Key_Down, 741}, {RepeatRelease, Qt::Key_Down, 780}, {RepeatPress, Qt::Key_Down, 780}, {Release, Qt::Key_Down, 900}}, 1},
        {"two taps", {{Press, Qt::Key_Down, 100}, {Release, Qt::Key_Down, 150}, {Press, Qt::Key_Down, 190}, {Release, Qt::Key_Down, 250}}, 2},
        {"two keys", {{Press, Qt::Key_Down, 100}, {Press, Qt::Key_Up, 120}, {Release, Qt::Key_Down, 150}, {Release, Qt::Key_Up, 150}}, 2},
        {"Enter that closed a message box", {{Release, Qt::Key_Return, 100}}, 0},
    };
    for (const auto& [what, keys, added] : rows) {
        SCOPED_TRACE(what);
        Started s({"a.txt"});
        Form1& form = *s.form;
        form.show(), form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.Dirlist->setFocus();
        for (const auto& [kind, key, time] : keys) {
            const bool press = kind == Press || kind == RepeatPress;
            QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier, QString(), kind == RepeatPress || kind == RepeatRelease);
            event.setTimestamp(time);
            QApplication::sendEvent(form.Dirlist, &event);
        }
        QTest::qWait(quillmere::FolderList::kRepeatWaitMs + 50);
        EXPECT_EQ(std::pair(form.List1->count() - 1, form.Dirlist->hasFocus()), std::pair(added, true));
    }
}

// A run renames, reports and empties the work list; a second click renames nothing and keeps the
// script of the first, so 復元 still undoes it; each restore says what it did.
TEST(Form1Run, RunReportsAndASecondClickKeepsTheWayBack)
{
    using Icon = QMessageBox::Icon;
    Started s({"a.txt", "b c.txt", "tool.exe"});
    Form1& form = *s.form;
    form.show(), QTest::keyClicks(form.Text6, "x_"), form.Command6->click();
    const QStringList after = {"modosu.bat", "tool.exe", "x_a.txt", "x_b c.txt"};
    EXPECT_EQ(std::pair(s.dir.names(), form.Command4->isVisible() ? form.Command4->text() : "hidden"), std::pair(after, QString("2")));
    EXPECT_EQ(form.Label5->text(), QStringLiteral("のデータを処理しました． 終了ボタンを押して下さい．フォルダをクリックするとファイルが表示されます．"));
    EXPECT_EQ(std::tuple(form.List1->count(), form.focusWidget(), s.messages.size()), std::tuple(0, form.Command3, 0u));
    const QByteArray script = s.dir.read("modosu.bat");
    form.Command6->click();
    EXPECT_EQ(std::tuple(s.dir.names(), s.dir.read("modosu.bat"), s.messages.size()), std::tuple(after, script, std::size_t(0)));
    form.Dirlist_Click();   // the file list was read again
    EXPECT_EQ(s.list(), after);
    const auto restoreSays = [&](Icon icon, const char* text) {
        s.messages.clear();
        form.Command12->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !s.messages.empty(); }, 5000));
        EXPECT_TRUE(!s.messages.empty() && s.messages[0] == std::pair(icon, QString::fromUtf8(text))) << text;
    };
    restoreSays(Icon::Information, "2 件の名前を元に戻しました。");
    restoreSays(Icon::Information, "名前はすでに元に戻っています。");
    s.dir.write("modosu.bat", "copy /B a.txt   b.txt /B\r\n");
    restoreSays(Icon::Warning, "この modosu.bat は quillmere が書いたものではないため、何も実行しませんでした（1 行目）。");
}

// A refused parameter, a restore without a script, a run that cannot make its script: one message, nothing touched.
TEST(Form1Run, RefusedRunOrRestoreTouchesNothing)
{
    using Icon = QMessageBox::Icon;
    using Row = std::tuple<QPushButton* Form1::*, QLineEdit* Form1::*, const char*, const char*, Icon, const char*>;
    for (const auto& [button, box, text, script, icon, says] : {Row{&Form1::Command1, &Form1::Text2, "3x", "modosu.bat", Icon::Warning, ""},
             Row{&Form1::Command7, &Form1::Text7, "", "modosu.bat", Icon::Warning, ""},
             Row{&Form1::Command12, nullptr, "", "b.txt", Icon::Information, "modosu.bat"},
             Row{&Form1::Command6, &Form1::Text6, "x_", "modosu.bat/", Icon::Warning, "modosu.bat"}}) {
        Started s({"a.txt", script});
        SCOPED_TRACE(((*s.form).*button)->objectName().toStdString());
        if (box) ((*s.form).*box)->setText(text);
        const auto window = [&] { return std::tuple(s.dir.names(), s.list(), s.dir.read("modosu.bat"), s.form->Label5->text()); };
        const auto before = window();
        ((*s.form).*button)->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !s.messages.empty(); }, 5000));   // the restore reports from its thread
        ASSERT_EQ(s.messages.size(), 1u);
        EXPECT_TRUE(s.messages[0].first == icon && s.messages[0].second.contains(says)) << s.messages[0].second.toStdString();
        EXPECT_TRUE(window() == before && s.form->Command4->isHidden() && !s.form->restoreRunning());
    }
}

// A click appends the folder's names as they are now, read again only when they changed since the last read
// (a click on an unchanged folder is the window test's).
TEST(Form1Browse, AClickListsTheNamesAsTheyAreNow)
{
    const auto restoreAfterRun = [](Started& s) {
        QTest::keyClicks(s.form->Text6, "x_"), s.form->Command6->click();
        s.form->Command12->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !s.messages.empty(); }, 5000));
    };
    const std::tuple<const char*, std::function<void(Started&)>, QStringList> rows[] = {
        {"a file made", [](Started& s) { s.dir.write("c.txt"); }, {"a.txt", "b.txt", "c.txt"}},
        {"a file removed", [](Started& s) { QFile::remove(s.dir.file("b.txt")); }, {"a.txt"}},
        {"renamed back by 復元", restoreAfterRun, {"a.txt", "b.txt", "modosu.bat"}},
    };
    for (const auto& [what, change, appended] : rows) {
        SCOPED_TRACE(what);
        Started s({"a.txt", "b.txt"});
        change(s);
        const int before = s.form->List1->count();
        s.form->Dirlist_Click();
        EXPECT_EQ(s.list().mid(before), appended);
        EXPECT_EQ(s.form->nameTable()[std::size_t(s.form->List1->count() - 1)], appended.back());
    }
}
