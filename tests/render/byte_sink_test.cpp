#include "storage/byte_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <tuple>

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

// Whichever way the bytes fail to leave, and however far the writer got, it
// says so instead of reporting a picture that is not there.
TEST(WriteFailure, SurfacesAsARenderError) {
    using Writer = void (*)(const WallGrid&, const RenderOptions&, std::streambuf&);
    using Way = FailingBuffer::Way;
    const std::string kCannotWrite = "cannot write the picture";
    const std::string kOnFire = "the disk is on fire";
    // Rows: label, writer, how the bytes fail, bytes taken first, the error.
    const std::tuple<const char*, Writer, Way, std::streamsize, std::string> kRows[] = {
        {"PNG at once", renderPng, Way::Refuse, 0, kCannotWrite},
        {"PNG part way", renderPng, Way::Refuse, 50, kCannotWrite},
        {"PNG thrown", renderPng, Way::Throw, 50, kOnFire},
        {"PNG sync", renderPng, Way::Sync, 1 << 30, kCannotWrite},
        {"SVG part way", renderSvg, Way::Refuse, 1000, kCannotWrite},
        {"SVG sync", renderSvg, Way::Sync, 1 << 30, kCannotWrite},
        {"ASCII part way", renderAscii, Way::Refuse, 1000, kCannotWrite},
        {"ASCII sync", renderAscii, Way::Sync, 1 << 30, kCannotWrite},
        {"PDF at once", renderPdf, Way::Refuse, 0, kCannotWrite},
        {"PDF part way", renderPdf, Way::Refuse, 1000, kCannotWrite},
        {"PDF thrown", renderPdf, Way::Throw, 1000, kOnFire},
        {"PDF sync", renderPdf, Way::Sync, 1 << 30, kCannotWrite},
    };
    WallGrid grid(60, 40);
    grid.setScratch(0, 1);
    for (const auto& [label, writer, way, room, message] : kRows) {
        FailingBuffer out(way, room);
        try {
            writer(grid, RenderOptions{.route = true, .answer = true}, out);
            ADD_FAILURE() << label << ": no error";
        } catch (const RenderError& error) {
            EXPECT_EQ(error.what(), message) << label;
        }
    }
}

}  // namespace
}  // namespace nitka
