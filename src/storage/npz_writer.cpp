#include "storage/npz_writer.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <limits>
#include <optional>
#include <set>
#include <stdexcept>
#include <utility>

#include "storage/byte_sink.h"

namespace nitka {
namespace {

// NumPy's own limit before 2.0, so every NumPy reads what is written; it also
// keeps every header far inside the 65535 bytes of .npy format 1.0.
constexpr std::size_t kMaxDimensions = 32;
// NumPy sizes arrays in a signed 64-bit count of bytes.
constexpr std::uint64_t kMaxArrayBytes = std::numeric_limits<std::int64_t>::max();
// NumPy starts the data at a multiple of this, so it can be mapped straight.
constexpr std::size_t kNpyAlignment = 64;
// Version 1.0: its 2-byte header length fits any header of 32 dimensions.
constexpr std::string_view kNpyMagic("\x93NUMPY\x01\x00", 8);
constexpr std::size_t kNpyPrefixBytes = kNpyMagic.size() + 2;  // and the header's length

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
// 4.5, the first with ZIP64; as "made by", the high byte 0 says MS-DOS, whose
// attributes are all zero here.
constexpr std::uint16_t kZipVersion = 45;
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDosTime = 0;             // 00:00:00
constexpr std::uint16_t kDosDate = (1 << 5) | 1;  // 1980-01-01, DOS time's first day
constexpr std::uint32_t kInZip64 = 0xFFFFFFFF;    // the value is in the ZIP64 extra field
constexpr std::uint16_t kZip64ExtraId = 1;
constexpr std::uint16_t kLocalZip64Bytes = 2 * 8;    // both sizes
constexpr std::uint16_t kCentralZip64Bytes = 3 * 8;  // both sizes and the header's offset
constexpr std::uint64_t kZip64EndRestBytes = 44;     // what follows the record's size field

// Little-endian fields gathered into one header.
class Record {
public:
    Record& u16(std::uint16_t value) { return little(value, 2); }
    Record& u32(std::uint32_t value) { return little(value, 4); }
    Record& u64(std::uint64_t value) { return little(value, 8); }
    Record& text(std::string_view part) {
        m_bytes += part;
        return *this;
    }
    const std::string& bytes() const { return m_bytes; }

private:
    Record& little(std::uint64_t value, int count) {
        for (int byte = 0; byte < count; ++byte) {
            m_bytes += static_cast<char>(value >> (8 * byte) & 0xFF);
        }
        return *this;
    }

    std::string m_bytes;
};

// An array as it goes into the archive, checked.
struct Entry {
    std::string fileName;
    std::string npyHeader;
    std::string_view data;

