#pragma once

#include <cstdint>

// What a picture file may decode to, so that a damaged or hostile header cannot make a reader
// take gigabytes of memory or minutes of work.
namespace PictureLimits {
// Pixels of a JPEG picture: a 200-megapixel photo (600 MB once decoded).
inline constexpr int64_t MaxJpegPixels = 200'000'000;
// A Huffman-coded JPEG spends at least one bit on every 8x8 block, so no real file holds more
// than 512 pixels per byte; a header claiming far more than its file can carry is refused
// before the decoder fills a huge picture with nothing. Pictures up to FreePixels always pass.
inline constexpr int64_t MaxJpegPixelsPerByte = 1024;
inline constexpr int64_t FreePixels = 1'000'000;
// Bytes of a JPEG file, which is read whole before it is decoded.
inline constexpr int64_t MaxJpegFileBytes = 1024LL * 1024 * 1024;
// Scans of a progressive JPEG: real files have about ten; each one walks the whole picture.
inline constexpr int MaxJpegScans = 1000;
// A BMP picture is held to Qt's own limit on the image a reader may allocate (256 MB decoded,
// about 64 megapixels at 32 bits), which the BMP reader applies to every file.

// PNG, GIF, TIFF and WebP pictures: the pixels their header may claim, checked before
// decoding; 64 megapixels is what Qt lets a reader allocate at 32 bits anyway.
inline constexpr int64_t MaxRasterPixels = 64'000'000;
// Bytes of an SVG file, which is read whole and parsed before it is drawn; logos take kilobytes.
inline constexpr int64_t MaxSvgFileBytes = 16LL * 1024 * 1024;
// The longest side of the pixel copy an SVG picture keeps beside its vectors (the vectors
// themselves are drawn at any size).
inline constexpr int MaxSvgPreviewSide = 2048;

inline bool RasterSizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width * height <= MaxRasterPixels;
}

// True when a JPEG of width x height pixels stored in fileBytes bytes is within the limits.
inline bool JpegSizeAllowed(int64_t width, int64_t height, int64_t fileBytes) {
    const int64_t pixels = width * height;
    return pixels > 0 && pixels <= MaxJpegPixels &&
           (pixels <= FreePixels || pixels / MaxJpegPixelsPerByte <= fileBytes);
}
} // namespace PictureLimits
