#include "platform/fonts.h"
#include "renamer/core/rename_run.h"
#include "renamer/ui/folder_list.h"
#include "renamer/ui/form1.h"
#include "temp_env.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using platform::twips;
using quillmere::Form1;

// A window started in a fresh working directory holding `files` (a name
// ending in '/' is a folder), with its messages caught.
struct Started {
    testsupport::TempWorkDir dir;
    std::vector<std::pair<QMessageBox::Icon, QString>> messages;
    std::unique_ptr<Form1> form;

    explicit Started(const QStringList& files = {})
    {
        for (const QString& name : files)
            name.endsWith('/') ? void(QDir(dir.path()).mkdir(name)) : dir.write(name, "x");
        form = std::make_unique<Form1>(quillmere::Form1Options{QStringLiteral("2026/12/06"),
            [this](QMessageBox::Icon icon, const QString& text) { messages.emplace_back(icon, text); }});
    }
    QStringList list() const
    {
        QStringList names;
        for (int i = 0; i < form->List1->count(); ++i)
            names.append(form->List1->item(i)->text());
        return names;
    }
};

// Twips; width 0: sized to its text. No design text may be left over at start-up.
struct Control { const char* name; int left, top, width, height; const char* text; };
const Control kControls[] = {
    {"Label1", 360, 120, 3255, 330, "ファイル名一括変更"},
    {"Text10", 360, 600, 5055, 270, "対象ファイルと同じフォルダにコピーして、実行して下さい。"},
    {"Label7", 240, 2640, 0, 0, "ファイル名を右の７形式で変更します．"},
    {"Label20", 360, 2880, 0, 0, "（注意：exe,com,bat,dll以外は全てが対象になります！）"},
    {"Label12", 360, 3120, 5055, 345, "テキストボックスに書き込んだ後，右のボタンをクリックして下さい．"},
    {"Command12", 240, 4180, 852, 255, "復元"},
    {"Label23", 1080, 4220, 0, 0, " ボタンで直前のファイル名へ戻すことができます。"},
    {"Command3", 4680, 4560, 852, 372, "終　了"},
    {"Command2", 11160, 120, 2535, 252, "aa-bb[c].eee →　aa-bb.eee"},
    {"Command5", 11160, 1680, 2535, 252, "aaBdd.eee →　aaCdd.eee"},
    {"Label13", 7200, 2670, 0, 0, "D："},
    {"Command1", 11160, 2640, 2535, 252, "N[3]　　D　→ aaDaacc.eee"},
    {"Command8", 9480, 4080, 1935, 252, "ファイル名の前に"},
    {"Command9", 11640, 4080, 2055, 252, "ファイル名の後に"},
    {"Check1", 7440, 4800, 255, 255, ""},
    {"Label25", 7680, 4845, 0, 0, "指定文字も削除"},
};

TEST(Form1Window, ControlsStandWhereTheyBelongAndTabWalksThem)
{
    Started s;
    EXPECT_EQ(s.form->windowTitle(), QStringLiteral("ファイルネーム一括変更"));
    EXPECT_EQ(s.form->size(), QSize(924, 348));
    EXPECT_TRUE(s.form->Command4->isHidden());
    for (const Control& c : kControls) {
        SCOPED_TRACE(c.name);
        auto* w = s.form->findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_TRUE(w);
        const QString text = w->property("text").toString();
        EXPECT_EQ(text, QString::fromUtf8(c.text));
        EXPECT_EQ(w->pos(), QPoint(twips(c.left), twips(c.top)));
        if (!c.width) {
            EXPECT_GE(w->width(), w->fontMetrics().horizontalAdvance(text));
            continue;
        }
        // A label may grow downwards to fit the stand-in font's taller lines.
        EXPECT_EQ(w->width(), twips(c.width));
        EXPECT_GE(w->height(), twips(c.height));
        EXPECT_LE(w->height(), twips(c.height) + (qobject_cast<QLabel*>(w) ? 8 : 0));
    }

    // Focus starts on Command2; the walk skips the hidden Command4.
    s.form->show();
    s.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s.form.get()));
    const QStringList expected = QString("Command2 Text6 Command6 Text4 Text5 Command5 Text2 Text3 Command1 Text1 "
        "Command3 Dirlist List1 Text7 Command7 Text8 Command8 Command9 Command10 Text9 Command12 Text10 Text11 "
        "Check1 Command2").split(' ');
    QStringList walked;
    for (QWidget* focus; walked.size() < expected.size(); QTest::keyClick(focus, Qt::Key_Tab)) {
        ASSERT_TRUE(focus = QApplication::focusWidget());
        walked.append(focus->objectName());
    }
    EXPECT_EQ(walked, expected);
}

