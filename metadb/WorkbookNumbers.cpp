#include "metadb/WorkbookNumbers.h"

#include "platform/Errors.h"

#include <QByteArray>
#include <QFile>

#include <zlib.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace metadb {

namespace {

platform::RuntimeError badWorkbook(const QString& why)
{
    return {platform::ErrPathFileAccess, QStringLiteral("The workbook could not be completed: ") + why};
}

quint32 get32(const QByteArray& b, qsizetype at)
{
    if (at < 0 || at + 4 > b.size())
        throw badWorkbook(QStringLiteral("the archive ends early"));
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}
quint16 get16(const QByteArray& b, qsizetype at)
{
    if (at < 0 || at + 2 > b.size())
        throw badWorkbook(QStringLiteral("the archive ends early"));
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return quint16(p[0] | p[1] << 8);
}
void put32(QByteArray& b, quint32 v)
{
    const char c[4] = {char(v & 0xff), char(v >> 8 & 0xff), char(v >> 16 & 0xff), char(v >> 24 & 0xff)};
    b.append(c, 4);
}
void put16(QByteArray& b, quint16 v)
{
    const char c[2] = {char(v & 0xff), char(v >> 8 & 0xff)};
    b.append(c, 2);
}

QByteArray inflateRaw(const QByteArray& data, qsizetype size)
{
    QByteArray out(size, Qt::Uninitialized);
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        throw badWorkbook(QStringLiteral("no inflater"));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    if (rc != Z_STREAM_END || z.total_out != static_cast<uLong>(size))
        throw badWorkbook(QStringLiteral("a worksheet cannot be read back"));
    return out;
}

QByteArray deflateRaw(const QByteArray& data)
{
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw badWorkbook(QStringLiteral("no deflater"));
    QByteArray out(static_cast<qsizetype>(deflateBound(&z, static_cast<uLong>(data.size()))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&z, Z_FINISH);
    deflateEnd(&z);
    if (rc != Z_STREAM_END)
        throw badWorkbook(QStringLiteral("a worksheet cannot be compressed"));
    out.resize(static_cast<qsizetype>(z.total_out));
    return out;
}

// The sheet's XML with each number cell's value text replaced.
QByteArray withNumbers(const QByteArray& xml, const std::vector<double>& values)
{
    QByteArray out;
    out.reserve(xml.size() + xml.size() / 8);
    size_t next = 0;
    qsizetype at = 0;       // copied up to here
    qsizetype search = 0;   // looked at up to here
    for (;;) {
        const qsizetype cell = xml.indexOf("<c ", search);
        if (cell < 0)
            break;
        const qsizetype tagEnd = xml.indexOf('>', cell);
        if (tagEnd < 0)
            throw badWorkbook(QStringLiteral("a cell is cut short"));
        // A number cell has no type and a value; texts, true/false and
        // empty styled cells are left as they are.
        const qsizetype type = xml.indexOf(" t=\"", cell);
        if (xml.at(tagEnd - 1) == '/' || (type >= 0 && type < tagEnd)) {
            search = tagEnd + 1;
            continue;
        }
        const qsizetype v = xml.indexOf("<v>", tagEnd);
        const qsizetype vEnd = v < 0 ? -1 : xml.indexOf("</v>", v);
        const qsizetype close = xml.indexOf("</c>", tagEnd);
        if (v < 0 || vEnd < 0 || close < 0 || v > close)
            throw badWorkbook(QStringLiteral("a number cell has no value"));
        if (next >= values.size())
            throw badWorkbook(QStringLiteral("more number cells than numbers written"));
        const double value = values[next++];
        // The text there must be this number as the library writes it.
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.16G", value);
        if (QByteArrayView(xml.constData() + v + 3, vEnd - v - 3) != QByteArrayView(expected))
            throw badWorkbook(QStringLiteral("the number cells are not in the order written"));
        out.append(xml.constData() + at, v + 3 - at);
        out.append(shortestNumberText(value).toLatin1());
        at = vEnd;
        search = vEnd;
    }
    if (next != values.size())
        throw badWorkbook(QStringLiteral("fewer number cells than numbers written"));
    out.append(xml.constData() + at, xml.size() - at);
    return out;
}

} // namespace

QString shortestNumberText(double value)
{
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, r.ptr - buffer);
}

