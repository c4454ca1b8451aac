#pragma once

#include "memorial/anniversary.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace quillmere {

// The anniversary greeting: the user's name, the years since the recorded
// date, and a button that closes the window.
class Form5 : public QWidget {
    Q_OBJECT
public:
    explicit Form5(QWidget* parent = nullptr);

    // Replaces the design texts of Label1 and Label2 with the name and the
    // years.
    void setGreeting(const memorial::Anniversary& anniversary);

    // Moves the window next to the given one, on its screen: to its right
    // when there is room, else to its left, below or above it.
    void placeBeside(const QWidget* other);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* Command1;

private slots:
    void Command1_Click();

private:
    QLabel* addLabel(const char* name, int left, int top, const QString& text);
};

} // namespace quillmere
