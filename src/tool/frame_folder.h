#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "animate/frame_sink.h"

namespace nitka {

// Refuses a name for a folder of frames, before any work: one that holds
// anything already (UsageError, status 2: a second run must not mix its frames
// with the first's, nor write over an input among them), or that is no folder
// (ToolError).
void checkFramesFolder(const std::string& name);

// A folder of files that appears under its name only once every file is in
// it. They are written into a new hidden folder beside it (same parent, so the
// same file system), which commit() renames into place: a rename of a folder
// replaces an empty folder of that name atomically and fails on one that has
// gained files meanwhile, so nothing of anyone's is lost. Until then a
// failure, or a signal that ends the tool (see removePendingFiles), takes the
// hidden folder away with what it holds.
class FolderOutput {
public:
    // Checks the name as checkFramesFolder does and makes the hidden folder.
    explicit FolderOutput(const std::string& name);
    // Without commit() the hidden folder and its files are removed.
    ~FolderOutput();
    FolderOutput(const FolderOutput&) = delete;
    FolderOutput& operator=(const FolderOutput&) = delete;

    // Writes a new file of the folder. Throws ToolError naming the folder.
    void add(const std::string& fileName, std::string_view bytes);

    // Makes the files durable and gives the folder its name.
    // Requires: not committed before.
    void commit();

    class Place;

private:
    std::unique_ptr<Place> m_place;
};

// Writes frame-00000.png, frame-00001.png, ... into a folder; the hold is
// 2 x fps copies of the last picture, for video tools that take one rate.
class PngFolderSink final : public FrameSink {
public:
    PngFolderSink(FolderOutput& folder, int fps) : m_folder(folder), m_fps(fps) {}

    void add(const RgbFrame& frame) override;
    void hold(const RgbFrame& frame) override;

private:
    void writeNext(std::string_view png);

    FolderOutput& m_folder;
    int m_fps;
    std::uint64_t m_written = 0;
};

}  // namespace nitka
