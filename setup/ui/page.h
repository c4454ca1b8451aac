#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace setup {

class Wizard;

// What every page of the installer shares: a fixed window of 4230 x 3615
// twips, controls placed in twips, and closing through the window frame
// ending setup like 中止.
class Page : public QWidget {
    Q_OBJECT
public:
    Page(Wizard& wizard, const QString& caption);

    // Runs once, before the page is first shown.
    virtual void Form_Load() {}
    // Puts the focus where the page wants it when first shown.
    virtual void focusFirst() {}

protected:
    void closeEvent(QCloseEvent* event) override;

    // A label at (left, top) twips that sizes itself to its text.
    QLabel* label(const QString& name, const QString& text, int left, int top);
    QLabel* bigLabel(const QString& name, const QString& text, int left, int top);
    QPushButton* button(const QString& name, const QString& text, int left, int top, int width, int height);
    QLineEdit* textBox(const QString& name, int left, int top, int width, int height);
    static void setLabelText(QLabel* label, const QString& text);

    Wizard& wizard_;
};

} // namespace setup
