#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace bv {

class ConsoleOptions;
class LaunchSettings;
class Platform;

// The directory of a chosen engine file when the file is named exactly (case included)
// `first` or `second`; nullopt for any other name.
std::optional<QString> directoryOfEngineFile(const QString& path, const QString& first,
                                             const QString& second);

// The options window: the Doom and demo directories, the console colours and docking, and colour
// themes. Created hidden at startup and kept for the whole run, because the launches,
// the console and the main window's timer read what it holds.
class OptionsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kBrowseError = "Error Getting Doom Directory";

    OptionsWindow(LaunchSettings& settings, ConsoleOptions& colours, Platform& platform,
                  QWidget* parent = nullptr);

    // Repaints both previews from the scroll bars, as showing the window does.
    void refreshPreviews();

    QLineEdit* doomDirectoryBox() const { return doomDirectoryBox_; }
    QLineEdit* demoDirectoryBox() const { return demoDirectoryBox_; }
    // In the order of the theme file: redBack, greenBack, blueBack, redFore, greenFore, blueFore.
    QScrollBar* colourBar(int component) const { return bars_[static_cast<size_t>(component)]; }
    QLabel* textPreview() const { return textPreview_; }
    QLabel* backgroundPreview() const { return backgroundPreview_; }
    QCheckBox* dockBox() const { return dockBox_; }

    void onBrowseClicked();
    void onSaveThemeClicked();
    void onOpenThemeClicked();

Q_SIGNALS:
    // "&Ok", or the window's own close box: the program applies the options.
    void okClicked();
    // Hidden by any means other than minimising: the main window may be used again.
    void hidden();

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void bindColours();
    void paintPreview(QLabel* preview, int red, int green, int blue);

    LaunchSettings& settings_;
    ConsoleOptions& colours_;
    Platform& platform_;
    QLineEdit* doomDirectoryBox_;
    QLineEdit* demoDirectoryBox_;
    std::array<QScrollBar*, 6> bars_{};
    QLabel* textPreview_;
    QLabel* backgroundPreview_;
    QCheckBox* dockBox_;
    QPushButton* okButton_;
};

} // namespace bv
