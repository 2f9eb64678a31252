// The names of the Fig and Menisk trees, made from texts of a database that may
// be anyone's (imported keys, system and source names): any texts give names
// that stand in their folder, and the codes of a figure's name follow from the
// choices. The input is cut at line ends into the texts and one byte of choices.
#include "browsers/FigureNames.h"

#include <QDir>
#include <QtGlobal>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace korvel::figures;

namespace {

bool hasSeparator(const QString& name)
{
    return name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'));
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

// Qt's warnings about names with NUL characters would fill the log.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int choices = data[0];
    const QStringList texts =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)).split(QLatin1Char('\n'));
    auto text = [&](int i) { return texts.value(i); };
    const QString property = text(0), subProperty = text(1), system = text(2), key = text(3), section = text(4),
                  className = text(5), source = text(6), designation = text(7);

    DisplayMode mode;
    mode.isotherms = choices & 1;
    mode.temperature = choices & 2;
    mode.isosurface = choices & 4;
    mode.model = choices & 8;
    const QString t = tail(property, subProperty, mode);
    const QString sub = subPropertiesOf(property).isEmpty() ? QString() : subPropertyCode(subProperty);
    require(t == propertyCode(property) + sub + axisCode(mode) + modelCode(property, mode.model));

    const QString sectionText = sectionName(section);
    require(!sectionText.contains(QLatin1Char('/')));
    for (ClassKind kind : {ClassKind::PureMetals, ClassKind::Binary, ClassKind::Sections}) {
        const FigureNames names = figureNames(kind, system, key, sectionText, t, property, mode.model);
        require(!hasSeparator(names.primary) && !hasSeparator(names.alternative));
        require(names.primary.endsWith(QLatin1Char('_') + t));
        require((kind == ClassKind::PureMetals) != names.alternative.isEmpty());
    }
    require(classKindOf(className) == ClassKind::PureMetals ? className == QLatin1String("Pure metals") : true);

    // Folders: DatabaseDir + kind + class + system, whatever the texts hold.
    static const QString base = QDir::tempPath() + QStringLiteral("/korvel-fuzz-fignames-absent");
    const QString sep = QDir::separator();
    for (const QString& folder : {figureFolder(base, className, system), meniscusFolder(base, className, system)}) {
        require(folder.startsWith(base + sep) && folder.endsWith(sep));
        const QStringList below = folder.mid(base.size() + 1).split(sep);
        require(!below.contains(QStringLiteral("..")) && !below.contains(QStringLiteral(".")));
        const QString prefix = figureListPrefix(folder, key, system);
        require(prefix.startsWith(folder) && !hasSeparator(prefix.mid(folder.size())));
    }
    // Nothing is offered from a folder that does not exist.
    if ((choices & 0xF0) == 0x10) {
        require(offeredKinds(figureListPrefix(figureFolder(base, className, system), key, system)).isEmpty());
        require(offeredMeniscusKinds(meniscusFolder(base, className, system), source, system).isEmpty());
    }
    const QString picture = meniscusPictureName(source, system, text(8), designation);
    require(picture.endsWith(QLatin1String(".jpg")) && !hasSeparator(picture));
    return 0;
}