    std::uint64_t npyBytes() const { return npyHeader.size() + data.size(); }
};

// Where an entry went and what it holds, for the central directory.
struct Written {
    std::uint64_t offset;
    std::uint32_t crc;
};

[[noreturn]] void refuse(const NpyArray& array, const std::string& why) {
    throw std::invalid_argument("npz array '" + array.name + "': " + why);
}

void checkName(const NpyArray& array) {
    if (array.name.empty()) {
        refuse(array, "the name is empty");
    }
    // ZIP names without the UTF-8 flag are read as code page 437: only ASCII
    // reads back the same everywhere.
    const bool printable = std::all_of(array.name.begin(), array.name.end(),
                                       [](char c) { return c >= 0x20 && c < 0x7F; });
    if (!printable) {
        refuse(array, "the name is not printable ASCII");
    }
    if (array.name.size() > UINT16_MAX - std::string_view(".npy").size()) {
        refuse(array, "the name is too long");
    }
}

void checkUniqueNames(std::span<const NpyArray> arrays) {
    std::set<std::string_view> names;
    for (const NpyArray& array : arrays) {
        if (!names.insert(array.name).second) {
            refuse(array, "the name is used twice");
        }
    }
}

bool isIntegerSize(int bytes) {
    return bytes == 1 || bytes == 2 || bytes == 4 || bytes == 8;
}

// NumPy's dtype text: no byte order for single bytes, as NumPy writes it.
std::string dtypeText(const NpyArray& array) {
    const int bytes = array.itemBytes;
    const std::string size = std::to_string(bytes);
    switch (array.kind) {
        case 'b':
            if (bytes == 1) {
                return "|b1";
            }
            break;
        case 'i':
        case 'u':
            if (isIntegerSize(bytes)) {
                return (bytes == 1 ? "|" : "<") + std::string(1, array.kind) + size;
            }
            break;
        case 'f':
            if (bytes == 2 || bytes == 4 || bytes == 8) {
                return "<f" + size;
            }
            break;
        case 'U':
            if (bytes > 0 && bytes % 4 == 0) {
                return "<U" + std::to_string(bytes / 4);
            }
            break;
        default:
            refuse(array, "no dtype of kind '" + std::string(1, array.kind) + "'");
    }
    refuse(array,
           "no dtype of kind '" + std::string(1, array.kind) + "' with " + size + "-byte items");
}

std::uint64_t dataBytes(const NpyArray& array) {
    if (array.shape.size() > kMaxDimensions) {
        refuse(array, "more than 32 dimensions");
    }
    auto bytes = static_cast<std::uint64_t>(array.itemBytes);
    for (const std::int64_t size : array.shape) {
        if (size < 0) {
            refuse(array, "a negative size");
        }
        const auto extent = static_cast<std::uint64_t>(size);
        if (extent != 0 && bytes > kMaxArrayBytes / extent) {
            refuse(array, "too large for NumPy");
        }
        bytes *= extent;
    }
    return bytes;
}

// Python's text of the shape tuple: "()", "(5,)", "(3, 2)".
std::string shapeText(const std::vector<std::int64_t>& shape) {
    std::string text = "(";
    for (std::size_t axis = 0; axis < shape.size(); ++axis) {
        text += (axis == 0 ? "" : ", ") + std::to_string(shape[axis]);
    }
    return text + (shape.size() == 1 ? ",)" : ")");
}

// Magic, version 1.0, length and the dict, padded with spaces up to the
// newline that ends it so that the data starts aligned.
std::string npyHeader(const NpyArray& array, const std::string& dtype) {
    std::string dict = "{'descr': '" + dtype +
                       "', 'fortran_order': False, 'shape': " + shapeText(array.shape) + ", }";
    const std::size_t unpadded = kNpyPrefixBytes + dict.size() + 1;
    dict.append((kNpyAlignment - unpadded % kNpyAlignment) % kNpyAlignment, ' ');
    dict += '\n';
    return Record().text(kNpyMagic).u16(static_cast<std::uint16_t>(dict.size())).text(dict).bytes();
}

Entry checkedEntry(const NpyArray& array) {
    checkName(array);
    const std::string dtype = dtypeText(array);
    if (dataBytes(array) != array.data.size()) {
        refuse(array, "the data is " + std::to_string(array.data.size()) + " bytes, the shape " +
                          shapeText(array.shape) + " of " + dtype + " needs " +
                          std::to_string(dataBytes(array)));
    }
    return {array.name + ".npy",
            npyHeader(array, dtype),
            {reinterpret_cast<const char*>(array.data.data()), array.data.size()}};
}

// Every array checked before a byte is written, so that a refused one never
// leaves half an archive behind.
std::vector<Entry> checkedEntries(std::span<const NpyArray> arrays) {
    checkUniqueNames(arrays);
    std::vector<Entry> entries;
    entries.reserve(arrays.size());
    for (const NpyArray& array : arrays) {
        entries.push_back(checkedEntry(array));
    }
    return entries;
}

std::uint32_t crcAfter(std::uint32_t crc, std::string_view bytes) {
    // zlib answers 0 for a null buffer, whatever the CRC so far.
    if (bytes.empty()) {
        return crc;
    }
    return static_cast<std::uint32_t>(
        crc32_z(crc, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
}

std::uint32_t entryCrc(const Entry& entry) {
    return crcAfter(crcAfter(0, entry.npyHeader), entry.data);
}

std::string localHeader(const Entry& entry, std::uint32_t crc) {
    return Record()
        .u32(kLocalHeaderSignature)
        .u16(kZipVersion)
        .u16(0)  // flags
        .u16(kStored)
        .u16(kDosTime)
        .u16(kDosDate)
        .u32(crc)
        .u32(kInZip64)
        .u32(kInZip64)
        .u16(static_cast<std::uint16_t>(entry.fileName.size()))
        .u16(4 + kLocalZip64Bytes)
        .text(entry.fileName)
        .u16(kZip64ExtraId)
        .u16(kLocalZip64Bytes)
        .u64(entry.npyBytes())  // uncompressed, then compressed: stored, the same
        .u64(entry.npyBytes())
        .bytes();
}

std::string centralHeader(const Entry& entry, const Written& written) {
    return Record()
        .u32(kCentralHeaderSignature)
        .u16(kZipVersion)  // made by
        .u16(kZipVersion)  // needed
        .u16(0)            // flags
        .u16(kStored)
        .u16(kDosTime)
        .u16(kDosDate)
        .u32(written.crc)
        .u32(kInZip64)
        .u32(kInZip64)
        .u16(static_cast<std::uint16_t>(entry.fileName.size()))
        .u16(4 + kCentralZip64Bytes)
        .u16(0)  // comment
        .u16(0)  // disk
        .u16(0)  // internal attributes
        .u32(0)  // external attributes
        .u32(kInZip64)
        .text(entry.fileName)
        .u16(kZip64ExtraId)
        .u16(kCentralZip64Bytes)
        .u64(entry.npyBytes())
        .u64(entry.npyBytes())
        .u64(written.offset)
        .bytes();
}

std::uint16_t fit16(std::uint64_t value) {
    return static_cast<std::uint16_t>(std::min<std::uint64_t>(value, UINT16_MAX));
}

std::uint32_t fit32(std::uint64_t value) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, UINT32_MAX));
}

// The ZIP64 end record and its locator, then the classic end record with the
// values that fit it, for readers that know no ZIP64. An archive of no arrays
// has only the classic record: numpy.load knows an .npz by its first bytes,
// and an empty one by that record's signature.
std::string endRecords(std::uint64_t count, std::uint64_t directoryOffset,
                       std::uint64_t directorySize) {
    Record records;
    if (count > 0) {
        records.u32(kZip64EndSignature)
            .u64(kZip64EndRestBytes)
            .u16(kZipVersion)
            .u16(kZipVersion)
            .u32(0)  // this disk
            .u32(0)  // the directory's disk
            .u64(count)
            .u64(count)
            .u64(directorySize)
            .u64(directoryOffset)
            .u32(kZip64LocatorSignature)
            .u32(0)                                // the ZIP64 end record's disk
            .u64(directoryOffset + directorySize)  // where it starts
            .u32(1);                               // disks
    }
    records.u32(kEndSignature)
        .u16(0)  // this disk
        .u16(0)  // the directory's disk
        .u16(fit16(count))
        .u16(fit16(count))
        .u32(fit32(directorySize))
        .u32(fit32(directoryOffset))
        .u16(0);  // comment
    return records.bytes();
}

[[noreturn]] void refuseText(const std::string& name, const std::string& why) {
    throw std::invalid_argument("npz text '" + name + "': " + why);
}

// The lead byte's sequence length and value bits, and the least code point
// that needs that length: a smaller one would be an overlong form, which
// could smuggle in a character the text was checked not to hold.
struct Utf8Lead {
    int length;
    char32_t bits;
    char32_t least;
};

std::optional<Utf8Lead> utf8Lead(unsigned char lead) {
    if (lead < 0x80) {
        return Utf8Lead{1, lead, 0};
    }
    if ((lead & 0xE0) == 0xC0) {
        return Utf8Lead{2, lead & 0x1Fu, 0x80};
    }
    if ((lead & 0xF0) == 0xE0) {
        return Utf8Lead{3, lead & 0x0Fu, 0x800};
    }
    if ((lead & 0xF8) == 0xF0) {
        return Utf8Lead{4, lead & 0x07u, 0x10000};
    }
    return std::nullopt;
}

bool isScalarValue(char32_t code) {
    return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

// The code point at text[at], moving at past it; nullopt for anything but
// the shortest UTF-8 of a Unicode scalar value.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = utf8Lead(static_cast<unsigned char>(text[at]));
    if (!lead || text.size() - at < static_cast<std::size_t>(lead->length)) {
        return std::nullopt;
    }
    char32_t code = lead->bits;
    for (int next = 1; next < lead->length; ++next) {
        const auto byte = static_cast<unsigned char>(text[at + static_cast<std::size_t>(next)]);
        if ((byte & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = code << 6 | (byte & 0x3Fu);
    }
    if (code < lead->least || !isScalarValue(code)) {
        return std::nullopt;
    }
    at += static_cast<std::size_t>(lead->length);
    return code;
}

void appendUtf32(std::vector<std::byte>& bytes, char32_t code) {
    for (int byte = 0; byte < 4; ++byte) {
        bytes.push_back(static_cast<std::byte>(code >> (8 * byte) & 0xFF));
    }
}

std::vector<std::byte> utf32Text(const std::string& name, std::string_view utf8) {
    std::vector<std::byte> bytes;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::optional<char32_t> code = nextCodePoint(utf8, at);
        if (!code) {
            refuseText(name, "not UTF-8 at byte " + std::to_string(at));
        }
        if (*code == 0) {
            refuseText(name, "a NUL at byte " + std::to_string(at - 1));
        }
        appendUtf32(bytes, *code);
    }
    if (bytes.size() > INT_MAX) {
        refuseText(name, "too long for NumPy");
    }
    // NumPy has no text of no characters; '' is one NUL, cut off on reading.
    if (bytes.empty()) {
        appendUtf32(bytes, 0);
    }
    return bytes;
}

}  // namespace

NpyText::NpyText(std::string name, std::string_view utf8)
    : m_name(std::move(name)), m_utf32(utf32Text(m_name, utf8)) {}

NpyArray NpyText::array() const {
    return {m_name, 'U', static_cast<int>(m_utf32.size()), {}, m_utf32};
}

void writeNpz(std::streambuf& out, std::span<const NpyArray> arrays) {
    const std::vector<Entry> entries = checkedEntries(arrays);
    ByteSink sink(out);
    std::vector<Written> written;
    written.reserve(entries.size());
    std::uint64_t offset = 0;
    for (const Entry& entry : entries) {
        written.push_back({offset, entryCrc(entry)});
        const std::string header = localHeader(entry, written.back().crc);
        sink.put(header);
        sink.put(entry.npyHeader);
        sink.put(entry.data);
        offset += header.size() + entry.npyBytes();
    }
    const std::uint64_t directoryOffset = offset;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const std::string header = centralHeader(entries[index], written[index]);
        sink.put(header);
        offset += header.size();
    }
    sink.put(endRecords(entries.size(), directoryOffset, offset - directoryOffset));
    sink.flush();
}

std::uint64_t npzBytes(std::span<const NpyArray> arrays) {
    // The headers themselves, so that the count can never drift from them.
    std::uint64_t bytes = 0;
    std::uint64_t directoryBytes = 0;
    for (const Entry& entry : checkedEntries(arrays)) {
        bytes += localHeader(entry, 0).size() + entry.npyBytes();
        directoryBytes += centralHeader(entry, {}).size();
    }
    return bytes + directoryBytes + endRecords(arrays.size(), bytes, directoryBytes).size();
}

}  // namespace nitka
