#pragma once

#include <string>
#include <string_view>

namespace corvane {

/// Turns the bitmaps RTF carries into files an image reader takes as they are. A device-independent bitmap gets
/// the 14-byte BMP file header it lacks; a WMF or EMF, which logos pasted from word processors usually are, is
/// searched for the bitmap it wraps. Every function returns an empty string for bytes it cannot use.
class RtfPictureData {
public:
    static std::string bmpFromDib(std::string_view dib);
    /// The largest bitmap of a Windows metafile (META_STRETCHDIB, META_DIBSTRETCHBLT, META_DIBBITBLT,
    /// META_SETDIBTODEV records), with or without the placeable header.
    static std::string bmpFromWmf(std::string_view wmf);
    /// The largest bitmap of an enhanced metafile (EMR_STRETCHDIBITS, EMR_SETDIBITSTODEVICE, EMR_BITBLT,
    /// EMR_STRETCHBLT records).
    static std::string bmpFromEmf(std::string_view emf);
};

} // namespace corvane
