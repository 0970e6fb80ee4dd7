#include "metadb/WorkbookNumbers.h"

#include "platform/Errors.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryFile>

#include <unzip.h>
#include <zip.h>

#include <algorithm>
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

// The archive being read, closed on every path out.
struct ArchiveIn {
    unzFile file = nullptr;
    explicit ArchiveIn(const QString& path) : file(unzOpen64(QFile::encodeName(path).constData())) {}
    ~ArchiveIn()
    {
        if (file)
            unzClose(file);
    }
    ArchiveIn(const ArchiveIn&) = delete;
    ArchiveIn& operator=(const ArchiveIn&) = delete;
};

// The archive being written; close() finishes it, the destructor abandons it.
struct ArchiveOut {
    zipFile file = nullptr;
    explicit ArchiveOut(const QString& path)
        : file(zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE))
    {
    }
    ~ArchiveOut()
    {
        if (file)
            zipClose(file, nullptr);
    }
    void close()
    {
        const int rc = zipClose(file, nullptr);
        file = nullptr;
        if (rc != ZIP_OK)
            throw badWorkbook(QStringLiteral("the archive cannot be finished"));
    }
    ArchiveOut(const ArchiveOut&) = delete;
    ArchiveOut& operator=(const ArchiveOut&) = delete;
};

// The current entry's bytes: its packed data when raw, else its content.
QByteArray readEntry(unzFile in, bool raw, qsizetype size, int& method, int& level)
{
    if (unzOpenCurrentFile2(in, &method, &level, raw ? 1 : 0) != UNZ_OK)
        throw badWorkbook(QStringLiteral("a damaged archive directory"));
    QByteArray data(size, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < size) {
        const unsigned chunk = static_cast<unsigned>(std::min<qsizetype>(size - got, 1 << 20));
        const int n = unzReadCurrentFile(in, data.data() + got, chunk);
        if (n <= 0)
            break;
        got += n;
    }
    // Closing checks the content's checksum once all of it was read.
    const int closed = unzCloseCurrentFile(in);
    if (got != size || (!raw && closed != UNZ_OK))
        throw badWorkbook(raw ? QStringLiteral("the archive ends early")
                              : QStringLiteral("a worksheet cannot be read back"));
    return data;
}

void writeEntry(zipFile out, const char* name, const zip_fileinfo& info, const QByteArray& data, int method,
                int level, bool raw, uLong crc, ZPOS64_T size)
{
    // No ZIP64 records: a workbook of this export stays far below 4 GB.
    if (zipOpenNewFileInZip4_64(out, name, &info, nullptr, 0, nullptr, 0, nullptr, method, level, raw ? 1 : 0,
                                -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0, 0, 0) != ZIP_OK ||
        zipWriteInFileInZip(out, data.constData(), static_cast<unsigned>(data.size())) != ZIP_OK ||
        (raw ? zipCloseFileInZipRaw64(out, size, crc) : zipCloseFileInZip(out)) != ZIP_OK)
        throw badWorkbook(QStringLiteral("a worksheet cannot be compressed"));
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
    // The new archive is built beside the old one, then its bytes replace
    // the old one's.
    QTemporaryFile built(path + QStringLiteral(".XXXXXX"));
    if (!built.open())
        throw badWorkbook(built.errorString());
    built.close();
    {
        ArchiveIn in(path);
        if (!in.file)
            throw badWorkbook(QStringLiteral("no archive directory"));
        ArchiveOut out(built.fileName());
        if (!out.file)
            throw badWorkbook(QStringLiteral("the archive cannot be written"));
        for (int rc = unzGoToFirstFile(in.file); rc != UNZ_END_OF_LIST_OF_FILE; rc = unzGoToNextFile(in.file)) {
            if (rc != UNZ_OK)
                throw badWorkbook(QStringLiteral("a damaged archive directory"));
            unz_file_info64 entry{};
            char name[512];
            if (unzGetCurrentFileInfo64(in.file, &entry, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK ||
                entry.size_filename >= sizeof name)
                throw badWorkbook(QStringLiteral("a damaged archive directory"));
            if (entry.compressed_size > 0x7fffffffu || entry.uncompressed_size > 0x7fffffffu)
                throw badWorkbook(QStringLiteral("an archive too large"));
            zip_fileinfo info{};
            info.dosDate = entry.dosDate;
            info.internal_fa = entry.internal_fa;
            info.external_fa = entry.external_fa;

            const SheetNumbers* numbers = nullptr;
            for (const SheetNumbers& s : sheets)
                if (QByteArray(name) == QByteArray("xl/worksheets/sheet") + QByteArray::number(s.sheet) + ".xml")
                    numbers = &s;
            int method = 0, level = 0;
            if (numbers) {
                const QByteArray xml =
                    readEntry(in.file, false, static_cast<qsizetype>(entry.uncompressed_size), method, level);
                writeEntry(out.file, name, info, withNumbers(xml, numbers->values), Z_DEFLATED, Z_BEST_SPEED,
                           false, 0, 0);
            } else {
                // Every other part is copied as it was packed.
                const QByteArray packed =
                    readEntry(in.file, true, static_cast<qsizetype>(entry.compressed_size), method, level);
                writeEntry(out.file, name, info, packed, method, level, true, entry.crc, entry.uncompressed_size);
            }
        }
        out.close();
    }
    QByteArray bytes;
    {
        QFile f(built.fileName());
        if (!f.open(QIODevice::ReadOnly))
            throw badWorkbook(f.errorString());
        bytes = f.readAll();
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw badWorkbook(f.errorString());
}

} // namespace metadb
