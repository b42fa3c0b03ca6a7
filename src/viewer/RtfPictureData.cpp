#include "RtfPictureData.h"

#include <cstdint>

namespace corvane {

namespace {

std::uint32_t u16At(std::string_view bytes, std::size_t at)
{
    if (at + 2 > bytes.size())
        return 0;
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]))
        | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

std::uint32_t u32At(std::string_view bytes, std::size_t at)
{
    if (at + 4 > bytes.size())
        return 0;
    return u16At(bytes, at) | u16At(bytes, at + 2) << 16;
}

void appendU32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

/// Where the pixels start in a packed DIB: after the header, the colour masks and the colour table. Zero when the
/// header is none of the known sizes or claims more than the bytes hold.
std::size_t pixelOffset(std::string_view dib)
{
    const std::uint32_t headerSize = u32At(dib, 0);
    std::size_t offset = 0;
    if (headerSize == 12) {
        const std::uint32_t bits = u16At(dib, 10);
        offset = 12 + (bits <= 8 ? (std::size_t {1} << bits) * 3 : 0);
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
        const std::uint32_t bits = u16At(dib, 14);
        const std::uint32_t compression = u32At(dib, 16);
        const std::uint32_t used = u32At(dib, 32);
        if (used > 65536 || bits > 64)
            return 0;
        const std::size_t colours = used != 0 ? used : (bits <= 8 ? std::size_t {1} << bits : 0);
        std::size_t masks = 0;
        if (headerSize == 40 && compression == 3)
            masks = 12;
        else if (headerSize == 40 && compression == 6)
            masks = 16;
        offset = headerSize + masks + colours * 4;
    }
    return offset <= dib.size() ? offset : 0;
}

std::string bmpFile(std::string_view dib, std::size_t pixels)
{
    if (pixels == 0 || pixels > dib.size() || dib.size() > 0x7FFFFFF0u)
        return {};
    std::string out;
    out.reserve(14 + dib.size());
    out += "BM";
    appendU32(out, static_cast<std::uint32_t>(14 + dib.size()));
    appendU32(out, 0);
    appendU32(out, static_cast<std::uint32_t>(14 + pixels));
    out.append(dib);
    return out;
}

} // namespace

std::string RtfPictureData::bmpFromDib(std::string_view dib)
{
    return bmpFile(dib, pixelOffset(dib));
}

std::string RtfPictureData::bmpFromWmf(std::string_view wmf)
{
    if (u32At(wmf, 0) == 0x9AC6CDD7u)
        wmf.remove_prefix(wmf.size() < 22 ? wmf.size() : 22);
    const std::uint32_t headerWords = u16At(wmf, 2);
    if (headerWords < 9)
        return {};
    std::string_view best;
    std::size_t at = headerWords * 2;
    while (at + 6 <= wmf.size()) {
        const std::size_t size = static_cast<std::size_t>(u32At(wmf, at)) * 2;
        const std::uint32_t function = u16At(wmf, at + 4);
        if (size < 6 || size > wmf.size() - at || function == 0)
            break;
        std::size_t dibAt = 0;
        switch (function) {
        case 0x0F43: // META_STRETCHDIB: raster operation, colour use, eight coordinates
            dibAt = 6 + 4 + 2 + 16;
            break;
        case 0x0B41: // META_DIBSTRETCHBLT: raster operation, eight coordinates
            dibAt = 6 + 4 + 16;
            break;
        case 0x0940: // META_DIBBITBLT: raster operation, six coordinates
            dibAt = 6 + 4 + 12;
            break;
        case 0x0D33: // META_SETDIBTODEV: colour use, eight coordinates
            dibAt = 6 + 2 + 16;
            break;
        default:
            break;
        }
        if (dibAt != 0 && dibAt < size && size - dibAt > best.size())
            best = wmf.substr(at + dibAt, size - dibAt);
        at += size;
    }
    return best.empty() ? std::string() : bmpFromDib(best);
}

std::string RtfPictureData::bmpFromEmf(std::string_view emf)
{
    if (u32At(emf, 0) != 1)
        return {};
    std::string_view bestHeader, bestBits;
    std::size_t at = 0;
    while (at + 8 <= emf.size()) {
        const std::uint32_t type = u32At(emf, at);
        const std::size_t size = u32At(emf, at + 4);
        if (size < 8 || size % 4 != 0 || size > emf.size() - at || type == 14)
            break;
        std::size_t fields = 0;
        if (type == 80 || type == 81)
            fields = 48;
        else if (type == 76 || type == 77)
            fields = 84;
        if (fields != 0 && fields + 16 <= size) {
            const std::size_t headerAt = u32At(emf, at + fields);
            const std::size_t headerSize = u32At(emf, at + fields + 4);
            const std::size_t bitsAt = u32At(emf, at + fields + 8);
            const std::size_t bitsSize = u32At(emf, at + fields + 12);
            const bool inside = headerSize != 0 && bitsSize != 0 && headerAt <= size && headerSize <= size - headerAt
                && bitsAt <= size && bitsSize <= size - bitsAt;
            if (inside && bitsSize > bestBits.size()) {
                bestHeader = emf.substr(at + headerAt, headerSize);
                bestBits = emf.substr(at + bitsAt, bitsSize);
            }
        }
        at += size;
    }
    if (bestBits.empty())
        return {};
    std::string dib(bestHeader);
    dib.append(bestBits);
    if (pixelOffset(dib) == 0)
        return {};
    return bmpFile(dib, bestHeader.size());
}

} // namespace corvane
