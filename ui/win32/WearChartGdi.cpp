#include "ui/win32/WearChartGdi.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "ui/win32/GdiSelected.h"
#include "ui/win32/WinText.h"

namespace zt40::win {

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kFrame = RGB(96, 96, 96);
constexpr COLORREF kGrid = RGB(224, 224, 224);
constexpr int kTickLength = 4;
constexpr int kLegendSample = 24;  // the stretch of line before each legend entry
// Drawn and left out, in pixels, along a line of each stroke.
constexpr double kDash[] = {8, 5};
constexpr double kDot[] = {2, 3};

COLORREF ToGdi(const Rgb& colour) { return RGB(colour.r, colour.g, colour.b); }

Selected Pen(HDC dc, COLORREF colour, int width) { return Selected(dc, CreatePen(PS_SOLID, width, colour), true); }

SIZE TextSize(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void Write(HDC dc, int x, int y, const std::wstring& text) {
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

struct Pixel {
    double x, y;
};

// A line through `points` in `stroke`: GDI's own dashes are for one-pixel pens only, and each
// system draws them differently, so the pieces are laid out here and drawn solid.
void Stroke(HDC dc, const std::vector<Pixel>& points, ChartStroke stroke) {
    if (points.size() < 2) return;
    if (stroke == ChartStroke::Solid) {
        std::vector<POINT> whole;
        for (const auto& p : points) whole.push_back({static_cast<LONG>(std::lround(p.x)), static_cast<LONG>(std::lround(p.y))});
        Polyline(dc, whole.data(), static_cast<int>(whole.size()));
        return;
    }
    const double* pattern = stroke == ChartStroke::Dashed ? kDash : kDot;
    bool drawn = true;
    double left = pattern[0];  // of the current piece
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Pixel from = points[i - 1], to = points[i];
        const double length = std::hypot(to.x - from.x, to.y - from.y);
        double at = 0;
        while (at < length) {
            const double step = std::min(left, length - at);
            if (drawn) {
                const auto x = [&](double t) { return static_cast<int>(std::lround(from.x + (to.x - from.x) * t / length)); };
                const auto y = [&](double t) { return static_cast<int>(std::lround(from.y + (to.y - from.y) * t / length)); };
                MoveToEx(dc, x(at), y(at), nullptr);
                LineTo(dc, x(at + step), y(at + step));
            }
            at += step;
            left -= step;
            if (left <= 0) {
                drawn = !drawn;
                left = pattern[drawn ? 0 : 1];
            }
        }
    }
}

double Along(const ChartAxis& axis, double value, double from, double to) {
    return from + (value - axis.low) / (axis.high - axis.low) * (to - from);
}

}  // namespace

void PaintWearChart(HDC dc, const RECT& box, const WearChartModel& chart, HFONT font) {
    const HBRUSH paper = CreateSolidBrush(kPaper);
    FillRect(dc, &box, paper);
    DeleteObject(paper);
    const Selected usedFont(dc, font, false);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kInk);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int line = metrics.tmHeight;
    const int margin = line / 2;

    const std::wstring title = Render(chart.title);
    const SIZE titleSize = TextSize(dc, title);
    Write(dc, (box.left + box.right - titleSize.cx) / 2, box.top + margin, title);
    if (!chart.hasSamples) return;

    // The legend on the right, one entry a line, as wide as its longest text.
    std::vector<std::pair<const ChartLine*, std::wstring>> legend;
    int legendText = 0;
    for (const ChartLine& entry : chart.lines) {
        if (!entry.legend) continue;
        legend.emplace_back(&entry, Render(*entry.legend));
        legendText = std::max<int>(legendText, TextSize(dc, legend.back().second).cx);
    }
    const int legendLeft = box.right - margin - legendText - kLegendSample - margin;

    int countLabels = 0;
    for (const auto& tick : chart.counts.ticks) countLabels = std::max<int>(countLabels, TextSize(dc, Widen(tick.label)).cx);
    RECT plot{box.left + margin + countLabels + kTickLength + 2, box.top + margin + 2 * line + margin,
              legendLeft - 2 * margin, box.bottom - margin - line - kTickLength - 2};
    if (plot.right - plot.left < 20 || plot.bottom - plot.top < 20) return;
    if (chart.counts.title) Write(dc, box.left + margin, plot.top - line - 2, Render(*chart.counts.title));

