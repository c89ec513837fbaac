#pragma once

#include <QListWidget>

namespace bv {

// A list of the bare names of the files of one folder that match one wildcard pattern. Picking
// a name, with the mouse or the keyboard, reports it.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    FileListBox(QString pattern, QWidget* parent = nullptr);

    const QString& folder() const { return folder_; }
    // Points the list at a folder and reads it anew.
    void setFolder(const QString& folder);
    void refresh();

Q_SIGNALS:
    void fileChosen(const QString& name);

private:
    QString pattern_;
    QString folder_;
};

} // namespace bv
