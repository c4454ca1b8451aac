#pragma once

#include "setup/ui/page.h"

namespace setup {

// The welcome page: go on with the installation, or uninstall.
class Form1 : public Page {
    Q_OBJECT
public:
    explicit Form1(Wizard& wizard);
    void Form_Load() override;
    void focusFirst() override;

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QPushButton* Command1;   // 次へ
    QPushButton* Command2;   // 中止
    QPushButton* Command3;   // 削除
    QLineEdit* Text1;        // the program name, never shown

private slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
};

} // namespace setup
