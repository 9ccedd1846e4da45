#include "platform/win32/win32_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace scrivlet {

namespace {

// Every picture is drawn four times larger than it is shown, on a background
// of a colour no picture uses, and then averaged down: GDI draws without
// anti-aliasing, and the average gives smooth edges and the alpha channel.
constexpr int Oversample = 4;
constexpr COLORREF Transparent = RGB(255, 0, 255);
// The square pictures are designed on a grid of 128 x 128 units, the monitor
// on one of 188 x 174.
constexpr int Grid = 128;
constexpr SIZE MonitorGrid{188, 174};
constexpr double Pi = 3.14159265358979323846;

constexpr COLORREF Outline = RGB(52, 52, 56);
constexpr COLORREF Paper = RGB(255, 255, 255);
constexpr COLORREF Blue = RGB(44, 110, 200);
constexpr COLORREF DarkBlue = RGB(22, 62, 130);

// A drawing surface on the design grid.
class Canvas {
public:
    Canvas(HDC dc, bool small) : dc_(dc), small_(small) {}
    bool small() const { return small_; }
    int outlineWidth() const { return small_ ? 10 : 6; }

    void polygon(const std::vector<POINT>& points, COLORREF fill, COLORREF outline, int width) {
        Tools tools(dc_, fill, outline, width);
        Polygon(dc_, points.data(), static_cast<int>(points.size()));
    }
    void rectangle(int l, int t, int r, int b, COLORREF fill, COLORREF outline, int width) {
        Tools tools(dc_, fill, outline, width);
        Rectangle(dc_, l, t, r, b);
    }
    void roundRect(int l, int t, int r, int b, int corner, COLORREF fill, COLORREF outline, int width) {
        Tools tools(dc_, fill, outline, width);
        RoundRect(dc_, l, t, r, b, corner, corner);
    }
    void ellipse(int l, int t, int r, int b, COLORREF fill, COLORREF outline, int width) {
        Tools tools(dc_, fill, outline, width);
        Ellipse(dc_, l, t, r, b);
    }
    void circle(int cx, int cy, int radius, COLORREF fill, COLORREF outline, int width) {
        ellipse(cx - radius, cy - radius, cx + radius, cy + radius, fill, outline, width);
    }
    // A stroke with round ends and joins.
    void stroke(const std::vector<POINT>& points, COLORREF colour, int width) {
        LOGBRUSH brush{BS_SOLID, colour, 0};
        const UniqueHpen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                                          static_cast<DWORD>(width), &brush, 0, nullptr));
        const UniqueSelection selected = selectInto(dc_, pen.get());
        Polyline(dc_, points.data(), static_cast<int>(points.size()));
    }

private:
    // Selects a brush and a pen for one shape; both go back out of the DC
    // before they are deleted.
    class Tools {
    public:
        Tools(HDC dc, COLORREF fill, COLORREF outline, int width)
            : brush_(CreateSolidBrush(fill)),
              pen_(width > 0 ? CreatePen(PS_INSIDEFRAME, width, outline) : CreatePen(PS_NULL, 0, 0)),
              brushSelected_(selectInto(dc, brush_.get())),
              penSelected_(selectInto(dc, pen_.get())) {}

    private:
        UniqueHbrush brush_;
        UniqueHpen pen_;
        UniqueSelection brushSelected_;
        UniqueSelection penSelected_;
    };

    HDC dc_;
    bool small_;
};

POINT at(double x, double y) { return {static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))}; }

// A point at an angle (degrees, counter-clockwise from the right) and a
// distance from a centre.
POINT polar(double cx, double cy, double radius, double degrees) {
    const double a = degrees * Pi / 180;
    return at(cx + radius * std::cos(a), cy - radius * std::sin(a));
}

void drawSheet(Canvas& c, int left, int top, int right, int bottom, int fold) {
    c.polygon({{left, top}, {right - fold, top}, {right, top + fold}, {right, bottom}, {left, bottom}},
              Paper, Outline, c.outlineWidth());
    c.polygon({{right - fold, top}, {right - fold, top + fold}, {right, top + fold}}, RGB(214, 218, 224),
              Outline, c.outlineWidth());
}

