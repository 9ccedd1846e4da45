#include "platform/win32/win32_rich_edit_peer.h"

#include <richedit.h>

#include <algorithm>

#include "platform/win32/win32_native_positions.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_units.h"

namespace scrivlet {

namespace {

static_assert(AnsiCharset == ANSI_CHARSET && SymbolCharset == SYMBOL_CHARSET);

// size: in twentieths of a point, as RichEdit takes it.
CHARFORMAT2W toCharFormat(const ui::CharFormat& format, int size) {
    CHARFORMAT2W native{};
    native.cbSize = sizeof native;
    native.dwMask = CFM_COLOR | CFM_FACE | CFM_SIZE | CFM_CHARSET;
    native.dwEffects = 0;  // an explicit colour, not the automatic one
    native.crTextColor = toColorRef(format.colour);
    native.yHeight = size;
    // Wingdings in the ANSI set makes the font mapper pick another font.
    native.bCharSet = static_cast<BYTE>(fontCharset(format.font));
    const std::wstring face = wide(format.font);
    lstrcpynW(native.szFaceName, face.c_str(), LF_FACESIZE);
    return native;
}

// A paragraph break is one character in the window.
std::string toNativeBreaks(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return result;
}

// The formats of the characters of the window's RTF, laid onto the bytes of
// its plain text: character by character, so that a character the RTF spells
// in another font's code page still takes its own format.
std::vector<ui::CharFormat> formatsOfText(const FormattedText& fromRtf, const std::string& text,
                                          const ui::CharFormat& fallback) {
    std::vector<ui::CharFormat> formats;
    formats.reserve(text.size());
    std::size_t r = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8Length(text, i);
        const ui::CharFormat& format = r < fromRtf.formats.size() ? fromRtf.formats[r] : fallback;
        formats.insert(formats.end(), length, format);
        i += length;
        if (r < fromRtf.text.size()) r += utf8Length(fromRtf.text, r);
    }
    return formats;
}

// A character in a symbol font read back as its plain code (0x20 to 0xFF)
// rather than as U+F000 plus that code, as a RichEdit version may give it,
// becomes the code point the program gave it: the markers are U+F0C3 and
// U+F0F0, and a typed letter never takes the symbol font.
void symbolCodesAsPrivateUse(FormattedText& content) {
    FormattedText mapped;
    mapped.text.reserve(content.text.size());
    for (std::size_t i = 0; i < content.text.size();) {
        std::size_t n = 0;
        char32_t c = decodeUtf8(content.text, i, &n);
        const ui::CharFormat format = i < content.formats.size() ? content.formats[i] : ui::CharFormat{};
        if (c >= 0x20 && c <= 0xFF && fontCharset(format.font) == SymbolCharset) c += 0xF000;
        const std::size_t before = mapped.text.size();
        appendUtf8(mapped.text, c);
        mapped.formats.insert(mapped.formats.end(), mapped.text.size() - before, format);
        i += n;
    }
    content = std::move(mapped);
}

DWORD CALLBACK appendToString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                   static_cast<std::size_t>(size));
    *written = size;
    return 0;
}

}  // namespace

