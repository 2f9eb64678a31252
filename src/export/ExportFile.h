#pragma once
// Writing an export file so that a failed write never costs the user an earlier
// good file: the bytes go to a temporary file beside the target, which replaces
// the target only once everything is written.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;

namespace korvel::exports {

struct WriteOutcome {
    bool ok = false;
    QString message; // names the file and the reason when not ok

    explicit operator bool() const { return ok; }
};

// "Cannot create file "<path>". <reason>"
QString cannotCreateMessage(const QString& path, const QString& reason);

// Every line followed by CR LF, UTF-8 without a byte-order mark. An existing
// file of that name is replaced without a question.
QByteArray textFileBytes(const QStringList& lines);
WriteOutcome writeTextFile(const QString& path, const QStringList& lines);
WriteOutcome writeFile(const QString& path, const QByteArray& bytes);

// Runs the writer on the temporary file; it returns an empty text on success or
// the reason of its failure. The target is replaced only on success.
WriteOutcome writeFileWith(const QString& path, const std::function<QString(QIODevice&)>& writer);

} // namespace korvel::exports
