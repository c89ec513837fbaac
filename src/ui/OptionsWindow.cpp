#include "OptionsWindow.h"

#include "core/AtomicFile.h"
#include "core/Latin1Text.h"
#include "main/SettingsBinder.h"
#include "platform/Platform.h"
#include "settings/ColourTheme.h"
#include "settings/LaunchSettings.h"
#include "settings/SettingsScript.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace bv {

namespace {

// A theme is six short lines; reading more than this of a wrongly chosen file is pointless.
constexpr qint64 kThemeReadLimit = 64 * 1024;

const QString kThemeFilter = QStringLiteral("Colour Themes|*.brc");

struct BarRow {
    ConsoleOptions::Component component;
    const char* bar;
    const char* label;
    const char* caption;
};

// Top to bottom within each frame.
constexpr BarRow kForeRows[] = {
    {ConsoleOptions::textRed, "redFore", "lblRedFore", "Red"},
    {ConsoleOptions::textGreen, "greenFore", "lblGreenFore", "Green"},
    {ConsoleOptions::textBlue, "blueFore", "lblBlueFore", "Blue"},
};
constexpr BarRow kBackRows[] = {
    {ConsoleOptions::backgroundRed, "redBack", "lblBackRed", "Red"},
    {ConsoleOptions::backgroundGreen, "greenBack", "lblBackGreen", "Green"},
    {ConsoleOptions::backgroundBlue, "blueBack", "lblBackBlue", "Blue"},
};

bool isForeComponent(int component) {
    return component >= ConsoleOptions::textRed;
}

} // namespace

std::optional<QString> directoryOfEngineFile(const QString& path, const QString& first,
                                             const QString& second) {
#ifdef Q_OS_WIN
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
#else
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
#endif
    // The whole file name must match: "MyDoom3.exe" ends in the right letters but names
    // another program, and cutting a fixed length off it would leave a broken directory.
    const QString name = path.mid(cut + 1);
    if (cut < 0 || (name != first && name != second))
        return std::nullopt;
    const QString directory = path.left(cut);
    // A file in the root keeps the root itself rather than an empty directory.
    return directory.isEmpty() ? path.left(1) : directory;
}

