#include "PickerLogic.h"

#include "settings/LaunchSettings.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

namespace bv {

namespace {

bool isSeparator(QChar c) {
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

} // namespace

QString pwadEntry(const QString& path, const QString& doomDirectory) {
    // An empty directory would make every path "below" it and cut its first character.
    if (doomDirectory.isEmpty() || path.size() <= doomDirectory.size())
        return path;
    if (QStringView(path).left(doomDirectory.size()).compare(doomDirectory, Qt::CaseInsensitive) !=
        0)
        return path;
    // The match must end at a folder boundary: "c:\doom2x\a.wad" is not below "c:\doom2".
    if (isSeparator(doomDirectory.back()))
        return path.mid(doomDirectory.size());
    if (!isSeparator(path.at(doomDirectory.size())))
        return path;
    const QString entry = path.mid(doomDirectory.size() + 1);
    return entry.isEmpty() ? path : entry;
}

QString appendPwad(const QString& list, const QString& entry) {
    return list.isEmpty() ? entry : list + QLatin1Char(' ') + entry;
}

QString appendWeapon(const QString& order, QChar code) {
    return order.size() >= kWeaponsOrderMax ? order : order + code;
}

QString demoName(const QString& fileName) {
    return fileName.size() >= 4 ? fileName.chopped(4) : QString();
}

QStringList matchingFileNames(const QString& folder, const QString& pattern) {
    if (folder.isEmpty())
        return {};
    // Every list of the program asks for one extension ("*.brv"). Comparing the end of each
    // name answers that without building a regular expression, whose first use costs more
    // than the whole folder listing while the main window loads.
    const QStringView suffix = QStringView(pattern).mid(1);
    if (pattern.startsWith(QLatin1Char('*')) && !suffix.contains(QLatin1Char('*')) &&
        !suffix.contains(QLatin1Char('?')) && !suffix.contains(QLatin1Char('['))) {
        QStringList names;
        QDirIterator files(folder, QDir::Files);
        while (files.hasNext()) {
            const QString name = files.nextFileInfo().fileName();
            if (name.endsWith(suffix, Qt::CaseInsensitive))
                names << name;
        }
        std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
            const int folded = a.compare(b, Qt::CaseInsensitive);
            return folded != 0 ? folded < 0 : a < b;
        });
        return names;
    }
    // Without QDir::CaseSensitive the name filter ignores case on every host.
    const QDir dir(folder, pattern, QDir::Name | QDir::IgnoreCase, QDir::Files);
    return dir.entryList();
}

} // namespace bv
