#include "ZPInspectorControlDefinitions.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {

// An integer value as the low 32 bits of a number in -2^31 .. 2^32-1; 0 otherwise.
uint32_t tagFromInteger(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok, 10);
    if (!ok || value < -2147483648LL || value > 4294967295LL)
        return 0;
    return uint32_t(quint64(value) & 0xFFFFFFFFu);
}

// Reads one <dict> whose start element is current; leaves the reader after its end.
ZPControlDefinition readDefinition(QXmlStreamReader& xml) {
    ZPControlDefinition definition;
    QString key;
    while (xml.readNextStartElement()) {
        const auto name = xml.name();
        if (name == QLatin1String("key")) {
            key = xml.readElementText();
        } else if (key == QLatin1String("Title") && name == QLatin1String("string")) {
            definition.title = xml.readElementText();
        } else if (key == QLatin1String("Tag") && name == QLatin1String("integer")) {
            definition.tag = tagFromInteger(xml.readElementText());
        } else {
            xml.skipCurrentElement();
        }
        if (name != QLatin1String("key"))
            key.clear();
    }
    return definition;
}

} // namespace

QList<ZPControlDefinition> ZPParseControlDefinitions(const QByteArray& bytes) {
    QList<ZPControlDefinition> definitions;
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("plist"))
        return {};
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("array"))
        return {};
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("dict"))
            definitions.append(readDefinition(xml));
        else
            xml.skipCurrentElement();
    }
    // Anything after the array is checked too: a damaged list gives no menu at all.
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        return {};
    return definitions;
}

QList<ZPControlDefinition> ZPReadControlDefinitions(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ZPParseControlDefinitions(file.readAll());
}
