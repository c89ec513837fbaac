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

// frmSetup: the first-run wizard. A welcome page, then a page asking for the Doom directory;
// Finish records that setup is done, hands the directory over and starts the program.
class SetupWizard : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kNextCaption = "&Next >";
    static constexpr const char* kFinishCaption = "&Finish";

    // `runMain` starts the program normally, as at process start.
    SetupWizard(LaunchSettings& settings, Platform& platform, std::function<void()> runMain,
                QWidget* parent = nullptr);

    QWidget* box1() const { return box1_; }
    QWidget* box2() const { return box2_; }
    QLineEdit* txtDir() const { return txtDir_; }
    QPushButton* cmdBack() const { return cmdBack_; }
    QPushButton* cmdNext() const { return cmdNext_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }
    QLabel* imgShow() const { return imgShow_; }

    void cmdNext_Click();
    void cmdBack_Click();
    void cmdCancel_Click();
    void cmdBrowse_Click();

    // The 64 x 128 picture at the left.
    static QPixmap picture();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    LaunchSettings& settings_;
    Platform& platform_;
    std::function<void()> runMain_;
    QLabel* imgShow_;
    QWidget* box1_;
    QWidget* box2_;
    QLineEdit* txtDir_;
    QPushButton* cmdBack_;
    QPushButton* cmdNext_;
    QPushButton* cmdCancel_;
    bool finished_ = false;
};

} // namespace bv
