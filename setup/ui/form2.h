#pragma once

#include "setup/core/date_entry.h"
#include "setup/ui/page.h"

namespace setup {

// The date page: the user's name and up to three dates to remember.
class Form2 : public Page {
    Q_OBJECT
public:
    explicit Form2(Wizard& wizard);
    void Form_Load() override;
    void focusFirst() override;

    // The boxes as they stand, and writing texts back into them.
    DateEntry entry() const;
    void setEntry(const DateEntry& entry);
    QLineEdit* box(BoxRef ref) const;

    QLabel* NamePrompt;
    QLabel* Label1;   // today's date as an example
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label15;
    QLabel* Label16;
    QLineEdit* Text1;   // name
    QLineEdit* Text2;   // years of rows 1 to 3
    QLineEdit* Text3;
    QLineEdit* Text4;
    QLineEdit* Text5;   // months
    QLineEdit* Text6;
    QLineEdit* Text7;
    QLineEdit* Text8;   // days
    QLineEdit* Text9;
    QLineEdit* Text10;
    QPushButton* Command1;   // 中止
    QPushButton* Command2;   // 次へ

private slots:
    void Command1_Click();
    void Command2_Click();

private:
    QLineEdit* years_[3];
    QLineEdit* months_[3];
    QLineEdit* days_[3];
};

} // namespace setup
