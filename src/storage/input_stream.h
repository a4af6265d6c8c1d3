#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

#include "storage/file_calls.h"

namespace nitka {

// The bytes of an open descriptor as a stream buffer, read a chunk at a time.
// A read error throws FileError (the hook may fail it as FileStep::Read).
class DescriptorBuffer final : public std::streambuf {
public:
    // Owns file, and closes it when destroyed.
    DescriptorBuffer(Descriptor file, FaultHook fault);
    // Reads fd, which stays open (standard input).
    DescriptorBuffer(int fd, FaultHook fault);
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

    int fd() const { return m_fd; }
    // The bytes handed out so far.
    std::uint64_t consumed() const;
    // Makes the stream end after limit bytes handed out in all, until it is
    // lifted with nothing.
    void limitTo(std::optional<std::uint64_t> limit);
    // Whether the stream ended at the limit rather than at its own end.
    bool reachedLimit() const { return m_reachedLimit; }
    // Closes an owned descriptor now, throwing FileError if that fails.
    void close();

protected:
    int_type underflow() override;

private:
    FaultHook m_fault;
    Descriptor m_file;
    int m_fd;
    std::uint64_t m_fetched = 0;
    std::optional<std::uint64_t> m_limit;
    bool m_reachedLimit = false;
    std::vector<char> m_chunk;
};

// A file the command-line tool reads, or standard input for "-", whatever it
// is: a regular file, a pipe, a named pipe (opening one waits for its writer,
// as any reader of it does), /dev/stdin, /proc/self/fd/N, a terminal or a
// device. A folder is refused (NotRegularFileError), and so is a name that
// opens no readable stream (a socket's). Unlike InputFile, which keeps the
// window's rule of regular files only. Read errors throw FileError from the
// stream; the descriptor is closed when destroyed, standard input never.
class InputStream {
public:
    explicit InputStream(const std::string& name, FaultHook fault = {});
    ~InputStream();
    InputStream(const InputStream&) = delete;
    InputStream& operator=(const InputStream&) = delete;

    std::streambuf& stream();

    // The bytes there were to read when opened, for a regular file (standard
    // input from its current offset); nothing for a stream, whose end is not
    // known before it comes.
    std::optional<std::uint64_t> size() const;
    // The bytes the stream has handed out so far.
    std::uint64_t consumed() const;

    // Makes the stream end after limit bytes handed out in all, until it is
    // lifted with nothing, so that a reader that looks for something in the
    // first bytes cannot be kept waiting by an endless stream (/dev/zero).
    void limitTo(std::optional<std::uint64_t> limit);
    // Whether the stream ended at the limit rather than at its own end.
    bool reachedLimit() const;

    // Closes now, throwing FileError if that fails.
    void close();

private:
    std::unique_ptr<DescriptorBuffer> m_buffer;
    std::optional<std::uint64_t> m_size;
};

}  // namespace nitka