void drawAppIcon(Canvas& c) {
    // A notepad with a spiral binding and a lightning bolt: snippets typed in
    // a flash.
    const int w = c.outlineWidth();
    c.roundRect(14, 14, 98, 120, 10, Paper, Outline, w);
    c.rectangle(14, 14, 98, 36, RGB(60, 112, 190), Outline, w);
    const int rings = c.small() ? 3 : 4;
    for (int i = 0; i < rings; ++i) {
        const int x = 30 + i * (c.small() ? 26 : 18);
        c.roundRect(x - 4, 4, x + 5, 28, 8, RGB(200, 204, 210), Outline, c.small() ? 6 : 4);
    }
    if (!c.small())
        for (int y = 54; y <= 102; y += 16) c.stroke({{26, y}, {84, y}}, RGB(150, 180, 225), 5);
    else
        for (int y = 60; y <= 96; y += 36) c.stroke({{28, y}, {70, y}}, RGB(120, 150, 210), 9);
    c.polygon({{90, 34}, {56, 80}, {76, 80}, {58, 124}, {114, 66}, {92, 66}, {112, 34}}, RGB(255, 204, 0),
              RGB(150, 84, 0), w);
}

void drawNew(Canvas& c) {
    drawSheet(c, 30, 12, 106, 118, 26);
    // A sparkle at the corner: something that was not there before.
    const double cx = 34, cy = 34;
    std::vector<POINT> star;
    for (int i = 0; i < 8; ++i) star.push_back(polar(cx, cy, i % 2 ? 9 : 28, 90 + i * 45));
    c.polygon(star, RGB(255, 214, 40), RGB(170, 110, 0), c.outlineWidth() - 1);
}

void drawRename(Canvas& c) {
    const int w = c.outlineWidth();
    // A text field with a caret, and a pencil writing into it.
    c.roundRect(6, 36, 122, 92, 10, Paper, Outline, w);
    c.stroke({{22, 64}, {46, 64}}, Outline, 10);
    c.stroke({{58, 48}, {58, 80}}, Outline, 5);
    const double tipX = 62, tipY = 104, endX = 118, endY = 20;
    const double length = std::hypot(endX - tipX, endY - tipY);
    const double ux = (endX - tipX) / length, uy = (endY - tipY) / length;  // along the pencil
    const double px = -uy, py = ux;                                          // across it
    const double half = 11;
    auto along = [&](double d, double side) { return at(tipX + ux * d + px * side, tipY + uy * d + py * side); };
    c.polygon({along(24, -half), along(length - 16, -half), along(length - 16, half), along(24, half)},
              RGB(250, 196, 40), Outline, w);
    c.polygon({along(length - 16, -half), along(length, -half), along(length, half), along(length - 16, half)},
              RGB(236, 130, 150), Outline, w);
    c.polygon({along(0, 0), along(24, -half), along(24, half)}, RGB(236, 206, 160), Outline, w);
    c.polygon({along(0, 0), along(9, -half * 9 / 24), along(9, half * 9 / 24)}, Outline, Outline, 1);
}

void drawDelete(Canvas& c) {
    c.stroke({{30, 30}, {98, 98}}, RGB(130, 0, 0), 34);
    c.stroke({{98, 30}, {30, 98}}, RGB(130, 0, 0), 34);
    c.stroke({{30, 30}, {98, 98}}, RGB(220, 30, 30), 22);
    c.stroke({{98, 30}, {30, 98}}, RGB(220, 30, 30), 22);
}

void drawOk(Canvas& c) {
    c.stroke({{22, 68}, {52, 98}, {108, 30}}, RGB(24, 100, 30), 34);
    c.stroke({{22, 68}, {52, 98}, {108, 30}}, RGB(64, 176, 64), 22);
}

void drawBadge(Canvas& c) { c.circle(64, 64, 58, Blue, DarkBlue, c.outlineWidth()); }

void drawHelp(Canvas& c) {
    drawBadge(c);
    std::vector<POINT> hook;
    for (int degrees = 170; degrees >= -60; degrees -= 10) hook.push_back(polar(64, 48, 20, degrees));
    hook.push_back(at(64, 74));
    hook.push_back(at(64, 80));
    c.stroke(hook, Paper, 15);
    c.circle(64, 98, 9, Paper, Paper, 0);
}

void drawInfo(Canvas& c) {
    drawBadge(c);
    c.circle(64, 36, 10, Paper, Paper, 0);
    c.roundRect(54, 54, 75, 104, 10, Paper, Paper, 0);
}

void drawDebug(Canvas& c) {
    // A beetle: legs, head and feelers, a red shell with spots.
    const int w = c.outlineWidth();
    for (int i = 0; i < 3; ++i) {
        const int y = 58 + i * 20;
        c.stroke({{64, y}, {20, y - 8 + i * 8}}, Outline, 7);
        c.stroke({{64, y}, {108, y - 8 + i * 8}}, Outline, 7);
    }
    c.stroke({{56, 26}, {42, 8}}, Outline, 6);
    c.stroke({{72, 26}, {86, 8}}, Outline, 6);
    c.circle(64, 32, 16, Outline, Outline, 0);
    c.ellipse(32, 38, 96, 122, RGB(214, 36, 30), Outline, w);
    c.stroke({{64, 42}, {64, 118}}, Outline, 5);
    c.circle(48, 66, 7, Outline, Outline, 0);
    c.circle(80, 66, 7, Outline, Outline, 0);
    c.circle(50, 96, 6, Outline, Outline, 0);
    c.circle(78, 96, 6, Outline, Outline, 0);
}

