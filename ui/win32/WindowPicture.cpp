#include "ui/win32/WindowPicture.h"

#include <wincodec.h>

#include <cstdint>
#include <vector>

namespace zt40::win {

namespace {

// Releases a COM interface when it goes out of use.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (m_p != nullptr) m_p->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    Interface** Out() { return &m_p; }
    Interface* operator->() const { return m_p; }
    Interface* Get() const { return m_p; }

private:
    Interface* m_p = nullptr;
};

struct ComApartment {
    ComApartment() : ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool ok;
};

class MemoryPicture {
public:
    MemoryPicture(HDC like, int width, int height)
        : m_dc(CreateCompatibleDC(like)), m_bitmap(CreateCompatibleBitmap(like, width, height)) {
        if (m_dc != nullptr && m_bitmap != nullptr) m_old = SelectObject(m_dc, m_bitmap);
    }
    ~MemoryPicture() {
        if (m_old != nullptr) SelectObject(m_dc, m_old);
        if (m_bitmap != nullptr) DeleteObject(m_bitmap);
        if (m_dc != nullptr) DeleteDC(m_dc);
    }
    MemoryPicture(const MemoryPicture&) = delete;
    MemoryPicture& operator=(const MemoryPicture&) = delete;
    bool Ok() const { return m_old != nullptr; }

    // The bitmap out of the device context while this lives.
    struct Unselected {
        explicit Unselected(const MemoryPicture& p) : picture(p) { SelectObject(p.m_dc, p.m_old); }
        ~Unselected() { SelectObject(picture.m_dc, picture.m_bitmap); }
        Unselected(const Unselected&) = delete;
        Unselected& operator=(const Unselected&) = delete;
        const MemoryPicture& picture;
    };
    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old = nullptr;
};

struct WindowDc {
    explicit WindowDc(HWND w) : window(w), dc(GetWindowDC(w)) {}
    ~WindowDc() {
        if (dc != nullptr) ReleaseDC(window, dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HWND window;
    HDC dc;
};

// Whether the picture holds more than one colour: a capture that failed quietly is all black.
bool HasContent(const MemoryPicture& picture, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    // Read with the bitmap out of its device context, as GetDIBits asks.
    const MemoryPicture::Unselected unselected(picture);
    if (GetDIBits(picture.Dc(), picture.Bitmap(), 0, static_cast<UINT>(height), pixels.data(), &info,
                  DIB_RGB_COLORS) == 0) {
        return false;
    }
    for (const std::uint32_t pixel : pixels) {
        if ((pixel & 0xFFFFFF) != (pixels.front() & 0xFFFFFF)) return true;
    }
    return false;
}

bool WritePng(HBITMAP bitmap, const std::wstring& file) {
    ComApartment com;
    ComRef<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Out())))) {
        return false;
    }
    ComRef<IWICBitmap> source;
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> frame;
    return SUCCEEDED(factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, source.Out())) &&
           SUCCEEDED(factory->CreateStream(stream.Out())) &&
           SUCCEEDED(stream->InitializeFromFilename(file.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out())) &&
           SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.Out(), nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(frame->WriteSource(source.Get(), nullptr)) && SUCCEEDED(frame->Commit()) &&
           SUCCEEDED(encoder->Commit());
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::wstring& file) {
    RECT bounds{};
    if (!GetWindowRect(window, &bounds)) return false;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) return false;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
    const WindowDc screen(window);
    if (screen.dc == nullptr) return false;
    const MemoryPicture picture(screen.dc, width, height);
    if (!picture.Ok()) return false;
    // What the window shows, frame and controls; where that comes out blank (a window the
    // system keeps no picture of), what it draws when asked.
    if (!BitBlt(picture.Dc(), 0, 0, width, height, screen.dc, 0, 0, SRCCOPY) || !HasContent(picture, width, height)) {
        if (!PrintWindow(window, picture.Dc(), 0)) return false;
    }
    if (!HasContent(picture, width, height)) return false;
    const MemoryPicture::Unselected unselected(picture);
    return WritePng(picture.Bitmap(), file);
}

}  // namespace zt40::win
