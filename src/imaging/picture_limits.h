#pragma once

#include <QtGlobal>

namespace ruvo {

// How large a picture may be. Each bound is far above what a real page needs,
// yet short of what a forged header could ask for.

// The longest side of any picture: one read from a file, or a bitmap inside a
// metafile.
inline constexpr int kPictureMaxSide = 32767;
// A picture read from a file: enough for a 12-megapixel scan many times over.
inline constexpr qint64 kPictureMaxPixels = 250 * 1000 * 1000;
// A picture's pixels come from its file's data, so the file's size bounds how
// many a page can have: a header that asks for more is not to be believed,
// and would cost its full size in memory and time all the same (35 bytes of
// GIF can declare 32767 by 7600 pixels). Per byte of the whole file, at the
// densest each format's coding allows:
// - uncompressed BMP: 8 pixels, one bit each (its rows must all be there);
// - GIF: 2731 pixels, each LZW code of 12 bits standing for 4096 at most;
inline constexpr qint64 kGifPixelsPerByte = 2731;
// - JPEG with Huffman coding: 512 pixels, each 8x8 block taking a bit at least;
inline constexpr qint64 kJpegPixelsPerByte = 512;
// - ICO: 8256 pixels, a PNG inside deflating 1032 to 1 at most, a bit a pixel;
inline constexpr qint64 kIcoPixelsPerByte = 8256;
// - PNG, in an archive book, likewise;
inline constexpr qint64 kPngPixelsPerByte = kIcoPixelsPerByte;
// - run-length BMP: 128 pixels, a run of 255 in two bytes. Its escapes can skip any number
//   of pixels, but the pixels skipped are no data's: a picture mostly skipped is refused.
inline constexpr qint64 kRunLengthBmpPixelsPerByte = 128;
// - AVIF and JPEG XL, whose coding fills any area from a few bytes, as the formats below do,
//   are decoded by libraries that hold the picture's planes beside the picture kept: measured
//   on the development machine, a decode took 5 to 10 bytes a pixel with libavif (8 to 12 bits
//   a sample) and 15 to 23 with libjxl (lossy, lossless), the picture kept included. Each is
//   held to the pixels that keep a decode within the gigabyte Qt's readers may take (libavif
//   and dav1d are given the same bound as their own);
inline constexpr qint64 kAvifMaxPixels = 100 * 1000 * 1000;
inline constexpr qint64 kJxlMaxPixels = 45 * 1000 * 1000;
// Formats that fill are held to kPictureMaxPixels alone: WebP, whose lossless coding
// repeats any run, arithmetic-coded JPEG, which packs
// a plain area into next to nothing, and the metafiles (kMetafileMaxPixels
// below), one of whose records can paint the whole page.

// Whether a picture of that size keeps to the bounds above, and to the pixels its file's data
// can describe (mostPixels, from the bounds per byte).
inline bool withinPictureLimits(qint64 width, qint64 height, qint64 mostPixels)
{
    return width <= kPictureMaxSide && height <= kPictureMaxSide && width * height <= kPictureMaxPixels &&
           width * height <= mostPixels;
}

// JPEGs are read whole into memory to be decoded on two cores; a larger file, far beyond
// any page, is streamed through Qt's reader instead.
inline constexpr qint64 kJpegReadWholeMaxBytes = 64 * 1024 * 1024;
// A page inside an archive is unpacked into memory whole: one that declares more, or
// unpacks to more, is refused (an archive can pack a plain area a thousandfold). AVIF and
// JPEG XL pages, which their libraries read from memory, are held to it wherever they come from.
inline constexpr qint64 kArchivePageMaxBytes = 256 * 1024 * 1024;
// A GIF is read whole to compose its first frame from several image blocks; a larger one
// shows its first block alone. The blocks drawn are bounded in number, and in pixels by
// kPictureMaxPixels, as each costs its own decoding.
inline constexpr qint64 kGifReadWholeMaxBytes = 64 * 1024 * 1024;
inline constexpr int kGifFirstFrameMaxBlocks = 4096;
// Icons are small; one larger than this is not read into memory.
inline constexpr qint64 kIconMaxBytes = 64 * 1024 * 1024;
// What Qt's image readers may allocate for one picture.
inline constexpr int kImageReaderAllocationMegabytes = 1024;

// A PDF page is drawn into a bitmap of poppler's, which is then turned into the picture kept:
// two copies of four bytes a pixel for a while. Drawn at 96 dots per inch, at its picture's
// own pixels or at the size it is stretched to, a page is held to 24 million pixels, 96 MB
// each copy: a 12-megapixel scan twice over. A larger page is drawn at the largest size of the
// same shape within it.
inline constexpr qint64 kPdfPageMaxPixels = 24 * 1000 * 1000;
// What a PDF page's contents, and the forms it draws, may unpack to: a page of comic art drawn
// in vectors takes a few megabytes at most, and poppler reads contents through without a check
// of the time it takes.
inline constexpr qint64 kPdfContentMaxBytes = 64 * 1024 * 1024;

// Metafiles are drawn rather than decoded, so any size would do; these bounds
// keep a careless or hostile header from asking for an absurd page.
inline constexpr int kMetafileMaxSide = 8192;
// Both the drawn page and every bitmap inside the metafile, which is expanded
// to 32 bits a pixel on its way to the screen: a few hundred megabytes each.
inline constexpr qint64 kMetafileMaxPixels = 40 * 1000 * 1000;
// Nor does a metafile need to be big: anything larger is not a page.
inline constexpr qint64 kMetafileMaxBytes = 64 * 1024 * 1024;

} // namespace ruvo
