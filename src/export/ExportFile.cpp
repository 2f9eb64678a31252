#include "ExportFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel::exports {

QString cannotCreateMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason);
}

QString safeFileName(const QString& name)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString out;
    out.reserve(name.size());
    for (QChar c : name)
        out += (c.unicode() < 0x20 || c.unicode() == 0x7F || forbidden.contains(c)) ? QLatin1Char('_') : c;
    // No hidden file, no "." or "..", no name ending in a dot or a blank.
    if (out.startsWith(QLatin1Char('.')))
        out[0] = QLatin1Char('_');
    while (out.endsWith(QLatin1Char(' ')) || out.endsWith(QLatin1Char('.')))
        out.chop(1);
    // Names a Windows folder cannot hold, with or without an extension.
    static const QStringList reserved = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                         QStringLiteral("NUL"), QStringLiteral("COM1"), QStringLiteral("COM2"),
                                         QStringLiteral("COM3"), QStringLiteral("COM4"), QStringLiteral("COM5"),
                                         QStringLiteral("COM6"), QStringLiteral("COM7"), QStringLiteral("COM8"),
                                         QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"),
                                         QStringLiteral("LPT3"), QStringLiteral("LPT4"), QStringLiteral("LPT5"),
                                         QStringLiteral("LPT6"), QStringLiteral("LPT7"), QStringLiteral("LPT8"),
                                         QStringLiteral("LPT9")};
    const QString stem = out.section(QLatin1Char('.'), 0, 0).trimmed();
    if (reserved.contains(stem, Qt::CaseInsensitive))
        out.prepend(QLatin1Char('_'));
    if (out.isEmpty())
        out = QStringLiteral("_");
    // At most 255 bytes, as file systems allow; the extension is kept.
    const qsizetype dot = out.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot > 0 && out.size() - dot <= 8 ? out.mid(dot) : QString();
    QString base = out.left(out.size() - extension.size());
    while ((base + extension).toUtf8().size() > 255)
        base.chop(1);
    return base + extension;
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

namespace {

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// The permissions a new file gets from the process's umask (read back without changing it).
QFileDevice::Permissions newFilePermissions()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions p;
    if (mode & S_IRUSR) p |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (mode & S_IWUSR) p |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (mode & S_IRGRP) p |= QFileDevice::ReadGroup;
    if (mode & S_IWGRP) p |= QFileDevice::WriteGroup;
    if (mode & S_IROTH) p |= QFileDevice::ReadOther;
    if (mode & S_IWOTH) p |= QFileDevice::WriteOther;
    return p;
}

} // namespace

// The bytes go to a new file beside the target, which is flushed, synced and
// measured before it is renamed over the target. The rename replaces the name
// itself: a target that is a symbolic link is replaced by the file, and the
// file the link pointed to is never written.
WriteOutcome writeFileWith(const QString& path, const std::function<QString(QIODevice&)>& writer)
{
    const QFileInfo target(path);
    if (target.isDir() && !target.isSymLink())
        return {false, cannotCreateMessage(path, QStringLiteral("A folder of that name is in the way."))};
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return {false, cannotCreateMessage(path, file.errorString())};
    const QString reason = writer(file);
    if (!reason.isEmpty())
        return {false, cannotCreateMessage(path, reason)};
    if (file.error() != QFileDevice::NoError)
        return {false, cannotCreateMessage(path, file.errorString())};
    const qint64 written = file.pos();
    if (!file.flush())
        return {false, cannotCreateMessage(path, file.errorString())};
    if (::fsync(file.handle()) != 0)
        return {false, cannotCreateMessage(path, systemError(errno))};
    struct stat st {};
    if (::fstat(file.handle(), &st) != 0 || qint64(st.st_size) != written)
        return {false, cannotCreateMessage(path, QStringLiteral("Only part of the file could be written (is the disk full?)."))};
    QFileDevice::Permissions permissions = newFilePermissions();
    if (target.exists() && !target.isSymLink())
        permissions = target.permissions();
    file.setPermissions(permissions);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return {false, cannotCreateMessage(path, file.errorString())};
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return {false, cannotCreateMessage(path, systemError(errno))};
    file.setAutoRemove(false);
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
