#include "UxResourceMgr.h"

namespace {
double g_zoom = 1.0;
}

double UxResourceMgr::getZoomDPI()
{
    return g_zoom;
}

void UxResourceMgr::setZoomDPI(double zoom)
{
    g_zoom = zoom;
}