bool sixteenDigitsSuffice(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.16G", value);
    return std::strtod(buffer, nullptr) == value;
}

void rewriteNumbers(const QString& path, const std::vector<SheetNumbers>& sheets)
{
    if (sheets.empty())
        return;
    QByteArray zip;
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            throw badWorkbook(f.errorString());
        zip = f.readAll();
    }
    // The end record, then the central directory it points to.
    qsizetype end = zip.size() - 22;
    while (end >= 0 && get32(zip, end) != 0x06054b50)
        --end;
    if (end < 0)
        throw badWorkbook(QStringLiteral("no archive directory"));
    const int entries = get16(zip, end + 10);
    const qsizetype directory = get32(zip, end + 16);

    QByteArray out;
    QByteArray central;
    out.reserve(zip.size() + zip.size() / 4);
    qsizetype at = directory;
    for (int i = 0; i < entries; ++i) {
        if (get32(zip, at) != 0x02014b50)
            throw badWorkbook(QStringLiteral("a damaged archive directory"));
        const quint16 method = get16(zip, at + 10);
        const quint16 time = get16(zip, at + 12);
        const quint16 date = get16(zip, at + 14);
        quint32 crc = get32(zip, at + 16);
        quint32 packed = get32(zip, at + 20);
        quint32 size = get32(zip, at + 24);
        const quint16 nameLength = get16(zip, at + 28);
        const quint16 extraLength = get16(zip, at + 30);
        const quint16 commentLength = get16(zip, at + 32);
        const quint32 local = get32(zip, at + 42);
        const QByteArray name = zip.mid(at + 46, nameLength);
        at += 46 + nameLength + extraLength + commentLength;
        if (packed == 0xffffffffu || size == 0xffffffffu || local == 0xffffffffu)
            throw badWorkbook(QStringLiteral("an archive too large"));
        const qsizetype data = local + 30 + get16(zip, local + 26) + get16(zip, local + 28);
        QByteArray content = zip.mid(data, packed);
        if (content.size() != qsizetype(packed))
            throw badWorkbook(QStringLiteral("the archive ends early"));

        quint16 newMethod = method;
        for (const SheetNumbers& s : sheets) {
            if (name != QByteArray("xl/worksheets/sheet") + QByteArray::number(s.sheet) + ".xml")
                continue;
            QByteArray xml = method == 8 ? inflateRaw(content, size) : content;
            xml = withNumbers(xml, s.values);
            crc = static_cast<quint32>(::crc32(0L, reinterpret_cast<const Bytef*>(xml.constData()),
                                               static_cast<uInt>(xml.size())));
            size = static_cast<quint32>(xml.size());
            content = deflateRaw(xml);
            packed = static_cast<quint32>(content.size());
            newMethod = 8;
        }

        const quint32 offset = static_cast<quint32>(out.size());
        put32(out, 0x04034b50);
        put16(out, 20);
        put16(out, 0);   // sizes given here, no data descriptor
        put16(out, newMethod);
        put16(out, time);
        put16(out, date);
        put32(out, crc);
        put32(out, packed);
        put32(out, size);
        put16(out, nameLength);
        put16(out, 0);
        out.append(name);
        out.append(content);

        put32(central, 0x02014b50);
        put16(central, 20);
        put16(central, 20);
        put16(central, 0);
        put16(central, newMethod);
        put16(central, time);
        put16(central, date);
        put32(central, crc);
        put32(central, packed);
        put32(central, size);
        put16(central, nameLength);
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put32(central, 0);
        put32(central, offset);
        central.append(name);
    }
    const quint32 centralAt = static_cast<quint32>(out.size());
    out.append(central);
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<quint16>(entries));
    put16(out, static_cast<quint16>(entries));
    put32(out, static_cast<quint32>(central.size()));
    put32(out, centralAt);
    put16(out, 0);

    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(out) != out.size())
        throw badWorkbook(f.errorString());
}

} // namespace metadb
