#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace bv {

struct WriteResult {
    bool ok = true;
    QFileDevice::FileError error = QFileDevice::NoError;
    QString message; // the host's error text, for reports
};

// Replaces the file atomically: the old file stays whole until the new one is complete.
WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace bv