    const auto x = [&](double day) { return Along(chart.days, day, plot.left, plot.right); };
    const auto y = [&](double count) { return Along(chart.counts, count, plot.bottom, plot.top); };
    {
        const Selected grid = Pen(dc, kGrid, 1);
        for (const auto& tick : chart.days.ticks) {
            const int at = static_cast<int>(std::lround(x(tick.at)));
            MoveToEx(dc, at, plot.top, nullptr);
            LineTo(dc, at, plot.bottom);
        }
        for (const auto& tick : chart.counts.ticks) {
            const int at = static_cast<int>(std::lround(y(tick.at)));
            MoveToEx(dc, plot.left, at, nullptr);
            LineTo(dc, plot.right, at);
        }
    }
    {
        const Selected frame = Pen(dc, kFrame, 1);
        const Selected hollow(dc, GetStockObject(NULL_BRUSH), false);
        Rectangle(dc, plot.left, plot.top, plot.right + 1, plot.bottom + 1);
        for (const auto& tick : chart.days.ticks) {
            const std::wstring label = Widen(tick.label);
            const int at = static_cast<int>(std::lround(x(tick.at)));
            MoveToEx(dc, at, plot.bottom, nullptr);
            LineTo(dc, at, plot.bottom + kTickLength);
            const int width = TextSize(dc, label).cx;
            // Kept inside the view: the first and the last date sit at the plot's ends.
            const int left = std::clamp(at - width / 2, static_cast<int>(box.left) + margin,
                                        static_cast<int>(box.right) - margin - width);
            Write(dc, left, plot.bottom + kTickLength + 2, label);
        }
        for (const auto& tick : chart.counts.ticks) {
            const std::wstring label = Widen(tick.label);
            const int at = static_cast<int>(std::lround(y(tick.at)));
            MoveToEx(dc, plot.left - kTickLength, at, nullptr);
            LineTo(dc, plot.left, at);
            Write(dc, plot.left - kTickLength - 2 - TextSize(dc, label).cx, at - line / 2, label);
        }
    }

    const int saved = SaveDC(dc);
    IntersectClipRect(dc, plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    for (const ChartLine& entry : chart.lines) {
        std::vector<Pixel> points;
        for (const auto& point : entry.points) points.push_back({x(point.day), y(point.count)});
        const Selected pen = Pen(dc, ToGdi(entry.colour), entry.width);
        if (points.size() == 1) {
            // A single sample is a point, not a line: a small square where it is.
            const auto cx = static_cast<int>(std::lround(points[0].x)), cy = static_cast<int>(std::lround(points[0].y));
            const Selected fill(dc, CreateSolidBrush(ToGdi(entry.colour)), true);
            Rectangle(dc, cx - 2, cy - 2, cx + 3, cy + 3);
        }
        Stroke(dc, points, entry.stroke);
    }
    RestoreDC(dc, saved);

    int top = plot.top;
    for (const auto& [entry, text] : legend) {
        const Selected pen = Pen(dc, ToGdi(entry->colour), entry->width);
        const double middle = top + line / 2.0;
        Stroke(dc, {{static_cast<double>(legendLeft), middle}, {static_cast<double>(legendLeft + kLegendSample), middle}},
               entry->stroke);
        Write(dc, legendLeft + kLegendSample + margin, top, text);
        top += line + 2;
    }
}

namespace {

constexpr wchar_t kClassName[] = L"Zt40WearChart";

struct ChartWindow {
    const WearChartModel* chart;
    HFONT font;
};

// Painted whole into a picture of the client area first, so that a repaint does not flicker.
void PaintBuffered(HWND window, HDC target, const ChartWindow& state) {
    RECT client{};
    GetClientRect(window, &client);
    HDC buffer = CreateCompatibleDC(target);
    HBITMAP picture = CreateCompatibleBitmap(target, client.right, client.bottom);
    if (buffer == nullptr || picture == nullptr) {
        PaintWearChart(target, client, *state.chart, state.font);
    } else {
        HGDIOBJ previous = SelectObject(buffer, picture);
        PaintWearChart(buffer, client, *state.chart, state.font);
        BitBlt(target, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
        SelectObject(buffer, previous);
    }
    if (picture != nullptr) DeleteObject(picture);
    if (buffer != nullptr) DeleteDC(buffer);
}

LRESULT CALLBACK ChartProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<ChartWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_NCDESTROY: {
        // Made by CreateWearChartWindow for this window alone.
        const std::unique_ptr<ChartWindow> owned(state);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (state != nullptr) PaintBuffered(window, dc, *state);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (state != nullptr) PaintBuffered(window, reinterpret_cast<HDC>(wParam), *state);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateWearChartWindow(HWND parent, int id, const RECT& place, const WearChartModel& chart, HFONT font) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    if (!GetClassInfoExW(instance, kClassName, &windowClass)) {
        windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &ChartProcedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.lpszClassName = kClassName;
        if (RegisterClassExW(&windowClass) == 0) return nullptr;
    }
    auto state = std::make_unique<ChartWindow>(ChartWindow{&chart, font});
    HWND window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, state.get());
    if (window != nullptr) state.release();  // the window deletes it when it goes
    return window;
}

}  // namespace zt40::win
