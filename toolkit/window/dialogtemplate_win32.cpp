#include "toolkit/window/dialogtemplate_win32.h"

#include "toolkit/core/utf16.h"

#include <cstring>

namespace tk {

namespace {

const wchar_t *classOf(const ControlTemplate &control)
{
    switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::GroupBox:
        return WC_BUTTONW;
    case ControlKind::IpAddress:
        return WC_IPADDRESSW;
    case ControlKind::Label:
    case ControlKind::Frame:
        return WC_STATICW;
    case ControlKind::Edit:
        return WC_EDITW;
    case ControlKind::ProgressBar:
        return PROGRESS_CLASSW;
    case ControlKind::TabControl:
        return WC_TABCONTROLW;
    case ControlKind::ListBox:
        return WC_LISTBOXW;
    case ControlKind::Slider:
        return TRACKBAR_CLASSW;
    }
    return WC_STATICW;
}

// The style bits the kind itself stands for, which the template leaves out
// because they are the kind.
std::uint32_t kindStyle(const ControlTemplate &control)
{
    return control.kind == ControlKind::GroupBox ? BS_GROUPBOX : 0;
}

// Appends the fields of a template in order, as the packed structure lays
// them out.
class Writer
{
public:
    void word(WORD value) { append(&value, sizeof value); }
    void dword(DWORD value) { append(&value, sizeof value); }
    void coordinate(int value) { word(static_cast<WORD>(static_cast<short>(value))); }
    void text(const std::wstring &value) { append(value.c_str(), (value.size() + 1) * sizeof(wchar_t)); }
    void alignToDword() { m_bytes.resize((m_bytes.size() + 3) & ~std::size_t{3}); }

    std::vector<DWORD> words() const
    {
        std::vector<DWORD> aligned((m_bytes.size() + 3) / 4);
        std::memcpy(aligned.data(), m_bytes.data(), m_bytes.size());
        return aligned;
    }

private:
    void append(const void *data, std::size_t size)
    {
        const auto *bytes = static_cast<const unsigned char *>(data);
        m_bytes.insert(m_bytes.end(), bytes, bytes + size);
    }

    std::vector<unsigned char> m_bytes;
};

} // namespace

std::vector<DWORD> inMemoryTemplate(const DialogTemplate &dialog)
{
    Writer out;
    out.word(1); // dlgVer
    out.word(0xFFFF); // signature: extended
    out.dword(0); // helpID
    out.dword(dialog.exStyle);
    out.dword(dialog.style);
    out.word(static_cast<WORD>(dialog.controls.size()));
    for (const int value : {dialog.x, dialog.y, dialog.cx, dialog.cy})
        out.coordinate(value);
    out.word(0); // no menu
    out.word(0); // the dialog class
    out.text(widen(dialog.title));
    if (hasFlag(dialog.style, style::DsSetFont)) {
        out.word(static_cast<WORD>(dialog.pointSize));
        out.word(FW_NORMAL);
        out.word(MAKEWORD(FALSE, DEFAULT_CHARSET)); // italic, charset
        out.text(widen(dialog.fontFace));
    }
    for (const ControlTemplate &control : dialog.controls) {
        out.alignToDword();
        out.dword(0); // helpID
        out.dword(control.exStyle);
        out.dword(control.style | kindStyle(control));
        for (const int value : {control.x, control.y, control.cx, control.cy})
            out.coordinate(value);
        out.dword(static_cast<DWORD>(control.id));
        out.text(classOf(control));
        out.text(widen(control.caption));
        out.word(0); // no creation data
    }
    return out.words();
}

} // namespace tk
