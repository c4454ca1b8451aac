#pragma once

#include "setup/ui/page.h"

namespace setup {

// The completion page of the installation.
class Form4 : public Page {
    Q_OBJECT
public:
    explicit Form4(Wizard& wizard);
    void Form_Load() override;
    void focusFirst() override;

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Command1;   // 終了

protected:
    // The frame's close button cleans up like 終了.
    void closeEvent(QCloseEvent* event) override;

private slots:
    void Command1_Click();
};

} // namespace setup
