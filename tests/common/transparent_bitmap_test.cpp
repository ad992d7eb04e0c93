// The picture control: magenta shows what lies behind, every other colour is
// drawn as it is, in memory and bound to a static control of a real dialog;
// where its pictures come from and who frees them.
#include <gtest/gtest.h>

#include "common_test_ids.h"
#include "picture_canvas.h"
#include "test_bitmaps.h"
#include "test_support.h"
#include "transparent_bitmap.h"
#include "winapp.h"

using testbitmaps::kBesideKey;
using testbitmaps::kLibraryOther;
using testbitmaps::kPattern;
using testbitmaps::kProgramOther;

namespace {

constexpr uint32_t kCanvasColour = 0x3C5A78;
constexpr uint32_t kDialogColour = 0x2080C0;

const Picture kPatternPicture(kPattern);

RECT At(int x, int y, int width, int height)
{
    return { x, y, x + width, y + height };
}

bool IsBitmapAlive(HBITMAP bitmap)
{
    BITMAP info;
    return GetObjectA(bitmap, sizeof(info), &info) != 0;
}

// Makes the test's resource library the module's resource handle for a scope.
class LibraryResources {
public:
    LibraryResources() : m_library(LoadLibraryA("COMMONTESTRES.DLL")), m_previous(AfxGetResourceHandle())
    {
        AfxSetResourceHandle(m_library.Get());
    }
    ~LibraryResources() { AfxSetResourceHandle(m_previous); }
    LibraryResources(const LibraryResources&) = delete;
    LibraryResources& operator=(const LibraryResources&) = delete;
    bool Loaded() const { return static_cast<bool>(m_library); }

private:
    CModule m_library;
    HINSTANCE m_previous;
};

// ---- drawing into memory --------------------------------------------------

TEST(TransparentDraw, KeyColourShowsTheBackgroundAndEveryOtherColourIsDrawnExactly)
{
    const CTransparentBitmap picture(IDB_TEST_PATTERN);
    PictureCanvas canvas(14, 9, kCanvasColour);
    const RECT rect = At(3, 2, kPatternPicture.width, kPatternPicture.height);

    picture.Draw(canvas.Dc(), rect);

    EXPECT_EQ("", Mismatches(canvas, DrawnOver(kPatternPicture, { 3, 2 }, rect, kCanvasColour)));
    // The colours one step off the key colour (first row) are opaque.
    for (int x = 1; x <= 3; ++x)
        EXPECT_EQ(kBesideKey[x - 1], canvas.Pixel(3 + x, 2)) << "column " << x;
}

TEST(TransparentDraw, TheContextsTextAndBackgroundColoursNeitherMatterNorChange)
{
    const CTransparentBitmap picture(IDB_TEST_PATTERN);
    PictureCanvas canvas(8, 4, kCanvasColour);
    SetTextColor(canvas.Dc(), RGB(0x12, 0x34, 0x56));
    SetBkColor(canvas.Dc(), RGB(0xAB, 0xCD, 0xEF));
    const RECT rect = At(0, 0, 8, 4);

    picture.Draw(canvas.Dc(), rect);

    EXPECT_EQ("", Mismatches(canvas, DrawnOver(kPatternPicture, { 0, 0 }, rect, kCanvasColour)));
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), GetTextColor(canvas.Dc()));
    EXPECT_EQ(RGB(0xAB, 0xCD, 0xEF), GetBkColor(canvas.Dc()));
}

TEST(TransparentDraw, ASmallerRectangleClipsThePictureWithoutScalingIt)
{
    const CTransparentBitmap picture(IDB_TEST_PATTERN);
    PictureCanvas canvas(12, 8, kCanvasColour);
    const RECT rect = At(2, 1, 5, 3);

    picture.Draw(canvas.Dc(), rect);

    EXPECT_EQ("", Mismatches(canvas, DrawnOver(kPatternPicture, { 2, 1 }, rect, kCanvasColour)));
}

TEST(TransparentDraw, BeyondThePictureALargerRectangleKeepsItsBackground)
{
    const CTransparentBitmap picture(IDB_TEST_PATTERN);
    PictureCanvas canvas(16, 10, kCanvasColour);
    const RECT rect = At(1, 1, 15, 9);

    picture.Draw(canvas.Dc(), rect);

    EXPECT_EQ("", Mismatches(canvas, DrawnOver(kPatternPicture, { 1, 1 }, rect, kCanvasColour)));
}

