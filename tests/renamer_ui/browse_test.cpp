#include "form1_fixture.h"
#include "renamer/core/rename_run.h"
#include "renamer/ui/folder_list.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

int rowOf(const quillmere::FolderList* list, const QString& path)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->entryPath(row) == path)
            return row;
    return -1;
}

TEST(Form1Browse, StartUpListsTheFilesAndEachClickOrKeyAppendsThemAgain)
{
    Form1Fixture f({"b.txt", "a.txt", ".hidden"});
    QDir(f.dir.path()).mkdir("sub");
    quillmere::Form1& form = f.open();
    const QStringList once = {"a.txt", "b.txt"};
    EXPECT_EQ(Form1Fixture::entries(form.List1), once);

    QTest::mouseClick(form.Dirlist->viewport(), Qt::LeftButton, {},
                      form.Dirlist->visualItemRect(form.Dirlist->item(form.Dirlist->openRow())).center());
    EXPECT_EQ(Form1Fixture::entries(form.List1), once + once);
    EXPECT_EQ(form.Dirlist->path(), f.dir.path()) << "a click only moves the highlight";

    QTest::keyClick(form.Dirlist, Qt::Key_Down);
    EXPECT_EQ(Form1Fixture::entries(form.List1), once + once + once);
    EXPECT_EQ(form.nameTable()[5], "b.txt");
    EXPECT_EQ(form.Dirlist->path(), f.dir.path());
}

TEST(Form1Browse, DoubleClickOpensASubfolderKeepsTheWorkListAndDropsTheUndoScript)
{
    Form1Fixture f({"a.txt", "modosu.bat"});
    QDir(f.dir.path()).mkdir("sub");
    f.dir.write("sub/inner.txt");
    quillmere::Form1& form = f.open();
    const QString sub = f.dir.file("sub");
    const QStringList before = Form1Fixture::entries(form.List1);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    const QRect rect = form.Dirlist->visualItemRect(form.Dirlist->item(rowOf(form.Dirlist, sub)));
    // A double-click arrives as a click and then the double-click.
    QTest::mouseClick(form.Dirlist->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(form.Dirlist->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseRelease(form.Dirlist->viewport(), Qt::LeftButton, {}, rect.center());

    EXPECT_EQ(form.Dirlist->path(), sub);
    EXPECT_EQ(form.File1.folder(), sub);
    EXPECT_FALSE(f.dir.exists("modosu.bat"));
    EXPECT_EQ(Form1Fixture::entries(form.List1).mid(0, before.size()), before);

    form.Dirlist_Click();
    EXPECT_EQ(Form1Fixture::entries(form.List1).last(), "inner.txt");

    // The path box shows the new folder only once the user touches it.
    EXPECT_EQ(form.Text1->text(), f.dir.path());
    QTest::keyClicks(form.Text1, "zz");
    EXPECT_EQ(form.Text1->text(), sub);
}

TEST(Form1Browse, LosingTheFocusOpensTheHighlightedFolderWhenItCan)
{
    struct Row { const char* name; bool folderGone; bool opens; };
    for (const Row& row : {Row{"opens", false, true}, Row{"gone meanwhile", true, false}}) {
        SCOPED_TRACE(row.name);
        Form1Fixture f({"a.txt", "modosu.bat"});
        QDir(f.dir.path()).mkdir("sub");
        quillmere::Form1& form = f.open();
        form.Dirlist->setCurrentRow(rowOf(form.Dirlist, f.dir.file("sub")));
        if (row.folderGone)
            QDir(f.dir.path()).rmdir("sub");

        form.Dirlist_LostFocus();
        EXPECT_EQ(form.Dirlist->path(), row.opens ? f.dir.file("sub") : f.dir.path());
        EXPECT_EQ(form.File1.folder(), form.Dirlist->path());
        EXPECT_EQ(f.dir.exists("modosu.bat"), !row.opens);
        EXPECT_EQ(form.Dirlist->highlightedPath(), form.Dirlist->path());
    }
}

TEST(Form1Browse, WorkListStopsAtTheNameTableAndSaysHowManyWereLeftOut)
{
    const int size = renamer::kNameTableSize;
    struct Row { int prefill; const char* lastSlot; const char* leftOut; };
    for (const Row& row : {Row{size - 3, "c.txt", nullptr}, Row{size - 1, "a.txt", "2件"}, Row{size, "old", "3件"}}) {
        SCOPED_TRACE(row.prefill);
        Form1Fixture f({"a.txt", "b.txt", "c.txt"});
        quillmere::Form1& form = f.open();
        form.List1->clear();
        form.List1->addItems(QStringList(row.prefill, QStringLiteral("old")));

        form.Dirlist_Click();
        EXPECT_EQ(form.List1->count(), size);
        EXPECT_EQ(form.nameTable().size(), std::size_t(size));
        EXPECT_EQ(form.nameTable().back(), QString::fromUtf8(row.lastSlot));
        if (row.leftOut) {
            ASSERT_EQ(f.messages.size(), 1u);
            EXPECT_TRUE(f.messages[0].second.contains(QString::fromUtf8(row.leftOut))) << f.messages[0].second.toStdString();
        } else {
            EXPECT_TRUE(f.messages.empty());
        }
    }
}

} // namespace
