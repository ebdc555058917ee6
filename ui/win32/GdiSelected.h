#pragma once
// Both painters select pens, brushes and fonts for a stretch of drawing and must leave the
// context as they found it, whatever path they leave by.
#include <windows.h>

namespace zt40::win {

// One GDI object selected into the context for the life of the value, then put back and, when
// owned, deleted.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object, bool owned) : m_dc(dc), m_object(object), m_owned(owned) {
        m_previous = SelectObject(dc, object);
    }
    ~Selected() {
        SelectObject(m_dc, m_previous);
        if (m_owned) DeleteObject(m_object);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_previous;
    bool m_owned;
};

}  // namespace zt40::win
