#include "animate/frame_sink.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "animate/gif_sink.h"
#include "animate/webp_sink.h"
#include "render/render_options.h"

namespace nitka {
namespace {

using MakeSink = std::function<std::unique_ptr<FrameSink>(std::streambuf&)>;

const MakeSink kGif = [](std::streambuf& out) { return std::make_unique<GifSink>(out, 10); };
const MakeSink kWebp = [](std::streambuf& out) { return std::make_unique<WebpSink>(out, 10); };

// A side past the format's limit would wrap in its header: such a frame is
// refused before a byte is written, and one at the limit is not.
TEST(FrameSinkTest, AFrameTooLargeForTheFormatIsRefusedBeforeAnyByte) {
    struct Row {
        const char* label;
        MakeSink make;
        int width;
        int height;
        bool refused;
    };
    const Row rows[] = {
        {"gif wide", kGif, kGifMaxSide + 1, 1, true},
        {"gif tall", kGif, 1, kGifMaxSide + 1, true},
        {"gif at the limit", kGif, kGifMaxSide, 2, false},
        {"webp wide", kWebp, kWebpMaxSide + 1, 1, true},
        {"webp tall", kWebp, 1, kWebpMaxSide + 1, true},
        {"webp at the limit", kWebp, kWebpMaxSide, 2, false},
    };
    for (const Row& row : rows) {
        std::stringbuf out;
        const auto sink = row.make(out);
        RgbFrame frame(row.width, row.height);
        frame.fill(kPaper);
        if (row.refused) {
            EXPECT_THROW(sink->add(frame), RenderError) << row.label;
            EXPECT_EQ(out.str().size(), 0U) << row.label;
        } else {
            sink->add(frame);
            sink->hold(frame);
            EXPECT_GT(out.str().size(), 0U) << row.label;
        }
    }
}

}  // namespace
}  // namespace nitka
