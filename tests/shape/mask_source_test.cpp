#include "shape/mask_source.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "shape/layouts.h"
#include "shape/shape_error.h"
#include "storage/file_error.h"

namespace nitka {
namespace {

using testing::pictureOf;

CellMask maskFrom(const std::string& bytes) {
    std::stringbuf in(bytes);
    return readMask(in);
}

std::string refusalOf(const std::string& bytes) {
    try {
        maskFrom(bytes);
    } catch (const ShapeError& error) {
        return error.what();
    }
    return "(accepted)";
}

struct TextCase {
    const char* label;
    std::string text;
    std::vector<std::string> picture;
};

class TextMask : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextMask, ReadsAPlaceACharacter) {
    EXPECT_EQ(pictureOf(maskFrom(GetParam().text)), GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, TextMask,
    ::testing::Values(TextCase{"LineFeeds", "#.#\n.#.\n", {"#.#", ".#."}},
                      TextCase{"CarriageReturns", "#.#\r\n.#.\r\n", {"#.#", ".#."}},
                      TextCase{"NoLastLineBreak", "#.#\n.x.", {"#.#", ".#."}},
                      TextCase{"ShortLinesEndInHoles", "###\n#\n", {"###", "#.."}},
                      TextCase{"EmptyLineIsARowOfHoles", "##\n\n##\n", {"##", "..", "##"}},
                      TextCase{"SpacesAreHoles", "# #\n", {"#.#"}},
                      TextCase{"EmptyBordersStay", "...\n.#.\n...\n", {"...", ".#.", "..."}},
                      TextCase{"CharactersNotBytes",
                               "\xD0\xB6 \xD0\xB6\n\xE2\x96\x88\xF0\x9F\x90\x8D.\n",
                               {"#.#", "##."}},
                      TextCase{"UnicodeSpacesAreHoles", "#\xE3\x80\x80#\xC2\xA0\n", {"#.#."}},
                      TextCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBF#.\n", {"#."}}),
    [](const auto& row) { return std::string(row.param.label); });

struct RefusedCase {
    const char* label;
    std::string bytes;
    std::string message;
};

class RefusedMask : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedMask, SaysWhatToFix) {
    EXPECT_EQ(refusalOf(GetParam().bytes).substr(0, GetParam().message.size()), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Text, RefusedMask,
    ::testing::Values(
        RefusedCase{"Empty", "", "no cells"}, RefusedCase{"OnlyHoles", "..\n  \n\n", "no cells"},
        RefusedCase{"Tab", "#\n#\t#\n", "line 2: character 2 is a tab"},
        RefusedCase{"LoneCarriageReturn", "#\r#\n", "line 1: a carriage return not followed"},
        RefusedCase{"CarriageReturnAtEnd", "#\r", "line 1: a carriage return not followed"},
        RefusedCase{"ControlCharacter", "#\x01\n",
                    "line 1: character 2 is the control "
                    "character U+0001"},
        RefusedCase{"NotUtf8", "##\n#\xFF\n", "line 2: bytes that are not UTF-8"},
        RefusedCase{"OverlongUtf8", "\xE0\x80\xAF", "line 1: bytes that are not UTF-8"},
        RefusedCase{"Surrogate", "\xED\xA0\x80", "line 1: bytes that are not UTF-8"},
        RefusedCase{"CutCharacter", "#\xD0", "line 1: the file ends inside a UTF-8 character"},
        RefusedCase{"LineTooLong", std::string(1'000'001, '#'), "line 1: longer than 1000000"},
        RefusedCase{"BrokenPng", std::string("\x89PNG\r\n\x1a\n", 8) + "garbage", "a broken PNG"}),
    [](const auto& row) { return std::string(row.param.label); });

// A PNG in memory, written by libpng itself.
struct PngPicture {
    int width;
    int height;
    int colourType;
    int depth;
    std::vector<std::vector<png_byte>> rows;
    bool interlaced = false;
};

void appendData(png_structp png, png_bytep data, std::size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void noFlush(png_structp) {}

std::string encode(const PngPicture& picture) {
    std::string bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &bytes, appendData, noFlush);
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), picture.depth, picture.colourType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int pass = png_set_interlace_handling(png); pass > 0; --pass) {
        for (const auto& row : picture.rows) {
            png_write_row(png, row.data());
        }
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

TEST(PngMask, DarkOpaquePixelsAreCells) {
    // Grey: luminance below 128 of 255 is dark.
    EXPECT_EQ(pictureOf(maskFrom(encode({4, 1, PNG_COLOR_TYPE_GRAY, 8, {{0, 127, 128, 255}}}))),
              std::vector<std::string>{"##.."});
    // Colour with alpha: alpha below 128 is transparent; full red is dark,
    // full green light.
    EXPECT_EQ(pictureOf(maskFrom(encode(
                  {5, 1, PNG_COLOR_TYPE_RGBA, 8, {{0, 0,   0,   255, 0, 0,   0, 128, 0, 0,
                                                   0, 127, 255, 0,   0, 255, 0, 200, 0, 255}}}))),
              std::vector<std::string>{"##.#."});
    // Two rows of one-bit grey, packed eight pixels a byte.
    EXPECT_EQ(
        pictureOf(maskFrom(encode({9, 2, PNG_COLOR_TYPE_GRAY, 1, {{0x55, 0x00}, {0xFF, 0x7F}}}))),
        (std::vector<std::string>{"#.#.#.#.#", "........#"}));
    // Sixteen-bit grey.
    EXPECT_EQ(
        pictureOf(maskFrom(encode({2, 1, PNG_COLOR_TYPE_GRAY, 16, {{0x7F, 0xFF, 0x80, 0x00}}}))),
        std::vector<std::string>{"#."});
}

TEST(PngMask, RefusesWhatItCannotUse) {
    const std::string white = encode({2, 2, PNG_COLOR_TYPE_GRAY, 8, {{255, 255}, {255, 255}}});
    EXPECT_EQ(refusalOf(white), "no cells: every place is a hole");
    const std::string whole = encode({2, 2, PNG_COLOR_TYPE_GRAY, 8, {{0, 0}, {0, 0}}});
    EXPECT_EQ(refusalOf(whole.substr(0, whole.size() - 20)).substr(0, 12), "a broken PNG");
    // In this program's words only, never the decoder's.
    std::string corrupt = whole;
    corrupt[20] ^= 0x55;  // inside the header chunk, so its check sum fails
    EXPECT_EQ(refusalOf(corrupt), "a broken PNG: its bytes do not decode as a picture");
    const std::vector<png_byte> wideRow(125'001, 0);
    EXPECT_EQ(refusalOf(encode({1'000'001, 1, PNG_COLOR_TYPE_GRAY, 1, {wideRow}})),
              "a PNG of 1000001 x 1 pixels; a mask has at most 1000000 on a side");
    PngPicture interlaced{2, 2, PNG_COLOR_TYPE_GRAY, 8, {{0, 0}, {0, 0}}};
    interlaced.interlaced = true;
    EXPECT_EQ(refusalOf(encode(interlaced)), "an interlaced PNG; save it without interlacing");
}

// A PNG of one row of one pixel whose header claims width pixels of 16-bit
// red, green, blue and alpha: far more than the file holds.
std::string pngClaimingWidth(std::uint32_t width) {
    std::string bytes("\x89PNG\r\n\x1a\n", 8);
    const auto chunk = [&bytes](const std::string& type, const std::string& data) {
        const auto bigEndian = [](std::uint32_t value) {
            return std::string{static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                               static_cast<char>(value >> 8), static_cast<char>(value)};
        };
        const std::string body = type + data;
        bytes += bigEndian(static_cast<std::uint32_t>(data.size())) + body;
        bytes += bigEndian(static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
    };
    chunk("IHDR", std::string{static_cast<char>(width >> 24), static_cast<char>(width >> 16),
                              static_cast<char>(width >> 8), static_cast<char>(width), 0, 0, 0, 1,
                              16, PNG_COLOR_TYPE_RGBA, 0, 0, 0});
    chunk("IDAT", std::string("\x78\x9c\x63\x00\x00\x00\x01\x00\x01", 9));
    chunk("IEND", "");
    return bytes;
}

// libpng sizes its row buffers from the header; a reader that let it before
// checking the sides would take gigabytes for these few bytes.
TEST(PngMask, RefusesAHugeWidthBeforeAllocatingARow) {
    EXPECT_EQ(refusalOf(pngClaimingWidth(PNG_UINT_31_MAX)),
              "a PNG of 2147483647 x 1 pixels; a mask has at most 1000000 on a side");
}

TEST(MaskFile, ChoosesByContentAndLeavesTheNameToTheCaller) {
    const std::string path = ::testing::TempDir() + "mask.png";
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("#.\n.#\n", file);
        std::fclose(file);
    }
    EXPECT_EQ(pictureOf(readMaskFile(path)), (std::vector<std::string>{"#.", ".#"}));
    std::remove(path.c_str());
    // The caller names the file, once: the errors do not.
    try {
        readMaskFile(path);
        ADD_FAILURE() << "a missing file was read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.code(), file_error_code::kFileNotFound);
    }
    try {
        readMaskFile(::testing::TempDir());
        ADD_FAILURE() << "a folder was read";
    } catch (const NotRegularFileError& error) {
        EXPECT_TRUE(error.isFolder());
    }
}

}  // namespace
}  // namespace nitka
