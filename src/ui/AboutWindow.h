#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace bv {

// The About window: the logo and three lines written out one character a tick.
//
// Lifecycle: the owner creates it on `about` and calls show(). "&Ok" and the close box
// close it, and it deletes itself (Qt::WA_DeleteOnClose), so the next `about` creates it
// afresh and the text is written out again from its first character. A window that is
// only hidden keeps its timer running and continues where it was.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    // The three lines, joined by character 13, with none at the end.
    static QString aboutText();
    // The 320 by 200 logo.
    static QPixmap paintLogo();

    explicit AboutWindow(QWidget* parent = nullptr);

    QLabel* logo() const { return logo_; }
    QLabel* writingLabel() const { return writing_; }
    QPushButton* okButton() const { return okButton_; }
    QTimer* typewriter() const { return typewriter_; }

    // The number of characters the next tick shows.
    int shownCharacters() const { return shownCharacters_; }
    // What has been written so far, lines still joined by character 13.
    QString writtenText() const { return written_; }

public Q_SLOTS:
    // One typewriter step: show the first shownCharacters() characters, then count one more.
    void tick();

private:
    QLabel* logo_;
    QLabel* writing_;
    QPushButton* okButton_;
    QTimer* typewriter_;
    int shownCharacters_ = 0;
    QString written_;
};

} // namespace bv
