#include "picture_export.h"

#include "resource_catalogue.h"
#include "screenshot.h"
#include "transparent_bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gallery {

namespace {

// The pixels of a device context's selected bitmap of w x h.
std::vector<uint32_t> ReadPixels(HDC dc, HBITMAP bitmap, int w, int h)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
    GetDIBits(dc, bitmap, 0, h, pixels.data(), &info, DIB_RGB_COLORS);
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

// Draws with `paint` on a w x h bitmap filled with the dialog face colour
// and writes it as PNG.
template <typename Paint>
bool Render(const std::string& path, int w, int h, Paint paint)
{
    const CWindowDC screen(nullptr);
    const CDCHandle memory(CreateCompatibleDC(screen));
    const CBitmapHandle bitmap(CreateCompatibleBitmap(screen, w, h));
    {
        const CSelectObject selection(memory, bitmap);
        RECT all = { 0, 0, w, h };
        FillRect(memory, &all, GetSysColorBrush(COLOR_BTNFACE));
        paint(memory);
    }
    // GetDIBits wants the bitmap selected nowhere.
    return testsupport::WritePng(path, w, h, ReadPixels(memory, bitmap, w, h));
}

std::string DeviceName(int device)
{
    static const char* const names[] = { "no device", "LCD panel", "CRT monitor", "TV", "secondary panel" };
    return names[device];
}

std::string ArrangementName(int arrangement)
{
    static const char* const names[] = { "plain", "rotated 90 degrees", "rotated 270 degrees", "rotated 180 degrees",
                                         "dual view", "dual application" };
    return names[arrangement];
}

// What a bitmap id shows, from the preview tables and the template pictures.
std::string Describe(int id)
{
    std::string found;
    for (int arrangement = 0; arrangement < 6; ++arrangement)
        for (int device = 0; device < 5; ++device) {
            const bool first = vqxres::kFirstPreview[arrangement][device] == id;
            const bool second = vqxres::kSecondPreview[arrangement][device] == id;
            if (!first && !second)
                continue;
            const std::string use = DeviceName(device) + ", " + ArrangementName(arrangement) + (first ? ", first picture" : ", second picture");
            if (found.find(use) == std::string::npos)
                found += (found.empty() ? "" : "; ") + use;
        }
    switch (id) {
    case IDB_PRODUCT_LOGO: return "About box picture";
    case IDB_ADAPTER: return "Information and configuration page picture";
    case IDB_POWER: return "Reduce-on page picture";
    case IDB_CONFIRM_DISPLAY: return "Keep-or-undo dialog picture";
    case IDB_PREVIEW_SECOND_LCD_ALT: return "LCD panel, second picture (spare copy)";
    }
    return found.empty() ? "unused" : found;
}

void ExportBitmap(Context& context, int id)
{
    const CTransparentBitmap picture(id);
    if (!picture.GetOwnedBitmap()) {
        context.Record(false, "", "", "bitmap " + std::to_string(id));
        return;
    }
    const SIZE size = picture.GetBitmapSize();
    const std::string file = "bitmap_" + std::to_string(id) + ".png";
    const std::string onFace = "bitmap_" + std::to_string(id) + "_transparent.png";
    const std::string caption = std::to_string(id) + ": " + Describe(id);
    context.Record(Render(context.outputDir + file, size.cx, size.cy, [&](HDC dc) {
        const CDCHandle source(CreateCompatibleDC(dc));
        const CSelectObject selection(source, picture.GetOwnedBitmap());
        BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    }), "Bitmaps as stored", file, caption);
    context.Record(Render(context.outputDir + onFace, size.cx, size.cy, [&](HDC dc) { picture.Draw(dc, { 0, 0, size.cx, size.cy }); }),
                   "Bitmaps as the picture control draws them", onFace, caption);
}

}  // namespace

void ExportIcon(Context& context)
{
    for (int size : { 16, 32 }) {
        HICON icon = static_cast<HICON>(LoadImageA(context.resources, MAKEINTRESOURCEA(IDI_TRAY), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        const std::string file = "icon_" + std::to_string(size) + ".png";
        const int zoom = 4;
        context.Record(icon && Render(context.outputDir + file, size * (zoom + 1) + 8, size * zoom + 4, [&](HDC dc) {
                           DrawIconEx(dc, 2, 2, icon, size, size, 0, nullptr, DI_NORMAL);
                           DrawIconEx(dc, size + 6, 2, icon, size * zoom, size * zoom, 0, nullptr, DI_NORMAL);
                       }),
                       "Icon", file, "Icon 1000, " + std::to_string(size) + " x " + std::to_string(size) + " (and enlarged)");
        if (icon)
            DestroyIcon(icon);
    }
}

void ExportBitmaps(Context& context)
{
    for (int id = IDB_PREVIEW_FIRST_ID; id <= IDB_PREVIEW_LAST_ID; ++id)
        ExportBitmap(context, id);
    for (int id : vqxres::kTemplatePictures)
        ExportBitmap(context, id);
}

}  // namespace gallery
