#include "storage/npz_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "storage/file_error.h"

namespace nitka {
namespace {

using namespace std::string_literals;

static_assert(std::endian::native == std::endian::little, "the arrays below are host bytes");

template <class T>
std::vector<std::byte> bytesOf(std::initializer_list<T> values) {
    std::vector<std::byte> bytes(values.size() * sizeof(T));
    std::memcpy(bytes.data(), std::data(values), bytes.size());
    return bytes;
}

std::string asText(std::span<const std::byte> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::uint64_t little(const std::string& bytes, std::size_t at, int count) {
    std::uint64_t value = 0;
    for (int byte = count - 1; byte >= 0; --byte) {
        value =
            value << 8 | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(byte)));
    }
    return value;
}

// The ZIP CRC-32 bit by bit, apart from the writer's.
std::uint32_t crc32Of(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = crc & 1 ? crc >> 1 ^ 0xEDB88320 : crc >> 1;
        }
    }
    return ~crc;
}

struct ZipEntry {
    std::string name;
    std::string contents;
};

// The entry whose central header starts at `at`, checked against its local
// header; `at` moves past the central header.
ZipEntry readEntry(const std::string& zip, std::size_t& at) {
    const std::size_t central = at;
    EXPECT_EQ(little(zip, at, 4), 0x02014b50u);
    EXPECT_EQ(little(zip, at + 6, 2), 45u);           // needed
    EXPECT_EQ(little(zip, at + 8, 4), 0u);            // flags, stored
    EXPECT_EQ(little(zip, at + 12, 4), 0x00210000u);  // 1980-01-01 00:00
    const auto crc = little(zip, at + 16, 4);
    EXPECT_EQ(little(zip, at + 20, 8), 0xFFFFFFFFFFFFFFFFu);
    const auto nameLength = little(zip, at + 28, 2);
    EXPECT_EQ(little(zip, at + 30, 2), 28u);
    EXPECT_EQ(little(zip, at + 42, 4), 0xFFFFFFFFu);
    const std::string name = zip.substr(at + 46, nameLength);
    const std::size_t extra = at + 46 + nameLength;
    EXPECT_EQ(little(zip, extra, 4), 0x00180001u);
    const auto size = little(zip, extra + 4, 8);
    EXPECT_EQ(little(zip, extra + 12, 8), size);
    const auto local = little(zip, extra + 20, 8);
    at = extra + 28;

    EXPECT_EQ(little(zip, local, 4), 0x04034b50u);
    EXPECT_EQ(zip.substr(local + 4, 22), zip.substr(central + 6, 22)) << name;
    EXPECT_EQ(little(zip, local + 28, 2), 20u);
    EXPECT_EQ(zip.substr(local + 30, nameLength), name);
    EXPECT_EQ(little(zip, local + 30 + nameLength, 4), 0x00100001u);
    EXPECT_EQ(little(zip, local + 34 + nameLength, 8), size);
    EXPECT_EQ(little(zip, local + 42 + nameLength, 8), size);
    std::string contents = zip.substr(local + 50 + nameLength, size);
    EXPECT_EQ(crc32Of(contents), crc) << name;
    return {name, std::move(contents)};
}

// Reads the archive the way an unzipping tool does, from the end records
// back; fails the test on any field out of place.
std::vector<ZipEntry> readZip(const std::string& zip) {
    const std::size_t end = zip.size() - 22;
    const std::size_t locator = end - 20;
    EXPECT_EQ(little(zip, end, 4), 0x06054b50u);
    EXPECT_EQ(little(zip, locator, 4), 0x07064b50u);
    EXPECT_EQ(little(zip, locator + 16, 4), 1u);  // disks
    const auto zip64End = little(zip, locator + 8, 8);
    EXPECT_EQ(zip64End + 56, locator);
    EXPECT_EQ(little(zip, zip64End, 4), 0x06064b50u);
    EXPECT_EQ(little(zip, zip64End + 4, 8), 44u);
    const auto count = little(zip, zip64End + 24, 8);
    const auto directorySize = little(zip, zip64End + 40, 8);
    const auto directory = little(zip, zip64End + 48, 8);
    EXPECT_EQ(little(zip, zip64End + 32, 8), count);
    EXPECT_EQ(directory + directorySize, zip64End);
    EXPECT_EQ(little(zip, end + 8, 2), std::min<std::uint64_t>(count, 0xFFFF));
    EXPECT_EQ(little(zip, end + 12, 4), directorySize);
    EXPECT_EQ(little(zip, end + 16, 4), directory);

    std::vector<ZipEntry> entries;
    std::size_t at = directory;
    std::uint64_t localBytes = 0;
    for (std::uint64_t entry = 0; entry < count; ++entry) {
        entries.push_back(readEntry(zip, at));
        localBytes += 50 + entries.back().name.size() + entries.back().contents.size();
    }
    EXPECT_EQ(at, zip64End);
    // No gap and no overlap between the entries.
    EXPECT_EQ(localBytes, directory);
    return entries;
}

