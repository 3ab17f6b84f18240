#ifndef UXRESOURCEMGR_H
#define UXRESOURCEMGR_H

#include "CommonCtrls.h"

// Stand-in for the host framework's resource manager: the user interface's zoom
// factor, process-wide. See UxProductInfo.h for how a host replaces it.
class COMMONCTRLS_EXPORT UxResourceMgr
{
public:
    static double getZoomDPI(); // 1.0 (100 %) until set
    static void setZoomDPI(double zoom);
};

#endif // UXRESOURCEMGR_H
