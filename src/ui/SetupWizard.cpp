#include "SetupWizard.h"

#include "OptionsWindow.h"
#include "platform/Platform.h"
#include "settings/LaunchSettings.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>

#include <cmath>

namespace bv {

namespace {

constexpr int kPictureWidth = 64;
constexpr int kPictureHeight = 128;

} // namespace

QPixmap SetupWizard::picture() {
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kPictureHeight);
    sky.setColorAt(0.0, QColor(96, 16, 12));
    sky.setColorAt(0.6, QColor(40, 6, 4));
    sky.setColorAt(1.0, QColor(12, 2, 2));
    painter.fillRect(pixmap.rect(), sky);

    // A vault door: a steel ring with a wheel of spokes.
    const QPointF centre(32, 46);
    QRadialGradient steel(centre, 24, QPointF(26, 38));
    steel.setColorAt(0.0, QColor(220, 220, 210));
    steel.setColorAt(1.0, QColor(80, 80, 76));
    painter.setPen(QPen(QColor(20, 20, 20), 2));
    painter.setBrush(steel);
    painter.drawEllipse(centre, 24, 24);
    painter.setBrush(QColor(60, 60, 56));
    painter.drawEllipse(centre, 15, 15);
    painter.setPen(QPen(QColor(255, 215, 0), 3, Qt::SolidLine, Qt::RoundCap));
    for (int spoke = 0; spoke < 6; ++spoke) {
        const double angle = spoke * M_PI / 3.0;
        painter.drawLine(centre, centre + QPointF(13 * std::cos(angle), 13 * std::sin(angle)));
    }
    painter.setBrush(QColor(255, 215, 0));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, 4, 4);

    // Steps leading down into the dark.
    painter.setBrush(QColor(255, 215, 0, 90));
    for (int step = 0; step < 4; ++step) {
        const int y = 84 + step * 10;
        const int inset = 10 - step * 3;
        painter.drawRect(inset, y, kPictureWidth - 2 * inset, 4);
    }
    return pixmap;
}