struct Npy {
    std::string dict;
    std::string data;
};

Npy readNpy(const std::string& contents) {
    EXPECT_EQ(contents.substr(0, 8), "\x93NUMPY\x01\x00"s);
    const auto length = little(contents, 8, 2);
    EXPECT_EQ((10 + length) % 64, 0u);
    std::string header = contents.substr(10, length);
    EXPECT_EQ(header.back(), '\n');
    header.erase(header.find_last_not_of(" \n") + 1);
    return {header, contents.substr(10 + length)};
}

std::string npzOf(std::span<const NpyArray> arrays) {
    std::stringbuf out;
    writeNpz(out, arrays);
    return std::move(out).str();
}

struct Row {
    NpyArray array;
    std::string dict;
};

// Every kind and shape of array an archive holds, all in one archive, read
// back entry by entry, with NumPy's own header text.
TEST(NpzWriter, ArchivesEveryArrayWithNumpysHeader) {
    const auto flags = bytesOf<bool>({true, false, true, true, false, false});
    const auto cells = bytesOf<std::int32_t>({0, 1, 2, -3, 4, 70000});
    const auto seeds = bytesOf<std::uint64_t>({1, 2, 3, 1ull << 63});
    const auto weights = bytesOf<double>({0.5, -1e300});
    const auto small = bytesOf<std::uint8_t>({7, 8, 9});
    const auto tiny = bytesOf<std::int8_t>({-5});
    const NpyText options("options",
                          "{\"seed\": 7, \"name\": \"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\"}");
    const NpyText blank("blank", "");
    const Row rows[] = {
        {{"flags", 'b', 1, {2, 3}, flags},
         "{'descr': '|b1', 'fortran_order': False, 'shape': (2, 3), }"},
        {{"cells", 'i', 4, {3, 2}, cells},
         "{'descr': '<i4', 'fortran_order': False, 'shape': (3, 2), }"},
        {{"seeds", 'u', 8, {4}, seeds},
         "{'descr': '<u8', 'fortran_order': False, 'shape': (4,), }"},
        {{"weights", 'f', 8, {2}, weights},
         "{'descr': '<f8', 'fortran_order': False, 'shape': (2,), }"},
        {{"none", 'i', 2, {0, 2}, {}},
         "{'descr': '<i2', 'fortran_order': False, 'shape': (0, 2), }"},
        {{"small", 'u', 1, {3, 1, 1}, small},
         "{'descr': '|u1', 'fortran_order': False, 'shape': (3, 1, 1), }"},
        {{"tiny", 'i', 1, {}, tiny}, "{'descr': '|i1', 'fortran_order': False, 'shape': (), }"},
        {options.array(), "{'descr': '<U26', 'fortran_order': False, 'shape': (), }"},
        {blank.array(), "{'descr': '<U1', 'fortran_order': False, 'shape': (), }"},
    };
    std::vector<NpyArray> arrays;
    for (const Row& row : rows) {
        arrays.push_back(row.array);
    }
    const std::string zip = npzOf(arrays);
    EXPECT_EQ(npzBytes(arrays), zip.size());
    const std::vector<ZipEntry> entries = readZip(zip);
    ASSERT_EQ(entries.size(), std::size(rows));
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const Row& row = rows[index];
        EXPECT_EQ(entries[index].name, row.array.name + ".npy");
        const Npy npy = readNpy(entries[index].contents);
        EXPECT_EQ(npy.dict, row.dict);
        EXPECT_EQ(npy.data, asText(row.array.data)) << row.array.name;
    }
}

