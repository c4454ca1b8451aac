#pragma once

#include "setup/ui/page.h"

namespace setup {

// The confirmation page: install, or go back to the date page.
class Form3 : public Page {
    Q_OBJECT
public:
    explicit Form3(Wizard& wizard);
    void Form_Load() override;
    void focusFirst() override;

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* Command1;   // 実行
    QPushButton* Command2;   // 中止
    QPushButton* Command3;   // 前画面へ戻る。

private slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
};

} // namespace setup
