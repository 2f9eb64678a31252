#include "Printers.h"

#include <QPrinterInfo>

namespace korvel::exports {

namespace {
PrinterSource& source()
{
    static PrinterSource s;
    return s;
}
} // namespace

std::unique_ptr<QPrinter> defaultPrinter(QPrinter::PrinterMode mode)
{
    if (source())
        return source()(mode);
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (all.isEmpty())
            return nullptr;
        info = all.first();
    }
    return std::make_unique<QPrinter>(info, mode);
}

void setPrinterSource(PrinterSource s) { source() = std::move(s); }

QString noPrinterMessage()
{
    return QStringLiteral("No printer is installed. Add a printer to the system and print again.");
}

QString printFailedMessage(const QPrinter& printer)
{
    const QString name = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    return QStringLiteral("The printer \"%1\" did not accept the print job.").arg(name);
}

} // namespace korvel::exports