Win32RichEditPeer::Win32RichEditPeer(Win32Ui& ui, ui::RichEdit& edit, HWND parent, int id)
    : Win32ControlPeer(ui, edit, parent, id), edit_(edit) {
    FlagScope quiet(updating_);
    createWindow(ui.richEditClass(), ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP,
                 WS_EX_CLIENTEDGE, "");
    if (!hwnd()) return;
    // The default limit of 32767 characters is far below what snippets hold.
    SendMessageW(hwnd(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(hwnd(), EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
    zoomToForm();
    CHARFORMAT2W standard = toCharFormat(edit.defaultFormat(), edit.fontSize());
    SendMessageW(hwnd(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&standard));
    showBackColour();
    showText();
}

int Win32RichEditPeer::fontDpi() { return ui_.dpi().system(); }

void Win32RichEditPeer::zoomToForm() {
    const int dpi = units().dpiY(), system = ui_.dpi().system();
    if (dpi == system)
        SendMessageW(hwnd(), EM_SETZOOM, 0, 0);  // none
    else
        SendMessageW(hwnd(), EM_SETZOOM, static_cast<WPARAM>(dpi), static_cast<LPARAM>(system));
}

void Win32RichEditPeer::refreshForDpi() {
    Win32ControlPeer::refreshForDpi();
    zoomToForm();
}

void Win32RichEditPeer::updateOwn(ui::Change change) {
    if (!hwnd()) return;
    switch (change) {
        case ui::Change::Text: showText(); break;
        case ui::Change::Insert: showInsert(); break;
        case ui::Change::Selection: showSelection(); break;
        case ui::Change::Format: showFormat(); break;
        case ui::Change::Colours: showBackColour(); break;
        default: break;
    }
}

void Win32RichEditPeer::showBackColour() {
    SendMessageW(hwnd(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(toColorRef(edit_.backColour())));
}

void Win32RichEditPeer::applyFormat(int nativeStart, int nativeEnd, const ui::CharFormat& format) {
    CHARRANGE range{nativeStart, nativeEnd};
    SendMessageW(hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W native = toCharFormat(format, edit_.fontSize());
    SendMessageW(hwnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&native));
}

void Win32RichEditPeer::showText() {
    FlagScope quiet(updating_);
    // The whole text in its formats in one step: a character-by-character
    // formatting of a long text with many markers takes seconds.
    // RTF knows whole half points only: it carries the size rounded to a
    // point, and the exact size (9.75 pt) is set on the whole text after it.
    const std::string rtf = toRtf(edit_.text(), edit_.formats(), edit_.insertionFormat(),
                                  (edit_.fontSize() + 10) / 20, [](Colour c) { return toColorRef(c); });
    // The RTF is ASCII: every character beyond it is a \u escape.
    SETTEXTEX how{ST_DEFAULT, CP_ACP};
    SendMessageW(hwnd(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(rtf.c_str()));
    CHARFORMAT2W size{};
    size.cbSize = sizeof size;
    size.dwMask = CFM_SIZE;
    size.yHeight = edit_.fontSize();
    SendMessageW(hwnd(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&size));
    shownText_ = edit_.text();
    // RichEdit drops the closing paragraph break of RTF that replaces the whole
    // text (its own last paragraph mark stands for it): a text that ends with
    // a line break gets it back by hand.
    const int expected = NativePositions(shownText_).nativeLength();
    if (const int shown = nativeLength(); shown + 1 == expected && !shownText_.empty() &&
                                          (shownText_.back() == '\n' || shownText_.back() == '\r')) {
        applyFormat(shown, shown, edit_.formats().back());
        SendMessageW(hwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"\r"));
    }
    showSelection();
    if (edit_.selLength() == 0) {
        const int caret = NativePositions(shownText_).toNative(edit_.selStart());
        applyFormat(caret, caret, edit_.insertionFormat());
    }
}

void Win32RichEditPeer::showInsert() {
    FlagScope quiet(updating_);
    const ui::RichEdit::Edit& change = edit_.lastEdit();
    const NativePositions before(shownText_);
    // The replaced text takes the format set on its range.
    applyFormat(before.toNative(change.start), before.toNative(change.start + change.length),
                edit_.insertionFormat());
    const std::wstring text = wide(toNativeBreaks(change.text));
    SendMessageW(hwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    shownText_ = edit_.text();
    showSelection();
}

void Win32RichEditPeer::showSelection() {
    FlagScope quiet(updating_);
    const NativePositions map(edit_.text());
    CHARRANGE range{map.toNative(edit_.selStart()), map.toNative(edit_.selStart() + edit_.selLength())};
    SendMessageW(hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void Win32RichEditPeer::showFormat() {
    FlagScope quiet(updating_);
    const NativePositions map(edit_.text());
    const int start = edit_.selStart(), end = start + edit_.selLength();
    if (start == end) {
        // The format of the next insertion at the caret.
        const int caret = map.toNative(start);
        applyFormat(caret, caret, edit_.insertionFormat());
        return;
    }
    // Run by run: a new colour leaves each character's font as it was, and
    // a new font each one's colour.
    const auto& formats = edit_.formats();
    int runStart = start;
    for (int i = start + 1; i <= end; ++i) {
        if (i < end && formats[static_cast<std::size_t>(i)] == formats[static_cast<std::size_t>(runStart)]) continue;
        applyFormat(map.toNative(runStart), map.toNative(i), formats[static_cast<std::size_t>(runStart)]);
        runStart = i;
    }
    showSelection();
}

int Win32RichEditPeer::nativeLength() {
    GETTEXTLENGTHEX query{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<int>(SendMessageW(hwnd(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
}

FormattedText Win32RichEditPeer::readContent() {
    FormattedText content;
    // Read as UTF-16 (code page 1200): the window's text as it holds it, a
    // character in a symbol font (the markers in Wingdings) as U+F000 plus its
    // code.
    GETTEXTLENGTHEX lengthQuery{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    const auto chars = SendMessageW(hwnd(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery), 0);
    if (chars > 0) {
        std::wstring wide(static_cast<std::size_t>(chars) + 1, L'\0');
        GETTEXTEX query{};
        query.cb = static_cast<DWORD>((static_cast<std::size_t>(chars) + 1) * sizeof(wchar_t));
        query.flags = GT_USECRLF;
        query.codepage = 1200;
        const auto copied = SendMessageW(hwnd(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                                         reinterpret_cast<LPARAM>(wide.data()));
        wide.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, chars)));
        content.text = narrow(wide);
    }
    // The formats from the window's RTF; the plain text above is the truth
    // about the characters (the RTF ends with the closing paragraph mark).
    std::string rtf;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rtf), 0, appendToString};
    SendMessageW(hwnd(), EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    content.formats = formatsOfText(fromRtf(rtf, edit_.defaultFormat()), content.text, edit_.defaultFormat());
    symbolCodesAsPrivateUse(content);
    return content;
}

std::pair<int, int> Win32RichEditPeer::readSelection(const std::string& text) {
    CHARRANGE range{};
    SendMessageW(hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    const NativePositions map(text);
    const int start = map.toModel(std::min(range.cpMin, range.cpMax));
    const int end = map.toModel(std::max(range.cpMin, range.cpMax));
    return {start, end - start};
}

void Win32RichEditPeer::reportContent() {
    // The window may announce one edit twice (the caret's move first, then
    // the change): the control hears of what is new only.
    FormattedText content = readContent();
    shownText_ = content.text;
    const auto [start, length] = readSelection(shownText_);
    if (content.text != edit_.text() || content.formats != edit_.formats())
        edit_.reportEdit(content.text, std::move(content.formats), start, length);
    else if (start != edit_.selStart() || length != edit_.selLength())
        edit_.reportSelection(start, length);
}

void Win32RichEditPeer::reportSelection() {
    // The caret may move before the window reports the edit that moved it.
    if (nativeLength() != NativePositions(shownText_).nativeLength()) {
        reportContent();
        return;
    }
    const auto [start, length] = readSelection(shownText_);
    edit_.reportSelection(start, length);
}

void Win32RichEditPeer::syncFromNative() {
    if (hwnd()) reportContent();
}

void Win32RichEditPeer::command(WORD code) {
    if (code == EN_CHANGE && !updating_) reportContent();
}

std::optional<LRESULT> Win32RichEditPeer::notify(const NMHDR& header) {
    if (header.code != EN_SELCHANGE) return std::nullopt;
    if (!updating_) reportSelection();
    return 0;
}

std::optional<LRESULT> Win32RichEditPeer::subclassMessage(HWND window, UINT message, WPARAM wParam,
                                                          LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: {
            // Tab and Enter belong to the editor, not to the form's Tab order
            // or default button; Esc still reaches the cancel button (a
            // multi-line RichEdit wants every key). The pending key stays
            // unknown to the window: given it, Wine's RichEdit enters a
            // dialog mode in which Tab leaves the control.
            LRESULT code = (callOriginal(window, message, wParam, 0) & ~DLGC_WANTMESSAGE) | DLGC_WANTTAB;
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending && (pending->message == WM_KEYDOWN || pending->message == WM_SYSKEYDOWN) &&
                (pending->wParam == VK_TAB || pending->wParam == VK_RETURN))
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            swallowChar_ = false;
            // The second half of a character comes as a key of its own.
            if (wParam != VK_PACKET && !typeHeldUnit(window)) return 0;
            if (wParam != VK_TAB && wParam != VK_RETURN) return std::nullopt;
            ui::KeyEvent key{static_cast<int>(wParam), currentShiftMask(), false};
            const Lifetime::Watch alive = watchLifetime();
            if (edit_.enabled() && edit_.onKeyDown) edit_.onKeyDown(key);
            if (!alive.alive()) return 0;
            if (!key.consumed) return std::nullopt;
            swallowChar_ = true;
            return 0;
        }
        case WM_CHAR:
        case WM_SYSCHAR: {
            if (swallowChar_) {
                swallowChar_ = false;
                return 0;
            }
            if (message == WM_SYSCHAR) return std::nullopt;
            const auto unit = static_cast<char32_t>(wParam & 0xFFFF);
            char32_t c = unit;
            if (heldHigh_ && unit >= 0xDC00 && unit <= 0xDFFF) {
                // The character beyond U+FFFF is complete: the control hears
                // of it, and the window gets both halves.
                c = 0x10000 + ((heldHigh_->unit - 0xD800) << 10) + (unit - 0xDC00);
            } else {
                if (!typeHeldUnit(window)) return 0;
                // Enter and Tab went through the key handler already.
                if (c == '\r' || c == '\n' || c == '\t') return std::nullopt;
                if (unit >= 0xD800 && unit <= 0xDBFF) {
                    // The first half of a character: it waits for the second.
                    heldHigh_ = HeldUnit{unit, lParam};
                    return 0;
                }
            }
            const Lifetime::Watch alive = watchLifetime();
            if (edit_.onKeyPress) edit_.onKeyPress(c);
            if (!alive.alive()) return 0;
            if (heldHigh_) {
                const HeldUnit high = *heldHigh_;
                heldHigh_.reset();
                // Half a character is no edit the program should hear of.
                FlagScope quiet(updating_);
                callOriginal(window, WM_CHAR, high.unit, high.lParam);
            }
            return std::nullopt;
        }
        case WM_KILLFOCUS:
            if (!typeHeldUnit(window)) return 0;
            return Win32ControlPeer::subclassMessage(window, message, wParam, lParam);
        default:
            return Win32ControlPeer::subclassMessage(window, message, wParam, lParam);
    }
}

bool Win32RichEditPeer::typeHeldUnit(HWND window) {
    if (!heldHigh_) return true;
    // No second half came: the first goes in alone, as typed.
    const HeldUnit high = *heldHigh_;
    heldHigh_.reset();
    const Lifetime::Watch alive = watchLifetime();
    if (edit_.onKeyPress) edit_.onKeyPress(high.unit);
    if (!alive.alive()) return false;
    callOriginal(window, WM_CHAR, high.unit, high.lParam);
    return alive.alive();
}

}  // namespace scrivlet