TEST(NpzWriter, TextIsStoredAsUtf32) {
    const NpyText text("t", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(asText(text.array().data), asText(bytesOf<char32_t>({U'a', U'é', U'€', U'😀'})));
    EXPECT_EQ(asText(NpyText("t", "").array().data), "\0\0\0\0"s);
}

// Anything but the shortest UTF-8 of a Unicode scalar value, and a NUL that
// NumPy would cut off.
TEST(NpzWriter, RefusesTextThatWouldNotReadBack) {
    const std::string kBad[] = {
        "a\0b"s,        "\xC0\x80",
        "\xE0\x80\xAF", "\xF0\x82\x82\xAC",
        "\xED\xA0\x80", "\xF4\x90\x80\x80",
        "\x80",         "\xE2\x82",
        "\xC3(",        "\xF8\x88\x80\x80\x80",
        "\xFF",         "ok\xF0\x9F\x98",
    };
    for (const std::string& text : kBad) {
        EXPECT_THROW(NpyText("t", text), std::invalid_argument) << ::testing::PrintToString(text);
    }
}

TEST(NpzWriter, RefusesArraysBeforeWritingAByte) {
    const auto six = bytesOf<std::uint8_t>({1, 2, 3, 4, 5, 6});
    const std::span<const std::byte> five(six.data(), 5);
    const std::vector<std::int64_t> dims33(33, 1);
    const std::vector<std::vector<NpyArray>> kBad = {
        {{"short", 'u', 1, {2, 3}, five}},
        {{"long", 'u', 2, {2}, six}},
        {{"", 'u', 1, {6}, six}},
        {{"twice", 'u', 1, {6}, six}, {"twice", 'i', 1, {6}, six}},
        {{"caf\xC3\xA9", 'u', 1, {6}, six}},
        {{"line\n", 'u', 1, {6}, six}},
        {{"kind", 'c', 1, {6}, six}},
        {{"odd", 'i', 3, {2}, six}},
        {{"wide bool", 'b', 2, {3}, six}},
        {{"one byte float", 'f', 1, {6}, six}},
        {{"half a char", 'U', 6, {}, six}},
        {{"negative", 'u', 1, {-6}, six}},
        {{"huge", 'u', 1, {1ll << 40, 1ll << 40, 0}, {}}},
        {{"many", 'u', 1, dims33, {}}},
    };
    for (const std::vector<NpyArray>& arrays : kBad) {
        SCOPED_TRACE(arrays.front().name);
        std::stringbuf out;
        EXPECT_THROW(writeNpz(out, arrays), std::invalid_argument);
        EXPECT_EQ(out.str(), "");
        EXPECT_THROW(npzBytes(arrays), std::invalid_argument);
    }
}

// Takes the first `room` bytes and then no more, as a full disk does.
class FullBuffer final : public std::streambuf {
public:
    explicit FullBuffer(std::streamsize room) : m_room(room) {}

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        const std::streamsize took = std::min(count, m_room);
        m_room -= took;
        if (took < count) {
            errno = ENOSPC;
        }
        return took;
    }

private:
    std::streamsize m_room;
};

// Short at every part of the archive: a header, the data written straight
// through, the directory and the end records.
TEST(NpzWriter, ReportsAShortWrite) {
    const std::vector<std::byte> big(100000, std::byte{1});
    const NpyArray arrays[] = {{"big", 'u', 1, {100000}, big},
                               {"two", 'u', 1, {2}, {big.data(), 2}}};
    const auto total = static_cast<std::streamsize>(npzBytes(arrays));
    for (const std::streamsize room : {0l, 20l, 90l, 50000l, total - 250, total - 30, total - 1}) {
        FullBuffer out(room);
        EXPECT_THROW(writeNpz(out, arrays), FileError) << room;
    }
    FullBuffer out(total);
    EXPECT_NO_THROW(writeNpz(out, arrays));
}

// Past 65535 entries the classic end record can no longer count them; the
// ZIP64 one does.
TEST(NpzWriter, CountsEntriesPastTheClassicLimit) {
    const std::byte one{1};
    std::vector<NpyArray> arrays;
    for (int index = 0; index < 70000; ++index) {
        arrays.push_back({"a" + std::to_string(index), 'u', 1, {}, {&one, 1}});
    }
    const std::string zip = npzOf(arrays);
    EXPECT_EQ(npzBytes(arrays), zip.size());
    EXPECT_EQ(readZip(zip).size(), arrays.size());
}

// numpy.load tells an .npz by its first four bytes; with no entries those are
// the classic end record's.
TEST(NpzWriter, NoArraysMakeTheEmptyArchive) {
    EXPECT_EQ(npzOf({}), "PK\x05\x06"s + std::string(18, '\0'));
    EXPECT_EQ(npzBytes({}), 22u);
}

}  // namespace
}  // namespace nitka
