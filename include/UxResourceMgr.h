#ifndef UXRESOURCEMGR_H
#define UXRESOURCEMGR_H

#include "CommonCtrls.h"

/// \brief Stand-in for the host framework's resource manager: the user interface's zoom
/// factor, process-wide.
///
/// See UxProductInfo for how a host replaces it.
class COMMONCTRLS_EXPORT UxResourceMgr
{
public:
    /// \brief The zoom factor: 1.0 (100 %) until set.
    static double getZoomDPI();
    /// \brief Sets the zoom factor for the whole process, as given (no range check).
    ///
    /// Images already loaded keep their scale: set the style sheet again to reload them.
    static void setZoomDPI(double zoom);
};

#endif // UXRESOURCEMGR_H
