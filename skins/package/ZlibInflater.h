#pragma once
// Inflates one zlib stream that sits inside a larger source, and leaves the source on the first
// byte after that stream. Packages do not store compressed lengths, so this is the only way to
// find where the next entry starts.

#include "Exceptions.h"
#include "MemorySource.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Damaged compressed data; the message is zlib's text for the error code.
class EDecompressionError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EDecompressionError"; }
};

class ZlibInflater {
public:
    static constexpr std::size_t BlockSize = 65536;

    explicit ZlibInflater(MemorySource& source);
    ~ZlibInflater();
    ZlibInflater(const ZlibInflater&) = delete;
    ZlibInflater& operator=(const ZlibInflater&) = delete;

    // Inflates the whole stream, which must yield exactly `count` bytes. A stream that ends early
    // or whose input runs out raises EReadError; one that yields more raises a load error;
    // damaged data raises EDecompressionError.
    std::vector<std::uint8_t> ReadExactly(std::size_t count);

private:
    void FeedBlock();
    int Step(std::uint8_t* out, std::size_t room, std::size_t& produced);

    struct Stream;
    MemorySource& Source;
    std::unique_ptr<Stream> Z;
};