void drawOptions(Canvas& c) {
    // A cog wheel with a hole through it.
    std::vector<POINT> cog;
    constexpr int Teeth = 8;
    for (int i = 0; i < Teeth; ++i) {
        const double base = i * 360.0 / Teeth;
        cog.push_back(polar(64, 64, 42, base - 17));
        cog.push_back(polar(64, 64, 58, base - 10));
        cog.push_back(polar(64, 64, 58, base + 10));
        cog.push_back(polar(64, 64, 42, base + 17));
    }
    c.polygon(cog, RGB(150, 156, 168), Outline, c.outlineWidth());
    c.circle(64, 64, 18, Transparent, Outline, c.outlineWidth());
}

void drawMonitor(Canvas& c) {
    // A flat screen on its stand. Inside the housing the screen runs from
    // (8, 8) to (181, 141): the edge bars of the options dialog lie along
    // these edges, and its red circle over the notification area at the right
    // end of the taskbar.
    const COLORREF edge = RGB(30, 31, 36);
    c.polygon({{80, 148}, {108, 148}, {113, 164}, {75, 164}}, RGB(112, 116, 126), edge, 2);
    c.roundRect(46, 161, 142, 173, 10, RGB(146, 150, 160), edge, 2);
    c.roundRect(0, 0, 188, 152, 12, RGB(62, 64, 72), edge, 2);
    c.circle(176, 146, 2, RGB(90, 200, 110), RGB(90, 200, 110), 0);  // the power light

    const int left = 8, top = 8, right = 181, bottom = 141;
    c.rectangle(left, top, right, bottom, RGB(48, 114, 170), edge, 1);
    // Two icons on the desktop and a window with a title bar and lines of text.
    for (int y : {28, 58}) {
        c.rectangle(26, y, 39, y + 12, RGB(250, 222, 110), RGB(140, 110, 30), 1);
        c.rectangle(24, y + 15, 41, y + 18, RGB(226, 234, 244), RGB(226, 234, 244), 0);
    }
    c.rectangle(58, 30, 156, 106, RGB(250, 250, 250), RGB(36, 44, 64), 1);
    c.rectangle(58, 30, 156, 41, RGB(36, 82, 160), RGB(36, 44, 64), 1);
    c.rectangle(146, 33, 153, 39, RGB(214, 70, 60), RGB(214, 70, 60), 0);
    const COLORREF text = RGB(170, 176, 186);
    for (int y = 50; y <= 90; y += 10) c.rectangle(66, y, y == 90 ? 110 : 146, y + 3, text, text, 0);
    // The taskbar: the start button, a program's button, and the
    // notification area with two icons and the clock.
    const COLORREF face = RGB(214, 211, 204), shadow = RGB(120, 120, 124);
    c.rectangle(left, 123, right, bottom, face, face, 0);
    c.rectangle(left, 123, right, 125, RGB(250, 250, 250), RGB(250, 250, 250), 0);
    c.rectangle(11, 127, 42, 139, face, shadow, 1);
    c.rectangle(14, 129, 20, 137, RGB(40, 150, 70), RGB(40, 150, 70), 0);
    c.rectangle(22, 131, 38, 134, RGB(60, 60, 64), RGB(60, 60, 64), 0);
    c.rectangle(46, 127, 96, 139, RGB(232, 230, 226), shadow, 1);
    c.rectangle(50, 131, 88, 134, RGB(90, 90, 96), RGB(90, 90, 96), 0);
    c.rectangle(147, 127, 179, 139, RGB(204, 201, 194), shadow, 1);
    c.rectangle(150, 130, 156, 136, RGB(44, 120, 210), RGB(44, 120, 210), 0);
    c.rectangle(158, 130, 164, 136, RGB(226, 84, 44), RGB(226, 84, 44), 0);
    c.rectangle(167, 132, 177, 134, RGB(60, 60, 64), RGB(60, 60, 64), 0);
}

