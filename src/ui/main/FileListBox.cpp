#include "FileListBox.h"

#include "PickerLogic.h"

namespace bv {

FileListBox::FileListBox(QString pattern, QWidget* parent)
    : QListWidget(parent), pattern_(std::move(pattern)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> chosen = selectedItems();
        if (!chosen.isEmpty())
            Q_EMIT fileChosen(chosen.constFirst()->text());
    });
}

void FileListBox::setFolder(const QString& folder) {
    folder_ = folder;
    refresh();
}

void FileListBox::refresh() {
    // Refilling is no choice of the user's: no name is reported for it.
    const QSignalBlocker quiet(this);
    clear();
    addItems(matchingFileNames(folder_, pattern_));
}

} // namespace bv
