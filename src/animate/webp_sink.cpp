#include "animate/webp_sink.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <string>
#include <string_view>

#include "render/render_options.h"

namespace nitka {

// libwebp's animation encoder, deleted however the writer ends.
class WebpSink::Encoder {
public:
    Encoder(int width, int height) {
        WebPAnimEncoderOptions options;
        if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&m_config)) {
            throw RenderError("this libwebp does not match the one the tool was built with");
        }
        options.anim_params.loop_count = 0;
        // Measured on a 100 x 100 maze: the fastest effort makes files a
        // tenth larger in a third of the time.
        WebPConfigLosslessPreset(&m_config, 0);
        m_encoder = WebPAnimEncoderNew(width, height, &options);
        if (m_encoder == nullptr) {
            throw RenderError("cannot start a WebP of " + std::to_string(width) + " x " +
                              std::to_string(height) + " pixels");
        }
    }
    ~Encoder() { WebPAnimEncoderDelete(m_encoder); }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    void add(const RgbFrame& frame, int timestamp) {
        WebPPicture picture;
        WebPPictureInit(&picture);
        picture.use_argb = 1;
        picture.width = frame.width();
        picture.height = frame.height();
        const bool imported = WebPPictureImportRGB(&picture, frame.row(0), frame.width() * 3) != 0;
        const bool added =
            imported && WebPAnimEncoderAdd(m_encoder, &picture, timestamp, &m_config) != 0;
        WebPPictureFree(&picture);
        if (!added) {
            fail();
        }
    }

    // Ends the animation at endTime and writes it.
    void finish(int endTime, ByteSink& sink) {
        WebPData data;
        WebPDataInit(&data);
        if (!WebPAnimEncoderAdd(m_encoder, nullptr, endTime, nullptr) ||
            !WebPAnimEncoderAssemble(m_encoder, &data)) {
            fail();
        }
        const std::string_view bytes(reinterpret_cast<const char*>(data.bytes), data.size);
        try {
            sink.put(bytes);
        } catch (...) {
            WebPDataClear(&data);
            throw;
        }
        WebPDataClear(&data);
    }

private:
    [[noreturn]] void fail() const {
        const char* why = WebPAnimEncoderGetError(m_encoder);
        throw RenderError(std::string("cannot make the WebP: ") +
                          (why != nullptr && *why != '\0' ? why : "out of memory"));
    }

    WebPAnimEncoder* m_encoder = nullptr;
    WebPConfig m_config;
};

WebpSink::WebpSink(std::streambuf& out, int fps) : TimedFileSink(out, fps, 1000) {}

WebpSink::~WebpSink() = default;

void WebpSink::end() {
    m_encoder->finish(m_time, bytes());
}

void WebpSink::put(const RgbFrame& frame, int milliseconds) {
    if (!m_encoder) {
        refuseWiderThan(kWebpMaxSide, "WebP", frame);
        m_encoder = std::make_unique<Encoder>(frame.width(), frame.height());
    }
    m_encoder->add(frame, m_time);
    m_time += milliseconds;
}

}  // namespace nitka
