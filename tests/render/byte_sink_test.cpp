#include "render/byte_sink.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <stdexcept>
#include <streambuf>
#include <string>

#include "render/ascii_render.h"
#include "render/pdf_render.h"
#include "render/png_render.h"
#include "render/render_options.h"
#include "render/svg_render.h"

namespace nitka {
namespace {

// Takes the first `room` bytes, then refuses, or throws, what follows; can
// also fail to sync, as a full disk does when a buffered file is flushed.
class FailingBuffer final : public std::streambuf {
public:
    enum class Way { Refuse, Throw, Sync };
    FailingBuffer(Way way, std::streamsize room) : m_way(way), m_room(room) {}

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        const std::streamsize taken = std::min(count, m_room);
        m_room -= taken;
        if (taken < count && m_way == Way::Throw) {
            throw std::runtime_error("the disk is on fire");
        }
        return taken;
    }
    int_type overflow(int_type c) override {
        return xsputn(nullptr, 1) == 1 ? c : traits_type::eof();
    }
    int sync() override { return m_way == Way::Sync ? -1 : 0; }

private:
    Way m_way;
    std::streamsize m_room;
};

using Writer = void (*)(const WallGrid&, const RenderOptions&, std::streambuf&);

struct FailureRow {
    const char* label;
    Writer writer;
    FailingBuffer::Way way;
    std::streamsize room;
    const char* message;
};

// By its label: GoogleTest would otherwise print the row's bytes, padding and all.
void PrintTo(const FailureRow& row, std::ostream* out) {
    *out << row.label;
}

class WriteFailure : public ::testing::TestWithParam<FailureRow> {};

// Whichever way the bytes fail to leave, and however far the writer got, it
// says so instead of reporting a picture that is not there.
TEST_P(WriteFailure, SurfacesAsARenderError) {
    const FailureRow row = GetParam();
    WallGrid grid(60, 40);
    grid.setScratch(0, 1);
    FailingBuffer out(row.way, row.room);
    try {
        row.writer(grid, RenderOptions{.route = true, .answer = true}, out);
        FAIL() << "no error";
    } catch (const RenderError& error) {
        EXPECT_STREQ(error.what(), row.message);
    }
}

constexpr const char* kCannotWrite = "cannot write the picture";
constexpr const char* kOnFire = "the disk is on fire";
using Way = FailingBuffer::Way;

INSTANTIATE_TEST_SUITE_P(
    Writers, WriteFailure,
    ::testing::Values(FailureRow{"PngAtOnce", renderPng, Way::Refuse, 0, kCannotWrite},
                      FailureRow{"PngPartWay", renderPng, Way::Refuse, 50, kCannotWrite},
                      FailureRow{"PngThrown", renderPng, Way::Throw, 50, kOnFire},
                      FailureRow{"PngSync", renderPng, Way::Sync, 1 << 30, kCannotWrite},
                      FailureRow{"SvgPartWay", renderSvg, Way::Refuse, 1000, kCannotWrite},
                      FailureRow{"SvgSync", renderSvg, Way::Sync, 1 << 30, kCannotWrite},
                      FailureRow{"AsciiPartWay", renderAscii, Way::Refuse, 1000, kCannotWrite},
                      FailureRow{"AsciiSync", renderAscii, Way::Sync, 1 << 30, kCannotWrite},
                      FailureRow{"PdfAtOnce", renderPdf, Way::Refuse, 0, kCannotWrite},
                      FailureRow{"PdfPartWay", renderPdf, Way::Refuse, 1000, kCannotWrite},
                      FailureRow{"PdfThrown", renderPdf, Way::Throw, 1000, kOnFire},
                      FailureRow{"PdfSync", renderPdf, Way::Sync, 1 << 30, kCannotWrite}),
    [](const auto& row) { return std::string(row.param.label); });

}  // namespace
}  // namespace nitka
