#include "render/byte_sink.h"

#include <exception>

#include "render/render_options.h"

namespace nitka {

void ByteSink::put(std::string_view bytes) {
    const auto size = static_cast<std::streamsize>(bytes.size());
    if (m_out.sputn(bytes.data(), size) != size) {
        throw RenderError("cannot write the picture");
    }
}

bool ByteSink::tryPut(std::string_view bytes) noexcept {
    try {
        put(bytes);
        return true;
    } catch (const std::exception& error) {
        m_failure = error.what();
    } catch (...) {
        m_failure = "cannot write the picture";
    }
    return false;
}

void ByteSink::flush() {
    if (m_out.pubsync() == -1) {
        throw RenderError("cannot write the picture");
    }
}

}  // namespace nitka
