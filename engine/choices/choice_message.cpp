// Message boxes of the setup choices: a message text formatted with the
// values that go with it.
#include "engine/choices/choices.h"

#include <stdarg.h>

#include "engine/package/engine_globals.h"

void ShowChoiceMessage(HWND hOwner, int nCaption, UINT uType, int nMessage, ...)
{
    char szFormat[kWorkTextSize], szText[kFormattedTextSize], szCaption[kPathTextSize];
    va_list args;

    g_GetString(nMessage, szFormat, sizeof szFormat);
    va_start(args, nMessage);
    wvsprintfA(szText, szFormat, args);
    va_end(args);
    MessageBoxA(hOwner, szText, g_GetString(nCaption, szCaption, sizeof szCaption), uType);
}
