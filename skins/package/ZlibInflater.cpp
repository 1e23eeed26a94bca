#include "ZlibInflater.h"

#include <algorithm>
#include <zlib.h>

struct ZlibInflater::Stream {
    z_stream z{};
};

ZlibInflater::ZlibInflater(MemorySource& source) : Source(source), Z(std::make_unique<Stream>()) {
    const int rc = inflateInit(&Z->z);
    if (rc != Z_OK)
        throw EDecompressionError(zError(rc));
}

ZlibInflater::~ZlibInflater() {
    inflateEnd(&Z->z);
}

void ZlibInflater::FeedBlock() {
    const std::span<const std::uint8_t> block = Source.Take(BlockSize);
    Z->z.next_in = const_cast<Bytef*>(block.data());
    Z->z.avail_in = static_cast<uInt>(block.size());
}

// One inflate call into `out`, feeding the next block first when zlib has used up its input.
int ZlibInflater::Step(std::uint8_t* out, std::size_t room, std::size_t& produced) {
    if (Z->z.avail_in == 0) {
        FeedBlock();
        if (Z->z.avail_in == 0)
            throw EReadError("Stream read error");
    }
    Z->z.next_out = out;
    Z->z.avail_out = static_cast<uInt>(room);
    const int rc = inflate(&Z->z, Z_NO_FLUSH);
    produced = room - Z->z.avail_out;
    if (rc == Z_NEED_DICT)
        throw EDecompressionError(zError(Z_DATA_ERROR));
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
        throw EDecompressionError(zError(rc));
    return rc;
}

std::vector<std::uint8_t> ZlibInflater::ReadExactly(std::size_t count) {
    // The output grows with what the stream really yields, so a claimed size alone never
    // allocates; the package reader has already checked the claim against the input left.
    std::vector<std::uint8_t> result;
    std::uint8_t spare[1];
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        std::size_t produced = 0;
        if (result.size() < count) {
            const std::size_t have = result.size();
            const std::size_t room = std::min<std::size_t>(count - have, BlockSize * 4);
            result.resize(have + room);
            rc = Step(result.data() + have, room, produced);
            result.resize(have + produced);
        } else {
            // All bytes are in; the stream must now end (trailer) without yielding more.
            rc = Step(spare, sizeof spare, produced);
            if (produced != 0)
                throw Exception("Package entry holds more data than its unpacked size");
        }
    }
    if (result.size() != count)
        throw EReadError("Stream read error");
    // Give back what zlib read past the end of its stream, so the source stands on the next entry.
    Source.Seek(Source.Position() - Z->z.avail_in);
    return result;
}
