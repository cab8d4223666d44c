#include "art/PictureDetails.h"

#include <QIODevice>
#include <QtEndian>

#include <optional>

namespace tessel {

namespace {

// No metadata block worth reading is larger; bigger ones are skipped.
constexpr qint64 maxBlockBytes = 1 << 20;
// A walk ends after this many segments or chunks, whatever the file claims.
constexpr int maxBlocks = 4096;

constexpr quint16 tagImageDescription = 0x010E;
constexpr quint16 tagArtist = 0x013B;
constexpr quint16 tagExifIfd = 0x8769;
constexpr quint16 tagDateTimeOriginal = 0x9003;
constexpr quint16 typeAscii = 2;
constexpr int ifdEntryBytes = 12;

// A TIFF structure (EXIF's container) held in memory, read with bounds checks.
class Tiff {
public:
    explicit Tiff(QByteArray bytes)
        : m_bytes(std::move(bytes))
        , m_little(m_bytes.startsWith("II")) {}

    bool valid() const { return (m_little || m_bytes.startsWith("MM")) && u16(2) == 42; }
    std::optional<quint32> firstIfd() const { return u32(4); }

    // The ASCII value of a tag in the directory at offset, or its LONG value as an offset.
    std::optional<QByteArray> text(quint32 ifd, quint16 tag) const {
        const auto entry = find(ifd, tag);
        if (!entry || u16(*entry + 2) != typeAscii) {
            return std::nullopt;
        }
        const auto count = u32(*entry + 4);
        const auto at = count && *count > 4 ? u32(*entry + 8) : std::optional<quint32>(*entry + 8);
        if (!count || !at || qint64(*at) + *count > m_bytes.size()) {
            return std::nullopt;
        }
        return QByteArray(m_bytes.constData() + *at, *count).split('\0').front().trimmed();
    }
    std::optional<quint32> offset(quint32 ifd, quint16 tag) const {
        const auto entry = find(ifd, tag);
        return entry ? u32(*entry + 8) : std::nullopt;
    }

private:
    std::optional<quint32> find(quint32 ifd, quint16 tag) const {
        const auto entries = u16(ifd);
        for (quint32 i = 0; entries && i < *entries; ++i) {
            const quint32 entry = ifd + 2 + i * ifdEntryBytes;
            const auto found = u16(entry);
            if (!found) {
                return std::nullopt;
            }
            if (*found == tag) {
                return entry;
            }
        }
        return std::nullopt;
    }
    template <typename T> std::optional<T> number(quint32 at) const {
        if (qint64(at) + qint64(sizeof(T)) > m_bytes.size()) {
            return std::nullopt;
        }
        const char* p = m_bytes.constData() + at;
        return m_little ? qFromLittleEndian<T>(p) : qFromBigEndian<T>(p);
    }
    std::optional<quint16> u16(quint32 at) const { return number<quint16>(at); }
    std::optional<quint32> u32(quint32 at) const { return number<quint32>(at); }

