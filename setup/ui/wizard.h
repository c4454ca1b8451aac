#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>

class QWidget;

namespace setup {

class Page;
class Form1;
class Form2;
class Form3;
class Form4;
class Form5;

// Owns the five pages. One page is visible at a time; a hidden page keeps
// its boxes; a page is created and loaded the first time it is shown.
class Wizard : public QObject {
    Q_OBJECT
public:
    Wizard();
    ~Wizard() override;

    // Shows the welcome page.
    void start();
    // Hides the visible page and shows page 1 to 5.
    void show(int page);

    // Unloads every page, Form1 first; a page never shown is skipped.
    void unloadAll();
    // Unloads every page and ends setup (ended() is emitted once).
    void end();

    // The loaded pages; nullptr before the first show and after unloading.
    Form1* form1() const;
    Form2* form2() const;
    Form3* form3() const;
    Form4* form4() const;
    Form5* form5() const;
    QWidget* visiblePage() const;

    // How a failure is told to the user; tests replace it.
    std::function<void(QWidget* parent, const QString& text)> showMessage;

signals:
    void ended();

private:
    Page* create(int page);

    std::array<Page*, 5> pages_{};
    Page* visible_ = nullptr;
    bool ended_ = false;
};

} // namespace setup
