#include "animate/gif_sink.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/render_options.h"

namespace nitka {
namespace {

int writeBytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* sink = static_cast<ByteSink*>(gif->UserData);
    const bool written =
        sink->tryPut({reinterpret_cast<const char*>(data), static_cast<std::size_t>(length)});
    return written ? length : 0;
}

struct Box {
    int left = 0;
    int top = 0;
    int width = 1;
    int height = 1;
};

// The smallest rectangle holding every pixel that differs; a single pixel
// when none does, since a frame cannot be empty.
Box changedBox(const RgbFrame& before, const RgbFrame& after) {
    int top = -1;
    int bottom = -1;
    int left = after.width();
    int right = -1;
    const auto rowBytes = static_cast<std::size_t>(after.width()) * 3;
    for (int y = 0; y < after.height(); ++y) {
        const std::uint8_t* a = before.row(y);
        const std::uint8_t* b = after.row(y);
        if (std::equal(a, a + rowBytes, b)) {
            continue;
        }
        top = top < 0 ? y : top;
        bottom = y;
        const auto first = std::mismatch(a, a + rowBytes, b).first - a;
        std::size_t last = rowBytes;
        while (a[last - 1] == b[last - 1]) {
            --last;
        }
        left = std::min(left, static_cast<int>(first / 3));
        right = std::max(right, static_cast<int>((last - 1) / 3));
    }
    if (top < 0) {
        return {};
    }
    return {left, top, right - left + 1, bottom - top + 1};
}

std::uint32_t packed(Rgb colour) {
    return std::uint32_t{colour.red} << 16 | std::uint32_t{colour.green} << 8 | colour.blue;
}

// Greys kept to one in `step` levels, the tints as they are.
Rgb coarsened(Rgb colour, int step) {
    if (step == 1 || colour.red != colour.green || colour.green != colour.blue) {
        return colour;
    }
    const auto grey = static_cast<std::uint8_t>(colour.red / step * step);
    return {grey, grey, grey};
}

// A box's pixels as indices into a table of at most 256 colours. Pixels the
// frame before already shows are index 0, transparent, when there is a frame
// before: long runs of one index, which is what LZW packs best.
struct IndexedBox {
    std::vector<GifColorType> table;
    std::vector<GifPixelType> pixels;
    bool transparent = false;
};

IndexedBox indexBox(const RgbFrame& frame, const Box& box, const RgbFrame* before) {
    for (int step = 1;; step *= 2) {
        IndexedBox result;
        if (before != nullptr) {
            result.transparent = true;
            result.table.push_back({0, 0, 0});
        }
        result.pixels.reserve(static_cast<std::size_t>(box.width) *
                              static_cast<std::size_t>(box.height));
        std::unordered_map<std::uint32_t, GifPixelType> index;
        std::uint32_t lastColour = 0xFFFFFFFF;
        GifPixelType lastIndex = 0;
        bool fits = true;
        for (int y = box.top; y < box.top + box.height && fits; ++y) {
            for (int x = box.left; x < box.left + box.width; ++x) {
                if (before != nullptr && before->at(x, y) == frame.at(x, y)) {
                    result.pixels.push_back(0);
                    lastColour = 0xFFFFFFFF;
                    continue;
                }
                const Rgb colour = coarsened(frame.at(x, y), step);
                const std::uint32_t key = packed(colour);
                if (key != lastColour) {
                    auto found = index.find(key);
                    if (found == index.end()) {
                        if (result.table.size() == 256) {
                            fits = false;
                            break;
                        }
                        found = index.emplace(key, static_cast<GifPixelType>(result.table.size()))
                                    .first;
                        result.table.push_back({colour.red, colour.green, colour.blue});
                    }
                    lastColour = key;
                    lastIndex = found->second;
                }
                result.pixels.push_back(lastIndex);
            }
        }
        if (fits) {
            return result;
        }
    }
}

}  // namespace

// The open GIF, closed (and freed) however the writer ends.
class GifSink::File {
public:
    explicit File(ByteSink& sink) {
        int error = 0;
        m_gif = EGifOpen(&sink, writeBytes, &error);
        if (m_gif == nullptr) {
            throw RenderError(std::string("cannot start the GIF: ") + GifErrorString(error));
        }
        EGifSetGifVersion(m_gif, true);
    }
    ~File() { close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    GifFileType* get() { return m_gif; }
    // False when the last bytes could not be written.
    bool close() {
        if (m_gif == nullptr) {
            return true;
        }
        int error = 0;
        const bool closed = EGifCloseFile(m_gif, &error) == GIF_OK;
        m_gif = nullptr;
        return closed;
    }

private:
    GifFileType* m_gif = nullptr;
};

GifSink::GifSink(std::streambuf& out, int fps) : TimedFileSink(out, fps, 100) {}

GifSink::~GifSink() = default;

void GifSink::end() {
    if (!m_file->close()) {
        throw RenderError(bytes().failure().empty() ? "cannot finish the GIF" : bytes().failure());
    }
}

void GifSink::put(const RgbFrame& frame, int centiseconds) {
    const auto failed = [&](const char* what) {
        return RenderError(bytes().failure().empty() ? std::string("cannot write the GIF's ") + what
                                                     : bytes().failure());
    };
    Box box{0, 0, frame.width(), frame.height()};
    const bool first = !m_file;
    if (first) {
        refuseWiderThan(kGifMaxSide, "GIF", frame);
        m_file = std::make_unique<File>(bytes());
        GifFileType* gif = m_file->get();
        // No table for the whole file: each frame brings its own.
        static const std::array<GifByteType, 3> kLoopForever{1, 0, 0};
        if (EGifPutScreenDesc(gif, frame.width(), frame.height(), 8, 0, nullptr) != GIF_OK ||
            EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
            EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") != GIF_OK ||
            EGifPutExtensionBlock(gif, 3, kLoopForever.data()) != GIF_OK ||
            EGifPutExtensionTrailer(gif) != GIF_OK) {
            throw failed("start");
        }
    } else {
        box = changedBox(*m_previous, frame);
    }
    GifFileType* gif = m_file->get();
    IndexedBox indexed = indexBox(frame, box, first ? nullptr : &*m_previous);
    m_previous.emplace(frame);

    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = centiseconds;
    control.TransparentColor = indexed.transparent ? 0 : NO_TRANSPARENT_COLOR;
    std::array<GifByteType, 4> extension{};
    EGifGCBToExtension(&control, extension.data());
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension.data()) != GIF_OK) {
        throw failed("frame");
    }

    const auto tableSize = std::max<std::size_t>(2, std::bit_ceil(indexed.table.size()));
    indexed.table.resize(tableSize);
    ColorMapObject* table = GifMakeMapObject(static_cast<int>(tableSize), indexed.table.data());
    if (table == nullptr) {
        throw std::bad_alloc();
    }
    const bool described =
        EGifPutImageDesc(gif, box.left, box.top, box.width, box.height, false, table) == GIF_OK;
    GifFreeMapObject(table);
    if (!described) {
        throw failed("frame");
    }
    for (int y = 0; y < box.height; ++y) {
        if (EGifPutLine(gif, indexed.pixels.data() + static_cast<std::ptrdiff_t>(y) * box.width,
                        box.width) != GIF_OK) {
            throw failed("frame");
        }
    }
}

}  // namespace nitka
