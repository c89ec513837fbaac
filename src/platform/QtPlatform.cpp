#include "QtPlatform.h"

#ifdef Q_OS_UNIX
#include "ProcessWatcher.h"
#endif

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QUrl>
#include <QWidget>

namespace bv {

namespace {

const QString kTitle = QStringLiteral("Brimvault");

QSettings store() {
    return QSettings(kTitle, kTitle);
}

QString storeKey(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

QString toDialogFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << parts.at(i) + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString withFilterExtension(const QString& path, const QString& selectedFilter) {
    if (QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    const qsizetype open = selectedFilter.lastIndexOf(QLatin1Char('('));
    const QString patterns = selectedFilter.mid(open + 1).chopped(1);
    const QString first = patterns.section(QLatin1Char(' '), 0, 0);
    const QString extension = first.mid(1);
    const bool plain = open >= 0 && first.startsWith(QLatin1String("*.")) && extension.size() > 1 &&
                       !extension.contains(QLatin1Char('*')) &&
                       !extension.contains(QLatin1Char('?'));
    return plain ? path + extension : path;
}

QtPlatform::QtPlatform(QString programDirectory) : programDirectory_(std::move(programDirectory)) {}

QtPlatform::~QtPlatform() = default;

void QtPlatform::messageBox(const QString& text, bool informationIcon) {
    QMessageBox box(informationIcon ? QMessageBox::Information : QMessageBox::NoIcon, kTitle, text,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool QtPlatform::askYesNo(const QString& text) {
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    return box.exec() == QMessageBox::Yes;
}

QString QtPlatform::fileDialog(FileDialogKind kind, const FileDialogSpec& request) {
    QFileDialog dialog(QApplication::activeWindow(), QString(), request.initialDirectory,
                       toDialogFilter(request.filter));
    dialog.setAcceptMode(kind == FileDialogKind::Open ? QFileDialog::AcceptOpen
                                                      : QFileDialog::AcceptSave);
    dialog.setFileMode(kind == FileDialogKind::Open ? QFileDialog::ExistingFile
                                                    : QFileDialog::AnyFile);
    if (kind == FileDialogKind::Save)
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true); // saving replaces silently
    if (request.flags & kHideReadOnly)
        dialog.setOption(QFileDialog::ReadOnly, false);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    QString path = dialog.selectedFiles().constFirst();
    if (kind == FileDialogKind::Save)
        path = withFilterExtension(path, dialog.selectedNameFilter());
    return QDir::toNativeSeparators(path);
}

QString QtPlatform::storeValue(const QString& section, const QString& key,
                               const QString& defaultValue) {
    const QVariant value = store().value(storeKey(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

bool QtPlatform::setStoreValue(const QString& section, const QString& key, const QString& value) {
    QSettings settings = store();
    settings.setValue(storeKey(section, key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

StartFailure QtPlatform::startProcess(const QString& program, const QStringList& arguments,
                                      const QString& workingDirectory) {
    const QFileInfo info(program);
    if (!info.exists())
        return StartFailure::NotFound;
    if (!info.isExecutable() || info.isDir())
        return StartFailure::NotExecutable;
    return QProcess::startDetached(program, arguments, workingDirectory) ? StartFailure::None
                                                                         : StartFailure::Other;
}

StartFailure QtPlatform::startWatchedProcess(const QString& program, const QStringList& arguments,
                                             const QString& workingDirectory,
                                             const QString& outputPath, QString& outputProblem,
                                             ProcessEndHandler onEnd) {
#ifdef Q_OS_UNIX
    if (!watcher_)
        watcher_ = std::make_unique<ProcessWatcher>();
    return watcher_->start(program, arguments, workingDirectory, outputPath, outputProblem,
                           std::move(onEnd));
#else
    (void)outputPath;
    (void)outputProblem;
    (void)onEnd;
    return startProcess(program, arguments, workingDirectory);
#endif
}

void QtPlatform::consoleReply(const QString& text) {
    if (consoleReplies_)
        consoleReplies_(text);
}

void QtPlatform::setConsoleReplies(std::function<void(const QString&)> replies) {
    consoleReplies_ = std::move(replies);
}

bool QtPlatform::openDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString QtPlatform::argumentText() const {
    return QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
}

void QtPlatform::quit() {
    // Nothing may run after the exit sequence: the windows go at once and every event loop,
    // nested ones of modal boxes included, is told to end.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

} // namespace bv
