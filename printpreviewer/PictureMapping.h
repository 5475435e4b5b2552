// The target's page space while a page picture is drawn: the picture's pixels (the window) mapped
// onto the destination rectangle (the viewport), then the target's own mapping given back.
#pragma once

#include <windows.h>

class CNiraPictureMapping {
public:
    CNiraPictureMapping(HDC target, const RECT& destination, LONG pictureWidth, LONG pictureHeight);
    ~CNiraPictureMapping();
    CNiraPictureMapping(const CNiraPictureMapping&) = delete;
    CNiraPictureMapping& operator=(const CNiraPictureMapping&) = delete;
    bool Ready() const { return m_ready; }

private:
    HDC m_target;
    int m_mode = 0;
    bool m_ready = false;
    POINT m_windowOrg = {};
    POINT m_viewportOrg = {};
    SIZE m_windowExt = {};
    SIZE m_viewportExt = {};
};
