#include "render/print_text.h"

#include <algorithm>

namespace nitka {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

}  // namespace

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The code point that starts text at `at`, moving `at` past it; kReplacement
// for a malformed sequence, past its first byte only.
namespace {

char32_t decodeAt(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
        return lead;
    }
    int more = 0;
    char32_t code = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        more = 1;
        code = lead & 0x1F;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        more = 2;
        code = lead & 0x0F;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        more = 3;
        code = lead & 0x07;
        least = 0x10000;
    } else {
        return kReplacement;
    }
    std::size_t next = at;
    for (int i = 0; i < more; ++i, ++next) {
        if (next >= text.size() || (static_cast<unsigned char>(text[next]) & 0xC0) != 0x80) {
            return kReplacement;
        }
        code = (code << 6) | (static_cast<unsigned char>(text[next]) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return kReplacement;
    }
    at = next;
    return code;
}

bool isControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

double widthOf(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t extents{};
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

// Where each code point of printable text starts, and its end.
std::vector<std::size_t> boundaries(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < text.size();) {
        starts.push_back(at);
        decodeAt(text, at);
    }
    starts.push_back(text.size());
    return starts;
}

// The longest start of word, a whole number of characters and at least one,
// that prints no wider than width.
std::size_t fittingPrefix(cairo_t* cr, std::string_view word, double width) {
    const std::vector<std::size_t> starts = boundaries(word);
    std::size_t fits = starts.size() > 1 ? starts[1] : word.size();
    for (std::size_t i = 2; i < starts.size(); ++i) {
        if (widthOf(cr, std::string(word.substr(0, starts[i]))) > width) {
            break;
        }
        fits = starts[i];
    }
    return fits;
}

// text in lines no wider than width, up to `most` of them: what follows
// those does not matter, and a title of a million characters would take
// long to break into lines no one reads.
std::vector<std::string> wrap(cairo_t* cr, std::string_view text, double width, std::size_t most) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size() && lines.size() < most) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        const std::size_t end = std::min(text.find(' ', at), text.size());
        std::string_view word = text.substr(at, end - at);
        const std::string joined =
            line.empty() ? std::string(word) : line + " " + std::string(word);
        if (widthOf(cr, joined) <= width) {
            line = joined;
            at = end;
            continue;
        }
        if (!line.empty()) {
            lines.push_back(line);
            line.clear();
            continue;
        }
        const std::size_t piece = fittingPrefix(cr, word, width);
        lines.emplace_back(word.substr(0, piece));
        at += piece;
    }
    if ((!line.empty() || lines.empty()) && lines.size() < most) {
        lines.push_back(line);
    }
    return lines;
}

// line shortened, between characters, until it and "…" fit width.
std::string withEllipsis(cairo_t* cr, const std::string& line, double width) {
    const std::vector<std::size_t> starts = boundaries(line);
    for (std::size_t i = starts.size(); i-- > 0;) {
        std::string shorter = line.substr(0, starts[i]);
        while (!shorter.empty() && shorter.back() == ' ') {
            shorter.pop_back();
        }
        shorter += kEllipsis;
        if (widthOf(cr, shorter) <= width || i == 0) {
            return shorter;
        }
    }
    return std::string(kEllipsis);
}

}  // namespace

std::string printable(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t code = decodeAt(utf8, at);
        appendUtf8(out, isControl(code) ? U' ' : code);
    }
    return out;
}

std::vector<char32_t> codePoints(std::string_view utf8) {
    std::vector<char32_t> codes;
    for (std::size_t at = 0; at < utf8.size();) {
        codes.push_back(decodeAt(utf8, at));
    }
    return codes;
}

void selectPrintFont(cairo_t* cr, double size, bool bold) {
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

FittedText fitText(cairo_t* cr, std::string_view text, double width, double size, double smallest,
                   int mostLines, bool bold) {
    const std::string safe = printable(text);
    FittedText fitted{size, {}};
    for (;; fitted.size = std::max(smallest, fitted.size - 1)) {
        selectPrintFont(cr, fitted.size, bold);
        // One line more than allowed tells that the text does not fit.
        fitted.lines = wrap(cr, safe, width, static_cast<std::size_t>(mostLines) + 1);
        if (static_cast<int>(fitted.lines.size()) <= mostLines || fitted.size <= smallest) {
            break;
        }
    }
    if (static_cast<int>(fitted.lines.size()) > mostLines) {
        fitted.lines.resize(static_cast<std::size_t>(mostLines));
        fitted.lines.back() = withEllipsis(cr, fitted.lines.back(), width);
    }
    return fitted;
}

}  // namespace nitka
