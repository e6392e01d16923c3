#include "ZPTagJson.h"

#include "ZPTagFile.h"
#include "ZPTextEncoding.h"
#include "ZPZervDialogDocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLocale>
#include <QStringList>

#include <cmath>
#include <string>

namespace {

// Export. QJsonObject sorts its keys, so the text is put together by hand to keep the
// documented order and one control per line.

void appendString(std::string& out, const std::string& utf8) {
    static const char digits[] = "0123456789abcdef";
    out += '"';
    for (const char c : utf8) {
        const uint8_t b = uint8_t(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (b < 0x20) {
                out += "\\u00";
                out += digits[b >> 4];
                out += digits[b & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendCode(std::string& out, uint32_t code) {
    if (ZPFourCharCodeIsPrintable(code))
        appendString(out, ZPFourCharCodeBytes(code));
    else
        out += std::to_string(code);
}

void appendBounds(std::string& out, const ZPBounds& b) {
    out += "{\"top\": " + std::to_string(b.top) + ", \"left\": " + std::to_string(b.left) +
           ", \"bottom\": " + std::to_string(b.bottom) + ", \"right\": " + std::to_string(b.right) +
           "}";
}

// Import.

QString numberText(double d) {
    return QString::number(d, 'g', QLocale::FloatingPointShortest);
}

QString codePointName(char32_t cp) {
    return QStringLiteral("U+") +
           QString::number(uint(cp), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QString typeName(const QJsonValue& v) {
    switch (v.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

// Reads values out of the parsed document, keeping the first error and its place.
class Reader {
public:
    QString error;

    bool fail(const QString& place, const QString& what) {
        if (error.isEmpty())
            error = place.isEmpty() ? what : place + QStringLiteral(": ") + what;
        return false;
    }

    // An object with exactly the keys `required` plus any of `optional`.
    bool object(const QJsonValue& v, const QString& place, const QStringList& required,
                const QStringList& optional, QJsonObject& out) {
        if (!v.isObject())
            return fail(place, QStringLiteral("expected an object, found ") + typeName(v));
        out = v.toObject();
        for (const QString& key : required) {
            if (!out.contains(key))
                return fail(place, QStringLiteral("the key \"%1\" is missing").arg(key));
        }
        for (auto it = out.begin(); it != out.end(); ++it) {
            if (!required.contains(it.key()) && !optional.contains(it.key()))
                return fail(join(place, it.key()), QStringLiteral("unknown key"));
        }
        return true;
    }

    bool integer(const QJsonValue& v, const QString& place, int64_t min, int64_t max,
                 int64_t& out) {
        if (!v.isDouble())
            return fail(place, QStringLiteral("expected an integer, found ") + typeName(v));
        const double d = v.toDouble();
        if (!std::isfinite(d) || std::floor(d) != d)
            return fail(place, numberText(d) + QStringLiteral(" is not an integer"));
        if (d < double(min) || d > double(max)) {
            return fail(
                place,
                QStringLiteral("%1 is out of range %2..%3").arg(numberText(d)).arg(min).arg(max));
        }
        out = int64_t(d);
        return true;
    }

    bool int16(const QJsonValue& v, const QString& place, int16_t& out) {
        int64_t wide = 0;
        if (!integer(v, place, INT16_MIN, INT16_MAX, wide))
            return false;
        out = int16_t(wide);
        return true;
    }

    bool uint16(const QJsonValue& v, const QString& place, uint16_t& out) {
        int64_t wide = 0;
        if (!integer(v, place, 0, UINT16_MAX, wide))
            return false;
        out = uint16_t(wide);
        return true;
    }

    // Four printable ASCII characters, or the code's unsigned value.
    bool code(const QJsonValue& v, const QString& place, uint32_t& out) {
        if (v.isString()) {
            const QString s = v.toString();
            bool printable = s.size() == 4;
            for (const QChar c : s)
                printable = printable && c.unicode() >= 0x20 && c.unicode() <= 0x7E;
            if (!printable) {
                return fail(place, QStringLiteral("\"%1\" is not four printable ASCII "
                                                  "characters (use the code's number instead)")
                                       .arg(s));
            }
            const QByteArray a = s.toLatin1();
            out = ZPFourCharCode(a[0], a[1], a[2], a[3]);
            return true;
        }
        if (!v.isDouble()) {
            return fail(place, QStringLiteral("expected four characters or an integer, found ") +
                                   typeName(v));
        }
        int64_t wide = 0;
        if (!integer(v, place, 0, UINT32_MAX, wide))
            return false;
        out = uint32_t(wide);
        return true;
    }

    // A text in the files' 8-bit encoding.
    bool text(const QJsonValue& v, const QString& place, std::string& utf8, std::string& bytes) {
        if (!v.isString())
            return fail(place, QStringLiteral("expected a string, found ") + typeName(v));
        // toUcs4 turns an unpaired surrogate into U+FFFD, which the encoding lacks.
        utf8.clear();
        for (const char32_t cp : v.toString().toUcs4())
            ZPAppendUTF8(utf8, cp);
        char32_t bad = 0;
        if (!ZPEncode8Bit(utf8, bytes, &bad)) {
            if (bad == 0)
                return fail(place, QStringLiteral("contains a NUL character, which ends a "
                                                  "stored text"));
            return fail(place, QStringLiteral("the character %1 is not in the files' 8-bit "
                                              "encoding (Mac OS Roman)")
                                   .arg(codePointName(bad)));
        }
        return true;
    }

    bool bounds(const QJsonValue& v, const QString& place, ZPBounds& out) {
        static const QStringList keys = {QStringLiteral("top"), QStringLiteral("left"),
                                         QStringLiteral("bottom"), QStringLiteral("right")};
        QJsonObject o;
        return object(v, place, keys, {}, o) &&
               int16(o.value(keys[0]), join(place, keys[0]), out.top) &&
               int16(o.value(keys[1]), join(place, keys[1]), out.left) &&
               int16(o.value(keys[2]), join(place, keys[2]), out.bottom) &&
               int16(o.value(keys[3]), join(place, keys[3]), out.right);
    }

    static QString join(const QString& place, const QString& key) {
        return place.isEmpty() ? key : place + QLatin1Char('.') + key;
    }
    static QString index(const QString& place, qsizetype i) {
        return place + QStringLiteral("[%1]").arg(i);
    }
};

int hexValue(QChar c) {
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool readHeader(Reader& r, const QJsonValue& v, ZPTagHeader& header) {
    const QString place = QStringLiteral("header");
    if (!v.isString())
        return r.fail(place, QStringLiteral("expected a string, found ") + typeName(v));
    const QString s = v.toString();
    if (s.size() != qsizetype(2 * ZPTagHeader::kSize)) {
        return r.fail(place, QStringLiteral("expected %1 hex digits (the %2 header bytes), "
                                            "found %3 characters")
                                 .arg(2 * ZPTagHeader::kSize)
                                 .arg(ZPTagHeader::kSize)
                                 .arg(s.size()));
    }
    for (size_t i = 0; i < ZPTagHeader::kSize; ++i) {
        const int hi = hexValue(s[qsizetype(2 * i)]);
        const int lo = hexValue(s[qsizetype(2 * i + 1)]);
        if (hi < 0 || lo < 0) {
            return r.fail(place, QStringLiteral("character %1 is not a hex digit")
                                     .arg(hi < 0 ? 2 * i + 1 : 2 * i + 2));
        }
        header.bytes[i] = uint8_t(hi * 16 + lo);
    }
    if (header.headerVersion() == 0) {
        const uint32_t s = header.signature();
        return r.fail(place, QStringLiteral("the signature in bytes 60..63 is %1, not 'zerv' "
                                            "or 'zrv2'")
                                 .arg(QString::fromStdString(ZPFourCharCodeDescription(s))));
    }
    return true;
}

bool readControl(Reader& r, const QJsonValue& v, const QString& place, ZPTagFileControl& out) {
    static const QStringList keys = {QStringLiteral("tag"),     QStringLiteral("padding"),
                                     QStringLiteral("item_id"), QStringLiteral("bitmap_ids"),
                                     QStringLiteral("flags"),   QStringLiteral("state"),
                                     QStringLiteral("bounds"),  QStringLiteral("text")};
    QJsonObject o;
    if (!r.object(v, place, keys, {}, o))
        return false;
    const auto at = [&](const char* key) { return Reader::join(place, QLatin1String(key)); };

    uint32_t tag = 0;
    int16_t padding = 0, itemID = 0, bitmaps[2] = {0, 0};
    uint16_t flags = 0, state = 0;
    ZPBounds bounds;
    if (!r.code(o.value(QLatin1String("tag")), at("tag"), tag) ||
        !r.int16(o.value(QLatin1String("padding")), at("padding"), padding) ||
        !r.int16(o.value(QLatin1String("item_id")), at("item_id"), itemID))
        return false;

    const QJsonValue ids = o.value(QLatin1String("bitmap_ids"));
    if (!ids.isArray() || ids.toArray().size() != 2) {
        return r.fail(at("bitmap_ids"),
                      QStringLiteral("expected an array of two integers, found ") +
                          (ids.isArray() ? QStringLiteral("%1 entries").arg(ids.toArray().size())
                                         : typeName(ids)));
    }
    for (qsizetype i = 0; i < 2; ++i) {
        if (!r.int16(ids.toArray().at(i), Reader::index(at("bitmap_ids"), i), bitmaps[i]))
            return false;
    }
    std::string bytes;
    if (!r.uint16(o.value(QLatin1String("flags")), at("flags"), flags) ||
        !r.uint16(o.value(QLatin1String("state")), at("state"), state) ||
        !r.bounds(o.value(QLatin1String("bounds")), at("bounds"), bounds) ||
        !r.text(o.value(QLatin1String("text")), at("text"), out.text, bytes))
        return false;

    out.record.set_tag(tag);
    out.record.set_padding(padding);
    out.record.set_item_id(itemID);
    out.record.set_bitmap_id(0, bitmaps[0]);
    out.record.set_bitmap_id(1, bitmaps[1]);
    out.record.set_flags(flags);
    out.record.set_state(state);
    out.record.set_bounds(bounds);
    return true;
}

QString parseErrorPlace(const QByteArray& json, int offset) {
    int line = 1, column = 1;
    for (int i = 0; i < offset && i < json.size(); ++i) {
        if (json[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

} // namespace

QByteArray ZPTagJsonFromDocument(const ZPZervDialogDocument& document) {
    static const char digits[] = "0123456789abcdef";
    std::string out = "{\n";
    out += "  \"header_version\": " + std::to_string(document.header_version()) + ",\n";
    out += "  \"header\": \"";
    for (const uint8_t b : document.header().bytes) {
        out += digits[b >> 4];
        out += digits[b & 0xF];
    }
    out += "\",\n  \"tag_name\": ";
    appendString(out, document.tagName().value_or(std::string()));
    out += ",\n  \"subgroup\": ";
    appendCode(out, document.subgroup());

    const ZPDialogRecord& dialog = document.dialog();
    out += ",\n  \"dialog\": {\"version\": " + std::to_string(dialog.version()) +
           ", \"control_count\": " + std::to_string(dialog.control_count()) + ", \"bounds\": ";
    appendBounds(out, dialog.bounds());
    out += "},\n  \"controls\": [";

    const auto& controls = document.controls();
    for (size_t i = 0; i < controls.size(); ++i) {
        const ZPControlRecord& c = controls[i]->data();
        out += i == 0 ? "\n    {\"tag\": " : ",\n    {\"tag\": ";
        appendCode(out, c.tag());
        out += ", \"padding\": " + std::to_string(c.padding()) +
               ", \"item_id\": " + std::to_string(c.item_id()) + ", \"bitmap_ids\": [" +
               std::to_string(c.bitmap_id(0)) + ", " + std::to_string(c.bitmap_id(1)) +
               "], \"flags\": " + std::to_string(c.flags()) +
               ", \"state\": " + std::to_string(c.state()) + ", \"bounds\": ";
        appendBounds(out, c.bounds());
        out += ", \"text\": ";
        appendString(out, controls[i]->string());
        out += "}";
    }
    out += controls.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return QByteArray::fromStdString(out);
}

bool ZPTagJsonToFile(const QByteArray& json, std::vector<uint8_t>& file, QString& error) {
    Reader r;
    const auto finish = [&] {
        error = r.error;
        return false;
    };

    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        r.fail(QString(),
               QStringLiteral("not valid JSON at %1: %2")
                   .arg(parseErrorPlace(json, parseError.offset), parseError.errorString()));
        return finish();
    }

    static const QStringList topKeys = {
        QStringLiteral("header_version"), QStringLiteral("header"), QStringLiteral("tag_name"),
        QStringLiteral("subgroup"),       QStringLiteral("dialog"), QStringLiteral("controls")};
    QJsonObject top;
    if (!r.object(doc.isObject() ? QJsonValue(doc.object()) : QJsonValue(doc.array()), QString(),
                  topKeys, {}, top))
        return finish();

    int64_t headerVersion = 0;
    ZPTagHeader header;
    if (!r.integer(top.value(QLatin1String("header_version")), QStringLiteral("header_version"), 1,
                   2, headerVersion) ||
        !readHeader(r, top.value(QLatin1String("header")), header))
        return finish();
    if (uint32_t(headerVersion) != header.headerVersion()) {
        r.fail(QStringLiteral("header_version"),
               QStringLiteral("%1 does not match the header's signature '%2', which gives %3")
                   .arg(headerVersion)
                   .arg(QString::fromStdString(ZPFourCharCodeBytes(header.signature())))
                   .arg(header.headerVersion()));
        return finish();
    }

    std::string tagName, tagNameBytes;
    uint32_t subgroup = 0;
    if (!r.text(top.value(QLatin1String("tag_name")), QStringLiteral("tag_name"), tagName,
                tagNameBytes) ||
        !r.code(top.value(QLatin1String("subgroup")), QStringLiteral("subgroup"), subgroup))
        return finish();

    const QString dialogPlace = QStringLiteral("dialog");
    QJsonObject dialogObject;
    ZPDialogRecord dialog;
    int16_t version = 0;
    ZPBounds bounds;
    if (!r.object(top.value(dialogPlace), dialogPlace,
                  {QStringLiteral("version"), QStringLiteral("bounds")},
                  {QStringLiteral("control_count")}, dialogObject) ||
        !r.int16(dialogObject.value(QLatin1String("version")), QStringLiteral("dialog.version"),
                 version) ||
        !r.bounds(dialogObject.value(QLatin1String("bounds")), QStringLiteral("dialog.bounds"),
                  bounds))
        return finish();

    const QJsonValue controlsValue = top.value(QLatin1String("controls"));
    if (!controlsValue.isArray()) {
        r.fail(QStringLiteral("controls"),
               QStringLiteral("expected an array, found ") + typeName(controlsValue));
        return finish();
    }
    const QJsonArray controlsArray = controlsValue.toArray();
    if (controlsArray.size() > ZPZervDialogDocument::kMaxControlCount) {
        r.fail(QStringLiteral("controls"),
               QStringLiteral("%1 controls, more than the %2 a file can hold")
                   .arg(controlsArray.size())
                   .arg(ZPZervDialogDocument::kMaxControlCount));
        return finish();
    }
    if (dialogObject.contains(QLatin1String("control_count"))) {
        int16_t count = 0;
        if (!r.int16(dialogObject.value(QLatin1String("control_count")),
                     QStringLiteral("dialog.control_count"), count))
            return finish();
        if (count != controlsArray.size()) {
            r.fail(QStringLiteral("dialog.control_count"),
                   QStringLiteral("%1 does not match the number of controls, %2")
                       .arg(count)
                       .arg(controlsArray.size()));
            return finish();
        }
    }

    std::vector<ZPTagFileControl> controls(size_t(controlsArray.size()));
    for (qsizetype i = 0; i < controlsArray.size(); ++i) {
        if (!readControl(r, controlsArray.at(i), Reader::index(QStringLiteral("controls"), i),
                         controls[size_t(i)]))
            return finish();
    }

    dialog.set_version(version);
    dialog.set_control_count(int16_t(controls.size()));
    dialog.set_bounds(bounds);

    // Name and subgroup go through the document so that they land exactly as the
    // editor would put them.
    std::vector<uint8_t> bytes;
    std::string writeError;
    ZPZervDialogDocument document;
    std::string loadError;
    if (!ZPTagFileWrite(header, dialog, controls, bytes, &writeError) ||
        !document.loadDataRepresentationOfType(bytes, std::string(), &loadError)) {
        r.fail(QString(), QString::fromStdString(writeError.empty() ? loadError : writeError));
        return finish();
    }
    // A name equal to the held one is left alone: rewriting it would put a NUL into a
    // name field that fills all 32 bytes.
    if (document.tagName() != tagName && !document.setTagName(tagName)) {
        r.fail(QStringLiteral("tag_name"), QStringLiteral("cannot be stored"));
        return finish();
    }
    document.setSubgroup(subgroup);
    if (!document.dataRepresentationOfType(std::string(), file, &writeError)) {
        r.fail(QString(), QString::fromStdString(writeError));
        return finish();
    }
    error.clear();
    return true;
}
