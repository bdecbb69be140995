// Prints the text on the Windows clipboard as a Windows program sees it, with
// CR and LF written as \r and \n: Wine hands clipboard text to X11 with LF
// line ends only, so xclip cannot tell whether the program wrote CR LF.
// Exit status 1 when the clipboard holds no text.

#include <windows.h>

#include <cstdio>

int main()
{
    if (OpenClipboard(nullptr) == 0)
        return 1;
    int status = 1;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto *text = static_cast<const wchar_t *>(GlobalLock(data))) {
            for (const wchar_t *c = text; *c != L'\0'; ++c) {
                if (*c == L'\r')
                    std::fputs("\\r", stdout);
                else if (*c == L'\n')
                    std::fputs("\\n", stdout);
                else if (*c < 0x80)
                    std::putchar(static_cast<char>(*c));
                else
                    std::printf("\\u%04x", static_cast<unsigned>(*c));
            }
            GlobalUnlock(data);
            status = 0;
        }
    }
    CloseClipboard();
    return status;
}
