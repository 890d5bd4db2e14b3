// The pane painted with GDI: the pane's window is subclassed, and after the
// static control has painted its frame the picture is drawn inside it, the
// overlay's dimming composed into the pixels so that it blends.
#include "vaiboclient/panepainter.h"

#include "toolkit/core/clock.h"
#include "toolkit/core/utf16.h"
#include "vaiboclient/paneoverlay.h"

#include <algorithm>

namespace vaibo {

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT_PTR kAgeTimerId = 0x4B56; // the pane's own timer, unused by a static

// Darkens the pixels inside a rectangle as black of an opacity over them.
void darken(std::uint32_t *pixels, Size size, RECT area, int alpha)
{
    const int keep = 255 - alpha;
    for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, size.height); ++y) {
        for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, size.width); ++x) {
            std::uint32_t &pixel = pixels[static_cast<std::size_t>(y * size.width + x)];
            const auto channel = [&](int shift) { return (((pixel >> shift) & 0xffu) * keep / 255) << shift; };
            pixel = 0xff000000u | channel(16) | channel(8) | channel(0);
        }
    }
}

} // namespace

class PanePainter::Pane
{
public:
    Pane(FrameStore &store, HWND window) : m_store(store), m_window(window)
    {
        ::SetWindowSubclass(m_window, &Pane::procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
        ::SetTimer(m_window, kAgeTimerId, static_cast<UINT>(overlay::kAgeTick.count()), nullptr);
        fit();
    }

    ~Pane()
    {
        if (::IsWindow(m_window)) {
            ::KillTimer(m_window, kAgeTimerId);
            ::RemoveWindowSubclass(m_window, &Pane::procedure, kSubclassId);
        }
        deleteFonts();
    }

    Pane(const Pane &) = delete;
    Pane &operator=(const Pane &) = delete;

    HWND window() const { return m_window; }
    void refresh() { ::InvalidateRect(m_window, nullptr, FALSE); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
    {
        auto &pane = *reinterpret_cast<Pane *>(self);
        switch (message) {
        case WM_PAINT: {
            // The static paints its frame and validates; the picture follows inside.
            const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
            pane.paint();
            return result;
        }
        case WM_ERASEBKGND:
            if (pane.m_store.picture(tk::now()).image)
                return TRUE; // the picture covers it: no flicker
            break;
        case WM_SIZE:
            pane.fit();
            break;
        case WM_TIMER:
            if (wParam == kAgeTimerId) {
                const auto now = tk::now();
                if (overlay::isStale(pane.m_store.picture(now), now))
                    pane.refresh();
                return 0;
            }
            break;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(window, &Pane::procedure, kSubclassId);
            break;
        default:
            break;
        }
        return ::DefSubclassProc(window, message, wParam, lParam);
    }

    // Inside the static's one-pixel black frame.
    RECT inside() const
    {
        RECT area;
        ::GetClientRect(m_window, &area);
        ::InflateRect(&area, -1, -1);
        return area;
    }

    void fit()
    {
        const RECT area = inside();
        const int width = std::max<int>(area.right - area.left, 0);
        const int height = std::max<int>(area.bottom - area.top, 0);
        m_store.setPictureSize({width, height});
        deleteFonts();
        m_readout = {makeFont(overlay::readoutLettering(height)), overlay::readoutLettering(height)};
        m_note = {makeFont(overlay::noteLettering(height)), overlay::noteLettering(height)};
    }

    HFONT makeFont(const overlay::Lettering &lettering) const
    {
        LOGFONTW description{};
        const auto font = reinterpret_cast<HFONT>(::SendMessageW(m_window, WM_GETFONT, 0, 0));
        ::GetObjectW(font != nullptr ? font : ::GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
        description.lfHeight = -lettering.pixelSize;
        description.lfWidth = 0;
        description.lfQuality = CLEARTYPE_QUALITY;
        return ::CreateFontIndirectW(&description);
    }

    void deleteFonts()
    {
        for (HFONT font : {m_readout.font, m_note.font}) {
            if (font != nullptr)
                ::DeleteObject(font);
        }
    }

    // Composed off-screen in a DIB section of the pane's size, then shown
    // with one blit, so the pane never shows a half-drawn picture.
    void paint() const
    {
        const auto now = tk::now();
        const FrameStore::Picture picture = m_store.picture(now);
        if (!picture.image)
            return;
        const RECT target = inside();
        const Size size{target.right - target.left, target.bottom - target.top};
        if (size.width <= 0 || size.height <= 0)
            return;
        HDC dc = ::GetDC(m_window);
        HDC memory = ::CreateCompatibleDC(dc);
        void *bits = nullptr;
        const BITMAPINFO layout = topDown(size);
        HBITMAP canvas = ::CreateDIBSection(dc, &layout, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (canvas != nullptr) {
            const HGDIOBJ oldCanvas = ::SelectObject(memory, canvas);
            compose(memory, static_cast<std::uint32_t *>(bits), size, picture, now);
            ::BitBlt(dc, target.left, target.top, size.width, size.height, memory, 0, 0, SRCCOPY);
            ::SelectObject(memory, oldCanvas);
            ::DeleteObject(canvas);
        }
        ::DeleteDC(memory);
        ::ReleaseDC(m_window, dc);
    }

    static BITMAPINFO topDown(Size size)
    {
        BITMAPINFO layout{};
        layout.bmiHeader.biSize = sizeof layout.bmiHeader;
        layout.bmiHeader.biWidth = size.width;
        layout.bmiHeader.biHeight = -size.height; // top-down, as a Bitmap is
        layout.bmiHeader.biPlanes = 1;
        layout.bmiHeader.biBitCount = 32;
        layout.bmiHeader.biCompression = BI_RGB;
        return layout;
    }

    void compose(HDC memory, std::uint32_t *pixels, Size size, const FrameStore::Picture &picture,
                 FrameStore::Clock::time_point now) const
    {
        // The network thread decodes each picture at the pane's size; one
        // from before the pane changed size is scaled smoothly here.
        const Bitmap &bitmap = *picture.image;
        const BITMAPINFO source = topDown(bitmap.size);
        ::SetStretchBltMode(memory, HALFTONE);
        ::SetBrushOrgEx(memory, 0, 0, nullptr);
        ::StretchDIBits(memory, 0, 0, size.width, size.height, 0, 0, bitmap.size.width, bitmap.size.height,
                        bitmap.pixels.data(), &source, DIB_RGB_COLORS, SRCCOPY);
        ::GdiFlush();

        const std::wstring text = tk::widen(overlay::textFor(picture, now));
        const Lettering &lettering = picture.live ? m_readout : m_note;
        const HGDIOBJ oldFont = ::SelectObject(memory, lettering.font);
        SIZE extent{};
        ::GetTextExtentPoint32W(memory, text.c_str(), static_cast<int>(text.size()), &extent);
        const int boxWidth = extent.cx + lettering.size.margin.width;
        const int boxHeight = extent.cy + lettering.size.margin.height;
        RECT box;
        if (picture.live) {
            box.right = size.width - overlay::kCornerGap;
            box.bottom = size.height - overlay::kCornerGap;
            box.left = box.right - boxWidth;
            box.top = box.bottom - boxHeight;
        } else {
            darken(pixels, size, {0, 0, size.width, size.height}, overlay::kDimAlpha);
            box.left = (size.width - boxWidth) / 2;
            box.top = (size.height - boxHeight) / 2;
            box.right = box.left + boxWidth;
            box.bottom = box.top + boxHeight;
        }
        darken(pixels, size, box, overlay::kBoxAlpha);

        // White at the text's opacity over the darkened box.
        constexpr int kText = overlay::kTextAlpha;
        ::SetTextColor(memory, RGB(kText, kText, kText));
        ::SetBkMode(memory, TRANSPARENT);
        ::DrawTextW(memory, text.c_str(), static_cast<int>(text.size()), &box,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::SelectObject(memory, oldFont);
    }

    struct Lettering
    {
        HFONT font = nullptr;
        overlay::Lettering size{};
    };

    FrameStore &m_store;
    HWND m_window;
    Lettering m_readout;
    Lettering m_note;
};

PanePainter::PanePainter(FrameStore &store) : m_store(store) {}

PanePainter::~PanePainter() = default;

bool PanePainter::setPane(HWND pane)
{
    if (pane == nullptr || !::IsWindow(pane))
        return false;
    if (!m_pane || m_pane->window() != pane)
        m_pane = std::make_unique<Pane>(m_store, pane);
    return true;
}

void PanePainter::refresh()
{
    if (m_pane)
        m_pane->refresh();
}

} // namespace vaibo
