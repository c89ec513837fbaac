#pragma once

#include <QWidget>

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class LaunchSettings;
class Platform;

// The setup wizard of the first run. A welcome page, then a page asking for the Doom directory;
// Finish records that setup is done, hands the directory over and starts the program.
class SetupWizard : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kNextCaption = "&Next >";
    static constexpr const char* kFinishCaption = "&Finish";

    // `startProgram` starts the program normally, as at process start.
    SetupWizard(LaunchSettings& settings, Platform& platform, std::function<void()> startProgram,
                QWidget* parent = nullptr);

    QWidget* welcomePage() const { return welcomePage_; }
    QWidget* directoryPage() const { return directoryPage_; }
    QLineEdit* directoryBox() const { return directoryBox_; }
    QPushButton* backButton() const { return backButton_; }
    QPushButton* nextButton() const { return nextButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QLabel* pictureLabel() const { return pictureLabel_; }

    void onNextClicked();
    void onBackClicked();
    void onCancelClicked();
    void onBrowseClicked();

    // The 64 x 128 picture at the left.
    static QPixmap picture();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    LaunchSettings& settings_;
    Platform& platform_;
    std::function<void()> startProgram_;
    QLabel* pictureLabel_;
    QWidget* welcomePage_;
    QWidget* directoryPage_;
    QLineEdit* directoryBox_;
    QPushButton* backButton_;
    QPushButton* nextButton_;
    QPushButton* cancelButton_;
    bool finished_ = false;
};

} // namespace bv
