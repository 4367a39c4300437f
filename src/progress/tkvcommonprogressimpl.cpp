#include "progress/tkvcommonprogressimpl.h"

#include "progress/tkvqtprogressframe.h"

template class TKvCommonProgressImpl<TKvQtProgressFrame>;