void drawOn(Canvas& c, ui::Picture picture) {
    switch (picture) {
        case ui::Picture::AppIcon: drawAppIcon(c); break;
        case ui::Picture::New: drawNew(c); break;
        case ui::Picture::Rename: drawRename(c); break;
        case ui::Picture::Delete: drawDelete(c); break;
        case ui::Picture::Ok: drawOk(c); break;
        case ui::Picture::Help: drawHelp(c); break;
        case ui::Picture::Info: drawInfo(c); break;
        case ui::Picture::Debug: drawDebug(c); break;
        case ui::Picture::Options: drawOptions(c); break;
        case ui::Picture::Monitor: drawMonitor(c); break;
        case ui::Picture::None: break;
    }
}

struct Pixel {
    std::uint8_t b, g, r, a;
};

HBITMAP createBitmap32(HDC dc, int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// Draws the picture large and returns its pixels at the final size, with
// alpha from the share of each pixel the picture covers.
std::vector<Pixel> render(ui::Picture picture, int width, int height, bool greyed) {
    const int bigWidth = width * Oversample, bigHeight = height * Oversample;
    std::vector<Pixel> result(static_cast<std::size_t>(width * height), Pixel{0, 0, 0, 0});
    UniqueHdc dc(CreateCompatibleDC(nullptr));
    if (!dc) return result;
    void* bits = nullptr;
    UniqueHbitmap canvasBitmap(createBitmap32(dc.get(), bigWidth, bigHeight, &bits));
    if (!canvasBitmap || !bits) return result;
    const UniqueSelection bitmapSelected = selectInto(dc.get(), canvasBitmap.get());
    {
        UniqueHbrush background(CreateSolidBrush(Transparent));
        RECT all{0, 0, bigWidth, bigHeight};
        FillRect(dc.get(), &all, background.get());
        SetMapMode(dc.get(), MM_ANISOTROPIC);
        const SIZE grid = pictureGrid(picture);
        SetWindowExtEx(dc.get(), grid.cx, grid.cy, nullptr);
        SetViewportExtEx(dc.get(), bigWidth, bigHeight, nullptr);
        Canvas canvas(dc.get(), std::min(width, height) <= 16);
        drawOn(canvas, picture);
        GdiFlush();
    }
    const auto* source = static_cast<const Pixel*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int covered = 0, r = 0, g = 0, b = 0;
            for (int dy = 0; dy < Oversample; ++dy) {
                for (int dx = 0; dx < Oversample; ++dx) {
                    const Pixel& p = source[(y * Oversample + dy) * bigWidth + x * Oversample + dx];
                    if (RGB(p.r, p.g, p.b) == Transparent) continue;
                    ++covered;
                    r += p.r;
                    g += p.g;
                    b += p.b;
                }
            }
            if (!covered) continue;
            Pixel& out = result[static_cast<std::size_t>(y * width + x)];
            out = {static_cast<std::uint8_t>(b / covered), static_cast<std::uint8_t>(g / covered),
                   static_cast<std::uint8_t>(r / covered),
                   static_cast<std::uint8_t>(covered * 255 / (Oversample * Oversample))};
            if (greyed) {
                // Light and faint, as the system shows a disabled control.
                const int light = (out.r * 30 + out.g * 59 + out.b * 11) / 100;
                const auto grey = static_cast<std::uint8_t>(128 + light / 3);
                out = {grey, grey, grey, static_cast<std::uint8_t>(out.a * 2 / 3)};
            }
        }
    }
    return result;
}

}  // namespace

SIZE pictureGrid(ui::Picture picture) { return picture == ui::Picture::Monitor ? MonitorGrid : SIZE{Grid, Grid}; }

UniqueHicon drawPicture(ui::Picture picture, int width, int height, bool greyed) {
    if (width <= 0 || height <= 0) return {};
    const std::vector<Pixel> pixels = render(picture, width, height, greyed);
    void* bits = nullptr;
    UniqueHbitmap colour(createBitmap32(nullptr, width, height, &bits));
    if (!colour || !bits) return {};
    auto* target = static_cast<Pixel*>(bits);
    // The mask marks what is transparent, for screens that ignore alpha.
    const int maskStride = ((width + 15) / 16) * 2;
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskStride * height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Pixel& p = pixels[static_cast<std::size_t>(y * width + x)];
            target[y * width + x] = p.a ? p : Pixel{0, 0, 0, 0};
            if (!p.a) mask[static_cast<std::size_t>(y * maskStride + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    GdiFlush();
    UniqueHbitmap maskBitmap(CreateBitmap(width, height, 1, 1, mask.data()));
    if (!maskBitmap) return {};
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = maskBitmap.get();
    info.hbmColor = colour.get();
    // The icon keeps copies of both bitmaps.
    return UniqueHicon(CreateIconIndirect(&info));
}

}  // namespace scrivlet
