// korvel3-docgen INPUT.md OUTPUT.pdf [TITLE]
//
// Renders the help document of the program from its Markdown source into a
// PDF: A4 pages, the document's own headings, tables and lists, page numbers.
#include "core/CommandLine.h"
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextStream>

int main(int argc, char** argv)
{
    static const korvel::cli::Usage cliUsage{"korvel3-docgen", "korvel3-docgen INPUT.md OUTPUT.pdf [TITLE]",
        "Renders the Markdown document INPUT.md into the PDF document OUTPUT.pdf (run by the build).",
        {}};
    if (const std::optional<int> done = korvel::cli::handleStandardOptions(argc, argv, cliUsage))
        return *done;
    // No window is shown: render offscreen unless the caller chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() < 3) {
        err << "usage: korvel3-docgen INPUT.md OUTPUT.pdf [TITLE]\n";
        return 2;
    }
    QFile input(args[1]);
    if (!input.open(QIODevice::ReadOnly)) {
        err << "korvel3-docgen: cannot read " << args[1] << "\n";
        return 1;
    }
    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet(QStringLiteral("table { border-collapse: collapse; } td, th { padding: 3px; }"));
    document.setMarkdown(QString::fromUtf8(input.readAll()), QTextDocument::MarkdownDialectGitHub);
    if (document.isEmpty()) {
        err << "korvel3-docgen: " << args[1] << " is empty\n";
        return 1;
    }

    // A PNG output is a preview of the first page, for checking the layout.
    if (args[2].endsWith(QStringLiteral(".png"))) {
        const QSizeF page(595, 842); // A4 in points
        document.setPageSize(page);
        QImage image(page.toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        document.drawContents(&painter, QRectF(QPointF(0, 0), page));
        painter.end();
        return image.save(args[2]) ? 0 : 1;
    }

    const QString partial = args[2] + QStringLiteral(".part");
    {
        QPdfWriter writer(partial);
        writer.setTitle(args.size() > 3 ? args[3] : QStringLiteral("KORVEL 3"));
        writer.setCreator(QStringLiteral("korvel3-docgen"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter));
        writer.setResolution(300);
        document.print(&writer);
    }
    QFile::remove(args[2]);
    if (!QFile::rename(partial, args[2])) {
        err << "korvel3-docgen: cannot write " << args[2] << "\n";
        return 1;
    }
    return 0;
}