TEST(TransparentDraw, WithoutAPictureNothingIsDrawn)
{
    const CTransparentBitmap none;
    const CTransparentBitmap missing(999);
    PictureCanvas canvas(8, 4, kCanvasColour);

    none.Draw(canvas.Dc(), At(0, 0, 8, 4));
    missing.Draw(canvas.Dc(), At(0, 0, 8, 4));

    EXPECT_EQ(nullptr, missing.GetOwnedBitmap());
    EXPECT_EQ("", Mismatches(canvas, [](int, int) { return kCanvasColour; }));
}

// ---- where pictures come from, who frees them -----------------------------

TEST(TransparentBitmapLoading, PicturesComeFromTheModulesResourceHandle)
{
    const RECT rect = At(0, 0, 5, 3);
    {
        LibraryResources library;
        ASSERT_TRUE(library.Loaded());
        const CTransparentBitmap constructed(IDB_TEST_OTHER);
        CTransparentBitmap switchedOn;
        switchedOn.SetTransparentDrawing(true, IDB_TEST_OTHER);

        PictureCanvas first(5, 3, kCanvasColour), second(5, 3, kCanvasColour);
        constructed.Draw(first.Dc(), rect);
        switchedOn.Draw(second.Dc(), rect);
        EXPECT_EQ("", Mismatches(first, DrawnOver(Picture(kLibraryOther), { 0, 0 }, rect, kCanvasColour)));
        EXPECT_EQ("", Mismatches(second, DrawnOver(Picture(kLibraryOther), { 0, 0 }, rect, kCanvasColour)));
    }
    const CTransparentBitmap fromProgram(IDB_TEST_OTHER);
    PictureCanvas canvas(5, 3, kCanvasColour);
    fromProgram.Draw(canvas.Dc(), rect);
    EXPECT_EQ("", Mismatches(canvas, DrawnOver(Picture(kProgramOther), { 0, 0 }, rect, kCanvasColour)));
}

TEST(TransparentBitmapLoading, ALoadedBitmapReplacesAndFreesThePreviousOne)
{
    HBITMAP last = nullptr;
    {
        CTransparentBitmap picture(IDB_TEST_PATTERN);
        HBITMAP first = picture.GetOwnedBitmap();
        ASSERT_TRUE(IsBitmapAlive(first));

        picture.LoadPicture(IDB_TEST_OTHER);

        last = picture.GetOwnedBitmap();
        EXPECT_FALSE(IsBitmapAlive(first)) << "the replaced bitmap is freed";
        EXPECT_TRUE(IsBitmapAlive(last));
        PictureCanvas canvas(5, 3, kCanvasColour);
        picture.Draw(canvas.Dc(), At(0, 0, 5, 3));
        EXPECT_EQ("", Mismatches(canvas, DrawnOver(Picture(kProgramOther), { 0, 0 }, At(0, 0, 5, 3), kCanvasColour)));
    }
    EXPECT_FALSE(IsBitmapAlive(last)) << "the object frees its bitmap";
}

// ---- bound to a picture control of a dialog -------------------------------

INT_PTR CALLBACK PictureTestDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);  // the background brush
        return TRUE;
    case WM_CTLCOLORDLG:
        return static_cast<INT_PTR>(GetWindowLongPtrA(dialog, DWLP_USER));
    }
    return FALSE;
}

