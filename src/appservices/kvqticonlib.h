#pragma once
// Icons of the suite's icon library by name and size. The library's images
// are Qt resources registered by the suite under ":/kvicon/<name>_<w>x<h>".

#include "kvqtcpnt_export.h"

#include <QIcon>
#include <QPixmap>

#include <string>

// The icon library image "name" at width x height; a name that begins with
// ":/" is taken as a resource path as it is. The colour of the corners is made
// transparent (a heuristic mask). A missing image gives a null pixmap.
KVQTCPNT_EXPORT QPixmap KvGetPixmapFromIconLib(const std::string& name, int width, int height);
// The same image as an icon (a null icon when it is missing).
KVQTCPNT_EXPORT QIcon KvGetIconFromIconLib(const std::string& name, int width, int height);
// The image "name" at every size the library renders (16, 24 and 32 pixels)
// in one icon, so that Qt picks the sharp one for the screen's scale.
KVQTCPNT_EXPORT QIcon KvGetIconSetFromIconLib(const std::string& name);
// The resource path KvGetPixmapFromIconLib reads.
KVQTCPNT_EXPORT QString KvIconLibPath(const std::string& name, int width, int height);
