#include "printpreviewer/PictureMapping.h"

CNiraPictureMapping::CNiraPictureMapping(HDC target, const RECT& destination, LONG pictureWidth,
                                         LONG pictureHeight)
    : m_target(target)
{
    m_mode = SetMapMode(target, MM_ANISOTROPIC);
    if (m_mode == 0) {
        return;
    }
    // A zero extent is refused and would leave the picture drawn one to one.
    m_ready = SetWindowOrgEx(target, 0, 0, &m_windowOrg) &&
              SetWindowExtEx(target, pictureWidth, pictureHeight, &m_windowExt) &&
              SetViewportOrgEx(target, destination.left, destination.top, &m_viewportOrg) &&
              SetViewportExtEx(target, destination.right - destination.left,
                               destination.bottom - destination.top, &m_viewportExt);
}

CNiraPictureMapping::~CNiraPictureMapping()
{
    if (m_mode == 0) {
        return;
    }
    // The window extent goes back before the viewport's, as an isotropic mapping needs.
    SetMapMode(m_target, m_mode);
    SetWindowExtEx(m_target, m_windowExt.cx, m_windowExt.cy, nullptr);
    SetViewportExtEx(m_target, m_viewportExt.cx, m_viewportExt.cy, nullptr);
    SetWindowOrgEx(m_target, m_windowOrg.x, m_windowOrg.y, nullptr);
    SetViewportOrgEx(m_target, m_viewportOrg.x, m_viewportOrg.y, nullptr);
}
