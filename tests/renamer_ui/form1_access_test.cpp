#include "renamer/ui/folder_list.h"
#include "started_form.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using quillmere::Form1;

namespace {

QString nameOf(QObject* object)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
    return a ? a->text(QAccessible::Name) : QStringLiteral("(no interface)");
}

} // namespace

// What a screen reader finds walking the window: every control it can reach
// has a name, before a run and after it (when the counter shows).
TEST(Form1Access, EveryVisibleInteractiveControlHasAName)
{
    Started s({"a.txt"});
    Form1& form = *s.form;
    form.show();
    // The counter shows from the first run on.
    for (const auto& [when, controls] : {std::pair("at start", 24), std::pair("after a run", 25)}) {
        SCOPED_TRACE(when);
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
        ASSERT_TRUE(window);
        int interactive = 0;
        for (int i = 0; i < window->childCount(); ++i) {
            QAccessibleInterface* child = window->child(i);
            const auto* widget = qobject_cast<QWidget*>(child->object());
            if (!widget || !widget->isVisible() || !child->state().focusable)
                continue;
            ++interactive;
            EXPECT_FALSE(child->text(QAccessible::Name).trimmed().isEmpty()) << widget->objectName().toStdString();
        }
        EXPECT_EQ(interactive, controls);
        form.Command2->click();
    }
}

// Boxes named by mode and caption and labelled by it; the banner is read-only
// text; no name changes what the screen shows.
TEST(Form1Access, BoxesAreNamedByModeAndLabelledByTheirCaptions)
{
    Started s;
    const Form1& f = *s.form;
    const std::tuple<QWidget*, QLabel*, const char*> rows[] = {
        {f.Text6, f.Label2, "２．先頭に加える文字列 A"},
        {f.Text4, f.Label3, "３．選択文字列 B"},
        {f.Text5, f.Label4, "３．指定文字列 C"},
        {f.Text2, f.Label9, "４．挿入する位置 N"},
        {f.Text3, f.Label13, "４．挿入する文字列 D"},
        {f.Text7, f.Label11, "５．削除を始める位置 N"},
        {f.Text9, f.Label22, "５．削除する文字数 ｎ"},
        {f.Text8, f.Label18, "６．連番の始まり N"},
        {f.Text11, f.Label24, "７．指定文字 N"},
        {f.Check1, f.Label25, "指定文字も削除"},
        {f.Dirlist, nullptr, "フォルダ一覧"},
        {f.List1, nullptr, "ファイル一覧"},
        {f.Text1, nullptr, "フォルダのパス"},
        {f.Text10, nullptr, "対象ファイルと同じフォルダにコピーして、実行して下さい。"},
    };
    for (const auto& [control, caption, name] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(nameOf(control), QString::fromUtf8(name));
        if (!caption)
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
        const auto labels = a->relations(QAccessible::Label);
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](const auto& r) { return r.first->object() == caption; }));
    }
    QAccessibleInterface* banner = QAccessible::queryAccessibleInterface(f.Text10);
    EXPECT_TRUE(banner->state().readOnly && f.Text10->text() == QString::fromUtf8(std::get<2>(rows[13])));
    EXPECT_EQ(std::tuple(f.Label25->text(), f.Check1->text()), std::tuple(QStringLiteral("指定文字も削除"), QString()));
}