// A dialog of one colour whose picture control shows kPattern from its
// template; shown on the screen, read back pixel by pixel.
class TransparentBitmapInDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        const uint32_t c = kDialogColour;
        m_background.Reset(CreateSolidBrush(RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF)));
        m_dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PICTURE_TEST), nullptr,
                                      PictureTestDialogProc, reinterpret_cast<LPARAM>(m_background.Get()));
        ASSERT_NE(nullptr, m_dialog);
        m_control = GetDlgItem(m_dialog, IDC_TEST_PICTURE);
        ASSERT_NE(nullptr, m_control);
        RECT client;
        GetClientRect(m_control, &client);
        ASSERT_EQ(kPatternPicture.width, client.right) << "SS_BITMAP sizes the control to its bitmap";
        ASSERT_EQ(kPatternPicture.height, client.bottom);
    }
    void TearDown() override
    {
        if (m_dialog)
            DestroyWindow(m_dialog);
        testsupport::FlushEvents();
    }

    void Show()
    {
        SetWindowPos(m_dialog, HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(m_dialog);
        testsupport::FlushEvents();
    }

    // What the picture control shows once every pending repaint is done.
    std::string ShownMismatches(const std::function<uint32_t(int x, int y)>& expected)
    {
        testsupport::FlushEvents();
        PictureCanvas shown(kPatternPicture.width, kPatternPicture.height, 0);
        const CWindowDC dc(m_control);
        if (!shown.CopyFrom(dc, 0, 0))
            return "the control's pixels could not be read";
        return Mismatches(shown, expected);
    }

    std::function<uint32_t(int x, int y)> TransparentOverDialog(const Picture& picture) const
    {
        return DrawnOver(picture, { 0, 0 }, At(0, 0, kPatternPicture.width, kPatternPicture.height), kDialogColour);
    }
    static std::function<uint32_t(int x, int y)> Opaque(const Picture& picture)
    {
        return [picture](int x, int y) { return picture.At(x, y); };
    }

    CBrushHandle m_background;
    HWND m_dialog = nullptr;
    HWND m_control = nullptr;
};

TEST_F(TransparentBitmapInDialog, SwitchedOnWithoutAnIdItDrawsTheTemplatesBitmap)
{
    CTransparentBitmap picture(IDB_TEST_OTHER);
    HBITMAP loaded = picture.GetOwnedBitmap();
    ASSERT_TRUE(picture.SubclassWindow(m_control));

    picture.SetTransparentDrawing(true);
    Show();

    EXPECT_EQ("", ShownMismatches(TransparentOverDialog(kPatternPicture)));
    EXPECT_FALSE(IsBitmapAlive(loaded)) << "the bitmap it held before is freed";
}

TEST_F(TransparentBitmapInDialog, DrawingOffLeavesThePaintingToTheStaticControl)
{
    CTransparentBitmap picture;
    ASSERT_TRUE(picture.SubclassWindow(m_control));
    picture.SetTransparentDrawing(true);
    HBITMAP owned = picture.GetOwnedBitmap();
    Show();

    picture.SetTransparentDrawing(false);

    EXPECT_EQ("", ShownMismatches(Opaque(kPatternPicture))) << "magenta is shown as it is";
    EXPECT_EQ(owned, picture.GetOwnedBitmap());
    EXPECT_TRUE(IsBitmapAlive(owned));
}

TEST_F(TransparentBitmapInDialog, SwitchedOnInAShownDialogTheDialogShowsThroughAtOnce)
{
    CTransparentBitmap picture;
    ASSERT_TRUE(picture.SubclassWindow(m_control));
    Show();
    ASSERT_EQ("", ShownMismatches(Opaque(kPatternPicture)));

    picture.SetTransparentDrawing(true);

    EXPECT_EQ("", ShownMismatches(TransparentOverDialog(kPatternPicture)));
}

TEST_F(TransparentBitmapInDialog, SwitchedOnWithAnIdItDrawsThatBitmap)
{
    CTransparentBitmap picture;
    ASSERT_TRUE(picture.SubclassWindow(m_control));
    Show();

    picture.SetTransparentDrawing(true, IDB_TEST_OTHER);

    EXPECT_EQ("", ShownMismatches(TransparentOverDialog(Picture(kProgramOther))));
}

TEST_F(TransparentBitmapInDialog, TheControlKeepsTheBitmapItShows)
{
    HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(m_control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(nullptr, shown);
    HBITMAP owned = nullptr;
    {
        CTransparentBitmap picture;
        ASSERT_TRUE(picture.SubclassWindow(m_control));
        picture.SetTransparentDrawing(true);
        owned = picture.GetOwnedBitmap();
        EXPECT_NE(shown, owned) << "the object owns a bitmap of its own";
    }
    EXPECT_FALSE(IsBitmapAlive(owned));
    EXPECT_TRUE(IsBitmapAlive(shown)) << "the control's bitmap outlives the object";
    Show();
    EXPECT_EQ("", ShownMismatches(Opaque(kPatternPicture))) << "the control paints its bitmap again";
}

} // namespace