// The only subfolder is listed right below the open folder.
TEST(Form1Browse, ClickAppendsTheFilesAgainAndDoubleClickOpensKeepingTheWorkList)
{
    Started s({"b.txt", "a.txt", ".hidden", "modosu.bat", "sub/"});
    Form1& form = *s.form;
    const QStringList once = {"a.txt", "b.txt", "modosu.bat"};
    EXPECT_EQ(s.list(), once);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QPoint at = form.Dirlist->visualItemRect(form.Dirlist->item(form.Dirlist->openRow() + 1)).center();
    QTest::mouseClick(form.Dirlist->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(s.list(), once + once);
    EXPECT_EQ(form.nameTable()[5], "modosu.bat");
    EXPECT_EQ(form.Dirlist->path(), s.dir.path()) << "a click only moves the highlight";

    // A double-click arrives as a click and then the double-click.
    QTest::mouseDClick(form.Dirlist->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(form.Dirlist->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(form.Dirlist->path(), s.dir.file("sub"));
    EXPECT_EQ(form.File1.folder(), s.dir.file("sub"));
    EXPECT_FALSE(s.dir.exists("modosu.bat"));
    EXPECT_EQ(s.list(), once + once);
    // The path box shows the new folder only once the user touches it.
    EXPECT_EQ(form.Text1->text(), s.dir.path());
    QTest::keyClicks(form.Text1, "zz");
    EXPECT_EQ(form.Text1->text(), s.dir.file("sub"));
}

TEST(Form1Browse, LosingTheFocusOnAFolderGoneMeanwhileStaysPut)
{
    Started s({"a.txt", "modosu.bat", "sub/"});
    s.form->Dirlist->setCurrentRow(s.form->Dirlist->openRow() + 1);
    QDir(s.dir.path()).rmdir("sub");
    s.form->Dirlist_LostFocus();
    EXPECT_EQ(s.form->Dirlist->path(), s.dir.path());
    EXPECT_EQ(s.form->File1.folder(), s.dir.path());
    EXPECT_TRUE(s.dir.exists("modosu.bat"));
    EXPECT_EQ(s.form->Dirlist->highlightedPath(), s.dir.path());
}

TEST(Form1Browse, WorkListStopsAtTheNameTableAndSaysHowManyWereLeftOut)
{
    const int size = renamer::kNameTableSize;
    struct Row { int prefill; const char* lastSlot; const char* leftOut; };
    for (const Row& row : {Row{size - 3, "c.txt", ""}, Row{size - 1, "a.txt", "2件"}, Row{size, "old", "3件"}}) {
        SCOPED_TRACE(row.prefill);
        Started s({"a.txt", "b.txt", "c.txt"});
        s.form->List1->clear();
        s.form->List1->addItems(QStringList(row.prefill, QStringLiteral("old")));
        s.form->Dirlist_Click();
        EXPECT_EQ(s.form->List1->count(), size);
        EXPECT_EQ(s.form->nameTable().back(), QString::fromUtf8(row.lastSlot));
        ASSERT_EQ(s.messages.size(), *row.leftOut ? 1u : 0u);
        for (const auto& message : s.messages)
            EXPECT_TRUE(message.second.contains(QString::fromUtf8(row.leftOut))) << message.second.toStdString();
    }
}

TEST(Form1Run, PrefixRunRenamesReportsAndEmptiesTheWorkList)
{
    Started s({"a.txt", "b c.txt", "tool.exe"});
    Form1& form = *s.form;
    form.show();
    QTest::keyClicks(form.Text6, "x_");
    form.Command6->click();
    const QStringList after = {"modosu.bat", "tool.exe", "x_a.txt", "x_b c.txt"};
    EXPECT_EQ(s.dir.names(), after);
    EXPECT_EQ(form.Command4->isVisible() ? form.Command4->text() : "hidden", "2");
    EXPECT_EQ(form.Label5->text(), QStringLiteral("のデータを処理しました． 終了ボタンを押して下さい．フォルダをクリックするとファイルが表示されます．"));
    EXPECT_EQ(form.List1->count(), 0);
    EXPECT_EQ(form.focusWidget(), form.Command3);
    EXPECT_TRUE(s.messages.empty());
    form.Dirlist_Click();   // the file list was read again
    EXPECT_EQ(s.list(), after);
}

TEST(Form1Run, RefusedRunOrRestoreTouchesNothing)
{
    using Icon = QMessageBox::Icon;
    struct Row { QPushButton* Form1::*button; QLineEdit* Form1::*box; const char* text; Icon icon; const char* says; };
    for (const Row& row : {Row{&Form1::Command1, &Form1::Text2, "", Icon::Warning, ""},
                           Row{&Form1::Command1, &Form1::Text2, "3x", Icon::Warning, ""},
                           Row{&Form1::Command7, &Form1::Text7, "", Icon::Warning, ""},
                           Row{&Form1::Command12, nullptr, "", Icon::Information, "modosu.bat"}}) {
        SCOPED_TRACE(row.text);
        Started s(row.box ? QStringList{"a.txt", "modosu.bat"} : QStringList{"a.txt"});
        if (row.box)
            ((*s.form).*row.box)->setText(row.text);
        ((*s.form).*row.button)->click();
        ASSERT_EQ(s.messages.size(), 1u);
        EXPECT_EQ(s.messages[0].first, row.icon);
        EXPECT_TRUE(s.messages[0].second.contains(row.says));
        EXPECT_EQ(s.dir.names(), row.box ? QStringList({"a.txt", "modosu.bat"}) : QStringList({"a.txt"}));
        EXPECT_EQ(s.dir.exists("modosu.bat") ? s.dir.read("modosu.bat") : "x", "x");
        EXPECT_TRUE(s.form->Command4->isHidden());
        EXPECT_EQ(s.list(), s.dir.names());
        EXPECT_FALSE(s.form->restoreRunning());
    }
}

} // namespace
