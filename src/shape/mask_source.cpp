#include "shape/mask_source.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "shape/mask_rows.h"
#include "shape/png_mask.h"
#include "shape/shape_error.h"
#include "storage/input_stream.h"

namespace nitka {
namespace {

constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};

constexpr const char* kNotText = "bytes that are not UTF-8 text; a mask is a PNG or a text picture";

bool isSpace(char32_t code) {
    return code == U' ' || code == U'\u00A0' || code == U'\u1680' ||
           (code >= U'\u2000' && code <= U'\u200A') || code == U'\u202F' || code == U'\u205F' ||
           code == U'\u3000';
}

std::string codeName(char32_t code) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "U+%04X", static_cast<unsigned>(code));
    return text.data();
}

// Decodes UTF-8 a byte at a time into the places of rows.
class TextMaskReader {
public:
    void take(unsigned char byte) {
        if (m_pendingReturn && byte != '\n') {
            refuse("a carriage return not followed by a line feed");
        }
        if (m_missing > 0) {
            if ((byte & 0xC0) != 0x80) {
                refuse(kNotText);
            }
            m_code = m_code << 6 | (byte & 0x3Fu);
            if (--m_missing == 0) {
                finishCharacter();
            }
            return;
        }
        if (byte < 0x80) {
            m_code = byte;
            m_least = 0;
            finishCharacter();
        } else if (byte >= 0xC2 && byte <= 0xDF) {
            startCharacter(byte & 0x1Fu, 1, 0x80);
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            startCharacter(byte & 0x0Fu, 2, 0x800);
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            startCharacter(byte & 0x07u, 3, 0x10000);
        } else {
            refuse(kNotText);
        }
    }

    CellMask finish() {
        if (m_missing > 0) {
            refuse("the file ends inside a UTF-8 character");
        }
        if (m_pendingReturn) {
            refuse("a carriage return not followed by a line feed");
        }
        if (m_rows.rowLength() > 0) {
            m_rows.endRow();
        }
        return m_rows.finish();
    }

private:
    void startCharacter(char32_t bits, int missing, char32_t least) {
        m_code = bits;
        m_missing = missing;
        m_least = least;
    }

    void finishCharacter() {
        const char32_t code = m_code;
        if (code < m_least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            refuse(kNotText);
        }
        ++m_character;
        if (code == U'\r') {
            m_pendingReturn = true;
        } else if (code == U'\n') {
            m_pendingReturn = false;
            m_rows.endRow();
            ++m_line;
            m_character = 0;
        } else if (code == U'\uFEFF' && m_line == 1 && m_character == 1) {
            // A byte order mark, which some editors put first.
        } else if (code == U'\t') {
            refuse("character " + std::to_string(m_character) +
                   " is a tab, whose width is unclear; use \".\" or spaces for holes");
        } else if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) {
            refuse("character " + std::to_string(m_character) + " is the control character " +
                   codeName(code));
        } else {
            m_rows.add(code != U'.' && !isSpace(code), m_line);
        }
    }

    [[noreturn]] void refuse(const std::string& why) const {
        throw ShapeError("line " + std::to_string(m_line) + ": " + why);
    }

    MaskRows m_rows;
    std::int64_t m_line = 1;
    std::int64_t m_character = 0;
    char32_t m_code = 0;
    char32_t m_least = 0;
    int m_missing = 0;
    bool m_pendingReturn = false;
};

}  // namespace

CellMask readMask(std::streambuf& in) {
    std::array<char, 1 << 16> buffer{};
    const std::streamsize headSize =
        in.sgetn(buffer.data(), static_cast<std::streamsize>(kPngSignature.size()));
    const std::string_view head(buffer.data(), static_cast<std::size_t>(headSize));
    if (head == kPngSignature) {
        return readPngMask(head, in);
    }
    TextMaskReader text;
    for (std::streamsize got = headSize; got > 0;
         got = in.sgetn(buffer.data(), static_cast<std::streamsize>(buffer.size()))) {
        for (std::streamsize i = 0; i < got; ++i) {
            text.take(static_cast<unsigned char>(buffer[static_cast<std::size_t>(i)]));
        }
    }
    return text.finish();
}

CellMask readMaskFile(const std::string& path) {
    InputStream file(path);
    CellMask mask = readMask(file.stream());
    file.close();
    return mask;
}

}  // namespace nitka