    QByteArray m_bytes;
    bool m_little;
};

// Camera makers fill the description with their own name ("OLYMPUS DIGITAL CAMERA").
bool isCameraBoilerplate(const QString& text) {
    return text.toUpper() == text && text.toLower() != text;
}

void readExif(QByteArray bytes, PictureDetails& details) {
    if (bytes.startsWith(QByteArrayLiteral("Exif\0\0"))) {
        bytes.remove(0, 6);
    }
    const Tiff tiff(std::move(bytes));
    const auto ifd = tiff.firstIfd();
    if (!tiff.valid() || !ifd) {
        return;
    }
    if (const auto artist = tiff.text(*ifd, tagArtist)) {
        details.artist = QString::fromUtf8(*artist);
    }
    if (const auto description = tiff.text(*ifd, tagImageDescription);
        description && details.title.isEmpty()) {
        const QString title = QString::fromUtf8(*description);
        details.title = isCameraBoilerplate(title) ? QString() : title;
    }
    const auto exif = tiff.offset(*ifd, tagExifIfd);
    const auto taken = exif ? tiff.text(*exif, tagDateTimeOriginal) : std::nullopt;
    if (taken && taken->size() >= 4) {
        const QString year = QString::fromLatin1(taken->left(4));
        bool number = false;
        if (year.toInt(&number) > 0 && number) {
            details.year = year;
        }
    }
}

QString xmlText(QByteArray text) {
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'");
    return QString::fromUtf8(text.replace("&amp;", "&")).trimmed();
}

// The first rdf:li of dc:title: the default language comes first by convention.
void readXmp(const QByteArray& xmp, PictureDetails& details) {
    const qsizetype title = xmp.indexOf("<dc:title");
    const qsizetype item = title < 0 ? -1 : xmp.indexOf("<rdf:li", title);
    const qsizetype start = item < 0 ? -1 : xmp.indexOf('>', item);
    const qsizetype end = start < 0 ? -1 : xmp.indexOf('<', start);
    if (end > start) {
        const QString text = xmlText(xmp.mid(start + 1, end - start - 1));
        if (!text.isEmpty()) {
            details.title = text;
        }
    }
}

std::optional<QByteArray> readBlock(QIODevice& file, qint64 size) {
    if (size < 0 || size > maxBlockBytes || file.pos() + size > file.size()) {
        return std::nullopt;
    }
    QByteArray block = file.read(size);
    return block.size() == size ? std::optional(block) : std::nullopt;
}

bool skip(QIODevice& file, qint64 size) {
    return size >= 0 && file.pos() + size <= file.size() && file.seek(file.pos() + size);
}

void readJpeg(QIODevice& file, PictureDetails& details) {
    constexpr char startOfScan = '\xDA';
    static const QByteArray xmpName("http://ns.adobe.com/xap/1.0/\0", 29);
    file.seek(2);
    std::optional<QByteArray> exif;
    for (int i = 0; i < maxBlocks; ++i) {
        const QByteArray marker = file.read(4);
        if (marker.size() < 4 || marker[0] != '\xFF' || marker[1] == startOfScan) {
            break;
        }
        const qint64 length = qFromBigEndian<quint16>(marker.constData() + 2) - 2;
        if (marker[1] != '\xE1') {
            if (!skip(file, length)) {
                break;
            }
            continue;
        }
        const auto block = readBlock(file, length);
        if (!block) {
            break;
        }
        if (block->startsWith(xmpName)) {
            readXmp(*block, details);
        } else if (block->startsWith("Exif")) {
            exif = block;
        }
    }
    if (exif) {
        readExif(*exif, details);
    }
}

void readPng(QIODevice& file, PictureDetails& details) {
    static const QByteArray xmpKeyword("XML:com.adobe.xmp\0", 18);
    constexpr int crcBytes = 4;
    file.seek(8);
    std::optional<QByteArray> exif;
    for (int i = 0; i < maxBlocks; ++i) {
        const QByteArray header = file.read(8);
        if (header.size() < 8) {
            break;
        }
        const qint64 length = qFromBigEndian<quint32>(header.constData());
        const QByteArray type = header.mid(4);
        if (type == "IEND") {
            break;
        }
        if (type != "eXIf" && type != "iTXt") {
            if (!skip(file, length + crcBytes)) {
                break;
            }
            continue;
        }
        const auto block = readBlock(file, length);
        if (!block || !skip(file, crcBytes)) {
            break;
        }
        // iTXt: keyword, then compression flag and method, language and translated keyword.
        if (type == "eXIf") {
            exif = block;
        } else if (block->startsWith(xmpKeyword) && block->size() > xmpKeyword.size() &&
                   block->at(xmpKeyword.size()) == '\0') {
            readXmp(*block, details);
        }
    }
    if (exif) {
        readExif(*exif, details);
    }
}

void readWebp(QIODevice& file, PictureDetails& details) {
    file.seek(12);
    std::optional<QByteArray> exif;
    for (int i = 0; i < maxBlocks; ++i) {
        const QByteArray header = file.read(8);
        if (header.size() < 8) {
            break;
        }
        const qint64 length = qFromLittleEndian<quint32>(header.constData() + 4);
        const qint64 padding = length % 2;
        const QByteArray type = header.left(4);
        if (type != "EXIF" && type != "XMP ") {
            if (!skip(file, length + padding)) {
                break;
            }
            continue;
        }
        const auto block = readBlock(file, length);
        if (!block || !skip(file, padding)) {
            break;
        }
        if (type == "EXIF") {
            exif = block;
        } else {
            readXmp(*block, details);
        }
    }
    if (exif) {
        readExif(*exif, details);
    }
}

} // namespace

PictureDetails readPictureDetails(QIODevice& file) {
    PictureDetails details;
    if (!file.isOpen() || file.isSequential() || !file.seek(0)) {
        return details;
    }
    const QByteArray magic = file.read(12);
    if (magic.startsWith("\xFF\xD8")) {
        readJpeg(file, details);
    } else if (magic.startsWith("\x89PNG\r\n\x1A\n")) {
        readPng(file, details);
    } else if (magic.startsWith("RIFF") && magic.mid(8) == "WEBP") {
        readWebp(file, details);
    }
    return details;
}

} // namespace tessel
