#pragma once
// The library's mouse cursors and the reader of the one-image cursor files
// they are compiled from.

#include "kvqtcpnt_export.h"

#include <QCursor>

#include <string>

class TKvStream;

// Default cursors until InitCursors() fills them; reset by DeinitCursors().
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

KVQTCPNT_EXPORT void InitCursors();
KVQTCPNT_EXPORT void DeinitCursors();
