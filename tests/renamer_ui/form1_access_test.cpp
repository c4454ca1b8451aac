#include "started_form.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using quillmere::Form1;

// What a screen reader finds walking the window: every control it can reach
// has a name, before a run and after it (when the counter shows).
TEST(Form1Access, EveryVisibleInteractiveControlHasAName)
{
    Started s({"a.txt"});
    Form1& form = *s.form;
    form.show();
    for (const auto& [when, controls] : {std::pair("at start", 24), std::pair("after a run", 25)}) {
        SCOPED_TRACE(when);
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
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

// A box is named by its mode and caption and labelled by the caption; the
// banner is read-only text.
TEST(Form1Access, BoxesAreLabelledByTheirCaptions)
{
    Started s;
    const Form1& f = *s.form;
    const std::tuple<QWidget*, QLabel*, const char*> rows[] = {
        {f.Text6, f.Label2, "２．先頭に加える文字列 A"},
        {f.Text9, f.Label22, "５．削除する文字数 ｎ"},
        {f.Check1, f.Label25, "指定文字も削除"},
    };
    for (const auto& [control, caption, name] : rows) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
        const auto labels = a->relations(QAccessible::Label);
        EXPECT_EQ(std::pair(a->text(QAccessible::Name), labels.size() == 1 && labels[0].first->object() == caption),
                  std::pair(QString::fromUtf8(name), true));
    }
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(f.Text10)->state().readOnly);
}
