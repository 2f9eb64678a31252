#pragma once
// Where print commands get their printer: the system's default printer, or
// none when no printer is installed. Tests install a source that hands out PDF
// printers writing to files.
#include <QPrinter>
#include <QString>
#include <functional>
#include <memory>

namespace korvel::exports {

using PrinterSource = std::function<std::unique_ptr<QPrinter>(QPrinter::PrinterMode)>;

// The default printer in the given mode, or nullptr when none is installed.
std::unique_ptr<QPrinter> defaultPrinter(QPrinter::PrinterMode mode);
// Replaces the source (an empty function restores the system's).
void setPrinterSource(PrinterSource source);

QString noPrinterMessage();
// "The printer <name> did not accept the print job."
QString printFailedMessage(const QPrinter& printer);

} // namespace korvel::exports
