// Under the double-byte code pages, each in a prefix made and run with its locale (932 with
// LANG=ja_JP.UTF-8): the fonts that show the user's and the system's words get the code page's
// character set, and the system's reasons end with one full stop. Under 932 also: the lead
// bytes come from the system and the title rule steps over them.
#include "base/Title.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32ErrorTexts.h"
#include "tests/unit/CodePage932.h"
#include "ui/win32/Form.h"
#include "ui/win32/GdiCanvas.h"
#include "ui/win32/MessageDialog.h"
#include "win32/Handles.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

class TProbePage : public TForm {
public:
    explicit TProbePage(TToolkit& toolkit) : TForm(toolkit) { CreateForm("Probe", 200, 100); }
};

// The character set of the face GDI picked for font.
UINT CharsetOf(HFONT font) {
    const TWindowDC screen = WindowDC(nullptr);
    const auto selected = Select(screen.Get(), font);
    return static_cast<UINT>(GetTextCharset(screen.Get()));
}

std::string Title(const std::string& path) {
    std::string title(path.size(), '\0');
    TitleFromExeName(path.c_str(), title.data(), IsDBCSLeadByte, CharLowerBuffA);
    return title.c_str();
}

const char MessageCaption[] = "Code page probe";
const char MessageText[] = "Folder: C:\\Apps";
UINT MessageCharset = DEFAULT_CHARSET;

// Reads the font of the open message box's text, then closes the box.
void CALLBACK ReadMessageFont(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowA(nullptr, MessageCaption);
    if (!box)
        return;
    KillTimer(nullptr, timer);
    HWND text = FindWindowExA(box, nullptr, "Static", MessageText);
    if (text)
        MessageCharset = CharsetOf(reinterpret_cast<HFONT>(SendMessageA(text, WM_GETFONT, 0, 0)));
    EndDialog(box, IDOK);
}

TEST(CodePage932, LeadBytesComeFromTheSystemAndTheTitleStepsOverThem) {
    ASSERT_EQ(GetACP(), 932u) << "needs a prefix made and run with LANG=ja_JP.UTF-8";
    const TLeadBytes lead = AnsiLeadBytes();
    for (const char byte : {'\x81', '\x95', '\x9F', '\xE0', '\xFC'})
        EXPECT_TRUE(lead.IsLeadByte(byte)) << int(uint8_t(byte));
    for (const char byte : {'\x5C', '\x80', '\xA0', '\xB1', '\xDF', '\xFD'})
        EXPECT_FALSE(lead.IsLeadByte(byte)) << int(uint8_t(byte));
    EXPECT_EQ(Title("C:\\" + Hyo + "\\SETUP.EXE"), "Setup");
    EXPECT_EQ(Title("C:\\x\\" + So + "FT.EXE"), So + "ft");
    EXPECT_EQ(Title("C:\\x\\" + A + "B.EXE"), A + "b") << "not ヂb";
}

// The character set a face for the system's code page has.
UINT ExpectedCharset() {
    switch (GetACP()) {
    case 932:
        return SHIFTJIS_CHARSET;
    case 936:
        return GB2312_CHARSET;
    case 949:
        return HANGEUL_CHARSET;
    case 950:
        return CHINESEBIG5_CHARSET;
    default:
        return DEFAULT_CHARSET;
    }
}

TEST(DoubleByteCodePage, PagesAndMessageBoxesGetTheCodePagesCharacterSet) {
    const UINT expected = ExpectedCharset();
    ASSERT_NE(expected, UINT(DEFAULT_CHARSET)) << "needs a prefix made and run with a CJK locale";
    TToolkit toolkit;
    TProbePage page(toolkit);
    EXPECT_EQ(CharsetOf(page.FontHandle()), expected) << "buttons and the edit";
    {
        // Labels, the folder list and the drive box draw with the page's font description.
        const TWindowDC screen = WindowDC(nullptr);
        GdiCanvas canvas(screen.Get());
        canvas.SetFont(page.ParentFont());
        EXPECT_EQ(UINT(GetTextCharset(screen.Get())), expected) << "labels";
        canvas.SetFont({"Arial", -41, fsBold, clRed, ANSI_CHARSET_ID});
        EXPECT_EQ(GetTextCharset(screen.Get()), ANSI_CHARSET) << "the backdrop's title";
    }
    TMessageDialog dialog;
    dialog.Caption = MessageCaption;
    dialog.Text = MessageText;
    dialog.Buttons = {{"OK", IDOK}};
    SetTimer(nullptr, 0, 50, &ReadMessageFont);
    EXPECT_EQ(ShowMessageDialog(toolkit, page.Handle(), dialog), IDOK);
    EXPECT_EQ(MessageCharset, expected);
}

// The system words its reasons in the code page's language, Japanese and Chinese ending them
// with their own full stop, which a line of ours, ending in '.', must not follow.
TEST(DoubleByteCodePage, TheSystemsReasonsEndWithOneFullStop) {
    ASSERT_NE(ExpectedCharset(), UINT(DEFAULT_CHARSET))
        << "needs a prefix made and run with a CJK locale";
    const TLeadBytes lead = AnsiLeadBytes();
    for (const uint32_t code : {ERROR_ACCESS_DENIED, ERROR_PATH_NOT_FOUND, ERROR_DISK_FULL}) {
        const std::string text = Win32ErrorTexts().ErrorText(code);
        ASSERT_GE(text.size(), 2u) << code;
        EXPECT_TRUE(lead.IsLeadByte(text[0])) << code << ": not in the code page's language";
        EXPECT_EQ(text.back(), '.') << code << ": not the ideographic full stop";
    }
}

} // namespace
} // namespace setup
