#pragma once
// The literature lines of the phase diagrams, read from Diagram/References.txt.
// A block of references of a system starts at the line that holds the tag
// "[" + system name + "]" (only the text after the tag counts) and runs to the
// first line, the tagged line included, that holds "|" (only the text before
// it counts); every line of a block is one entry, and a file may hold several
// blocks for one system. Lines may end in CR LF, LF or CR; the file may be
// UTF-8 or the legacy Windows code page 1250.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace korvel {

class DiagramReferences {
public:
    // UTF-8 (with or without a byte-order mark) when the bytes are valid UTF-8,
    // otherwise Windows code page 1250.
    static QString decodeText(const QByteArray& bytes);
    // The lines of a text whose lines end in CR LF, LF or CR (in any mix); a
    // last line without an end counts, an end at the very end adds no line.
    static QStringList splitLines(const QString& text);
    // The entries of the system's blocks, in file order.
    static QStringList parse(const QStringList& lines, const QString& systemName);
    static QStringList parse(const QByteArray& fileContent, const QString& systemName);

    struct ReadResult {
        QStringList entries;
        QString error; // empty when the file was read
    };
    static ReadResult readFile(const QString& path, const QString& systemName);
};

} // namespace korvel