OptionsWindow::OptionsWindow(LaunchSettings& settings, ConsoleOptions& colours, Platform& platform,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings), colours_(colours), platform_(platform),
      doomDirectoryBox_(new QLineEdit(this)), demoDirectoryBox_(new QLineEdit(this)),
      textPreview_(new QLabel(this)), backgroundPreview_(new QLabel(this)),
      dockBox_(new QCheckBox(QStringLiteral("Dock Console"), this)),
      okButton_(new QPushButton(QStringLiteral("&Ok"), this)) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);

    auto* doomDirectoryLabel = new QLabel(QStringLiteral("Doom Directory:"), this);
    doomDirectoryLabel->setObjectName(QStringLiteral("lblOptions"));
    doomDirectoryLabel->setBuddy(doomDirectoryBox_);
    doomDirectoryBox_->setObjectName(QStringLiteral("txtDir"));
    auto* browseButton = new QPushButton(QStringLiteral("&Browse"), this);
    browseButton->setObjectName(QStringLiteral("cmdBrowse"));
    auto* demoLabel = new QLabel(QStringLiteral("Demo Directory:"), this);
    demoLabel->setObjectName(QStringLiteral("lblDemo"));
    demoLabel->setBuddy(demoDirectoryBox_);
    demoDirectoryBox_->setObjectName(QStringLiteral("txtDemoDir"));
    demoDirectoryBox_->setToolTip(QStringLiteral("Leave as nothing for default"));

    auto* directories = new QGridLayout;
    directories->addWidget(doomDirectoryLabel, 0, 0);
    directories->addWidget(doomDirectoryBox_, 0, 1);
    directories->addWidget(browseButton, 0, 2);
    directories->addWidget(demoLabel, 1, 0);
    directories->addWidget(demoDirectoryBox_, 1, 1);

    // One frame of three scroll bars and the preview of the colour they make.
    const auto makeFrame = [this](const char* name, const QString& caption, const BarRow(&rows)[3],
                                  QLabel* preview, const char* previewName) {
        auto* frame = new QGroupBox(caption, this);
        frame->setObjectName(QLatin1String(name));
        auto* grid = new QGridLayout(frame);
        int row = 0;
        for (const BarRow& r : rows) {
            auto* label = new QLabel(QLatin1String(r.caption), frame);
            label->setObjectName(QLatin1String(r.label));
            auto* bar = new QScrollBar(Qt::Horizontal, frame);
            bar->setObjectName(QLatin1String(r.bar));
            bar->setRange(0, 255);
            bar->setPageStep(16);
            bar->setFocusPolicy(Qt::StrongFocus); // scroll bars take no focus by default
            bar->setMinimumWidth(150);
            bar->setAccessibleName(caption + QLatin1Char(' ') + QLatin1String(r.caption));
            label->setBuddy(bar);
            bars_[static_cast<size_t>(r.component)] = bar;
            grid->addWidget(label, row, 0);
            grid->addWidget(bar, row, 1);
            ++row;
        }
        preview->setObjectName(QLatin1String(previewName));
        preview->setAutoFillBackground(true);
        preview->setFrameShape(QFrame::Box);
        preview->setMinimumHeight(24);
        preview->setAccessibleName(caption + QStringLiteral(" preview"));
        grid->addWidget(preview, row, 0, 1, 2);
        return frame;
    };
    auto* textFrame = makeFrame("frameForeColour", QStringLiteral("Console Font Colour"), kForeRows,
                                textPreview_, "lblForeColour");
    auto* backgroundFrame =
        makeFrame("frameBackColour", QStringLiteral("Console Background Colour"), kBackRows,
                  backgroundPreview_, "lblBackColour");
    auto* frames = new QHBoxLayout;
    frames->addWidget(textFrame);
    frames->addWidget(backgroundFrame);

    dockBox_->setObjectName(QStringLiteral("checkDock"));
    auto* saveThemeButton = new QPushButton(QStringLiteral("&Save Colour Scheme"), this);
    saveThemeButton->setObjectName(QStringLiteral("cmdSaveTheme"));
    auto* openThemeButton = new QPushButton(QStringLiteral("&Open Colour Theme"), this);
    openThemeButton->setObjectName(QStringLiteral("cmdTheme"));
    okButton_->setObjectName(QStringLiteral("cmdOk"));
    okButton_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveThemeButton);
    buttons->addWidget(openThemeButton);
    buttons->addStretch();
    buttons->addWidget(okButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(directories);
    layout->addLayout(frames);
    layout->addWidget(dockBox_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Reading order for the keyboard.
    QWidget* order[] = {doomDirectoryBox_,
                        browseButton,
                        demoDirectoryBox_,
                        bars_[ConsoleOptions::textRed],
                        bars_[ConsoleOptions::textGreen],
                        bars_[ConsoleOptions::textBlue],
                        bars_[ConsoleOptions::backgroundRed],
                        bars_[ConsoleOptions::backgroundGreen],
                        bars_[ConsoleOptions::backgroundBlue],
                        dockBox_,
                        saveThemeButton,
                        openThemeButton,
                        okButton_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The two directories are settings like those of the main window, bound the same way.
    (new SettingsBinder(settings_, this))->bindChildren(this);
    bindColours();

    connect(browseButton, &QPushButton::clicked, this, &OptionsWindow::onBrowseClicked);
    connect(saveThemeButton, &QPushButton::clicked, this, &OptionsWindow::onSaveThemeClicked);
    connect(openThemeButton, &QPushButton::clicked, this, &OptionsWindow::onOpenThemeClicked);
    connect(okButton_, &QPushButton::clicked, this, &OptionsWindow::okClicked);
}

void OptionsWindow::bindColours() {
    for (int component = 0; component < ConsoleOptions::kComponentCount; ++component) {
        QScrollBar* bar = colourBar(component);
        bar->setValue(colours_.value(component));
        connect(bar, &QScrollBar::valueChanged, this,
                [this, component](int value) { colours_.setValue(component, value); });
    }
    connect(&colours_, &ConsoleOptions::valueChanged, this, [this](int component) {
        colourBar(component)->setValue(colours_.value(component));
        // Only the preview of the changed colour is repainted; the console waits for OK.
        if (isForeComponent(component))
            paintPreview(textPreview_, colours_.value(ConsoleOptions::textRed),
                         colours_.value(ConsoleOptions::textGreen),
                         colours_.value(ConsoleOptions::textBlue));
        else
            paintPreview(backgroundPreview_, colours_.value(ConsoleOptions::backgroundRed),
                         colours_.value(ConsoleOptions::backgroundGreen),
                         colours_.value(ConsoleOptions::backgroundBlue));
    });

    dockBox_->setChecked(colours_.docked() != 0);
    connect(dockBox_, &QCheckBox::toggled, this,
            [this](bool checked) { colours_.setDocked(checked ? 1 : 0); });
    connect(&colours_, &ConsoleOptions::dockedChanged, this,
            [this]() { dockBox_->setChecked(colours_.docked() != 0); });
    refreshPreviews();
}

void OptionsWindow::paintPreview(QLabel* preview, int red, int green, int blue) {
    QPalette palette = preview->palette();
    palette.setColor(QPalette::Window, QColor(red, green, blue));
    preview->setPalette(palette);
}

void OptionsWindow::refreshPreviews() {
    paintPreview(textPreview_, colours_.value(ConsoleOptions::textRed),
                 colours_.value(ConsoleOptions::textGreen),
                 colours_.value(ConsoleOptions::textBlue));
    paintPreview(backgroundPreview_, colours_.value(ConsoleOptions::backgroundRed),
                 colours_.value(ConsoleOptions::backgroundGreen),
                 colours_.value(ConsoleOptions::backgroundBlue));
}

void OptionsWindow::onBrowseClicked() {
    FileDialogSpec request;
    request.filter = QStringLiteral("Doom3.exe|Doom3.exe|Doombot.bat|Doombot.bat");
    const QString path = platform_.fileDialog(FileDialogKind::Open, request);
    if (path.isEmpty())
        return;
    if (const std::optional<QString> directory =
            directoryOfEngineFile(path, QStringLiteral("Doom3.exe"), QStringLiteral("Doombot.bat")))
        settings_.setText(Text::doomDirectory, *directory);
    else
        platform_.messageBox(QLatin1String(kBrowseError), false);
}

void OptionsWindow::onSaveThemeClicked() {
    const FileDialogSpec request{platform_.programDirectory(), QString(), kThemeFilter,
                                 kHideReadOnly};
    const QString path = platform_.fileDialog(FileDialogKind::Save, request);
    if (path.isEmpty())
        return;
    const WriteResult written = writeFileAtomically(path, colourThemeBytes(colours_.values()));
    if (!written.ok)
        platform_.messageBox(
            QStringLiteral("Could not save the colour theme %1: %2").arg(path, written.message),
            false);
}

void OptionsWindow::onOpenThemeClicked() {
    const FileDialogSpec request{platform_.programDirectory(), QString(), kThemeFilter,
                                 kHideReadOnly};
    const QString path = platform_.fileDialog(FileDialogKind::Open, request);
    if (path.isEmpty())
        return;
    // A named pipe would hold the window until something writes to it; no device is a theme.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        platform_.messageBox(
            QStringLiteral("Could not open the colour theme %1: it is a device or a pipe, not a "
                           "file")
                .arg(path),
            false);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        platform_.messageBox(
            QStringLiteral("Could not open the colour theme %1: %2").arg(path, file.errorString()),
            false);
        return;
    }
    const QByteArray bytes = file.read(kThemeReadLimit);
    const ThemeReadResult theme = readColourTheme(bytes);
    if (!theme.values) {
        // Half a theme would leave colours nobody chose, so the scroll bars keep theirs.
        const bool missing = splitScriptLines(bytes).size() < theme.badLine;
        platform_.messageBox(QStringLiteral("The colour theme %1 was not loaded: line %2 %3.")
                                 .arg(path)
                                 .arg(theme.badLine)
                                 .arg(missing ? QStringLiteral("is missing")
                                              : QStringLiteral("is not a number from 0 to 255")),
                             false);
        return;
    }
    for (int component = 0; component < ConsoleOptions::kComponentCount; ++component)
        colours_.setValue(component, (*theme.values)[static_cast<size_t>(component)]);
}

void OptionsWindow::closeEvent(QCloseEvent* event) {
    // The window has no cancel: closing it applies, like OK, and the program hides it.
    event->ignore();
    Q_EMIT okClicked();
}

void OptionsWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Q_EMIT hidden();
}

} // namespace bv
