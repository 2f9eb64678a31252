#include "ExportFile.h"

#include <QDir>
#include <QSaveFile>

namespace korvel::exports {

QString cannotCreateMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}

QByteArray textFileBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

WriteOutcome writeFileWith(const QString& path, const std::function<QString(QIODevice&)>& writer)
{
    QSaveFile file(path);
    // Never fall back to writing the target in place: a failure would leave it half-written.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return {false, cannotCreateMessage(path, file.errorString())};
    const QString reason = writer(file);
    if (!reason.isEmpty()) {
        file.cancelWriting();
        return {false, cannotCreateMessage(path, reason)};
    }
    if (file.error() != QFileDevice::NoError) {
        const QString why = file.errorString();
        file.cancelWriting();
        return {false, cannotCreateMessage(path, why)};
    }
    if (!file.commit())
        return {false, cannotCreateMessage(path, file.errorString())};
    return {true, QString()};
}

WriteOutcome writeFile(const QString& path, const QByteArray& bytes)
{
    return writeFileWith(path, [&](QIODevice& device) -> QString {
        if (device.write(bytes) != bytes.size())
            return device.errorString();
        return QString();
    });
}

WriteOutcome writeTextFile(const QString& path, const QStringList& lines)
{
    return writeFile(path, textFileBytes(lines));
}

} // namespace korvel::exports
