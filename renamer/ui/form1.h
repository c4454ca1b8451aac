#pragma once

#include "renamer/ui/file_list.h"
#include "renamer/ui/mode_boxes.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace batch {
class ScriptRunner;
struct RestoreReport;
}

namespace quillmere {

class FolderList;
class Form5;

// How the window tells the user something; tests replace the message box.
using MessageHook = std::function<void(QMessageBox::Icon icon, const QString& text)>;

struct Form1Options {
    QString today;         // "yyyy/mm/dd" for the greeting; empty: the system date
    MessageHook message;   // empty: a message box
};

// The main window: the folder browser and work list on the left, the seven
// rename modes on the right.
class Form1 : public QWidget {
    Q_OBJECT
public:
    using Options = Form1Options;

    // Builds the window and runs its start-up (Form_Load).
    explicit Form1(Options options = {}, QWidget* parent = nullptr);
    ~Form1() override;

    void setMessageHook(MessageHook hook) { message_ = std::move(hook); }
    // The name table: as many slots as the rename run can take.
    const std::vector<QString>& nameTable() const { return nameTable_; }
    // The greeting window shown at start-up, while it is open.
    Form5* greeting() const;
    bool restoreRunning() const;
    // What pressing a mode button would do now: the first renames and the
    // counts, or why the run would refuse. Empty for any other button.
    QString modePreview(const QPushButton* button);

    // Left side.
    QLabel* Label1;
    QLabel* Label14;
    QLineEdit* Text10;
    FolderList* Dirlist;
    QListWidget* List1;
    QLineEdit* Text1;
    QLabel* Label7;
    FileList File1;
    QLabel* Label20;
    QLabel* Label12;
    QPushButton* Command4;
    QLabel* Label5;
    QPushButton* Command12;
    QLabel* Label23;
    QPushButton* Command3;
    QLabel* Label19;

    // Right side, one row per mode.
    QLabel* Label8;
    QPushButton* Command2;
    QLabel* Label15;
    QLabel* Label2;
    QLineEdit* Text6;
    QPushButton* Command6;
    QLabel* Label10;
    QLabel* Label3;
    QLineEdit* Text4;
    QLabel* Label4;
    QLineEdit* Text5;
    QPushButton* Command5;
    QLabel* Label6;
    QLabel* Label9;
    QLineEdit* Text2;
    QLabel* Label13;
    QLineEdit* Text3;
    QPushButton* Command1;
    QLabel* Label16;
    QLabel* Label11;
    QLineEdit* Text7;
    QLabel* Label22;
    QLineEdit* Text9;
    QPushButton* Command7;
    QLabel* Label17;
    QLabel* Label18;
    QLineEdit* Text8;
    QPushButton* Command8;
    QPushButton* Command9;
    QLabel* Label21;
    QLabel* Label24;
    QLineEdit* Text11;
    QCheckBox* Check1;
    QLabel* Label25;
    QPushButton* Command10;

    QFrame* Line1;
    QFrame* Line2;
    QFrame* Line3;
    QFrame* Line4;
    QFrame* Line5;
    QFrame* Line6;
    QFrame* Line7;

public slots:
    void Command2_Click();
    void Command6_Click();
    void Command5_Click();
    void Command1_Click();
    void Command7_Click();
    void Command10_Click();
    void Command8_Click();
    void Command9_Click();
    void Command12_Click();
    void Command3_Click();

    void Dirlist_Change();
    void Dirlist_Click();
    void Dirlist_KeyUp();
    void Dirlist_LostFocus();
    void Text1_Change();

protected:
    // Shows a mode button's preview as its tooltip.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls of form1Layout(), each in its member.
    void buildControls();
    // Each text's font at the largest size up to its own that fits its place.
    void fitFonts();
    void nameControls();
    void setUpPreviews();
    void setFocusOrder();
    void connectHandlers();
    void Form_Load();

    // Appends the file list's names to the work list, as far as the name
    // table reaches; the user is told once per full list that some did not
    // fit.
    void appendFileList();
    void copyWorkListToTable();
    void runMode(Mode mode);
    BoxTexts boxes() const;
    void restoreFinished(const batch::RestoreReport& report);
    void tell(QMessageBox::Icon icon, const QString& text);

    QString today_;
    MessageHook message_;
    std::vector<QString> nameTable_;
    bool fullTold_ = false;   // the user knows the work list is full
    std::unique_ptr<batch::ScriptRunner> restore_;
    QPointer<Form5> greeting_;
    // Previews are worked out when asked and kept until a box, the check
    // box or the work list changes.
    struct CachedPreview {
        quint64 generation = 0;
        QString text;   // null: never worked out
    };
    quint64 previewGeneration_ = 0;
    std::array<CachedPreview, kModes> previews_;
};

} // namespace quillmere
