#pragma once
// Writing an export file so that a failed write never costs the user an earlier
// good file: the bytes go to a temporary file beside the target, which replaces
// the target only once everything is written and on the disk. A target that is
// a symbolic link is replaced itself; what it points to is never written.
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

// A name for a file in the program's own folder made from texts of the
// database (publication keys, system and property names): path separators,
// control characters and the characters the platforms forbid become "_", so the
// file stays in its folder whatever the texts hold; readable otherwise.
QString safeFileName(const QString& name);

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
