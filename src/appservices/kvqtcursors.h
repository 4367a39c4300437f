#pragma once
// The library's mouse cursors and the reader of the one-image cursor files
// they are compiled from.
//
// LoadQCursor reads a cursor file with exactly one image, either one bit per
// pixel (XOR image and AND mask) or 32 bits per pixel (straight ARGB). It
// never reads past the data it has and never builds a bitmap from fewer bytes
// than the bitmap needs; anything malformed throws a TKvMessage.
// Decisions where the file format leaves room:
//  - Image data: the reader reads the larger of biSizeImage and what width
//    and height need, in full (a short stream fails), and builds the bitmaps
//    from what the dimensions need. A biSizeImage of 0 stands for 256 bytes
//    in one-bit files (32 x 32) and for nothing in 32-bit ones. Real files
//    carry sizes that count only the colour image; they load. Memory grows
//    only with the data that arrived, so a huge size field in a short file
//    fails at its end.
//  - 32-bit images: only the colour image is used, biWidth x (biHeight / 2)
//    pixels, turned top-down (files store rows bottom-up) so the cursor looks
//    as drawn. When every pixel has alpha 0 (images written without an alpha
//    channel), the AND mask that follows the colour image decides which
//    pixels are opaque.
//  - One-bit images of any width from 1 to 255: file rows are padded to four
//    bytes, and the rows are repacked to the byte-aligned rows Qt's bitmaps take.
//  - The image offset must lie inside the stream; sizes are limited to the
//    256 pixels a cursor directory entry can describe.
// LoadQCursor(resourcePath) accepts only Qt resource paths (":/..."); any
// other path reads as an empty stream, so it fails like an absent resource.

#include "kvqtcpnt_export.h"

#include <QCursor>

#include <string>

class TKvStream;

// Default cursors from library load until InitCursors() fills them; reset by
// DeinitCursors(). A cursor Qt constructs before the application object exists
// carries no data: before InitCursors(), copy or assign them, nothing else.
extern KVQTCPNT_EXPORT QCursor kvCurNone;
extern KVQTCPNT_EXPORT QCursor kvCurDefault;
extern KVQTCPNT_EXPORT QCursor kvCurZoomIn;
extern KVQTCPNT_EXPORT QCursor kvCurZoomOut;
extern KVQTCPNT_EXPORT QCursor kvCurPreZoomIn;
extern KVQTCPNT_EXPORT QCursor kvCurPreZoomOut;
extern KVQTCPNT_EXPORT QCursor kvCurSelRect;
extern KVQTCPNT_EXPORT QCursor kvCurSelPoly;
extern KVQTCPNT_EXPORT QCursor kvCurHand1;
extern KVQTCPNT_EXPORT QCursor kvCurHand2;
extern KVQTCPNT_EXPORT QCursor kvCurDrag;
extern KVQTCPNT_EXPORT QCursor kvCurDragging;
extern KVQTCPNT_EXPORT QCursor kvCurBrush;
extern KVQTCPNT_EXPORT QCursor kvCurMagic;

// Decodes one cursor from a stream positioned at the start of a cursor file.
// Throws a TKvMessage for any malformed or unsupported input.
KVQTCPNT_EXPORT QCursor LoadQCursor(TKvStream& stream);
// Decodes the Qt resource at that path (":/CUR_HAND1.cur").
KVQTCPNT_EXPORT QCursor LoadQCursor(const std::string& resourcePath);

// Fills the fourteen globals; the first failure passes out, and the globals
// loaded before it keep their new values.
KVQTCPNT_EXPORT void InitCursors();
KVQTCPNT_EXPORT void DeinitCursors();