SetupWizard::SetupWizard(LaunchSettings& settings, Platform& platform,
                         std::function<void()> startProgram, QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings), platform_(platform),
      startProgram_(std::move(startProgram)), pictureLabel_(new QLabel(this)),
      welcomePage_(new QWidget(this)), directoryPage_(new QWidget(this)),
      directoryBox_(new QLineEdit(QStringLiteral("c:\\doom2"), directoryPage_)),
      backButton_(new QPushButton(QStringLiteral("< &Back"), this)),
      nextButton_(new QPushButton(QLatin1String(kNextCaption), this)),
      cancelButton_(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setObjectName(QStringLiteral("frmSetup"));
    setWindowTitle(QStringLiteral("Setup Wizard"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);

    pictureLabel_->setObjectName(QStringLiteral("imgShow"));
    pictureLabel_->setPixmap(picture());
    pictureLabel_->setFixedSize(kPictureWidth, kPictureHeight);
    pictureLabel_->setAccessibleName(QStringLiteral("Brimvault"));

    welcomePage_->setObjectName(QStringLiteral("box1"));
    auto* welcome = new QLabel(
        QStringLiteral("Welcome to Brimvault. This wizard will help you setup Brimvault."),
        welcomePage_);
    welcome->setObjectName(QStringLiteral("lblWelcome"));
    welcome->setWordWrap(true);
    auto* page1 = new QVBoxLayout(welcomePage_);
    page1->addWidget(welcome);
    page1->addStretch();

    directoryPage_->setObjectName(QStringLiteral("box2"));
    auto* directoryLabel =
        new QLabel(QStringLiteral("Where is your Doom Directory?"), directoryPage_);
    directoryLabel->setObjectName(QStringLiteral("lblDoom"));
    directoryLabel->setBuddy(directoryBox_);
    directoryBox_->setObjectName(QStringLiteral("txtDir"));
    auto* browseButton = new QPushButton(QStringLiteral("&Browse"), directoryPage_);
    browseButton->setObjectName(QStringLiteral("cmdBrowse"));
    auto* page2 = new QGridLayout(directoryPage_);
    page2->addWidget(directoryLabel, 0, 0, 1, 2);
    page2->addWidget(directoryBox_, 1, 0);
    page2->addWidget(browseButton, 1, 1);
    page2->setRowStretch(2, 1);
    directoryPage_->hide();

    // Both pages share one place right of the picture.
    auto* pages = new QGridLayout;
    pages->addWidget(welcomePage_, 0, 0);
    pages->addWidget(directoryPage_, 0, 0);
    auto* top = new QHBoxLayout;
    top->addWidget(pictureLabel_, 0, Qt::AlignTop);
    top->addLayout(pages, 1);

    auto* separator = new QFrame(this);
    separator->setObjectName(QStringLiteral("frameSep1"));
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    backButton_->setObjectName(QStringLiteral("cmdBack"));
    backButton_->setEnabled(false);
    nextButton_->setObjectName(QStringLiteral("cmdNext"));
    cancelButton_->setObjectName(QStringLiteral("cmdCancel"));
    // Next is drawn as the default button on both pages, since Return presses it (keyPressEvent).
    // Outside a dialog, an auto-default button that loses the focus loses that look for good.
    nextButton_->setDefault(true);
    for (QPushButton* button : {browseButton, backButton_, cancelButton_})
        button->setAutoDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(backButton_);
    buttons->addWidget(nextButton_);
    buttons->addSpacing(12);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(separator);
    layout->addLayout(buttons);
    setFixedSize(420, 210);

    // The Browse button, made after the row of buttons, comes next to the box it fills.
    setTabOrder(directoryBox_, browseButton);

    connect(nextButton_, &QPushButton::clicked, this, &SetupWizard::onNextClicked);
    connect(backButton_, &QPushButton::clicked, this, &SetupWizard::onBackClicked);
    connect(cancelButton_, &QPushButton::clicked, this, &SetupWizard::onCancelClicked);
    connect(browseButton, &QPushButton::clicked, this, &SetupWizard::onBrowseClicked);
}

void SetupWizard::onNextClicked() {
    // The caption says which page is shown and so what the button does.
    if (nextButton_->text() == QLatin1String(kNextCaption)) {
        if (!welcomePage_->isHidden()) {
            welcomePage_->hide();
            directoryPage_->show();
            backButton_->setEnabled(true);
            nextButton_->setText(QLatin1String(kFinishCaption));
            directoryBox_->setFocus();
        }
        return;
    }
    if (nextButton_->text() != QLatin1String(kFinishCaption))
        return;
    if (!platform_.setStoreValue(QStringLiteral("Misc"), QStringLiteral("Firstrun"),
                                 QStringLiteral("no")))
        platform_.messageBox(QStringLiteral("Brimvault could not record that setup is done; "
                                            "this wizard will run again at the next start."),
                             false);
    settings_.setText(Text::doomDirectory, directoryBox_->text());
    finished_ = true;
    if (startProgram_)
        startProgram_();
}

void SetupWizard::onBackClicked() {
    if (directoryPage_->isHidden())
        return;
    welcomePage_->show();
    directoryPage_->hide();
    backButton_->setEnabled(false);
    nextButton_->setText(QLatin1String(kNextCaption));
}

void SetupWizard::onCancelClicked() {
    // Once Finish has started the program, the wizard is only left over on screen: ending
    // the program now would lose whatever the player has done since, unsaved.
    if (finished_) {
        hide();
        return;
    }
    // Nothing is stored, so the wizard runs again at the next start.
    platform_.quit();
}

void SetupWizard::onBrowseClicked() {
    FileDialogSpec request;
    request.filter = QStringLiteral("Doom3.exe|Doom3.exe|Doombot.exe|Doombot.exe");
    const QString path = platform_.fileDialog(FileDialogKind::Open, request);
    if (path.isEmpty())
        return;
    if (const std::optional<QString> directory =
            directoryOfEngineFile(path, QStringLiteral("Doom3.exe"), QStringLiteral("Doombot.exe")))
        directoryBox_->setText(*directory);
    else
        platform_.messageBox(QLatin1String(OptionsWindow::kBrowseError), false);
}

void SetupWizard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        onCancelClicked();
        return;
    }
    // Return presses Next, and Finish on the last page, as in any dialog; a focused button
    // takes its own Return first.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        nextButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SetupWizard::closeEvent(QCloseEvent* event) {
    // Before Finish every other window is hidden: closing the wizard then would leave a
    // program running with nothing on screen, so it ends the program like Cancel.
    if (finished_) {
        event->accept();
        return;
    }
    event->ignore();
    onCancelClicked();
}

} // namespace bv
